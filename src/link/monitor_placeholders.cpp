// The "No Connection" face of the monitor: while no unit answers, the
// labels show their head word with "---" instead of stale values, in the
// present language. The window runs this from its language routine.

#include "app/messages.h"
#include "link/monitor_decoder.h"
#include "model/document.h"

namespace kestrin {

void MonitorDecoder::showNoConnection()
{
    using C = MonitorControl;
    const auto head = [&](C label, int entry, const char* tail) {
        std::string& s = text();
        s += texts_[entry];
        s += tail;
        put(label);
    };

    head(C::LabelMon_Ign, msg::Advance, "= --- [°]");
    head(C::LabelMon_Ign1, msg::Advance, " 1= --- [°]");
    head(C::LabelMon_Ign2, msg::Advance, " 2= --- [°]");
    head(C::LabelMon_Ign3, msg::Advance, " 3= --- [°]");
    head(C::LabelMon_Ign4, msg::Advance, " 4= --- [°]");

    head(C::LabelMonFallIn, msg::FallSensor, " - ---");
    head(C::LabelMonFallOut, msg::FallSensor, " - ---");
    head(C::LabelMonBlock2In, msg::Blocking, " - ---");
    head(C::LabelMonBlock2Out, msg::Blocking, " - ---");
    head(C::LabelMonStartLimiterIn, msg::StartLimiter, " - ---");
    head(C::LabelMonStartLimiterOut, msg::StartLimiter, " - ---");
    head(C::LabelMonClutchIn, msg::ClutchMaster, " - ---");
    head(C::LabelMonClutchOut, msg::ClutchMaster, " - ---");
    head(C::LabelMonRpmLambdaIn, msg::TachoLambda, " - ---");
    head(C::LabelMonRpmLambdaOut, msg::TachoLambda, " - ---");
    head(C::LabelMonIgnLimiter, msg::LimiterByIgnition, " - ---");
    head(C::LabelMonJetLimiter, msg::LimiterByInjection, " - ---");
    head(C::LabelMonRetardLimiter, msg::LimiterByRetard, " - ---");
    head(C::LabelClazeniMon, msg::Cooling, " - ---");
    head(C::LabelMonPitRetardOn, msg::PitSpeedRetard, " - ---");
    head(C::LabelPitIgn, msg::PitSpeedNoIgnition, " - ---");
    head(C::LabelSnimacCkps, msg::PickupCkps, " - ---");
    head(C::LabelSnimacCmps, msg::PickupCmps, " - ---");
    head(C::LabelMonPilotLight, document_.chokeFlag ? msg::Choke : msg::GearShiftLight, " - ---");

    head(C::LabelMon_Jet_A, msg::InjectionTime, " A = --- us");
    head(C::LabelMon_Jet_B, msg::InjectionTime, " B = --- us");
    head(C::LabelMon_Jet_1A, msg::InjectionTime, " 1A = --- us");
    head(C::LabelMon_Jet_2A, msg::InjectionTime, " 2A = --- us");
    head(C::LabelMon_Jet_3A, msg::InjectionTime, " 3A = --- us");
    head(C::LabelMon_Jet_4A, msg::InjectionTime, " 4A = --- us");
    head(C::LabelMon_Jet_1B, msg::InjectionTime, " 1B = --- us");
    head(C::LabelMon_Jet_2B, msg::InjectionTime, " 2B = --- us");
    head(C::LabelMon_Jet_3B, msg::InjectionTime, " 3B = --- us");
    head(C::LabelMon_Jet_4B, msg::InjectionTime, " 4B = --- us");
    head(C::LabelMaxInjProcent, msg::MaxInjection, " = --- %");

    head(C::LabelMonServoIntake, msg::IntakeServo, " = ---/--- mV");
    head(C::LabelMonServoExhaust, msg::ExhaustServo, " = ---/--- mV");
    head(C::LabelMonPotenc, msg::Potentiometer, " = --- mV");
    head(C::LabelGear, msg::Gear, " = --- ");
    head(C::LabelMonSpeed, msg::Speed, " = --- [km/h]");
    head(C::LabelMonGearNapeti, msg::GearVoltage, " = --- mV");
    head(C::LabelMonServoPosition, msg::StepServoPosition, " = ---");
    head(C::LabelDleTpsProcent, msg::InjAccordingTps, " = --- %");
    head(C::LabelMon_PolohaA, msg::Position, " A = --- °");
    head(C::LabelMon_PolohaB, msg::Position, " B = --- °");
    head(C::LabelVoda, msg::Coolant, "= --- °C");
    head(C::LabelPocetProgramovani, msg::NumberOfProgramming, "---");

    display_.setText(C::LabelLadeniMsg, {});
}

}  // namespace kestrin
