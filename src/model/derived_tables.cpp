#include "model/derived_tables.h"

#include "model/bike_reference.h"
#include "model/document.h"
#include "model/field_offsets.h"

#include <algorithm>

namespace kestrin {

namespace {

// A run of n consecutive bytes or words of the image, read into plain ints
// so that the rules can be written once for both widths.
class Run {
public:
    Run(ParameterImage& image, int offset, int count, bool words)
        : image_(image), offset_(offset), count_(count), words_(words)
    {
        for (int i = 0; i < count_; ++i)
            v_[i] = words_ ? image_.word(at(i)) : image_.byte(at(i));
    }
    ~Run()
    {
        for (int i = 0; i < count_; ++i) {
            if (words_)
                image_.setWord(at(i), static_cast<std::uint16_t>(v_[i]));
            else
                image_.setByte(at(i), static_cast<std::uint8_t>(v_[i]));
        }
    }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    int& operator[](int i) { return v_[i]; }
    int size() const { return count_; }

private:
    int at(int i) const { return offset_ + i * (words_ ? 2 : 1); }

    ParameterImage& image_;
    int offset_;
    int count_;
    bool words_;
    std::array<int, 150> v_{};
};

Run bytes(ParameterImage& image, int offset, int count) { return Run(image, offset, count, false); }
Run words(ParameterImage& image, int offset, int count) { return Run(image, offset, count, true); }

// n values rising by at least 1 each, within a .. b.
template <typename Values>
void increasing(Values& v, int n, int a, int b)
{
    for (int i = 0; i < n; ++i)
        v[i] = std::max<int>(v[i], a + i);
    for (int i = 0; i < n; ++i)
        v[i] = std::min<int>(v[i], b - (n - 1) + i);
    for (int i = 1; i < n; ++i)
        if (v[i] <= v[i - 1])
            v[i] = v[i - 1] + 1;
}

void increasingRule(Run&& v, int a, int b) { increasing(v, v.size(), a, b); }

// n values falling by at least 1 each, within a .. b.
void decreasingRule(Run&& v, int a, int b)
{
    const int n = v.size();
    for (int i = 0; i < n; ++i)
        v[i] = std::max(v[i], a + (n - 1 - i));
    for (int i = 0; i < n; ++i)
        v[i] = std::min(v[i], b - i);
    for (int i = 1; i < n; ++i)
        if (v[i] >= v[i - 1])
            v[i] = v[i - 1] - 1;
}

void clampAll(Run&& v, int lo, int hi)
{
    for (int i = 0; i < v.size(); ++i)
        v[i] = std::clamp(v[i], lo, hi);
}

void atMost(ParameterImage& image, int offset, int limit)
{
    if (image.byte(offset) > limit)
        image.setByte(offset, static_cast<std::uint8_t>(limit));
}

void atLeast(ParameterImage& image, int offset, int limit)
{
    if (image.byte(offset) < limit)
        image.setByte(offset, static_cast<std::uint8_t>(limit));
}

// The byte at `offset` at least the byte at `floorOffset`.
void atLeastField(ParameterImage& image, int offset, int floorOffset)
{
    atLeast(image, offset, image.byte(floorOffset));
}

// The RPM axes in the order the axis rule visits them.
constexpr int kRuledAxes[kRuledAxisCount] = {
    off::RpmAdvance, off::RpmJet1A,      off::RpmJet2A,      off::RpmJet3A,
    off::RpmJet4A,   off::RpmJetB,       off::RpmIap,        off::PositionARpm,
    off::PositionBRpm, off::RpmServoIn, off::RpmServoEx,
};

constexpr int kAxisMin = 3;    // 300 RPM
constexpr int kAxisMax = 250;  // 25000 RPM

bool strictlyIncreasingInRange(const std::array<std::uint8_t, kMapColumns>& axis)
{
    for (int i = 0; i < kMapColumns; ++i) {
        if (axis[i] < kAxisMin || axis[i] > kAxisMax)
            return false;
        if (i > 0 && axis[i] <= axis[i - 1])
            return false;
    }
    return true;
}

void plainIncreasingAxis(std::array<std::uint8_t, kMapColumns>& axis)
{
    std::array<int, kMapColumns> v;
    std::copy(axis.begin(), axis.end(), v.begin());
    increasing(v, kMapColumns, kAxisMin, kAxisMax);
    for (int i = 0; i < kMapColumns; ++i)
        axis[i] = static_cast<std::uint8_t>(v[i]);
}

void runAxisRules(Document& doc)
{
    for (int a = 0; a < kRuledAxisCount; ++a) {
        std::array<std::uint8_t, kMapColumns> axis;
        for (int i = 0; i < kMapColumns; ++i)
            axis[i] = doc.image.byte(kRuledAxes[a] + i);
        ApplyAxisRule(axis, doc.derived.axes[a]);
        for (int i = 0; i < kMapColumns; ++i)
            doc.image.setByte(kRuledAxes[a] + i, axis[i]);
    }
}

void clampMapCells(ParameterImage& image, int cellsOffset, bool words_, int hi)
{
    clampAll(Run(image, cellsOffset, kMapCells, words_), 0, hi);
}

void resetOutsideSettings(OutsideSettings& s)
{
    if (s.language < 0 || s.language > 3)
        s.language = 0;
    if (s.portIndex < 0 || s.portIndex >= 21)
        s.portIndex = 0;
    if (s.portScanIndex < 0 || s.portScanIndex >= 20)
        s.portScanIndex = 0;
}

}  // namespace

void ApplyAxisRule(std::array<std::uint8_t, kMapColumns>& axis, AxisMemory& memory)
{
    // 1. Which breakpoint moved since the last run: none, one (k) or many.
    int k = -1;
    int differing = 0;
    for (int i = 0; i < kMapColumns; ++i) {
        if (axis[i] != memory.previous[i]) {
            ++differing;
            k = i;
        }
    }
    const bool single = differing == 1;

    // 2. A different breakpoint, or a change of many at once, starts afresh.
    if (differing > 1 || (single && k != memory.lastMoved))
        memory.pushed.fill(false);

    if (!single) {
        // 3. Nothing moved, or a whole new axis arrived (file, unit, undo).
        plainIncreasingAxis(axis);
    } else {
        // 4. One breakpoint was dragged: push its neighbours aside.
        auto push = [&](int j, int value) {
            if (!memory.pushed[j]) {
                memory.before[j] = axis[j];
                memory.pushed[j] = true;
            }
            axis[j] = static_cast<std::uint8_t>(value);
        };
        if (axis[k] < k + 3)
            axis[k] = static_cast<std::uint8_t>(k + 3);
        for (int j = k; j > 0 && axis[j - 1] >= axis[j]; --j)
            push(j - 1, axis[j] - 1);
        if (axis[k] > k + 235)
            axis[k] = static_cast<std::uint8_t>(k + 235);
        for (int j = k; j < kMapColumns - 1 && axis[j + 1] <= axis[j]; ++j)
            push(j + 1, axis[j] + 1);

        // Pushed breakpoints spring back towards their old values as far as
        // their neighbours let them.
        for (int pass = 0; pass < kMapColumns; ++pass) {
            for (int j = 0; j < kMapColumns; ++j) {
                if (!memory.pushed[j])
                    continue;
                int v = axis[j];
                const int old = memory.before[j];
                if (v < old) {
                    int target = old;
                    if (j < kMapColumns - 1)
                        target = std::min(target, axis[j + 1] - 1);
                    v = std::max(v, target);
                } else if (v > old) {
                    int target = old;
                    if (j > 0)
                        target = std::max(target, axis[j - 1] + 1);
                    v = std::min(v, target);
                }
                axis[j] = static_cast<std::uint8_t>(v);
                if (v == old)
                    memory.pushed[j] = false;
            }
        }

        // Only an axis that was itself out of order before the drag (the
        // very first run, or a stored axis never put in order) can still be
        // out of order here; put it in order rather than keep it broken.
        if (!strictlyIncreasingInRange(axis)) {
            plainIncreasingAxis(axis);
            memory.pushed.fill(false);
        }
    }

    // 5. Remember the result for the next run.
    memory.previous = axis;
    if (single)
        memory.lastMoved = k;
}

void ApplyConsistencyRules(Document& doc)
{
    DerivedState& d = doc.derived;
    ParameterImage& im = doc.image;

    if (d.firstRun) {
        for (auto& m : d.axes)
            m.clear();
        d.firstRun = false;
    }

    // 1, 2. RPM axes and the IAP load axis.
    runAxisRules(doc);
    increasingRule(words(im, off::IapAxis, 10), 0, 1000);

    // 3 .. 6. Map cells.
    clampMapCells(im, off::MapAdvance, false, 60);
    for (int cells : {off::MapJet1A, off::MapJet2A, off::MapJet3A, off::MapJet4A, off::MapIap})
        clampMapCells(im, cells, true, 30000);
    clampMapCells(im, off::MapJetB, false, 100);
    const int pickup = im.byte(off::PickupType);
    if (pickup == 7 || pickup == 22)
        clampMapCells(im, off::MapAdvance, false, im.byte(off::BaseAdvance) + im.byte(off::LobeWidth));

    // 7, 8. TPS, start injection, choke.
    atMost(im, off::Tps0, 250);
    atMost(im, off::Tps100, 250);
    atMost(im, off::StartInjection, 50);
    increasingRule(bytes(im, off::ChokeTime, 4), 0, 250);
    clampAll(bytes(im, off::ChokeCorr, 4), 0, 250);

    // 9. Pilot light: the second RPM of each gear not below the first.
    for (int g = 0; g < 6; ++g)
        atLeastField(im, off::PilotLightRpm2 + g, off::PilotLightRpm1 + g);

    // 10 .. 12. N2O stages.
    atMost(im, off::Gas1, 100);
    atMost(im, off::Gas2, 100);
    atLeastField(im, off::Gas2, off::Gas1);
    atLeast(im, off::GasBuildUp, 1);
    atMost(im, off::GasDelay, 200);
    atMost(im, off::GasBuildUp, 200);
    atMost(im, off::Retard1, 25);
    atMost(im, off::Retard2, 25);
    atLeastField(im, off::Retard2, off::Retard1);
    atMost(im, off::RetardDelay, 200);
    atLeast(im, off::RetardBuildUp, 1);
    atMost(im, off::RetardBuildUp, 200);
    atLeastField(im, off::GasJetCorr2, off::GasJetCorr1);

    // 13. Base advance and the IAP -> TP switch window.
    atMost(im, off::BaseAdvance, 40);
    atMost(im, off::IapTpTpsMin, 101);
    atLeastField(im, off::IapTpTpsMax, off::IapTpTpsMin);
    atLeastField(im, off::IapTpRpmMax, off::IapTpRpmMin);

    // 14. Marked for the window, not changed: a sensor with two equal
    // calibration voltages cannot be converted.
    d.apsVoltagesEqual = im.word(off::ApsVoltage1) == im.word(off::ApsVoltage2);
    d.iapsVoltagesEqual = im.word(off::IapsVoltage1) == im.word(off::IapsVoltage2);

    // 15. Temperature sensors: the voltage falls as the temperature rises.
    decreasingRule(words(im, off::WaterSensorMv, 9), 0, 5000);
    decreasingRule(words(im, off::AirSensorMv, 9), 0, 5000);

    // 16, 17. Step motor pulses fit in their periods; the Peugeot's idle
    // step motor is driven with a pulse longer than its period.
    atMost(im, off::StepMotorExcitation, im.byte(off::StepMotorPeriod));
    if (!doc.chokeFlag)
        atMost(im, off::IdleStepPulse, im.byte(off::IdleStepPeriod));

    // 18. The tuned channel exists: coupled injection tunes channel 1 only.
    const int coupling = im.byte(off::JetCouplingMode);
    atMost(im, off::TuningChannel, (coupling == 1 || coupling == 2) ? 1 : im.byte(off::CylinderCount));

    // 19 .. 21. Lambda sensor characteristic, lambda-on-RPM output, bar graph.
    increasingRule(bytes(im, off::LambdaAf, 5), 100, 200);
    if (im.byte(off::LambdaType) == 1)
        increasingRule(words(im, off::LambdaMv, 5), 0, 5000);
    else
        decreasingRule(words(im, off::LambdaMv, 5), 0, 5000);
    increasingRule(bytes(im, off::LambdaTachoAf, 2), 100, 200);
    clampAll(bytes(im, off::LambdaTachoRpm, 2), 3, 250);
    increasingRule(bytes(im, off::LambdaBar, 4), 100, 200);

    resetOutsideSettings(doc.outside);
}

}  // namespace kestrin
