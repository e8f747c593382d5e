#pragma once
// Where the settings file, the image snapshot and the service marker lie.
// On Windows they keep their traditional places (the settings file in the
// Windows folder, the snapshot under "c:\windows\", the marker at "c:\");
// elsewhere all three live in the user's configuration folder
// (~/.config/Kestrin_2007/, or under XDG_CONFIG_HOME). A folder given by the
// user (--config-dir DIR) replaces either choice for all three.

#include <optional>
#include <string>

namespace kestrin {

// "Kestrin_2007_v82.ini": family name, "_v", program version, ".ini".
std::string settingsFileName();
// The snapshot is named after the settings file with an underscore before it.
std::string snapshotFileName();
inline constexpr const char* kServiceMarkerFileName = "test_hordan.txt";

struct SettingsLocation {
    std::string settingsFile;
    std::string snapshotFile;
    std::string markerFile;

    // The platform's places described above.
    static SettingsLocation standard();
    // All three files directly in `directory`.
    static SettingsLocation inDirectory(const std::string& directory);
    // `inDirectory` when a folder was given, else `standard`.
    static SettingsLocation choose(const std::optional<std::string>& directory);
};

}  // namespace kestrin
