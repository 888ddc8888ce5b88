#pragma once

#include <string>
#include <string_view>

// A file in a private temporary directory that one process rewrites for
// every input: the loaders under test read paths, not buffers.
namespace fuzz {

// Replaces the file's content and returns its path. The directory goes when
// the process ends.
std::string writeScratchFile(std::string_view name, std::string_view content);
std::string scratchDirectory();

} // namespace fuzz
