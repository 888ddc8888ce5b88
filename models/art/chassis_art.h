#pragma once

#include <QImage>
#include <string>

class CDevModule;

namespace art {

// The front plate behind the elements of a loaded panel: metal, rack ears,
// vents, the model's name and the port numbers, laid out by the elements.
QImage DrawChassis(const CDevModule& panel, const std::string& model);

} // namespace art
