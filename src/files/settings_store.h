#pragma once
// Saving and restoring the working state as one step: the settings file
// first, then the image snapshot, at the places a SettingsLocation names.

#include "files/settings.h"
#include "files/settings_location.h"
#include "files/snapshot.h"

namespace kestrin {

class Document;

struct SettingsSaved {
    bool settings = false;
    bool snapshot = false;
};

// Writes both files; a failure of one does not stop the other.
SettingsSaved SaveSettings(const SettingsLocation& where, const Settings& settings, const ParameterImage& image,
                           const PageFlags& allFlags);

// Reads the settings (absent values keep what `settings` holds) and then the
// snapshot over `image` and `allFlags`; a missing snapshot leaves them as
// they are. Returns whether a snapshot was found.
bool LoadSettings(const SettingsLocation& where, Settings& settings, ParameterImage& image, PageFlags& allFlags);

// The settings that the document keeps (language, port choices, active
// page), in both directions; the rest belongs to the window.
void settingsFromDocument(const Document& doc, Settings& settings);
void settingsToDocument(const Settings& settings, Document& doc);

}  // namespace kestrin
