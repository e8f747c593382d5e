#include "link/monitor_decoder.h"

#include "app/messages.h"
#include "link/monitor_frame.h"
#include "link/monitor_text.h"
#include "model/document.h"
#include "model/field_offsets.h"

#include <algorithm>

namespace kestrin {

using C = MonitorControl;
using montext::appendInt;
using montext::appendTenths;

namespace {

int u8(std::span<const std::uint8_t> f, int offset) { return f[static_cast<std::size_t>(offset)]; }
int s8(std::span<const std::uint8_t> f, int offset) { return static_cast<std::int8_t>(f[static_cast<std::size_t>(offset)]); }
int word(std::span<const std::uint8_t> f, int offset) { return frameWord(f, offset); }

// The image holds 1..4 cylinders; anything else is read as the nearest of
// them, so that a damaged image can neither divide by zero nor average over
// cylinders that are not shown.
int cylinderCount(const ParameterImage& image)
{
    return std::clamp<int>(image.byte(off::CylinderCount), 1, 4);
}

constexpr C kIgnLabels[4] = {C::LabelMon_Ign1, C::LabelMon_Ign2, C::LabelMon_Ign3, C::LabelMon_Ign4};
constexpr C kJetALabels[4] = {C::LabelMon_Jet_1A, C::LabelMon_Jet_2A, C::LabelMon_Jet_3A, C::LabelMon_Jet_4A};
constexpr C kJetBLabels[4] = {C::LabelMon_Jet_1B, C::LabelMon_Jet_2B, C::LabelMon_Jet_3B, C::LabelMon_Jet_4B};
constexpr C kTestLabels[8] = {C::LabelTest1, C::LabelTest2, C::LabelTest3, C::LabelTest4,
                              C::LabelTest5, C::LabelTest6, C::LabelTest7, C::LabelTest8};
constexpr const char* kTestHeads[8] = {"Test1= ", "Test2= ", "Test3= ", "Test4=", "Test5= ", "Test6= ", "Test7= ", "Test8= "};
constexpr const char* kTestTails[8] = {"", "", " ", "", "", "", "", ""};
constexpr C kAutoRatioLabels[6] = {C::LabelMonPomerRpmSpeedAuto1, C::LabelMonPomerRpmSpeedAuto2,
                                   C::LabelMonPomerRpmSpeedAuto3, C::LabelMonPomerRpmSpeedAuto4,
                                   C::LabelMonPomerRpmSpeedAuto5, C::LabelMonPomerRpmSpeedAuto6};

// Message table entry of a tuning status 0..14 (the table lists "Coupled",
// status 14, right after status 0).
int tuningTextIndex(int status)
{
    if (status == 0)
        return msg::TuningFirst;
    if (status == 14)
        return msg::TuningFirst + 1;
    return msg::TuningFirst + 1 + status;
}

MonitorColour tuningColour(int status)
{
    switch (status) {
    case 11: return MonitorColour::Aqua;
    case 12: return MonitorColour::Yellow;
    case 13: return MonitorColour::Lime;
    default: return MonitorColour::Fuchsia;
    }
}

MonitorColour supplyColour(int mV)
{
    if (mV > 11000 && mV < 14999)
        return MonitorColour::Normal;
    if (mV > 7000 && mV < 17999)
        return MonitorColour::Yellow;
    return MonitorColour::Red;
}

// Position of the air/fuel ratio on the lambda bar between "Beginning" and
// "Ending". When both are equal the ratio has reached the end of the bar.
int lambdaBarValue(int ratio, int beginning, int ending)
{
    if (ratio < beginning)
        return 0;
    if (ratio > ending)
        return 100;
    if (ending == beginning)
        return 100;
    return (ratio - beginning) * 100 / (ending - beginning);
}

}  // namespace

MonitorDecoder::MonitorDecoder(const Document& document, const MessageTable& texts)
    : document_(document), texts_(texts)
{
    scratch_.reserve(128);
}

std::string& MonitorDecoder::text()
{
    scratch_.clear();
    return scratch_;
}

void MonitorDecoder::setYesNo(C c, const std::string& head, bool active, MonitorColour activeColour)
{
    std::string& s = text();
    s += head;
    s += " - ";
    s += texts_[active ? msg::Yes : msg::No];
    put(c);
    display_.setColour(c, active ? activeColour : MonitorColour::Normal);
}

bool MonitorDecoder::decode(std::span<const std::uint8_t> frame)
{
    if (frame.size() != static_cast<std::size_t>(kMonitorFrameSize) || frame[0] != kMonitorReplyCode
        || !frameCheckOk(frame))
        return false;

    const int cylinders = cylinderCount(document_.image);
    live_.received = true;
    ++framesDecoded_;
    decodeFlagsAB(frame);
    decodeFlagsC(frame);
    decodeVersion(frame);
    decodeFlagsD(frame);
    decodeAdvance(frame, cylinders);
    decodeInjection(frame, cylinders);
    decodeEngine(frame);
    decodeSensors(frame);
    decodeCorrections(frame);
    return true;
}

void MonitorDecoder::decodeFlagsAB(std::span<const std::uint8_t> f)
{
    using namespace monbit;
    const int a = u8(f, mon::FlagsA);
    const auto& fall = texts_[msg::FallSensor];
    const auto& block = texts_[msg::Blocking];
    const auto& start = texts_[msg::StartLimiter];
    const auto& clutch = texts_[msg::ClutchMaster];
    // Inputs are active when their bit is clear, the unit's reactions when set.
    setYesNo(C::LabelMonFallIn, fall, !(a & FallIn), MonitorColour::Fuchsia);
    setYesNo(C::LabelMonFallOut, fall, a & FallOut, MonitorColour::Red);
    setYesNo(C::LabelMonBlock2In, block, !(a & BlockIn), MonitorColour::Aqua);
    setYesNo(C::LabelMonBlock2Out, block, a & BlockOut, MonitorColour::Red);
    setYesNo(C::LabelMonStartLimiterIn, start, !(a & StartLimiterIn), MonitorColour::Fuchsia);
    setYesNo(C::LabelMonStartLimiterOut, start, a & StartLimiterOut, MonitorColour::Fuchsia);
    setYesNo(C::LabelMonClutchIn, clutch, !(a & ClutchIn), MonitorColour::Lime);
    setYesNo(C::LabelMonClutchOut, clutch, a & ClutchOut, MonitorColour::Red);

    const int b = u8(f, mon::FlagsB);
    const auto& tachoLambda = texts_[msg::TachoLambda];
    setYesNo(C::LabelMonRpmLambdaIn, tachoLambda, !(b & RpmLambdaIn), MonitorColour::Aqua);
    live_.lambdaMode = !(b & TachoOutput);
    {
        std::string& s = text();
        s += tachoLambda;
        s += " - ";
        s += texts_[live_.lambdaMode ? msg::Lambda : msg::Tacho];
        put(C::LabelMonRpmLambdaOut);
        display_.setColour(C::LabelMonRpmLambdaOut, live_.lambdaMode ? MonitorColour::Aqua : MonitorColour::Normal);
    }
    live_.ignLimiter = b & IgnLimiter;
    live_.jetLimiter = b & JetLimiter;
    live_.retardLimiter = b & RetardLimiter;
    setYesNo(C::LabelMonIgnLimiter, texts_[msg::LimiterByIgnition], live_.ignLimiter, MonitorColour::Fuchsia);
    setYesNo(C::LabelMonJetLimiter, texts_[msg::LimiterByInjection], live_.jetLimiter, MonitorColour::Fuchsia);
    setYesNo(C::LabelMonRetardLimiter, texts_[msg::LimiterByRetard], live_.retardLimiter, MonitorColour::Fuchsia);

    // A servo out of order only matters when it is enabled.
    const ParameterImage& image = document_.image;
    const bool exhaustFault = !(b & ExhaustServoOk) && image.byte(off::ServoExEnable) != 0;
    const bool intakeFault = !(b & IntakeServoOk) && image.byte(off::ServoInEnable) != 0;
    display_.setColour(C::LabelMonServoExhaust, exhaustFault ? MonitorColour::Red : MonitorColour::Normal);
    display_.setColour(C::LabelMonServoIntake, intakeFault ? MonitorColour::Red : MonitorColour::Normal);
}

void MonitorDecoder::decodeFlagsC(std::span<const std::uint8_t> f)
{
    using namespace monbit;
    const int c = u8(f, mon::FlagsC);
    {
        std::string& s = text();
        s += "N2O  - ";
        s += texts_[(c & N2oActive) ? msg::Yes : msg::No];
        put(C::LabelN2oEnable);
        display_.setColour(C::LabelN2oEnable, (c & N2oActive) ? MonitorColour::Lime : MonitorColour::Normal);
        display_.setVisible(C::LabelN2oEnable, document_.image.byte(off::N2oEnable) != 0);
    }
    setYesNo(C::LabelClazeniMon, texts_[msg::Cooling], c & CoolingFan, MonitorColour::White);

    const auto pickup = [&](C label, int head, bool running) {
        std::string& s = text();
        s += texts_[head];
        s += texts_[running ? msg::IsRunning : msg::NoSignal];
        put(label);
        display_.setColour(label, running ? MonitorColour::Lime : MonitorColour::Normal);
    };
    pickup(C::LabelSnimacCkps, msg::PickupCkps, c & CkpsSignal);
    pickup(C::LabelSnimacCmps, msg::PickupCmps, c & CmpsSignal);
    display_.setVisible(C::LabelEeDataErr, c & DataError);

    live_.mapUseSuppressed = c & MapUseSuppressed;
    live_.baseAdvance = c & BaseAdvanceMode;
}

void MonitorDecoder::decodeVersion(std::span<const std::uint8_t> f)
{
    live_.version = u8(f, mon::Version);
    if (live_.version == kProgramVersion) {
        display_.setText(C::LabelVersion, {});
        display_.setColour(C::LabelVersion, MonitorColour::White);
        return;
    }
    std::string& s = text();
    s += texts_[msg::UnmatchedUnitVersion];
    s += "  PC-";
    appendInt(s, kProgramVersion);
    s += ", IGN-";
    appendInt(s, live_.version);
    put(C::LabelVersion);
    display_.setColour(C::LabelVersion, MonitorColour::Red);
}

void MonitorDecoder::decodeFlagsD(std::span<const std::uint8_t> f)
{
    using namespace monbit;
    const int d = u8(f, mon::FlagsD);
    live_.sensorErrors = d & (TpsError | IapError | ApsError);
    live_.outputTestsBlocked = d & OutputTestsBlocked;
    setYesNo(C::LabelMonPitRetardOn, texts_[msg::PitSpeedRetard], d & PitRetard, MonitorColour::Fuchsia);
    setYesNo(C::LabelPitIgn, texts_[msg::PitSpeedNoIgnition], d & PitNoIgnition, MonitorColour::Fuchsia);
}

void MonitorDecoder::decodeAdvance(std::span<const std::uint8_t> f, int cylinders)
{
    const auto& head = texts_[msg::Advance];
    int sum = 0;
    for (int i = 0; i < 4; ++i) {
        const bool shown = i < cylinders;
        if (i > 0)
            display_.setVisible(kIgnLabels[i], shown);
        if (!shown)
            continue;
        const int advance = s8(f, mon::Advance + i);
        sum += advance;
        std::string& s = text();
        s += head;
        s += ' ';
        s += static_cast<char>('1' + i);
        s += "= ";
        if (live_.baseAdvance) {
            s += "BASE";
        } else {
            appendInt(s, advance, 2);
            s += " °";
        }
        put(kIgnLabels[i]);
    }
    std::string& s = text();
    s += head;
    s += " = ";
    if (live_.baseAdvance) {
        s += "BASE";
    } else {
        appendInt(s, sum / cylinders, 2);  // truncated toward zero
        s += " °";
    }
    put(C::LabelMon_Ign);
}

void MonitorDecoder::decodeInjection(std::span<const std::uint8_t> f, int cylinders)
{
    const auto& head = texts_[msg::InjectionTime];
    const auto injector = [&](C label, int number, char bank, int raw) {
        std::string& s = text();
        s += head;
        s += ' ';
        s += static_cast<char>('0' + number);
        s += bank;
        s += " = ";
        appendInt(s, raw * 100);
        s += " us";
        put(label);
    };
    const auto mean = [&](C label, char bank, int value) {
        std::string& s = text();
        s += head;
        s += ' ';
        s += bank;
        s += " = ";
        appendInt(s, value);
        s += " us";
        put(label);
    };

    int sumA = 0, sumB = 0, longest = 0;
    for (int i = 0; i < 4; ++i) {
        const bool shown = i < cylinders;
        const int rawA = u8(f, mon::InjectionA + i);
        const int rawB = u8(f, mon::InjectionB + i);
        if (i > 0) {
            display_.setVisible(kJetALabels[i], shown);
            display_.setVisible(kJetBLabels[i], shown);
        }
        if (shown) {
            injector(kJetALabels[i], i + 1, 'A', rawA);
            sumA += rawA;
            longest = std::max(longest, rawA);
        }
        // Bank B is decoded in full whatever the cylinder count.
        injector(kJetBLabels[i], i + 1, 'B', rawB);
        sumB += rawB;
        longest = std::max(longest, rawB);
    }
    mean(C::LabelMon_Jet_A, 'A', sumA * 100 / cylinders);
    mean(C::LabelMon_Jet_B, 'B', sumB * 100 / 4);

    // Duty of the longest injection; the engine speed is still that of the
    // previous frame here (it is taken from this frame further on).
    const int duty = live_.rpm * longest / 12000;
    std::string& s = text();
    s += texts_[msg::MaxInjection];
    s += " = ";
    appendInt(s, duty);
    s += " [%]";
    put(C::LabelMaxInjProcent);
    display_.setGauge(C::CGaugeDuty, duty, duty > 100 ? MonitorColour::Yellow : MonitorColour::Blue);
}

void MonitorDecoder::decodeEngine(std::span<const std::uint8_t> f)
{
    const ParameterImage& image = document_.image;

    live_.manifoldPressure = word(f, mon::ManifoldPressure);
    live_.coolantRaw = u8(f, mon::Coolant);
    live_.airRaw = u8(f, mon::Air);
    live_.gear = u8(f, mon::Gear);
    {
        std::string& s = text();
        s += texts_[msg::Gear];
        s += " = ";
        appendInt(s, live_.gear);
        s += ' ';
        put(C::LabelGear);
    }
    live_.tpsShare = u8(f, mon::TpsShare);
    live_.tpsMapInUse = !live_.mapUseSuppressed && live_.tpsShare > 0;
    live_.iapMapInUse = !live_.mapUseSuppressed && live_.tpsShare <= 99;
    {
        std::string& s = text();
        s += texts_[msg::InjAccordingTps];
        s += " = ";
        appendInt(s, live_.tpsShare, 2);
        s += " %";
        put(C::LabelDleTpsProcent);
    }

    // Pilot light (or the choke on the bike that has one in its place).
    {
        const int state = u8(f, mon::PilotLight);
        std::string& s = text();
        s += texts_[document_.chokeFlag ? msg::Choke : msg::GearShiftLight];
        s += " - ";
        s += texts_[state == 0 ? msg::No : state == 2 ? msg::Yes : msg::Twinkle];
        put(C::LabelMonPilotLight);
        display_.setColour(C::LabelMonPilotLight, state != 0 ? MonitorColour::Fuchsia : MonitorColour::Normal);
    }

    // Tuning status; an unknown code keeps the last text.
    {
        const int status = u8(f, mon::TuningStatus);
        if (status <= 14)
            display_.setText(C::LabelLadeniMsg, texts_[tuningTextIndex(status)]);
        display_.setColour(C::LabelLadeniMsg, tuningColour(status));
    }
    live_.airFuelRatio = u8(f, mon::AirFuelRatio);

    live_.rpm = word(f, mon::Rpm);
    {
        std::string& s = text();
        s += "RPM = ";
        appendInt(s, live_.rpm);
        s += ' ';
        put(C::LabelRpm);
        const int limiters = int(live_.ignLimiter) + int(live_.jetLimiter) + int(live_.retardLimiter);
        display_.setColour(C::LabelRpm, limiters == 3 ? MonitorColour::Red
                                        : limiters > 0 ? MonitorColour::Fuchsia
                                                       : MonitorColour::Normal);
        // The ignition limiter (hundreds of RPM) is full scale.
        if (const int limiter = image.byte(off::IgnLimiter); limiter != 0)
            display_.setGauge(C::CGaugeRpm, live_.rpm / limiter, MonitorColour::Fuchsia);
    }
}

void MonitorDecoder::decodeSensors(std::span<const std::uint8_t> f)
{
    const ParameterImage& image = document_.image;

    live_.ambientPressure = word(f, mon::AmbientPressure);
    {
        std::string& s = text();
        s += "AP = ";
        appendTenths(s, live_.ambientPressure);
        s += " kPa";
        if (extended_) {
            s += "= ";
            appendInt(s, word(f, mon::AmbientVoltage));
            s += " mV";
        }
        put(C::LabelTlak);
        display_.setColour(C::LabelTlak, live_.apsError() ? MonitorColour::Red : MonitorColour::Normal);
    }

    {
        const int voltage = word(f, mon::ManifoldVoltage);
        std::string& s = text();
        if (live_.iapError()) {
            s += "IAP = error";
            if (extended_) {
                s += " = ";
                appendInt(s, voltage);
                s += " [mV]";
            }
        } else if (extended_) {
            s += "IA P= ";
            appendInt(s, live_.manifoldPressure);
            s += " [kPa] = ";
            appendInt(s, voltage);
            s += " [mV]";
        } else {
            s += "IAP = ";
            appendInt(s, live_.manifoldPressure);
            s += " [kPa]";
        }
        put(C::LabelPodtlak);
        display_.setColour(C::LabelPodtlak, live_.iapError() ? MonitorColour::Red : MonitorColour::Normal);
    }

    live_.throttle = word(f, mon::Throttle);
    live_.tpsVoltage = word(f, mon::TpsVoltage);
    {
        std::string& s = text();
        if (live_.tpsError()) {
            s += "TP = error = ";
            appendInt(s, live_.tpsVoltage);
            s += " mV";
        } else {
            s += "TP = ";
            appendTenths(s, live_.throttle);
            s += " %";
            if (extended_) {
                s += '=';
                appendInt(s, live_.tpsVoltage);
                s += " mV";
            }
        }
        put(C::LabelTpsMon);
        display_.setColour(C::LabelTpsMon, live_.tpsError() ? MonitorColour::Red : MonitorColour::Normal);
        display_.setGauge(C::CGaugeTps, live_.tpsError() ? 0 : live_.throttle / 10, MonitorColour::Background);
    }

    live_.lambdaVoltage = word(f, mon::LambdaVoltage);
    {
        std::string& s = text();
        s += "LAMBDA = ";
        appendTenths(s, live_.airFuelRatio);
        s += " [A/F]";
        if (extended_) {
            s += " = ";
            appendInt(s, live_.lambdaVoltage);
            s += " mV";
        }
        put(C::LabelLambda);
        const int beginning = image.byte(off::LambdaBar);
        const int ending = image.byte(off::LambdaBar + 3);
        display_.setGauge(C::CGaugeLambda, lambdaBarValue(live_.airFuelRatio, beginning, ending), MonitorColour::Black);
    }

    {
        const auto& head = texts_[msg::Coolant];
        const int voltage = word(f, mon::CoolantVoltage);
        std::string& s = text();
        MonitorColour label = MonitorColour::Normal, gauge = MonitorColour::Aqua;
        if (live_.coolantRaw != 0) {
            s += head;
            s += extended_ ? " = " : "= ";
            appendInt(s, live_.coolantRaw - 100);
            s += " °C";
            if (extended_) {
                s += "= ";
                appendInt(s, voltage);
                s += " mV";
            }
            if (live_.coolantRaw >= 200)
                label = gauge = MonitorColour::Yellow;
        } else {
            // The highlight and the gauge carry on at 80 °C.
            live_.coolantRaw = 180;
            s += head;
            s += " = error";
            if (extended_) {
                s += " = ";
                appendInt(s, voltage);
                s += " mV";
            }
            label = gauge = MonitorColour::Red;
        }
        put(C::LabelVoda);
        display_.setColour(C::LabelVoda, label);
        display_.setGauge(C::CGaugeVoda, live_.coolantRaw - 100, gauge);
    }

    {
        const bool error = live_.airRaw == 0;
        std::string& s = text();
        s += "AT = ";
        appendInt(s, error ? 50 : live_.airRaw - 100);
        s += " °C";
        if (extended_) {
            s += "= ";
            appendInt(s, word(f, mon::AirVoltage));
            s += " mV";
        }
        put(C::LabelVzduch);
        display_.setColour(C::LabelVzduch, error ? MonitorColour::Red : MonitorColour::Normal);
    }

    {
        const int mV = word(f, mon::SupplyVoltage);
        std::string& s = text();
        s += "U = ";
        appendTenths(s, (mV + 50) / 100);
        s += " V";
        put(C::LabelNapeti);
        display_.setColour(C::LabelNapeti, supplyColour(mV));
    }

    {
        std::string& s = text();
        s += texts_[msg::IntakeServo];
        s += " = ";
        appendInt(s, word(f, mon::IntakeServo1));
        if (u8(f, mon::FlagsD) & monbit::IntakeServoIdle) {
            s += " mV/ ";
            s += texts_[msg::Idle];
            s += ' ';
        } else {
            s += " / ";
            appendInt(s, word(f, mon::IntakeServo2));
            s += " mV";
        }
        put(C::LabelMonServoIntake);
    }
    {
        std::string& s = text();
        s += texts_[msg::ExhaustServo];
        s += " = ";
        appendInt(s, word(f, mon::ExhaustServo1));
        s += " / ";
        appendInt(s, word(f, mon::ExhaustServo2));
        s += " mV";
        put(C::LabelMonServoExhaust);
    }
    {
        std::string& s = text();
        s += texts_[msg::Potentiometer];
        s += " = ";
        appendInt(s, word(f, mon::PotentiometerVoltage));
        s += " mV";
        put(C::LabelMonPotenc);
    }
    {
        std::string& s = text();
        s += texts_[msg::NumberOfProgramming];
        appendInt(s, word(f, mon::ProgrammingCount));
        put(C::LabelPocetProgramovani);
    }
    for (int i = 0; i < 8; ++i) {
        std::string& s = text();
        s += kTestHeads[i];
        appendInt(s, word(f, mon::Test1 + 2 * i));
        s += kTestTails[i];
        put(kTestLabels[i]);
    }
}

void MonitorDecoder::decodeCorrections(std::span<const std::uint8_t> f)
{
    live_.afterStartTimer = word(f, mon::AfterStartTimer);
    const auto position = [&](C label, char which, int offset) {
        std::string& s = text();
        s += texts_[msg::Position];
        s += ' ';
        s += which;
        s += " = ";
        appendInt(s, word(f, offset));
        s += " °";
        put(label);
    };
    position(C::LabelMon_PolohaA, 'A', mon::PositionA);
    position(C::LabelMon_PolohaB, 'B', mon::PositionB);

    const auto tenths = [&](C label, const char* head, long value, const char* unit) {
        std::string& s = text();
        s += head;
        appendTenths(s, value);
        s += unit;
        put(label);
    };
    tenths(C::LabelKorVodaJet, "TW correction = ", word(f, mon::CoolantJetCorr), " %");
    tenths(C::LabelKorVzduch, "AT correction = ", word(f, mon::AirJetCorr), " %");
    tenths(C::LabelKorTlak, "AP correction = ", word(f, mon::AmbientJetCorr), " %");
    tenths(C::LabelKorSytic, "Starting corr. = ", word(f, mon::AfterStartJetCorr), " %");
    {
        std::string& s = text();
        s += "U correction = ";
        appendInt(s, word(f, mon::SupplyJetCorr) - 1000);
        s += " us";
        put(C::LabelKorNapeti);
    }
    live_.savingCountdown = word(f, mon::SavingCountdown);
    tenths(C::LabelKorVodaIgn, "TW correction = ", word(f, mon::CoolantIgnCorr) - 1000, " °");
    tenths(C::LabelKorPotencIgn, "Potent. correction = ", word(f, mon::PotencIgnCorr) - 1000, " °");
    tenths(C::LabelKorPotencJet, "Potent. correction = ", word(f, mon::PotencJetCorr), " %");

    {
        std::string& s = text();
        s += texts_[msg::Speed];
        s += " = ";
        appendInt(s, word(f, mon::RoadSpeed));
        s += " [km/h]";
        put(C::LabelMonSpeed);
    }
    live_.gearVoltage = word(f, mon::GearVoltage);
    {
        std::string& s = text();
        s += texts_[msg::GearVoltage];
        s += " = ";
        appendInt(s, live_.gearVoltage);
        s += " mV";
        put(C::LabelMonGearNapeti);
    }
    live_.rpmSpeedRatio = word(f, mon::RpmSpeedRatio);
    tenths(C::LabelMonPomerRpmSpeed, "Rpm/Speed = ", live_.rpmSpeedRatio, " ");
    for (int i = 0; i < 6; ++i)
        tenths(kAutoRatioLabels[i], "", word(f, mon::AutoGearRatio1 + 2 * i), " ");

    tenths(C::LabelIdleKorAdv, "Idle correction = ", word(f, mon::IdleIgnCorr) - 1000, " °");
    tenths(C::LabelKorAccJet, "Acc. corr = ", word(f, mon::AccJetCorr), " %");
    {
        std::string& s = text();
        s += texts_[msg::StepServoPosition];
        s += " = ";
        appendInt(s, word(f, mon::StepServoPosition));
        put(C::LabelMonServoPosition);
    }
}

}  // namespace kestrin
