#pragma once

#include "drill_support.h"
#include "udp_relay.h"

namespace drills {

// A quiet switch behind the real snmpd for the whole suite, reached through
// a fresh relay by each test.
template <typename Base = ::testing::Test>
class RelayedSwitch : public Base {
protected:
    static void SetUpTestSuite() { s_agent = startQuietSwitch().release(); }
    static void TearDownTestSuite()
    {
        delete s_agent;
        s_agent = nullptr;
    }

    void SetUp() override
    {
        ASSERT_NE(s_agent, nullptr);
        ASSERT_TRUE(relay.ready());
        useAgent(relay.port());
    }

    static inline sim::SnmpdProcess* s_agent = nullptr;
    UdpRelay relay{s_agent ? s_agent->port() : std::uint16_t{0}};
};

} // namespace drills
