#pragma once

#include <memory>
#include <string>
#include <vector>

class CDevModule;
class CModule;
class CPositionTable;

using ModuleList = std::vector<std::unique_ptr<CModule>>;

// Builds the element tree under root from a panel description file. A file
// that is missing or not well-formed leaves the tree as it was. Elements
// with ID "0" enter their position into positions.
bool LoadPanelDescription(const std::string& path, CDevModule& root, ModuleList& modules,
                          CPositionTable& positions);
