#include "app/messages.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kestrin {
namespace {

struct EntryCase {
    int language;
    int index;
    const char* text;
};

// Samples across the table: plain entries, trailing blanks that the labels
// rely on, the copy-of-English rule, and national characters.
const EntryCase kEntries[] = {
    {English, 3, "Program error!"},
    {German, 3, "Programmierfehler!"},
    {French, 3, "Erreur de programmation!"},
    {Czech, 3, "Chyba programování"},
    {English, 12, "Blocking "},
    {Czech, 12, "Blokování "},
    {French, 14, "Limiter by ignition"},
    {English, 24, "Open file error!"},
    {German, 24, "Fehler beim öffnen der Datei!"},
    {French, 24, "Erreur ouvertur fichier!"},
    {Czech, 24, "Chyba při otevírání souboru!"},
    {Czech, 28, "Neshodná verze souboru *.ign!"},
    {German, 30, "Zeitpunkt des Ausdruckes   "},
    {French, 30, "Date et heur de l´imprimé:   "},
    {English, 38, "Base advance [°]"},
    {Czech, 44, "Sací servo "},
    {French, 51, "Retard à l´allumage"},
    {German, 87, "E: TPS or IAP  zu small (vor erste Punkt)"},
    {Czech, 87, "malé TPS nebo IAP - před prvním bodem"},
    {English, 95, "Pit speed control no ignition"},
    // Fixed and composed entries that are the same in every language.
    {German, 0, "  Kestrin_2007"},
    {English, 2, "manual_kestrin_2007_en.pdf"},
    {French, 2, "manual_kestrin_2007_en.pdf"},
    {Czech, 2, "manual_kestrin_2007_cz.pdf"},
    {English, 31, "Error by opening file manual_kestrin_2007_en.pdf !"},
    {German, 31, "Fehler beim öffnen der Datei manual_kestrin_2007_en.pdf !"},
    {French, 31, "Erreur à l´ouvertur du Fichier manual_kestrin_2007_en.pdf !"},
    {Czech, 31, "Chyba při otevírání souboru manual_kestrin_2007_cz.pdf !"},
    {English, 64, "Tacho/Lambda"},
    {Czech, 64, "Tacho/Lambda"},
    {English, 27,
     "Older version of *.ign file!\n\nSome parameters won't be changed or will be set to default value.\n"
     "They are parameters which are not in older version or have another structure."},
    {French, 27,
     "Older version of *.ign file!\n\nSome parameters won't be changed or will be set to default value.\n"
     "They are parameters which are not in older version or have another structure."},
    {Czech, 27,
     "Starší verze souboru *.ign!\n\nNěkteré parametry budou nezměněny nebo nataveny na základní hodnotu.\n"
     "Jsou to parametry, které v této verzi nebyly obsaženy nebo měly jinou strukturu."},
};

TEST(MessageTable, EntriesInEachLanguage)
{
    for (const EntryCase& c : kEntries) {
        MessageTable table(c.language);
        EXPECT_EQ(table[c.index], c.text) << "language " << c.language << " entry " << c.index;
    }
}

TEST(MessageTable, CylinderCorrectionFollowsCylinderCount)
{
    const struct {
        int language;
        int cylinders;
        const char* text;
    } cases[] = {
        {English, 1, "Correction for cylinder 1"},
        {German, 2, "Korrektion für Zylinder 1,2"},
        {Czech, 3, "Korekce pro válec 1,2,3"},
        {English, 4, "Correction for cylinder 1,2,3,4"},
        {English, 0, "Correction for cylinder 1,2,3,4"},
        {French, 9, "Correction for cylinder 1,2,3,4"},
    };
    for (const auto& c : cases) {
        MessageTable table;
        table.fill(c.language, c.cylinders);
        EXPECT_EQ(table[msg::CorrectionForCylinder], c.text) << c.cylinders;
    }
}

TEST(MessageTable, EveryListedEntryHasTextInEveryLanguage)
{
    const std::set<int> unused = {20, 21, 22, 29, 36, 45, 71};
    for (int language = 0; language < kLanguageCount; ++language) {
        MessageTable table(language);
        for (int i = 0; i < kMessageCount; ++i)
            EXPECT_EQ(table[i].empty(), unused.count(i) == 1 || i == msg::FileName) << language << " " << i;
    }
}

TEST(MessageTable, RefillKeepsFileNameAndSwitchesLanguage)
{
    MessageTable table(Czech);
    table.setFileName("/home/t/race.ign");
    table.fill(German);
    EXPECT_EQ(table.language(), German);
    EXPECT_EQ(table[msg::FileName], "/home/t/race.ign");
    EXPECT_EQ(table[msg::ReadError], "Lesefehler");
}

TEST(MessageTable, OutOfRangeLanguageAndIndexAreSafe)
{
    MessageTable table(7);
    EXPECT_EQ(table.language(), English);
    EXPECT_EQ(table[msg::OpenFileError], "Open file error!");
    table.fill(-1);
    EXPECT_EQ(table.language(), English);
    EXPECT_EQ(table[-1], "");
    EXPECT_EQ(table[kMessageCount], "");
}

}  // namespace
}  // namespace kestrin
