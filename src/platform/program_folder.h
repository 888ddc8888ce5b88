#pragma once

#include <filesystem>
#include <string>

namespace platform {

// The folder of the program file as its starter named it, links not
// followed: a model folder's link to the shared executable gives the model
// folder. Empty when the process cannot tell.
std::filesystem::path programFolder();

// The folder of the program file itself, links followed.
std::filesystem::path programFileFolder();

// `name` when it names an existing file (a relative name against the
// current directory); otherwise the same name inside `folder` when that
// exists; otherwise `name` unchanged, for the caller to fail on.
std::string locateFile(const std::string& name, const std::filesystem::path& folder);

// The folder of the model the module shows: User.ini and the panel files.
// The program's folder unless a start-up without the console chose another.
std::filesystem::path modelFolder();
// Start-up only, before the main window exists.
void setModelFolder(std::filesystem::path folder);

// locateFile with the model's folder.
std::string locateBesideProgram(const std::string& name);

} // namespace platform
