#pragma once

#include <cstddef>
#include <cstdint>

// One entry per input surface. The libFuzzer targets and the corpus replay
// test call the same functions; a broken invariant aborts with a message.
namespace fuzz {

using Entry = int (*)(const std::uint8_t* data, std::size_t size);

// Qt-free surfaces.
int command_line(const std::uint8_t* data, std::size_t size);
int user_ini(const std::uint8_t* data, std::size_t size);
int encodings(const std::uint8_t* data, std::size_t size);
int agent_answer(const std::uint8_t* data, std::size_t size);
int netsnmp_answer(const std::uint8_t* data, std::size_t size);
int poll_results(const std::uint8_t* data, std::size_t size);
int table_rows(const std::uint8_t* data, std::size_t size);
int trunk_snapshot(const std::uint8_t* data, std::size_t size);

// Surfaces read through Qt Gui.
int panel_description(const std::uint8_t* data, std::size_t size);
int picture(const std::uint8_t* data, std::size_t size);

} // namespace fuzz
