#include "platform/program_folder.h"
#include "platform/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

// Makes `to` the current directory for the object's lifetime.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const fs::path& to) : m_previous(fs::current_path()) { fs::current_path(to); }
    ~CurrentDirectory() { fs::current_path(m_previous); }
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    fs::path m_previous;
};

} // namespace

TEST(ProgramFolder, NamesAreFoundInTheCurrentDirectoryFirstThenBesideTheProgram)
{
    TempDir current;
    TempDir program;
    fs::create_directory(current.path() / "art");
    fs::create_directory(program.path() / "art");
    for (const char* name : {"both.xml", "art/both.bmp", "here.bmp"})
        current.write(name, "BM");
    for (const char* name : {"both.xml", "art/both.bmp", "beside.xml", "art/beside.bmp"})
        program.write(name, "BM");
    const std::string absentAbsolute = (current.path() / "beside.xml").string();
    const std::string beside = (program.path() / "beside.xml").string();

    CurrentDirectory inCurrent(current.path());
    const struct {
        std::string name;
        fs::path folder;
        std::string expected;
    } cases[] = {
        {"both.xml", program.path(), "both.xml"},
        {"art/both.bmp", program.path(), "art/both.bmp"},
        {"here.bmp", program.path(), "here.bmp"},
        {"beside.xml", program.path(), beside},
        {"art/beside.bmp", program.path(), (program.path() / "art/beside.bmp").string()},
        {"./beside.xml", program.path(), (program.path() / "./beside.xml").string()},
        // Not found anywhere: the name as given, for the loader to find nothing.
        {"missing.xml", program.path(), "missing.xml"},
        {"beside.xml", fs::path(), "beside.xml"},
        {absentAbsolute, program.path(), absentAbsolute},
        {beside, current.path(), beside},
        {"", program.path(), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::locateFile(c.name, c.folder), c.expected) << c.name << " in " << c.folder;
}
