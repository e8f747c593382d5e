#pragma once
// The live display as data: every label and gauge that the monitor decoder
// writes, with the properties it owns. The window only applies what changed;
// tests read the same data without a display.

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrin {

// Colours by name. `Normal` is the face colour of the label (or the default
// bar colour of a gauge); `Background` is the system background colour.
enum class MonitorColour : std::uint8_t { Normal, Red, Fuchsia, Lime, Aqua, Yellow, White, Blue, Black, Background };
std::string_view colourName(MonitorColour colour);

// What the decoder sets on a control; the window leaves everything else
// (for instance the visibility of LabelVersion, which the tick decides).
enum MonitorProperty : std::uint8_t {
    OwnsText = 0x01,
    OwnsColour = 0x02,
    OwnsVisibility = 0x04,
    OwnsGauge = 0x08,  // value, minimum, maximum and bar colour
};

// X(name, properties), in the order of the decoding steps.
#define KESTRIN_MONITOR_CONTROLS(X)                                 \
    X(LabelMonFallIn, OwnsText | OwnsColour)                        \
    X(LabelMonFallOut, OwnsText | OwnsColour)                       \
    X(LabelMonBlock2In, OwnsText | OwnsColour)                      \
    X(LabelMonBlock2Out, OwnsText | OwnsColour)                     \
    X(LabelMonStartLimiterIn, OwnsText | OwnsColour)                \
    X(LabelMonStartLimiterOut, OwnsText | OwnsColour)               \
    X(LabelMonClutchIn, OwnsText | OwnsColour)                      \
    X(LabelMonClutchOut, OwnsText | OwnsColour)                     \
    X(LabelMonRpmLambdaIn, OwnsText | OwnsColour)                   \
    X(LabelMonRpmLambdaOut, OwnsText | OwnsColour)                  \
    X(LabelMonIgnLimiter, OwnsText | OwnsColour)                    \
    X(LabelMonJetLimiter, OwnsText | OwnsColour)                    \
    X(LabelMonRetardLimiter, OwnsText | OwnsColour)                 \
    X(LabelN2oEnable, OwnsText | OwnsColour | OwnsVisibility)       \
    X(LabelClazeniMon, OwnsText | OwnsColour)                       \
    X(LabelSnimacCkps, OwnsText | OwnsColour)                       \
    X(LabelSnimacCmps, OwnsText | OwnsColour)                       \
    X(LabelEeDataErr, OwnsVisibility)                               \
    X(LabelVersion, OwnsText | OwnsColour)                          \
    X(LabelMonPitRetardOn, OwnsText | OwnsColour)                   \
    X(LabelPitIgn, OwnsText | OwnsColour)                           \
    X(LabelMon_Ign, OwnsText)                                       \
    X(LabelMon_Ign1, OwnsText)                                      \
    X(LabelMon_Ign2, OwnsText | OwnsVisibility)                     \
    X(LabelMon_Ign3, OwnsText | OwnsVisibility)                     \
    X(LabelMon_Ign4, OwnsText | OwnsVisibility)                     \
    X(LabelMon_Jet_A, OwnsText)                                     \
    X(LabelMon_Jet_1A, OwnsText)                                    \
    X(LabelMon_Jet_2A, OwnsText | OwnsVisibility)                   \
    X(LabelMon_Jet_3A, OwnsText | OwnsVisibility)                   \
    X(LabelMon_Jet_4A, OwnsText | OwnsVisibility)                   \
    X(LabelMon_Jet_B, OwnsText)                                     \
    X(LabelMon_Jet_1B, OwnsText)                                    \
    X(LabelMon_Jet_2B, OwnsText | OwnsVisibility)                   \
    X(LabelMon_Jet_3B, OwnsText | OwnsVisibility)                   \
    X(LabelMon_Jet_4B, OwnsText | OwnsVisibility)                   \
    X(LabelMaxInjProcent, OwnsText)                                 \
    X(CGaugeDuty, OwnsGauge)                                        \
    X(LabelGear, OwnsText)                                          \
    X(LabelDleTpsProcent, OwnsText)                                 \
    X(LabelMonPilotLight, OwnsText | OwnsColour)                    \
    X(LabelLadeniMsg, OwnsText | OwnsColour)                        \
    X(LabelRpm, OwnsText | OwnsColour)                              \
    X(CGaugeRpm, OwnsGauge)                                         \
    X(LabelTlak, OwnsText | OwnsColour)                             \
    X(LabelPodtlak, OwnsText | OwnsColour)                          \
    X(LabelTpsMon, OwnsText | OwnsColour)                           \
    X(CGaugeTps, OwnsGauge)                                         \
    X(LabelLambda, OwnsText)                                        \
    X(CGaugeLambda, OwnsGauge)                                      \
    X(LabelVoda, OwnsText | OwnsColour)                             \
    X(CGaugeVoda, OwnsGauge)                                        \
    X(LabelVzduch, OwnsText | OwnsColour)                           \
    X(LabelNapeti, OwnsText | OwnsColour)                           \
    X(LabelMonServoIntake, OwnsText | OwnsColour)                   \
    X(LabelMonServoExhaust, OwnsText | OwnsColour)                  \
    X(LabelMonPotenc, OwnsText)                                     \
    X(LabelPocetProgramovani, OwnsText)                             \
    X(LabelTest1, OwnsText)                                         \
    X(LabelTest2, OwnsText)                                         \
    X(LabelTest3, OwnsText)                                         \
    X(LabelTest4, OwnsText)                                         \
    X(LabelTest5, OwnsText)                                         \
    X(LabelTest6, OwnsText)                                         \
    X(LabelTest7, OwnsText)                                         \
    X(LabelTest8, OwnsText)                                         \
    X(LabelMon_PolohaA, OwnsText)                                   \
    X(LabelMon_PolohaB, OwnsText)                                   \
    X(LabelKorVodaJet, OwnsText)                                    \
    X(LabelKorVzduch, OwnsText)                                     \
    X(LabelKorTlak, OwnsText)                                       \
    X(LabelKorSytic, OwnsText)                                      \
    X(LabelKorNapeti, OwnsText)                                     \
    X(LabelKorVodaIgn, OwnsText)                                    \
    X(LabelKorPotencIgn, OwnsText)                                  \
    X(LabelKorPotencJet, OwnsText)                                  \
    X(LabelMonSpeed, OwnsText)                                      \
    X(LabelMonGearNapeti, OwnsText)                                 \
    X(LabelMonPomerRpmSpeed, OwnsText)                              \
    X(LabelMonPomerRpmSpeedAuto1, OwnsText)                         \
    X(LabelMonPomerRpmSpeedAuto2, OwnsText)                         \
    X(LabelMonPomerRpmSpeedAuto3, OwnsText)                         \
    X(LabelMonPomerRpmSpeedAuto4, OwnsText)                         \
    X(LabelMonPomerRpmSpeedAuto5, OwnsText)                         \
    X(LabelMonPomerRpmSpeedAuto6, OwnsText)                         \
    X(LabelIdleKorAdv, OwnsText)                                    \
    X(LabelKorAccJet, OwnsText)                                     \
    X(LabelMonServoPosition, OwnsText)

enum class MonitorControl : std::uint8_t {
#define KESTRIN_MONITOR_ENUM(name, props) name,
    KESTRIN_MONITOR_CONTROLS(KESTRIN_MONITOR_ENUM)
#undef KESTRIN_MONITOR_ENUM
};

inline constexpr int kMonitorControlCount = 0
#define KESTRIN_MONITOR_COUNT(name, props) +1
    KESTRIN_MONITOR_CONTROLS(KESTRIN_MONITOR_COUNT)
#undef KESTRIN_MONITOR_COUNT
    ;

struct MonitorControlInfo {
    const char* objectName;  // the control's objectName in the window
    std::uint8_t properties;  // MonitorProperty bits
    bool isGauge() const { return (properties & OwnsGauge) != 0; }
};
const MonitorControlInfo& monitorControlInfo(MonitorControl control);
// The control of an objectName, if the decoder writes it.
bool findMonitorControl(std::string_view objectName, MonitorControl& control);

// The state of one control as the decoder left it.
struct ControlView {
    std::string text;
    MonitorColour colour = MonitorColour::Normal;  // label face or gauge bar colour
    bool visible = true;
    int value = 0;  // gauges
    int minimum = 0;
    int maximum = 100;
};

// All controls plus the set changed since the window last applied them.
class MonitorDisplay {
public:
    MonitorDisplay();

    const ControlView& operator[](MonitorControl c) const { return views_[index(c)]; }

    // Each setter marks the control changed only when the value differs.
    void setText(MonitorControl c, std::string_view text);
    void setColour(MonitorControl c, MonitorColour colour);
    void setVisible(MonitorControl c, bool visible);
    void setGauge(MonitorControl c, int value, MonitorColour colour);

    bool changed(MonitorControl c) const { return changed_.test(index(c)); }
    bool anyChanged() const { return changed_.any(); }
    const std::bitset<kMonitorControlCount>& changedSet() const { return changed_; }
    void clearChanged() { changed_.reset(); }
    // For the first application after the window is built.
    void markAllChanged() { changed_.set(); }

private:
    static std::size_t index(MonitorControl c) { return static_cast<std::size_t>(c); }
    std::array<ControlView, kMonitorControlCount> views_;
    std::bitset<kMonitorControlCount> changed_;
};

}  // namespace kestrin
