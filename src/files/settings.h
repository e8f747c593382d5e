#pragma once
// The settings file: the working state kept from one run to the next, in one
// section "BASIC" of a key=value file with CR LF line ends. The keys and
// their order are fixed; older and newer programs read the same file.

#include <string>
#include <string_view>

namespace kestrin {

struct Settings {
    int left = 0;  // main window geometry in pixels
    int top = 0;
    int height = 0;
    int width = 0;
    int portChoice = 0;       // serial port menu choice: 0..19 COM1..COM20, 20 automatic search
    int portAutoIndex = 255;  // port last tried by the automatic search; 255 until one was tried
    int language = 0;         // 0 English, 1 German, 2 French, 3 Czech
    std::string fileName;     // current parameter file
    std::string rememberedFile;  // initial file of both file dialogs
    int activePage = 0;          // page index 0..18
    bool showMilliseconds = false;   // "ms" check box of the map editor
    bool extendedMonitor = false;    // "Detailed representation"
    bool allPositionsA = false;      // "All" of position table A
    bool allPositionsB = false;      // "All" of position table B
};

inline constexpr const char* kSettingsSection = "BASIC";

// The file's text: "[BASIC]" and the keys in their fixed order.
std::string settingsText(const Settings& settings);

// Reads the keys of section "BASIC" from `text` into `settings`. `settings`
// holds the present values on entry and every key that is absent, or whose
// value is not a number where one is due, keeps its present value; the
// exceptions are "ComPort" and "ComPortAuto", which stand for choice 0 and
// index 255 when absent. A page index outside 0..18 is ignored. Section and
// key names are matched without regard to case, as Windows does; anything
// that is not a "key=value" line of the first "BASIC" section is ignored.
void readSettingsText(std::string_view text, Settings& settings);

// Writes the settings file atomically. Whatever else an existing file holds
// (other sections, keys of other programs in "BASIC") is kept after our keys.
// Creates the file's folder when needed. Returns false when it could not be
// written; the old file is then unchanged.
bool saveSettingsFile(const std::string& path, const Settings& settings);

// Reads the settings file into `settings` (see readSettingsText). A missing
// or unreadable file leaves every value as it is, as if all keys were absent,
// and returns false.
bool loadSettingsFile(const std::string& path, Settings& settings);

}  // namespace kestrin
