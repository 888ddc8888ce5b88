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

namespace {

// Net-SNMP would read a snmp.conf found on SNMPCONFPATH, create its
// certificate index under the persistent directory that file names, and save
// state under HOME or SNMP_PERSISTENT_DIR. The layer must do none of it.
TEST(SnmpLayer, ReadsNoConfigurationAndWritesNoFile)
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
            SilentAgent agent;
            setSessionParameters(sessionParametersFor(agent.port(), kAgentUsers[5], 300));
            bool exchanged = false;
            if (snmpLayerInit()) {
                CCommonSnmp session;
                std::unique_ptr<CSnmpResponse> response;
                exchanged = session.Open(kPduGet) && session.addValue("1.3.6.1.2.1.1.5.0", kTypeNull, nullptr) == 0
                    && session.send(response) == kStatusNoAnswer && agent.receivesWithin(std::chrono::seconds(1));
            }
            std::exit(exchanged ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");

    std::error_code error;
    EXPECT_FALSE(fs::exists(root / "configured", error));
    EXPECT_TRUE(fs::is_empty(root / "home", error));
    EXPECT_TRUE(fs::is_empty(root / "state", error));
    fs::remove_all(root, error);
}

// Two walks of two sessions at once, as the first of the process: their ids
// must be 1 and 2 (one process-wide counter), and an unanswered walk's id is
// no longer found.
bool firstWalkIdsAreOneAndTwo()
{
    SilentAgent agent;
    SessionParameters parameters = sessionParametersFor(agent.port(), kVersion1, 100);
    parameters.version = "3"; // version 3 walks report -1 from getNextAsync
    setSessionParameters(parameters);
    CCommonSnmp first, second;
    WalkRecorder firstWalk(first), secondWalk(second);
    bool refused = true;
    for (CCommonSnmp* session : {&first, &second})
        refused = refused && session->Open(kPduGetNext) && session->addValue("1.3.6.1.2.1.1", kTypeNull, nullptr) == 0;
    refused = refused && firstWalk.start() == kStatusNoAnswer && secondWalk.start() == kStatusNoAnswer;
    const bool ended = firstWalk.ended.waitFor(std::chrono::seconds(5)) && secondWalk.ended.waitFor(std::chrono::seconds(5));
    first.Close();
    second.Close();
    return refused && ended && firstWalk.requestIds == std::vector<int>{1} && secondWalk.requestIds == std::vector<int>{2}
        && firstWalk.endStatus == kStatusNoAnswer && !first.FindRequestID(1);
}

TEST(SnmpLayer, WalkIdsCountFromOneAcrossSessions)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(firstWalkIdsAreOneAndTwo() ? 0 : 1), ::testing::ExitedWithCode(0), "");
}

} // namespace
