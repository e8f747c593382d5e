#pragma once
// The service marker: a file whose presence with the word "MODE_SWITCH"
// switches on service mode (the "Servis" menu and the test labels).

#include <string>

namespace kestrin {

inline constexpr const char* kServiceModeWord = "MODE_SWITCH";

// True when the file exists and one of its white-space separated words is
// exactly "MODE_SWITCH" (case matters). A missing or unreadable file is
// simply no marker.
bool readServiceMarker(const std::string& path);

}  // namespace kestrin
