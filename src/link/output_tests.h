#pragma once
// Output tests: a button press makes the unit drive one output briefly. A
// press only sets a bit in one of four request bytes; the next poll carries
// them to the unit once and clears them.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kestrin {

enum class OutputTest {
    Jet1A, Jet2A, Jet3A, Jet4A, Jet1B, Jet2B, Jet3B, Jet4B,
    Ign1, Ign2, Ign3, Ign4,
    PilotLight, FuelPump, Cooling, Gas, Rpm,
    ServoInPlus, ServoInMinus, ServoExPlus, ServoExMinus,
};

struct OutputTestButton {
    OutputTest test;
    std::string_view objectName;  // e.g. "ButtonTestJet1A"
    std::string_view caption;     // e.g. "Injector 1A"
    int requestByte;              // 0..3, carried in poll bytes 20..23
    std::uint8_t bit;
};

// The 21 buttons of the "Test Outs" group in their order on the page.
std::span<const OutputTestButton> outputTestButtons();
// The button with that object name, if it is one of the 21.
std::optional<OutputTest> outputTestByName(std::string_view objectName);

class OutputTestRequests {
public:
    // ORs the test's bit in; pressing twice before the poll has no further effect.
    void request(OutputTest test);
    const std::array<std::uint8_t, 4>& bytes() const { return bytes_; }
    // Hands the four bytes to the poll being built and clears them.
    std::array<std::uint8_t, 4> take();

private:
    std::array<std::uint8_t, 4> bytes_{};
};

}  // namespace kestrin
