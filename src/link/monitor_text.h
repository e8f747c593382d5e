#pragma once
// Number formatting for the monitor labels. The texts are built with plain
// digits and a '.' decimal point whatever the process locale says, so a
// technician's screen never depends on the machine's regional settings.

#include <string>

namespace kestrin::montext {

// Like printf "%*d".
void appendInt(std::string& out, long value, int width = 0);
// Like printf "%*.1f" of tenths / 10, exact for every integer input.
void appendTenths(std::string& out, long tenths, int width = 4);

}  // namespace kestrin::montext
