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
