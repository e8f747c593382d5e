#pragma once
// The message table: the 96 language-dependent texts that the other parts of
// the program show in messages and compose into labels. Texts are UTF-8.

#include <array>
#include <string>

namespace kestrin {

enum Language { English = 0, German = 1, French = 2, Czech = 3 };
inline constexpr int kLanguageCount = 4;
inline constexpr int kMessageCount = 96;

// Names for the entries that code refers to; the number is the entry index.
// Indices 20, 21, 22, 29, 36, 45 and 71 hold no text.
namespace msg {
inline constexpr int CaptionHead = 0;
inline constexpr int FileName = 1;
inline constexpr int HelpFile = 2;
inline constexpr int ProgramError = 3;
inline constexpr int VerifyError = 4;
inline constexpr int ReadError = 5;
inline constexpr int ProgramDevice = 6;
inline constexpr int UnmatchedUnitVersion = 7;
inline constexpr int Verify = 8;
inline constexpr int Read = 9;
inline constexpr int Advance = 10;
inline constexpr int NumberOfProgramming = 11;
inline constexpr int Blocking = 12;
inline constexpr int StartLimiter = 13;
inline constexpr int LimiterByIgnition = 14;
inline constexpr int LimiterByInjection = 15;
inline constexpr int LimiterByRetard = 16;
inline constexpr int Yes = 17;
inline constexpr int No = 18;
inline constexpr int Twinkle = 19;
inline constexpr int ComOpeningError = 23;
inline constexpr int OpenFileError = 24;
inline constexpr int AskDefaults = 25;
inline constexpr int AskDefaultsForPage = 26;
inline constexpr int OlderIgnFile = 27;
inline constexpr int UnmatchedIgnVersion = 28;
inline constexpr int PrintDateTime = 30;
inline constexpr int HelpError = 31;
inline constexpr int PickupCkps = 32;
inline constexpr int PickupCmps = 33;
inline constexpr int IsRunning = 34;
inline constexpr int NoSignal = 35;
inline constexpr int WrongBike = 37;
inline constexpr int BaseAdvance = 38;
inline constexpr int Saving = 39;
inline constexpr int InjectionTime = 40;
inline constexpr int MaxInjection = 41;
inline constexpr int Position = 42;
inline constexpr int ExhaustServo = 43;
inline constexpr int IntakeServo = 44;
inline constexpr int Potentiometer = 46;
inline constexpr int FallSensor = 47;
inline constexpr int Cooling = 48;
inline constexpr int Gear = 49;
inline constexpr int Speed = 50;
inline constexpr int GearShiftLight = 51;
inline constexpr int Choke = 52;
inline constexpr int IapToTp = 53;
inline constexpr int HysteresisMv = 54;
inline constexpr int WidthOfLobe = 55;
inline constexpr int CorrectionForCylinder = 56;
inline constexpr int TpsMin = 57;
inline constexpr int TpsMax = 58;
inline constexpr int RpmMin = 59;
inline constexpr int RpmMax = 60;
inline constexpr int ClutchMaster = 61;
inline constexpr int Tacho = 62;
inline constexpr int Lambda = 63;
inline constexpr int TachoLambda = 64;
inline constexpr int InjAccordingTps = 65;
inline constexpr int PeriodMs = 66;
inline constexpr int ExcitationUs = 67;
inline constexpr int Coolant = 68;
inline constexpr int IntakeServoMustBeEnabled = 69;
inline constexpr int IntakeServoMustBeDisabled = 70;
inline constexpr int Idle = 72;
inline constexpr int DesiredRpm = 73;
inline constexpr int IntakeServoStartPosition = 74;
inline constexpr int TpsMinServoSteps = 75;
inline constexpr int MinPosition = 76;
// 77..91: the tuning state texts, in the order of the unit's tuning codes.
inline constexpr int TuningFirst = 77;
inline constexpr int TuningLast = 91;
inline constexpr int GearVoltage = 92;
inline constexpr int StepServoPosition = 93;
inline constexpr int PitSpeedRetard = 94;
inline constexpr int PitSpeedNoIgnition = 95;
}  // namespace msg

class MessageTable {
public:
    explicit MessageTable(int language = English) { fill(language); }

    // The message half of the language routine: refills every entry for
    // `language` (anything outside 0..3 gives English). `cylinderCount` is
    // image byte CylinderCount (entry 56). Entry 1 is kept.
    void fill(int language, int cylinderCount = 4);

    int language() const { return language_; }
    const std::string& operator[](int index) const;

    // Entry 1, the current file name, is set by the file commands.
    void setFileName(const std::string& name) { entries_[1] = name; }

private:
    int language_ = English;
    std::array<std::string, kMessageCount> entries_;
};

}  // namespace kestrin
