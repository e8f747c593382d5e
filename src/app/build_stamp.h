#pragma once
#include <string>

namespace kestrin {

inline constexpr int kProgramVersion = 82;

// Date and time this program was built, as the about box and the EXE line of
// every parameter file show them: "Mmm dd yyyy" (English month, day
// right-aligned in two characters) and "hh:mm:ss".
std::string buildDate();
std::string buildTime();
// The same build date as the compiler gives it: "Mmm dd yyyy", the day
// right-aligned in two characters (the about box shows it so).
std::string buildDateRaw();

}  // namespace kestrin
