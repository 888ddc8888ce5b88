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

    const struct {
        std::string name;
        fs::path folder;
        std::string expected;
    } cases[] = {
        {"both.xml", program.path(), "both.xml"},
        {"beside.xml", program.path(), (program.path() / "beside.xml").string()},
        {"art/beside.bmp", program.path(), (program.path() / "art/beside.bmp").string()},
        // Found nowhere: the name as given, which then loads nothing.
        {"missing.xml", program.path(), "missing.xml"},
        {"beside.xml", fs::path(), "beside.xml"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::locateFile(c.name, c.folder), c.expected) << c.name << " in " << c.folder;
    fs::current_path(previous);
}
