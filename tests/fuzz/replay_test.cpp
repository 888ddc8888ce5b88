#include "harness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

// Every committed input of one target, seeds and findings, through its entry;
// a broken invariant or a sanitizer's finding ends the test binary.
void replay(const std::string& target, fuzz::Entry* entry)
{
    std::size_t replayed = 0;
    for (const char* folder : {"corpus", "regressions"}) {
        std::error_code absent;
        for (const auto& file : std::filesystem::directory_iterator(std::filesystem::path(QMX_FUZZ_INPUTS) / folder / target, absent)) {
            std::ifstream in(file.path(), std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in), {}};
            SCOPED_TRACE(file.path().string());
            EXPECT_EQ(entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 0);
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0u) << "no committed input for " << target;
}

} // namespace

#ifdef QMX_FUZZ_QT
TEST(FuzzReplay, PanelDescription) { replay("panel_description", fuzz::panel_description); }
TEST(FuzzReplay, Picture) { replay("picture", fuzz::picture); }
#else
TEST(FuzzReplay, CommandLine) { replay("command_line", fuzz::command_line); }
TEST(FuzzReplay, UserIni) { replay("user_ini", fuzz::user_ini); }
TEST(FuzzReplay, Encodings) { replay("encodings", fuzz::encodings); }
TEST(FuzzReplay, AgentAnswer) { replay("agent_answer", fuzz::agent_answer); }
TEST(FuzzReplay, NetSnmpAnswer) { replay("netsnmp_answer", fuzz::netsnmp_answer); }
TEST(FuzzReplay, PollResults) { replay("poll_results", fuzz::poll_results); }
TEST(FuzzReplay, TableRows) { replay("table_rows", fuzz::table_rows); }
TEST(FuzzReplay, TrunkSnapshot) { replay("trunk_snapshot", fuzz::trunk_snapshot); }
#endif
