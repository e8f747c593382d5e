#pragma once
// Layout of the monitor frame, the unit's answer to a poll: 152 bytes that
// start with 0xB0 and carry the live state of the engine. Shared by the
// decoder and the simulated engine that fills the frame.

#include "app/build_stamp.h"  // kProgramVersion, which the unit must report

#include <cstdint>
#include <span>

namespace kestrin {

inline constexpr int kMonitorFrameSize = 152;
inline constexpr std::uint8_t kMonitorReplyCode = 0xB0;

// Frame offsets (offset 0 is the reply code, 151 the check byte). Words are
// unsigned 16-bit little-endian.
namespace mon {
inline constexpr int FlagsA = 1;
inline constexpr int FlagsB = 2;
inline constexpr int FlagsC = 3;
inline constexpr int FlagsD = 4;
inline constexpr int Advance = 10;       // 4 × s8, degrees, cylinders 1..4
inline constexpr int InjectionA = 14;    // 4 × u8, × 100 µs, injectors 1A..4A
inline constexpr int InjectionB = 18;    // 4 × u8, × 100 µs, injectors 1B..4B
inline constexpr int Coolant = 23;       // °C + 100; 0 = sensor error
inline constexpr int Air = 24;           // °C + 100; 0 = sensor error
inline constexpr int Gear = 25;
inline constexpr int TpsShare = 26;      // % of the injection taken from the TPS map
inline constexpr int PilotLight = 27;    // 0 off, 2 on, else blinking
inline constexpr int TuningStatus = 28;  // 0..14
inline constexpr int AirFuelRatio = 29;  // A/F × 10
inline constexpr int Rpm = 48;
inline constexpr int AmbientVoltage = 50;
inline constexpr int AmbientPressure = 52;  // 0.1 kPa
inline constexpr int ManifoldVoltage = 54;
inline constexpr int TpsVoltage = 56;
inline constexpr int LambdaVoltage = 58;
inline constexpr int CoolantVoltage = 60;
inline constexpr int AirVoltage = 62;
inline constexpr int SupplyVoltage = 64;
inline constexpr int ExhaustServo1 = 66;
inline constexpr int ExhaustServo2 = 68;
inline constexpr int IntakeServo1 = 70;
inline constexpr int IntakeServo2 = 72;
inline constexpr int PotentiometerVoltage = 74;
inline constexpr int ProgrammingCount = 76;
inline constexpr int Test1 = 78;         // 8 words Test1..Test8
inline constexpr int AfterStartTimer = 94;  // 5 counts per second
inline constexpr int PositionA = 96;
inline constexpr int PositionB = 98;
inline constexpr int CoolantJetCorr = 100;  // 0.1 %
inline constexpr int AirJetCorr = 102;      // 0.1 %
inline constexpr int AmbientJetCorr = 104;  // 0.1 %
inline constexpr int AfterStartJetCorr = 106;  // 0.1 %
inline constexpr int SupplyJetCorr = 108;   // µs + 1000
inline constexpr int CoolantIgnCorr = 110;  // 0.1 °, + 1000
inline constexpr int PotencIgnCorr = 112;   // 0.1 °, + 1000
inline constexpr int PotencJetCorr = 114;   // 0.1 %
inline constexpr int RoadSpeed = 116;       // km/h
inline constexpr int GearVoltage = 118;
inline constexpr int RpmSpeedRatio = 120;   // × 10
inline constexpr int AutoGearRatio1 = 122;  // 6 words, × 10
inline constexpr int IdleIgnCorr = 134;     // (value − 1000) × 0.1 °
inline constexpr int ManifoldPressure = 136;  // kPa
inline constexpr int Throttle = 138;        // 0.1 %
inline constexpr int AccJetCorr = 140;      // 0.1 %
inline constexpr int StepServoPosition = 142;
inline constexpr int SavingCountdown = 148;
inline constexpr int Version = 150;
inline constexpr int Check = 151;
}  // namespace mon

// Flag bits.
namespace monbit {
// Flags A: switch inputs ("In", active when the bit is clear) and the
// unit's reaction ("Out", active when set).
inline constexpr std::uint8_t FallIn = 0x01, FallOut = 0x02;
inline constexpr std::uint8_t BlockIn = 0x04, BlockOut = 0x08;
inline constexpr std::uint8_t StartLimiterIn = 0x10, StartLimiterOut = 0x20;
inline constexpr std::uint8_t ClutchIn = 0x40, ClutchOut = 0x80;
// Flags B.
inline constexpr std::uint8_t RpmLambdaIn = 0x01;   // active when clear
inline constexpr std::uint8_t TachoOutput = 0x02;   // set tacho, clear lambda
inline constexpr std::uint8_t IgnLimiter = 0x04;
inline constexpr std::uint8_t JetLimiter = 0x08;
inline constexpr std::uint8_t RetardLimiter = 0x10;
inline constexpr std::uint8_t ExhaustServoOk = 0x40;
inline constexpr std::uint8_t IntakeServoOk = 0x80;
// Flags C.
inline constexpr std::uint8_t MapUseSuppressed = 0x01;
inline constexpr std::uint8_t N2oActive = 0x02;
inline constexpr std::uint8_t BaseAdvanceMode = 0x08;
inline constexpr std::uint8_t CoolingFan = 0x10;
inline constexpr std::uint8_t CkpsSignal = 0x20;
inline constexpr std::uint8_t CmpsSignal = 0x40;
inline constexpr std::uint8_t DataError = 0x80;
// Flags D.
inline constexpr std::uint8_t TpsError = 0x01;
inline constexpr std::uint8_t IapError = 0x02;
inline constexpr std::uint8_t ApsError = 0x04;
inline constexpr std::uint8_t OutputTestsBlocked = 0x08;
inline constexpr std::uint8_t IntakeServoIdle = 0x10;
inline constexpr std::uint8_t PitRetard = 0x20;
inline constexpr std::uint8_t PitNoIgnition = 0x40;
}  // namespace monbit

// Little-endian word of a frame; 0 past the end.
inline int frameWord(std::span<const std::uint8_t> frame, int offset)
{
    if (offset < 0 || offset + 1 >= static_cast<int>(frame.size()))
        return 0;
    return frame[static_cast<std::size_t>(offset)] | (frame[static_cast<std::size_t>(offset) + 1] << 8);
}

// True when 0xFF XOR every byte of the frame is 0.
inline bool frameCheckOk(std::span<const std::uint8_t> frame)
{
    std::uint8_t x = 0xFF;
    for (std::uint8_t b : frame)
        x ^= b;
    return x == 0;
}

}  // namespace kestrin
