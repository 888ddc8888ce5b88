#include "platform/program_folder.h"

#include <sys/auxv.h>

#include <system_error>

namespace platform {
namespace {

namespace fs = std::filesystem;

fs::path g_modelFolder;

fs::path startedFolder()
{
    // The file name handed to execve, kept by the kernel; a relative one is
    // relative to the starting directory, which is still the current one.
    const auto* started = reinterpret_cast<const char*>(getauxval(AT_EXECFN));
    std::error_code error;
    if (started != nullptr && *started != '\0') {
        const fs::path absolute = fs::absolute(started, error);
        if (!error)
            return absolute.lexically_normal().parent_path();
    }
    return programFileFolder();
}

} // namespace

fs::path programFolder()
{
    // Computed before anything could change the current directory.
    static const fs::path folder = startedFolder();
    return folder;
}

fs::path programFileFolder()
{
    std::error_code error;
    const fs::path file = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : file.parent_path();
}

std::string locateFile(const std::string& name, const fs::path& folder)
{
    std::error_code error;
    if (name.empty() || fs::exists(name, error) || folder.empty())
        return name;
    const fs::path beside = folder / name;
    return fs::exists(beside, error) ? beside.string() : name;
}

fs::path modelFolder()
{
    return g_modelFolder.empty() ? programFolder() : g_modelFolder;
}

void setModelFolder(fs::path folder)
{
    g_modelFolder = std::move(folder);
}

std::string locateBesideProgram(const std::string& name)
{
    return locateFile(name, modelFolder());
}

} // namespace platform
