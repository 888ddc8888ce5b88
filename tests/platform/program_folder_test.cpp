#include "platform/program_folder.h"
#include "platform/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

TEST(ProgramFolder, NamesAreFoundInTheCurrentDirectoryFirstThenBesideTheProgram)
{
    TempDir current;
    TempDir program;
    fs::create_directory(program.path() / "art");
    current.write("both.xml", "");
    for (const char* name : {"both.xml", "beside.xml", "art/beside.bmp"})
        program.write(name, "");
    const fs::path previous = fs::current_path();
    fs::current_path(current.path());

    // Found nowhere: the name as given, which then loads nothing.
    for (const auto& [name, folder, expected] :
         {std::tuple<std::string, fs::path, std::string>{"both.xml", program.path(), "both.xml"},
          {"beside.xml", program.path(), (program.path() / "beside.xml").string()},
          {"art/beside.bmp", program.path(), (program.path() / "art/beside.bmp").string()},
          {"missing.xml", program.path(), "missing.xml"}, {"beside.xml", fs::path(), "beside.xml"}})
        EXPECT_EQ(platform::locateFile(name, folder), expected) << name << " in " << folder;
    fs::current_path(previous);
}
