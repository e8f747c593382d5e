#include "files/settings_store.h"

#include "model/document.h"

namespace kestrin {

SettingsSaved SaveSettings(const SettingsLocation& where, const Settings& settings, const ParameterImage& image,
                           const PageFlags& allFlags)
{
    SettingsSaved saved;
    saved.settings = saveSettingsFile(where.settingsFile, settings);
    saved.snapshot = saveSnapshotFile(where.snapshotFile, image, allFlags);
    return saved;
}

bool LoadSettings(const SettingsLocation& where, Settings& settings, ParameterImage& image, PageFlags& allFlags)
{
    loadSettingsFile(where.settingsFile, settings);
    return loadSnapshotFile(where.snapshotFile, image, allFlags);
}

void settingsFromDocument(const Document& doc, Settings& settings)
{
    settings.language = doc.outside.language;
    settings.portChoice = doc.outside.portIndex;
    settings.portAutoIndex = doc.outside.portScanIndex;
    settings.activePage = doc.activePage;
}

void settingsToDocument(const Settings& settings, Document& doc)
{
    doc.outside.language = settings.language;
    doc.outside.portIndex = settings.portChoice;
    doc.outside.portScanIndex = settings.portAutoIndex;
    doc.activePage = settings.activePage;
}

}  // namespace kestrin
