#include "scratch_file.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fuzz {
namespace {

struct ScratchDirectory {
    std::string path;
    ScratchDirectory()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qmx-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr)
            path = pattern;
    }
    ~ScratchDirectory()
    {
        std::error_code ignored;
        if (!path.empty())
            std::filesystem::remove_all(path, ignored);
    }
};

ScratchDirectory& directory()
{
    static ScratchDirectory scratch;
    return scratch;
}

} // namespace

std::string scratchDirectory()
{
    return directory().path;
}

std::string writeScratchFile(std::string_view name, std::string_view content)
{
    const std::string path = directory().path + "/" + std::string(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    return path;
}

} // namespace fuzz
