#pragma once
// The folders of the service exports, below a base folder (the program's
// working folder in the window, the folder given on the command line):
// "new_ign" receives the default set of every bike and the comparison
// report, "new_ign_old" holds the previous generation placed there by hand.

#include <span>
#include <string>

namespace kestrin {

std::string newIgnFolder(const std::string& base);
std::string oldIgnFolder(const std::string& base);
// `folder` + the bike list entry's text exactly as listed (inner and
// trailing blanks included) + ".ign".
std::string bikeFilePath(const std::string& folder, const std::string& bikeItemText);
std::string compareReportPath(const std::string& base);

// The bike list entries the service exports go through: items 0..60 (the
// list's last item is its separator line).
inline constexpr int kServiceBikeItems = 61;
std::span<const char* const> serviceBikeNames();

}  // namespace kestrin
