#pragma once
// The identification block (block 0) the unit reports about itself, and the
// version, date and time texts the "Bike" page shows from it.

#include "app/build_stamp.h"  // kProgramVersion
#include "model/image.h"

#include <string>

namespace kestrin {

namespace ident {
inline constexpr int VersionChars = 0;     // 3 characters
inline constexpr int VersionNumber = 3;    // two decimal digits
inline constexpr int Day = 4;
inline constexpr int MonthCode = 5;        // low byte of the sum of "Jan", "Feb", ...
inline constexpr int Year = 6;             // year - 2000
inline constexpr int Hour = 7;
inline constexpr int Minute = 8;
inline constexpr int ProgramVersion = 10;  // must equal kProgramVersion
inline constexpr int Programmings = 12;    // 16-bit count kept by the unit (our simulated unit)
inline constexpr int ProgramName = 16;     // up to 30 characters, zero-padded
inline constexpr int ProgramNameLength = 30;
}  // namespace ident

struct IdentificationTexts {
    std::string version;  // e.g. "KST07", or the program name when there is one
    std::string date;     // e.g. " 5. 5.2007"
    std::string time;     // e.g. "14:07"
};

// The texts stay 8-bit text in the unit's code page (Windows-1250), byte for
// byte as the unit sent them, so a parameter file carries them unchanged;
// show them through cp1250ToUtf8. The unit's bytes are untrusted: control
// characters are dropped so a text can never break a line.
IdentificationTexts decodeIdentification(const Block& identification);

// " 1" .. "12" for the twelve month codes, "00" for any other.
const char* monthText(int code);
// The month code of a month 1..12 (what a unit stores), 0 for others.
int monthCode(int month);

}  // namespace kestrin
