#include "session_parameters_for.h"
#include "silent_agent.h"
#include "walk_recorder.h"

#include "snmp/common_snmp.h"
#include "snmp/snmp_layer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace snmp;
using namespace std::chrono_literals;

namespace {

// The first two walks of a fresh process, of two sessions at once, by a
// version 3 user: both go out (version 3 walks report -1 from getNextAsync),
// their ids are 1 and 2 (one process-wide counter), and an unanswered walk's
// id is no longer found.
bool firstWalksGoOutAsOneAndTwo()
{
    SilentAgent agent;
    setSessionParameters(sessionParametersFor(agent.port(), kAgentUsers[5], 100));
    if (!snmpLayerInit())
        return false;
    CCommonSnmp first, second;
    WalkRecorder firstWalk(first), secondWalk(second);
    bool started = true;
    for (CCommonSnmp* session : {&first, &second})
        started = started && session->Open(kPduGetNext) && session->addValue("1.3.6.1.2.1.1", kTypeNull, nullptr) == 0;
    started = started && firstWalk.start() == kStatusNoAnswer && secondWalk.start() == kStatusNoAnswer;
    const bool ended = firstWalk.ended.waitFor(5s) && secondWalk.ended.waitFor(5s) && agent.receivesWithin(1s);
    first.Close();
    second.Close();
    return started && ended && firstWalk.requestIds == std::vector<int>{1} && secondWalk.requestIds == std::vector<int>{2}
        && firstWalk.endStatus == kStatusNoAnswer && !first.FindRequestID(1);
}

// Net-SNMP would read a snmp.conf found on SNMPCONFPATH, create its
// certificate index under the persistent directory that file names, and save
// state under HOME or SNMP_PERSISTENT_DIR. The layer must do none of it.
TEST(SnmpLayer, ReadsNoConfigurationWritesNoFileAndCountsWalkIdsFromOne)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The death test re-runs this body in a new process: the parent's
    // folder name reaches the child through the environment.
    setenv("QMX_LAYER_TEST_ROOT", (fs::temp_directory_path() / ("qmx-layer-" + std::to_string(::getpid()))).c_str(), 0);
    const fs::path root = std::getenv("QMX_LAYER_TEST_ROOT");
    for (const char* folder : {"conf", "home", "state"})
        fs::create_directories(root / folder);
    std::ofstream(root / "conf" / "snmp.conf") << "persistentDir " << (root / "configured").string() << "\n";
    EXPECT_EXIT(
        {
            setenv("SNMPCONFPATH", (root / "conf").c_str(), 1);
            setenv("SNMP_PERSISTENT_DIR", (root / "state").c_str(), 1);
            setenv("HOME", (root / "home").c_str(), 1);
            std::exit(firstWalksGoOutAsOneAndTwo() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    std::error_code error;
    EXPECT_FALSE(fs::exists(root / "configured", error));
    EXPECT_TRUE(fs::is_empty(root / "home", error));
    EXPECT_TRUE(fs::is_empty(root / "state", error));
    fs::remove_all(root, error);
}

} // namespace
