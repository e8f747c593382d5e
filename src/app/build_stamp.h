#pragma once
#include <string>

namespace kestrin {

inline constexpr int kProgramVersion = 82;

// Date and time this program was built, as "dd.mm.yyyy" and "hh:mm:ss".
std::string buildDate();
std::string buildTime();

}  // namespace kestrin
