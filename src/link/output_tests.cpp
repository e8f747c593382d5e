#include "link/output_tests.h"

namespace kestrin {

namespace {

using enum OutputTest;

constexpr std::array<OutputTestButton, 21> kButtons{{
    {Jet1A, "ButtonTestJet1A", "Injector 1A", 0, 0x01},
    {Jet2A, "ButtonTestJet2A", "Injector 2A", 0, 0x02},
    {Jet3A, "ButtonTestJet3A", "Injector 3A", 0, 0x04},
    {Jet4A, "ButtonTestJet4A", "Injector 4A", 0, 0x08},
    {Jet1B, "ButtonTestJet1B", "Injector 1B", 0, 0x10},
    {Jet2B, "ButtonTestJet2B", "Injector 2B", 0, 0x20},
    {Jet3B, "ButtonTestJet3B", "Injector 3B", 0, 0x40},
    {Jet4B, "ButtonTestJet4B", "Injector 4B", 0, 0x80},
    {Ign1, "ButtonTestIgn1", "Ignition 1", 1, 0x01},
    {Ign2, "ButtonTestIgn2", "Ignition 2", 1, 0x02},
    {Ign3, "ButtonTestIgn3", "Ignition 3", 1, 0x04},
    {Ign4, "ButtonTestIgn4", "Ignition 4", 1, 0x08},
    {PilotLight, "ButtonTestPilotLight", "Pilot light", 2, 0x01},
    {FuelPump, "ButtonTestFuelPump", "Fuel pump", 2, 0x02},
    {Cooling, "ButtonTestCooling", "Cooling", 2, 0x04},
    {Gas, "ButtonTestGas", "Gas", 2, 0x08},
    {Rpm, "ButtonTestRpm", "Rpm", 2, 0x10},
    {ServoInPlus, "ButtonTestServoInPlus", "Intake servo plus", 3, 0x01},
    {ServoInMinus, "ButtonTestServoInMinus", "Intake servo minus", 3, 0x02},
    {ServoExPlus, "ButtonTestServoExPlus", "Exhaust servo plus", 3, 0x04},
    {ServoExMinus, "ButtonTestServoExMinus", "Exhaust servo minus", 3, 0x08},
}};

}  // namespace

std::span<const OutputTestButton> outputTestButtons()
{
    return kButtons;
}

std::optional<OutputTest> outputTestByName(std::string_view objectName)
{
    for (const auto& b : kButtons)
        if (b.objectName == objectName)
            return b.test;
    return std::nullopt;
}

void OutputTestRequests::request(OutputTest test)
{
    const auto& b = kButtons[static_cast<std::size_t>(test)];
    bytes_[static_cast<std::size_t>(b.requestByte)] |= b.bit;
}

std::array<std::uint8_t, 4> OutputTestRequests::take()
{
    const auto out = bytes_;
    bytes_.fill(0);
    return out;
}

}  // namespace kestrin
