#pragma once

#include "sim/mib_store.h"
#include "sim/oid_text.h"
#include "sim/simulated_switch.h"
#include "sim/snmp_errors.h"
#include "sim/switch_oids.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// A simulated switch on a clock the test moves by hand.
struct ManualClock {
    std::chrono::milliseconds now{1000000};
    void advance(std::chrono::milliseconds by) { now += by; }
};

inline sim::ModelData loadedModel(const std::string& name)
{
    sim::ModelData model;
    std::string error;
    EXPECT_TRUE(sim::loadModel(sim::defaultModelDirectory(), name, model, &error)) << error;
    return model;
}

inline std::unique_ptr<sim::SimulatedSwitch> makeSwitch(const std::string& model, ManualClock& clock,
                                                        sim::SwitchSettings settings = {})
{
    return std::make_unique<sim::SimulatedSwitch>(loadedModel(model), settings, [&clock] { return clock.now; });
}

inline std::int64_t integerOf(sim::SimulatedSwitch& device, const snmp::Oid& oid)
{
    const auto found = device.get(oid);
    EXPECT_TRUE(found) << "no object at " << sim::dottedOid(oid);
    if (!found)
        return -1;
    return found->value.type == snmp::Asn::Integer ? found->value.integer : static_cast<std::int64_t>(found->value.unsignedValue);
}

inline std::string octetsOf(sim::SimulatedSwitch& device, const snmp::Oid& oid)
{
    const auto found = device.get(oid);
    EXPECT_TRUE(found) << "no object at " << sim::dottedOid(oid);
    return found ? found->value.octets : std::string();
}

// A fresh switch of one model for each test, the QMX-7720-ZA unless use() picks another.
class SwitchTest : public ::testing::Test {
protected:
    void use(const std::string& model, sim::SwitchSettings settings = {}) { device = makeSwitch(model, clock, settings); }
    std::int64_t integer(const snmp::Oid& base, std::initializer_list<std::uint32_t> arcs) { return integerOf(*device, sim::joined(base, arcs)); }
    std::string octets(const snmp::Oid& base, std::initializer_list<std::uint32_t> arcs) { return octetsOf(*device, sim::joined(base, arcs)); }
    int set(const snmp::Oid& base, std::initializer_list<std::uint32_t> arcs, const snmp::Value& value)
    {
        return device->set(sim::joined(base, arcs), value);
    }

    ManualClock clock;
    std::unique_ptr<sim::SimulatedSwitch> device = makeSwitch("QMX-7720-ZA", clock);
};
