#include "link/monitor_decoder.h"

#include "app/messages.h"
#include "link/monitor_fixture.h"
#include "model/document.h"
#include "model/field_offsets.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace kestrin;
using kestrin::fixture::FrameBuilder;
using C = MonitorControl;
using Colour = MonitorColour;

namespace {

struct Monitor {
    Document doc;
    MessageTable texts{English};
    MonitorDecoder decoder{doc, texts};

    Monitor() { doc.image.setByte(off::CylinderCount, 4); }

    bool decode(const FrameBuilder& b)
    {
        const auto f = b.frame();
        return decoder.decode(f);
    }
    const std::string& text(C c) const { return decoder.display()[c].text; }
    Colour colour(C c) const { return decoder.display()[c].colour; }
    bool visible(C c) const { return decoder.display()[c].visible; }
    int gauge(C c) const { return decoder.display()[c].value; }
};

struct LabelCase {
    const char* what;
    std::function<void(FrameBuilder&)> frame;
    C control;
    std::string text;
    Colour colour;
    bool extended = false;
    std::function<void(Document&)> setup = {};
};

const LabelCase kLabelCases[] = {
    // Switch inputs are active on a clear bit, the unit's reactions on a set bit.
    {"fall input active", [](FrameBuilder& f) { f.byte(mon::FlagsA, 0x00); }, C::LabelMonFallIn, "Fall sensor - YES", Colour::Fuchsia},
    {"fall input idle", [](FrameBuilder& f) { f.byte(mon::FlagsA, 0xFF); }, C::LabelMonFallIn, "Fall sensor - NO", Colour::Normal},
    {"fall reaction", [](FrameBuilder& f) { f.byte(mon::FlagsA, 0xFF); }, C::LabelMonFallOut, "Fall sensor - YES", Colour::Red},
    {"blocking keeps its blank", [](FrameBuilder& f) { f.byte(mon::FlagsA, 0x00); }, C::LabelMonBlock2In, "Blocking  - YES", Colour::Aqua},
    {"blocking reaction off", [](FrameBuilder& f) { f.byte(mon::FlagsA, 0x00); }, C::LabelMonBlock2Out, "Blocking  - NO", Colour::Normal},
    {"start limiter reaction", [](FrameBuilder& f) { f.byte(mon::FlagsA, 0x20); }, C::LabelMonStartLimiterOut, "Start limiter - YES", Colour::Fuchsia},
    {"clutch input", [](FrameBuilder& f) { f.byte(mon::FlagsA, 0x00); }, C::LabelMonClutchIn, "Clutch master - YES", Colour::Lime},
    {"clutch reaction", [](FrameBuilder& f) { f.byte(mon::FlagsA, 0x80); }, C::LabelMonClutchOut, "Clutch master - YES", Colour::Red},
    {"tacho/lambda input", [](FrameBuilder& f) { f.byte(mon::FlagsB, 0x00); }, C::LabelMonRpmLambdaIn, "Tacho/Lambda - YES", Colour::Aqua},
    {"lambda output", [](FrameBuilder& f) { f.byte(mon::FlagsB, 0x00); }, C::LabelMonRpmLambdaOut, "Tacho/Lambda - Lambda", Colour::Aqua},
    {"tacho output", [](FrameBuilder& f) { f.byte(mon::FlagsB, 0x02); }, C::LabelMonRpmLambdaOut, "Tacho/Lambda - Tacho", Colour::Normal},
    {"retard limiter", [](FrameBuilder& f) { f.byte(mon::FlagsB, 0x10); }, C::LabelMonRetardLimiter, "Limiter by retard - YES", Colour::Fuchsia},
    {"one limiter", [](FrameBuilder& f) { f.byte(mon::FlagsB, 0x08).word(mon::Rpm, 4321); }, C::LabelRpm, "RPM = 4321 ", Colour::Fuchsia},
    {"all limiters", [](FrameBuilder& f) { f.byte(mon::FlagsB, 0x1C); }, C::LabelRpm, "RPM = 0 ", Colour::Red},
    {"exhaust servo fault, enabled", [](FrameBuilder& f) { f.byte(mon::FlagsB, 0x80).word(mon::ExhaustServo1, 100).word(mon::ExhaustServo2, 200); },
     C::LabelMonServoExhaust, "Exhaust servo  = 100 / 200 mV", Colour::Red, false, [](Document& d) { d.image.setByte(off::ServoExEnable, 1); }},
    {"exhaust servo fault, disabled", [](FrameBuilder& f) { f.byte(mon::FlagsB, 0x80); }, C::LabelMonServoExhaust, "Exhaust servo  = 0 / 0 mV", Colour::Normal},
    {"intake servo in order", [](FrameBuilder& f) { f.byte(mon::FlagsB, 0x80).word(mon::IntakeServo1, 1200).word(mon::IntakeServo2, 1300); },
     C::LabelMonServoIntake, "Intake servo = 1200 / 1300 mV", Colour::Normal, false, [](Document& d) { d.image.setByte(off::ServoInEnable, 1); }},
    {"intake servo as idle actuator", [](FrameBuilder& f) { f.byte(mon::FlagsB, 0x40).byte(mon::FlagsD, 0x10).word(mon::IntakeServo1, 1200); },
     C::LabelMonServoIntake, "Intake servo = 1200 mV/ Idle ", Colour::Red, false, [](Document& d) { d.image.setByte(off::ServoInEnable, 1); }},
    {"N2O active", [](FrameBuilder& f) { f.byte(mon::FlagsC, 0x02); }, C::LabelN2oEnable, "N2O  - YES", Colour::Lime},
    {"cooling fan", [](FrameBuilder& f) { f.byte(mon::FlagsC, 0x10); }, C::LabelClazeniMon, "Cooling - YES", Colour::White},
    {"crank pickup running", [](FrameBuilder& f) { f.byte(mon::FlagsC, 0x20); }, C::LabelSnimacCkps, "Pick-up (CKPS) is running", Colour::Lime},
    {"cam pickup silent", [](FrameBuilder& f) { f.byte(mon::FlagsC, 0x20); }, C::LabelSnimacCmps, "Pick-up (CMPS) no signal", Colour::Normal},
    {"pit retard", [](FrameBuilder& f) { f.byte(mon::FlagsD, 0x20); }, C::LabelMonPitRetardOn, "Pit speed control retard - YES", Colour::Fuchsia},
    {"pit ignition cut off", [](FrameBuilder& f) { f.byte(mon::FlagsD, 0x20); }, C::LabelPitIgn, "Pit speed control no ignition - NO", Colour::Normal},
    {"version matches", [](FrameBuilder&) {}, C::LabelVersion, "", Colour::White},
    {"version differs", [](FrameBuilder& f) { f.byte(mon::Version, 81); }, C::LabelVersion,
     "Unmatched version of PC and Ignition programs!  PC-82, IGN-81", Colour::Red},
    // Advance per cylinder and the mean, truncated toward zero.
    {"advance cylinder 2", [](FrameBuilder& f) { f.byte(mon::Advance + 1, -5); }, C::LabelMon_Ign2, "Advance 2= -5 °", Colour::Normal},
    {"advance mean", [](FrameBuilder& f) { f.byte(mon::Advance, 10).byte(mon::Advance + 1, 7).byte(mon::Advance + 2, 4).byte(mon::Advance + 3, 4); },
     C::LabelMon_Ign, "Advance =  6 °", Colour::Normal},
    {"negative mean truncates toward zero", [](FrameBuilder& f) { f.byte(mon::Advance, -3).byte(mon::Advance + 1, -2); },
     C::LabelMon_Ign, "Advance = -2 °", Colour::Normal, false, [](Document& d) { d.image.setByte(off::CylinderCount, 2); }},
    {"base advance", [](FrameBuilder& f) { f.byte(mon::FlagsC, 0x08).byte(mon::Advance, 10); }, C::LabelMon_Ign1, "Advance 1= BASE", Colour::Normal},
    {"base advance mean", [](FrameBuilder& f) { f.byte(mon::FlagsC, 0x08); }, C::LabelMon_Ign, "Advance = BASE", Colour::Normal},
    {"injector 3A", [](FrameBuilder& f) { f.byte(mon::InjectionA + 2, 25); }, C::LabelMon_Jet_3A, "Injection time 3A = 2500 us", Colour::Normal},
    {"bank A mean", [](FrameBuilder& f) { f.byte(mon::InjectionA, 10).byte(mon::InjectionA + 1, 11).byte(mon::InjectionA + 2, 12).byte(mon::InjectionA + 3, 12); },
     C::LabelMon_Jet_A, "Injection time A = 1125 us", Colour::Normal},
    {"gear", [](FrameBuilder& f) { f.byte(mon::Gear, 3); }, C::LabelGear, "Gear = 3 ", Colour::Normal},
    {"TPS share", [](FrameBuilder& f) { f.byte(mon::TpsShare, 7); }, C::LabelDleTpsProcent, "Inj. according TPS =  7 %", Colour::Normal},
    {"pilot light off", [](FrameBuilder& f) { f.byte(mon::PilotLight, 0); }, C::LabelMonPilotLight, "Gear shift light - NO", Colour::Normal},
    {"pilot light on", [](FrameBuilder& f) { f.byte(mon::PilotLight, 2); }, C::LabelMonPilotLight, "Gear shift light - YES", Colour::Fuchsia},
    {"pilot light blinking", [](FrameBuilder& f) { f.byte(mon::PilotLight, 1); }, C::LabelMonPilotLight, "Gear shift light - Twinkle", Colour::Fuchsia},
    {"choke in place of the pilot light", [](FrameBuilder& f) { f.byte(mon::PilotLight, 2); }, C::LabelMonPilotLight, "Choke - YES", Colour::Fuchsia,
     false, [](Document& d) { d.chokeFlag = true; }},
    {"tuning rpm 0", [](FrameBuilder& f) { f.byte(mon::TuningStatus, 0); }, C::LabelLadeniMsg, "T: rpm=0", Colour::Fuchsia},
    {"tuning high load", [](FrameBuilder& f) { f.byte(mon::TuningStatus, 10); }, C::LabelLadeniMsg, "T: TPS or IAP high ((hinter letzte Punkt)", Colour::Fuchsia},
    {"tuning adding", [](FrameBuilder& f) { f.byte(mon::TuningStatus, 11); }, C::LabelLadeniMsg, "T: Adding", Colour::Aqua},
    {"tuning decrease", [](FrameBuilder& f) { f.byte(mon::TuningStatus, 12); }, C::LabelLadeniMsg, "T: Decrease", Colour::Yellow},
    {"tuning ok", [](FrameBuilder& f) { f.byte(mon::TuningStatus, 13); }, C::LabelLadeniMsg, "T: OK", Colour::Lime},
    {"tuning coupled", [](FrameBuilder& f) { f.byte(mon::TuningStatus, 14); }, C::LabelLadeniMsg, "T: Coupled", Colour::Fuchsia},
    // Sensors, plain and extended.
    {"ambient pressure", [](FrameBuilder& f) { f.word(mon::AmbientPressure, 1013); }, C::LabelTlak, "AP = 101.3 kPa", Colour::Normal},
    {"ambient pressure extended", [](FrameBuilder& f) { f.word(mon::AmbientPressure, 1013).word(mon::AmbientVoltage, 4000); },
     C::LabelTlak, "AP = 101.3 kPa= 4000 mV", Colour::Normal, true},
    {"ambient pressure error", [](FrameBuilder& f) { f.word(mon::AmbientPressure, 955).byte(mon::FlagsD, 0x04); }, C::LabelTlak, "AP = 95.5 kPa", Colour::Red},
    {"manifold pressure", [](FrameBuilder& f) { f.word(mon::ManifoldPressure, 35); }, C::LabelPodtlak, "IAP = 35 [kPa]", Colour::Normal},
    {"manifold pressure extended", [](FrameBuilder& f) { f.word(mon::ManifoldPressure, 35).word(mon::ManifoldVoltage, 1500); },
     C::LabelPodtlak, "IA P= 35 [kPa] = 1500 [mV]", Colour::Normal, true},
    {"manifold pressure error", [](FrameBuilder& f) { f.byte(mon::FlagsD, 0x02); }, C::LabelPodtlak, "IAP = error", Colour::Red},
    {"manifold pressure error extended", [](FrameBuilder& f) { f.byte(mon::FlagsD, 0x02).word(mon::ManifoldVoltage, 1500); },
     C::LabelPodtlak, "IAP = error = 1500 [mV]", Colour::Red, true},
    {"throttle", [](FrameBuilder& f) { f.word(mon::Throttle, 123); }, C::LabelTpsMon, "TP = 12.3 %", Colour::Normal},
    {"throttle pads to width", [](FrameBuilder& f) { f.word(mon::Throttle, 5); }, C::LabelTpsMon, "TP =  0.5 %", Colour::Normal},
    {"throttle extended", [](FrameBuilder& f) { f.word(mon::Throttle, 123).word(mon::TpsVoltage, 900); }, C::LabelTpsMon, "TP = 12.3 %=900 mV", Colour::Normal, true},
    {"throttle error", [](FrameBuilder& f) { f.byte(mon::FlagsD, 0x01).word(mon::TpsVoltage, 900); }, C::LabelTpsMon, "TP = error = 900 mV", Colour::Red},
    {"lambda", [](FrameBuilder& f) { f.byte(mon::AirFuelRatio, 132); }, C::LabelLambda, "LAMBDA = 13.2 [A/F]", Colour::Normal},
    {"lambda extended", [](FrameBuilder& f) { f.byte(mon::AirFuelRatio, 132).word(mon::LambdaVoltage, 450); },
     C::LabelLambda, "LAMBDA = 13.2 [A/F] = 450 mV", Colour::Normal, true},
    {"coolant", [](FrameBuilder& f) { f.byte(mon::Coolant, 185); }, C::LabelVoda, "Coolant= 85 °C", Colour::Normal},
    {"coolant hot", [](FrameBuilder& f) { f.byte(mon::Coolant, 200); }, C::LabelVoda, "Coolant= 100 °C", Colour::Yellow},
    {"coolant extended", [](FrameBuilder& f) { f.byte(mon::Coolant, 185).word(mon::CoolantVoltage, 2100); }, C::LabelVoda, "Coolant = 85 °C= 2100 mV", Colour::Normal, true},
    {"coolant error", [](FrameBuilder& f) { f.byte(mon::Coolant, 0); }, C::LabelVoda, "Coolant = error", Colour::Red},
    {"coolant error extended", [](FrameBuilder& f) { f.byte(mon::Coolant, 0).word(mon::CoolantVoltage, 4950); }, C::LabelVoda, "Coolant = error = 4950 mV", Colour::Red, true},
    {"air", [](FrameBuilder& f) { f.byte(mon::Air, 125); }, C::LabelVzduch, "AT = 25 °C", Colour::Normal},
    {"air below zero", [](FrameBuilder& f) { f.byte(mon::Air, 90); }, C::LabelVzduch, "AT = -10 °C", Colour::Normal},
    {"air error shows 50", [](FrameBuilder& f) { f.byte(mon::Air, 0); }, C::LabelVzduch, "AT = 50 °C", Colour::Red},
    {"air extended", [](FrameBuilder& f) { f.byte(mon::Air, 125).word(mon::AirVoltage, 2600); }, C::LabelVzduch, "AT = 25 °C= 2600 mV", Colour::Normal, true},
    // Supply voltage bands: normal strictly inside 11000..14999, yellow inside 7000..17999.
    {"supply normal", [](FrameBuilder& f) { f.word(mon::SupplyVoltage, 13800); }, C::LabelNapeti, "U = 13.8 V", Colour::Normal},
    {"supply 11000", [](FrameBuilder& f) { f.word(mon::SupplyVoltage, 11000); }, C::LabelNapeti, "U = 11.0 V", Colour::Yellow},
    {"supply 11001", [](FrameBuilder& f) { f.word(mon::SupplyVoltage, 11001); }, C::LabelNapeti, "U = 11.0 V", Colour::Normal},
    {"supply 14999", [](FrameBuilder& f) { f.word(mon::SupplyVoltage, 14999); }, C::LabelNapeti, "U = 15.0 V", Colour::Yellow},
    {"supply 17999", [](FrameBuilder& f) { f.word(mon::SupplyVoltage, 17999); }, C::LabelNapeti, "U = 18.0 V", Colour::Red},
    {"supply 7001", [](FrameBuilder& f) { f.word(mon::SupplyVoltage, 7001); }, C::LabelNapeti, "U =  7.0 V", Colour::Yellow},
    {"supply 7000", [](FrameBuilder& f) { f.word(mon::SupplyVoltage, 7000); }, C::LabelNapeti, "U =  7.0 V", Colour::Red},
    {"potentiometer", [](FrameBuilder& f) { f.word(mon::PotentiometerVoltage, 2500); }, C::LabelMonPotenc, "Potentiometer = 2500 mV", Colour::Normal},
    {"programmings", [](FrameBuilder& f) { f.word(mon::ProgrammingCount, 17); }, C::LabelPocetProgramovani, "Number of Programing = 17", Colour::Normal},
    {"test 3 keeps its blank", [](FrameBuilder& f) { f.word(mon::Test1 + 4, 5); }, C::LabelTest3, "Test3= 5 ", Colour::Normal},
    {"test 4 has none", [](FrameBuilder& f) { f.word(mon::Test1 + 6, 65535); }, C::LabelTest4, "Test4=65535", Colour::Normal},
    {"position", [](FrameBuilder& f) { f.word(mon::PositionB, 30); }, C::LabelMon_PolohaB, "Position B = 30 °", Colour::Normal},
    // Corrections.
    {"coolant injection correction", [](FrameBuilder& f) { f.word(mon::CoolantJetCorr, 1150); }, C::LabelKorVodaJet, "TW correction = 115.0 %", Colour::Normal},
    {"after-start correction", [](FrameBuilder& f) { f.word(mon::AfterStartJetCorr, 1300); }, C::LabelKorSytic, "Starting corr. = 130.0 %", Colour::Normal},
    {"supply correction", [](FrameBuilder& f) { f.word(mon::SupplyJetCorr, 1230); }, C::LabelKorNapeti, "U correction = 230 us", Colour::Normal},
    {"supply correction below offset", [](FrameBuilder& f) { f.word(mon::SupplyJetCorr, 900); }, C::LabelKorNapeti, "U correction = -100 us", Colour::Normal},
    {"coolant advance correction below zero", [](FrameBuilder& f) { f.word(mon::CoolantIgnCorr, 995); }, C::LabelKorVodaIgn, "TW correction = -0.5 °", Colour::Normal},
    {"potentiometer advance correction", [](FrameBuilder& f) { f.word(mon::PotencIgnCorr, 1025); }, C::LabelKorPotencIgn, "Potent. correction =  2.5 °", Colour::Normal},
    {"potentiometer injection correction", [](FrameBuilder& f) { f.word(mon::PotencJetCorr, 1000); }, C::LabelKorPotencJet, "Potent. correction = 100.0 %", Colour::Normal},
    {"speed", [](FrameBuilder& f) { f.word(mon::RoadSpeed, 88); }, C::LabelMonSpeed, "Speed = 88 [km/h]", Colour::Normal},
    {"gear voltage", [](FrameBuilder& f) { f.word(mon::GearVoltage, 1750); }, C::LabelMonGearNapeti, "Gear voltage = 1750 mV", Colour::Normal},
    {"rpm/speed ratio", [](FrameBuilder& f) { f.word(mon::RpmSpeedRatio, 725); }, C::LabelMonPomerRpmSpeed, "Rpm/Speed = 72.5 ", Colour::Normal},
    {"automatic ratio 6", [](FrameBuilder& f) { f.word(mon::AutoGearRatio1 + 10, 1100); }, C::LabelMonPomerRpmSpeedAuto6, "110.0 ", Colour::Normal},
    {"idle advance correction", [](FrameBuilder& f) { f.word(mon::IdleIgnCorr, 980); }, C::LabelIdleKorAdv, "Idle correction = -2.0 °", Colour::Normal},
    {"acceleration correction", [](FrameBuilder& f) { f.word(mon::AccJetCorr, 1000); }, C::LabelKorAccJet, "Acc. corr = 100.0 %", Colour::Normal},
    {"step servo", [](FrameBuilder& f) { f.word(mon::StepServoPosition, 42); }, C::LabelMonServoPosition, "Step servo position = 42", Colour::Normal},
};

TEST(MonitorDecoder, LabelsShowEachField)
{
    for (const LabelCase& c : kLabelCases) {
        SCOPED_TRACE(c.what);
        Monitor m;
        if (c.setup)
            c.setup(m.doc);
        m.decoder.setExtendedMonitor(c.extended);
        FrameBuilder f;
        c.frame(f);
        ASSERT_TRUE(m.decode(f));
        EXPECT_EQ(m.text(c.control), c.text);
        EXPECT_EQ(colourName(m.colour(c.control)), colourName(c.colour));
    }
}

TEST(MonitorDecoder, KeepsLiveValues)
{
    Monitor m;
    FrameBuilder f;
    f.word(mon::Rpm, 5400).word(mon::Throttle, 234).word(mon::ManifoldPressure, 88).word(mon::TpsVoltage, 1700)
        .word(mon::LambdaVoltage, 420).word(mon::AmbientPressure, 998).byte(mon::Coolant, 185).byte(mon::Air, 0)
        .byte(mon::Gear, 4).byte(mon::AirFuelRatio, 131).word(mon::AfterStartTimer, 600).word(mon::GearVoltage, 2100)
        .word(mon::RpmSpeedRatio, 640).word(mon::SavingCountdown, 5782).byte(mon::FlagsB, 0x00).byte(mon::FlagsD, 0x0B);
    ASSERT_TRUE(m.decode(f));
    const LiveValues& v = m.decoder.live();
    EXPECT_TRUE(v.received);
    EXPECT_EQ(v.rpm, 5400);
    EXPECT_EQ(v.throttle, 234);
    EXPECT_EQ(v.manifoldPressure, 88);
    EXPECT_EQ(v.tpsVoltage, 1700);
    EXPECT_EQ(v.lambdaVoltage, 420);
    EXPECT_EQ(v.ambientPressure, 998);
    EXPECT_EQ(v.coolantRaw, 185);
    EXPECT_EQ(v.airRaw, 0);
    EXPECT_EQ(v.gear, 4);
    EXPECT_EQ(v.airFuelRatio, 131);
    EXPECT_EQ(v.afterStartTimer, 600);
    EXPECT_EQ(v.gearVoltage, 2100);
    EXPECT_EQ(v.rpmSpeedRatio, 640);
    EXPECT_EQ(v.savingCountdown, 5782);
    EXPECT_TRUE(v.lambdaMode);
    EXPECT_TRUE(v.tpsError());
    EXPECT_TRUE(v.iapError());
    EXPECT_FALSE(v.apsError());
    EXPECT_TRUE(v.outputTestsBlocked);
    EXPECT_EQ(v.version, kProgramVersion);
}

TEST(MonitorDecoder, MapInUseFollowsShareAndSuppression)
{
    struct Case { int flagsC, share; bool tps, iap; };
    const Case cases[] = {{0, 0, false, true}, {0, 50, true, true}, {0, 99, true, true}, {0, 100, true, false}, {0x01, 50, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "share " << c.share << " flags C " << c.flagsC);
        Monitor m;
        ASSERT_TRUE(m.decode(FrameBuilder().byte(mon::FlagsC, c.flagsC).byte(mon::TpsShare, c.share)));
        EXPECT_EQ(m.decoder.live().tpsMapInUse, c.tps);
        EXPECT_EQ(m.decoder.live().iapMapInUse, c.iap);
    }
}

TEST(MonitorDecoder, CoolantSensorErrorKeeps180AndRedGaugeAt80)
{
    Monitor m;
    ASSERT_TRUE(m.decode(FrameBuilder().byte(mon::Coolant, 0)));
    EXPECT_EQ(m.decoder.live().coolantRaw, 180);
    EXPECT_EQ(m.gauge(C::CGaugeVoda), 80);
    EXPECT_EQ(m.colour(C::CGaugeVoda), Colour::Red);

    ASSERT_TRUE(m.decode(FrameBuilder().byte(mon::Coolant, 190)));
    EXPECT_EQ(m.gauge(C::CGaugeVoda), 90);
    EXPECT_EQ(m.colour(C::CGaugeVoda), Colour::Aqua);
    ASSERT_TRUE(m.decode(FrameBuilder().byte(mon::Coolant, 200)));
    EXPECT_EQ(m.colour(C::CGaugeVoda), Colour::Yellow);
}

TEST(MonitorDecoder, CylinderCountDecidesWhatIsShown)
{
    FrameBuilder f;
    f.byte(mon::Advance, 8).byte(mon::Advance + 1, 30)
        .byte(mon::InjectionA, 20).byte(mon::InjectionA + 1, 90)
        .byte(mon::InjectionB, 10).byte(mon::InjectionB + 1, 20).byte(mon::InjectionB + 2, 30).byte(mon::InjectionB + 3, 40);
    // 0 is no valid count; it is shown like one cylinder rather than dividing by it.
    for (int count : {1, 0}) {
        SCOPED_TRACE(count);
        Monitor m;
        m.doc.image.setByte(off::CylinderCount, count);
        ASSERT_TRUE(m.decode(f));
        for (C hidden : {C::LabelMon_Ign2, C::LabelMon_Ign4, C::LabelMon_Jet_2A, C::LabelMon_Jet_4A, C::LabelMon_Jet_2B, C::LabelMon_Jet_4B})
            EXPECT_FALSE(m.visible(hidden)) << monitorControlInfo(hidden).objectName;
        EXPECT_EQ(m.text(C::LabelMon_Ign), "Advance =  8 °");
        EXPECT_EQ(m.text(C::LabelMon_Jet_A), "Injection time A = 2000 us");
        // Bank B always averages all four injectors.
        EXPECT_EQ(m.text(C::LabelMon_Jet_B), "Injection time B = 2500 us");
        EXPECT_EQ(m.text(C::LabelMon_Jet_4B), "Injection time 4B = 4000 us");
    }
    Monitor m;
    m.doc.image.setByte(off::CylinderCount, 3);
    ASSERT_TRUE(m.decode(f));
    EXPECT_TRUE(m.visible(C::LabelMon_Ign3));
    EXPECT_TRUE(m.visible(C::LabelMon_Jet_3B));
    EXPECT_FALSE(m.visible(C::LabelMon_Jet_4A));
}

TEST(MonitorDecoder, DutyUsesThePreviousFrameSpeedAndTheShownInjectors)
{
    Monitor m;
    m.doc.image.setByte(off::CylinderCount, 1);
    // Injector 2A is not shown with one cylinder and does not count; 4B does.
    FrameBuilder f;
    f.word(mon::Rpm, 12000).byte(mon::InjectionA, 50).byte(mon::InjectionA + 1, 200).byte(mon::InjectionB + 3, 90);
    ASSERT_TRUE(m.decode(f));
    EXPECT_EQ(m.text(C::LabelMaxInjProcent), "Max injection = 0 [%]");  // no speed known yet

    ASSERT_TRUE(m.decode(f));
    EXPECT_EQ(m.text(C::LabelMaxInjProcent), "Max injection = 90 [%]");
    EXPECT_EQ(m.gauge(C::CGaugeDuty), 90);
    EXPECT_EQ(m.colour(C::CGaugeDuty), Colour::Blue);

    ASSERT_TRUE(m.decode(FrameBuilder(f).byte(mon::InjectionA, 130)));
    EXPECT_EQ(m.text(C::LabelMaxInjProcent), "Max injection = 130 [%]");
    EXPECT_EQ(m.gauge(C::CGaugeDuty), 100);
    EXPECT_EQ(m.colour(C::CGaugeDuty), Colour::Yellow);
}

TEST(MonitorDecoder, GaugesScaleToTheirSettings)
{
    Monitor m;
    m.doc.image.setByte(off::IgnLimiter, 120);  // 12000 RPM is full scale
    ASSERT_TRUE(m.decode(FrameBuilder().word(mon::Rpm, 6000).word(mon::Throttle, 457)));
    EXPECT_EQ(m.gauge(C::CGaugeRpm), 50);
    EXPECT_EQ(m.gauge(C::CGaugeTps), 45);
    ASSERT_TRUE(m.decode(FrameBuilder().word(mon::Rpm, 13000).word(mon::Throttle, 457).byte(mon::FlagsD, 0x01)));
    EXPECT_EQ(m.gauge(C::CGaugeRpm), 100);
    EXPECT_EQ(m.gauge(C::CGaugeTps), 0);  // sensor error
    // Without a limiter the RPM gauge keeps its last position.
    m.doc.image.setByte(off::IgnLimiter, 0);
    ASSERT_TRUE(m.decode(FrameBuilder().word(mon::Rpm, 3000)));
    EXPECT_EQ(m.gauge(C::CGaugeRpm), 100);

    // The lambda bar spans Beginning .. Ending of the four bar settings.
    const int bar[4] = {100, 120, 140, 180};
    for (int i = 0; i < 4; ++i)
        m.doc.image.setByte(off::LambdaBar + i, bar[i]);
    struct Case { int ratio, bar; };
    for (const Case c : {Case{99, 0}, Case{100, 0}, Case{140, 50}, Case{179, 98}, Case{180, 100}, Case{181, 100}}) {
        ASSERT_TRUE(m.decode(FrameBuilder().byte(mon::AirFuelRatio, c.ratio)));
        EXPECT_EQ(m.gauge(C::CGaugeLambda), c.bar) << "ratio " << c.ratio;
    }
    m.doc.image.setByte(off::LambdaBar + 3, 100);  // Beginning = Ending
    ASSERT_TRUE(m.decode(FrameBuilder().byte(mon::AirFuelRatio, 100)));
    EXPECT_EQ(m.gauge(C::CGaugeLambda), 100);
}

TEST(MonitorDecoder, VisibilityFollowsFlagsAndSettings)
{
    Monitor m;
    ASSERT_TRUE(m.decode(FrameBuilder().byte(mon::FlagsC, 0x80)));
    EXPECT_TRUE(m.visible(C::LabelEeDataErr));
    EXPECT_FALSE(m.visible(C::LabelN2oEnable));  // "N2O enable" not checked
    m.doc.image.setByte(off::N2oEnable, 1);
    ASSERT_TRUE(m.decode(FrameBuilder()));
    EXPECT_FALSE(m.visible(C::LabelEeDataErr));
    EXPECT_TRUE(m.visible(C::LabelN2oEnable));
}

TEST(MonitorDecoder, UnknownTuningStatusKeepsTheTextInFuchsia)
{
    Monitor m;
    ASSERT_TRUE(m.decode(FrameBuilder().byte(mon::TuningStatus, 13)));
    ASSERT_TRUE(m.decode(FrameBuilder().byte(mon::TuningStatus, 20)));
    EXPECT_EQ(m.text(C::LabelLadeniMsg), "T: OK");
    EXPECT_EQ(m.colour(C::LabelLadeniMsg), Colour::Fuchsia);
}

TEST(MonitorDecoder, RejectedFrameChangesNothing)
{
    Monitor m;
    ASSERT_TRUE(m.decode(FrameBuilder().word(mon::Rpm, 2000).byte(mon::Coolant, 185)));
    m.decoder.display().clearChanged();
    const std::string rpmText = m.text(C::LabelRpm);

    auto bad = FrameBuilder().word(mon::Rpm, 9000).byte(mon::Coolant, 0).frame();
    bad[mon::Check] ^= 0x01;  // one bit off
    EXPECT_FALSE(m.decoder.decode(bad));
    EXPECT_FALSE(m.decoder.decode(std::span(bad).first(151)));
    // Intact, but a block reply rather than a monitor frame.
    EXPECT_FALSE(m.decoder.decode(FrameBuilder().word(mon::Rpm, 9000).byte(0, 0xC1).frame()));

    EXPECT_FALSE(m.decoder.display().anyChanged());
    EXPECT_EQ(m.text(C::LabelRpm), rpmText);
    EXPECT_EQ(m.decoder.live().rpm, 2000);
    EXPECT_EQ(m.decoder.live().coolantRaw, 185);
}

TEST(MonitorDecoder, MarksOnlyWhatChanged)
{
    Monitor m;
    m.doc.image.setByte(off::IgnLimiter, 120);
    FrameBuilder f;
    f.word(mon::Rpm, 3000).byte(mon::Coolant, 185).word(mon::SupplyVoltage, 13500);
    ASSERT_TRUE(m.decode(f));
    EXPECT_TRUE(m.decoder.display().changed(C::LabelRpm));
    m.decoder.display().clearChanged();

    ASSERT_TRUE(m.decode(f));
    EXPECT_FALSE(m.decoder.display().anyChanged());

    ASSERT_TRUE(m.decode(FrameBuilder(f).word(mon::Rpm, 6000)));
    const auto& changed = m.decoder.display().changedSet();
    EXPECT_EQ(changed.count(), 2u);
    EXPECT_TRUE(m.decoder.display().changed(C::LabelRpm));
    EXPECT_TRUE(m.decoder.display().changed(C::CGaugeRpm));
}

TEST(MonitorDecoder, TextsFollowTheLanguage)
{
    Monitor m;
    FrameBuilder f;
    f.byte(mon::Advance, 10).byte(mon::FlagsC, 0x20).byte(mon::TuningStatus, 13).byte(mon::FlagsA, 0xFF);
    m.texts.fill(German);
    ASSERT_TRUE(m.decode(f));
    EXPECT_EQ(m.text(C::LabelMon_Ign1), "Vorzündung 1= 10 °");
    EXPECT_EQ(m.text(C::LabelSnimacCkps), "Geber (CKPS) läuft");
    EXPECT_EQ(m.text(C::LabelMonFallOut), "Not Aus Sensor - JA");
    EXPECT_EQ(m.text(C::LabelLadeniMsg), "E: OK");
    m.texts.fill(Czech);
    ASSERT_TRUE(m.decode(f));
    EXPECT_EQ(m.text(C::LabelMonFallIn), "Pádový senzor - NE");
    EXPECT_EQ(m.text(C::LabelLadeniMsg), "L: OK");
}

TEST(MonitorDecoder, NoConnectionShowsPlaceholdersInTheLanguage)
{
    Monitor m;
    ASSERT_TRUE(m.decode(FrameBuilder().byte(mon::TuningStatus, 13)));
    m.texts.fill(German);
    m.decoder.showNoConnection();
    EXPECT_EQ(m.text(C::LabelMon_Ign), "Vorzündung= --- [°]");
    EXPECT_EQ(m.text(C::LabelMonBlock2In), "Blockierung  - ---");
    EXPECT_EQ(m.text(C::LabelMon_Jet_1A), "Einspritzzeit 1A = --- us");
    EXPECT_EQ(m.text(C::LabelMaxInjProcent), "Max.Einspritz = --- %");
    EXPECT_EQ(m.text(C::LabelMonServoIntake), "Ansaugservo = ---/--- mV");
    EXPECT_EQ(m.text(C::LabelGear), "Gang = --- ");
    EXPECT_EQ(m.text(C::LabelMonSpeed), "Geschwindigkeit = --- [km/h]");
    EXPECT_EQ(m.text(C::LabelSnimacCmps), "Geber (CMPS) - ---");
    EXPECT_EQ(m.text(C::LabelLadeniMsg), "");
}

}  // namespace
