#include "app/ui_texts.h"

#include "model/fields.h"

#include <iterator>

namespace kestrin {

namespace {

constexpr UiText kCaptions[] = {
    {"MenuFile", {"&File", "&Datei", "&Fichier", "&Soubor"}},
    {"MenuNew", {"&New", "&Neu", "&Nouveau", "&Nový"}},
    {"MenuNewActPage", {"New for actual page", "Neu für aktual Seite", nullptr, "&Nový pro aktuální záložku"}},
    {"MenuOpen", {"&Open", "&Öffnen", "&Ouvrir", "&Otevřít"}},
    {"MenuOpenExeDir", {"Open from exe dir", "&Öffnen aue exe dir", nullptr, "&Otevřít z exe dir"}},
    {"MenuOpenActPage", {"Open for actual page", "Öffnen für aktual Seite", nullptr, "&Otevřít pro aktuální záložku"}},
    {"MenuSave", {"&Save", "&Speichern", "&Mèmoriser", "&Uložit"}},
    {"MenuSaveExeDir", {"Save to exe dir", "Speichern in exe dir", nullptr, "Uložit do exe dir"}},
    {"MenuPrint", {"&Print", "&Drucken", "&Imprimer", "&Tisk"}},
    {"MenuExit", {"E&xit", "&Beenden", "&Sortir", "&Konec"}},
    {"MenuCom", {"&Com", "&COM-Anschluß", "&Connection com", "&Port"}},
    {"MenuDevice", {"&Ignition", "&Zündung", "&Allumage", "&Zapalování"}},
    {"MenuRead", {"&Read", "&Lesen", "&Lire", "Čí&st"}},
    {"ButtonRead", {"&Read", "&Lesen", "&Lire", "Čí&st"}},
    {"MenuVerify", {"&Verify", "&Vergleichen", "&Verifier", "&Verifikace"}},
    {"ButtonVerify", {"&Verify", "&Vergleichen", "&Verifier", "&Verifikace"}},
    {"MenuProgram", {"&Program", "&Programmieren", "&Programer", "&Programovat"}},
    {"ButtonProgram", {"&Program", "&Programmieren", "&Programer", "&Programovat"}},
    {"Menu_Jet123Mode", {"Jet 1234", "Einspritzung 1234", "inject 1234", "Vstřik 1234"}},
    {"Menu_Jet123Normal", {"Separate", "Getrennt", "Séparé", "Oddělený"}},
    {"Menu_Jet123Coupled", {"Coupled", "Gekoppelt", "couplé", "Spřažený"}},
    {"MenuTools", {"Tools", "Werkzeuge", "Outillage", "Pomůcky"}},
    {"MenuZpet", {"Undo", "Zurück", nullptr, "Zpet"}},
    {"MenuZnovu", {"Redo", "Wieder", nullptr, "Znovu"}},
    {"MenuLanguage", {"&Language", "&Sprache", "&Langue", "&Jazyk"}},
    {"MenuEnglish", {"&English", "&Englisch", "&Englais", "&Anglicky"}},
    {"MenuGerman", {"&German", "&Deutsch", "&Allemand", "&Německy"}},
    {"MenuFrench", {"&French", "&Französisch", "&Francais", "Francouzky"}},
    {"MenuCzech", {"&Czech", "&Tschechisch", "&Tchèque", "Če&sky"}},
    {"MenuHelp", {"&Help", "&Hilfe", "&Aide", "Nápověda"}},
    {"MenuContens", {"&Contents...", "&Inhalt...", "&Contenu", "Obsah"}},
    {"MenuAbout", {"&About...", "&Über Programm...", "&Information", "&O programu..."}},
    // The window's own labels and boxes.
    {"LabelSpojeni", {"No connection with PC", "Keine Verbindung zum PC", "Pas de connection acec pc", "Není spojení s PC"}},
    {"LabelEeDataErr", {"Programmed data error!", "Abgelegte Daten Fehler!", nullptr, "Chyba naprogramovaných dat!"}},
    {"CheckBoxExtMonitor", {"Detailed representation", "Detailliert Abbildung", "Détail figure", "Detailní zobrazení"}},
    {"CheckBoxProgHned", {"Program. po změně", "Progr. nach Änderung", "Progr. après modif.", "Program. po změně"}},
    {"GroupBoxMonInput", {"Inputs and outputs", "Eingänge und Ausgänge", "Entrées et sorties", "Vstupy a výstupy"}},
    {"LabelMonInputs", {"Inputs", "Eingänge", "Entrées", "Vstupy"}},
    {"LabelMonOutputs", {"Outputs", "Ausgänge", "Sorties", "Výstupy"}},
    {"LabelMonStates", {"Limiters and states", "Begrenzer und Zustände", "Limiteurs et états", "Omezovače a stavy"}},
    {"GroupBoxMonAdvance", {"Advance", "Vorzündung", "Avance", "Předstih"}},
    {"GroupBoxMonInj", {"Injection time", "Einspritzzeit", "Temp de injection", "Čas vstřiku"}},
    {"GroupBoxMonSensors", {"Sensors", "Sensoren", "Capteurs", "Čidla"}},
    {"GroupBoxMonServo", {"Servos and actuators", "Servos und Steller", "Servos et actionneurs", "Serva a akční členy"}},
    {"GroupBoxMonUnit", {"Control unit", "Steuergerät", "Boîtier", "Řídicí jednotka"}},
};

constexpr UiText kHints[] = {
    {"SpeedButtonOpen", {"Open file with parametrs", "Kenndatendatei öffnen", "Ouvrir fichier avec paramètres", "Otevření souboru s parametry"}},
    {"MenuOpen", {"Open file with parametrs", "Kenndatendatei öffnen", "Ouvrir fichier avec paramètres", "Otevření souboru s parametry"}},
    {"SpeedButton6", {"Set default parametrs", "Neue Kenndatendaten erstellen", "Reprogramation des paramètres initial Dórigine", "Nastavení výchozích parametrů"}},
    {"MenuNew", {"Set default parametrs", "Neue Kenndatendaten erstellen", "Reprogramation des paramètres initial Dórigine", "Nastavení výchozích parametrů"}},
    {"SpeedButtonSave", {"Save parametrs to file", "Kenndaten in Datei speichern", "Sauvegarder les paramètres", "Uložení parametrů do souboru"}},
    {"MenuSave", {"Save parametrs to file", "Kenndaten in Datei speichern", "Sauvegarder les paramètres", "Uložení parametrů do souboru"}},
    {"SpeedButtonPrint", {"Print parametrs", "Druck der Kenndaten", "Imprimer paramètres", "Tisk parametrů"}},
    {"MenuPrint", {"Print parametrs", "Druck der Kenndaten", "Imprimer paramètres", "Tisk parametrů"}},
    {"ButtonProgram", {"Programing  set parametrs to ignition", "Programmieren der Kenndaten auf die Zündbox", "Programer les paramètres dans ECU", "Programování nastavených parametrů do zapalování"}},
    {"MenuProgram", {"Programing  set parametrs to ignition", "Programmieren der Kenndaten auf die Zündbox", "Programer les paramètres dans ECU", "Programování nastavených parametrů do zapalování"}},
    {"ButtonVerify", {"Compare set parametrs  with parametrs of ignition", "Vergleich der Kenndaten mit Zündboxkenndaten", "Comparer les paramètres de ECU", "Ověření zda  nastavené parametry souhlasí s parametry naprogramovanými do zapalování"}},
    {"MenuVerify", {"Compare set parametrs  with parametrs of ignition", "Vergleich der Kenndaten mit Zündboxkenndaten", "Comparer les paramètres de ECU", "Ověření zda  nastavené parametry souhlasí s parametry naprogramovanými do zapalování"}},
    {"ButtonRead", {"Reading parametrs from ignition", "Kenndaten aus Zündung lesen", "Lire paramètres ECU", "Čtení parametrů ze zapalování"}},
    {"MenuRead", {"Reading parametrs from ignition", "Kenndaten aus Zündung lesen", "Lire paramètres ECU", "Čtení parametrů ze zapalování"}},
    {"MenuExit", {"End of program", "Programm beenden", "Sortir du programme", "Ukončení programu"}},
    {"MenuLanguage", {"Language|Set English or German or French", "Sprache", "Sélection de la lange", "Nastavení jazyka na angličtinu, češtinu nebo němčinu"}},
    {"MenuCom", {"Set number of com", "Com-Anschluß festlegen", "installer nombre de com", "Nastavení čísla serivého portu (Com) "}},
    {"CheckBoxProgHned", {"Programing at once after change", "Programmmierung gleich nach der Änderung", "Programation instantanée des modifications", "Programování ihned po změně"}},
    {"GroupBoxActivation", {"Checked items means activation by closing to ground", "Gezeichnete Punkt bedeutet Aktivierung durch Schaltverbindung zu Grund", "Les points marqués sont activ avec le contacte de masse", "Zaškrtnutí znamená aktivaci připojením na zem"}},
    {"LabelVerze1", {"Version of program in ignition", "Version des Programms der Zündung", "Variantes de courbe d´avance", "Verze programu v zapalování"}},
    {"LabelVerze2", {"Date of program in ignition", "Datum des Programms der Zündung", "Date de programation de la courbe d´avance", "Datum zhotovení programu v zapalování"}},
    {"LabelVerze3", {"Time of program in ignition", "Programmierzeitpunkt der Zündung", "Temp de programation de la courbe d´avance", "Čas zhotovení programu v zapalování"}},
    // Our own wording where the form gives only the English hint.
    {"SpeedButtonZpet", {"Undo the last change", "Letzte Änderung zurücknehmen", "Annuler la dernière modification", "Vrátit poslední změnu"}},
    {"MenuZpet", {"Undo the last change", "Letzte Änderung zurücknehmen", "Annuler la dernière modification", "Vrátit poslední změnu"}},
    {"SpeedButtonZnovu", {"Redo the undone change", "Zurückgenommene Änderung wiederholen", "Rétablir la modification annulée", "Znovu provést vrácenou změnu"}},
    {"MenuZnovu", {"Redo the undone change", "Zurückgenommene Änderung wiederholen", "Rétablir la modification annulée", "Znovu provést vrácenou změnu"}},
    {"MenuNewActPage", {"Set default parametrs of the actual page", "Standardeinstellungen der aktuellen Seite", "Paramètres initiaux de la page actuelle", "Výchozí parametry aktuální záložky"}},
    {"MenuOpenExeDir", {"Open data.ign in the program folder", "data.ign im Programmordner öffnen", "Ouvrir data.ign du dossier du programme", "Otevřít data.ign ve složce programu"}},
    {"MenuOpenActPage", {"Open file parametrs for the actual page only", "Kenndaten nur für die aktuelle Seite öffnen", "Ouvrir les paramètres pour la page actuelle", "Otevřít parametry jen pro aktuální záložku"}},
    {"MenuSaveExeDir", {"Save data.ign in the program folder", "data.ign im Programmordner speichern", "Sauvegarder data.ign dans le dossier du programme", "Uložit data.ign do složky programu"}},
    {"MenuContens", {"Open the manual", "Handbuch öffnen", "Ouvrir le manuel", "Otevřít návod"}},
    {"MenuAbout", {"Version and build of the program", "Version und Erstellung des Programms", "Version et date du programme", "Verze a sestavení programu"}},
};

// Captions the language routine never touches.
constexpr UiText kFormCaptions[] = {
    {"MenuServis", {"Servis", nullptr, nullptr, nullptr}},
    {"MenuSaveAllNew", {"Save All New", nullptr, nullptr, nullptr}},
    {"MenuCompareAll", {"Compare All New", nullptr, nullptr, nullptr}},
    {"OpenOldMaps", {"Open old maps", nullptr, nullptr, nullptr}},
    {"MenuServisUlozProcenta", {"Uloz Map %", nullptr, nullptr, nullptr}},
    {"MenuToolsMinus", {"Minus ", nullptr, nullptr, nullptr}},
    {"MenuToolsPlus", {"Plus", nullptr, nullptr, nullptr}},
    {"MenuLadeniOn", {"Tunning On-Off", nullptr, nullptr, nullptr}},
    {"MenuToolsInterpolOn", {"Interpolace", nullptr, nullptr, nullptr}},
    {"Menu_Jet123Stejny", {"1=2=3=4", nullptr, nullptr, nullptr}},
};

struct TabText {
    std::array<const char*, 4> text;
    const char* suffix;
};

// Page index -> tab word; nullptr rows keep the form caption.
constexpr TabText kTabs[kPageCount] = {
    {{"Bike", "Mottorad", "Bike", "Motocykl"}, ""},
    {{"Advance", "Vorzündung", "Avance", "Předstih"}, ""},
    {{"Inj.", "Einsp.", "Inj.", "Vstřik"}, " 1"},
    {{"Inj.", "Einsp.", "Inj.", "Vstřik"}, " 2"},
    {{"Inj.", "Einsp.", "Inj.", "Vstřik"}, " 3"},
    {{"Inj.", "Einsp.", "Inj.", "Vstřik"}, " 4"},
    {{"Inj.", "Einsp.", "Inj.", "Vstřik"}, " B"},
    {{"Inj.", "Einsp.", "Inj.", "Vstřik"}, " IAP"},
    {{"Position", "Lage", "Positon", "Poloha"}, ""},
    {{"Corrections", "Korrektionen", "Corrections", "Korekce"}, ""},
    {{"Sensors", "Senzoren", "Sensors", "Čidla"}, ""},
    {{"Intake servo", "Ansaugservo", "Intake servo", "Sací servo "}, ""},
    {{"Exhaust servo ", "Abblaseservo", "Exhaust servo ", "Výfukové servo "}, ""},
    {{"Idle", "Freilauf", "Idle", "Volnoběh"}, ""},
    {{"N2O", "N2O", "N2O", "N2O"}, ""},
    {{nullptr, nullptr, nullptr, nullptr}, ""},
    {{"Gear", "Gang", "Gear", "Řazení"}, ""},
    {{"Tuning", "Einstellung", "Tuning", "Ladění"}, ""},
    {{nullptr, nullptr, nullptr, nullptr}, ""},
};

int clampLanguage(int language)
{
    return (language >= 0 && language < 4) ? language : 0;
}

}  // namespace

std::string uiTextFor(const UiText& row, int language)
{
    const char* text = row.text[static_cast<std::size_t>(clampLanguage(language))];
    if (!text)
        text = row.text[0];
    return text ? text : "";
}

std::span<const UiText> captionTexts() { return kCaptions; }
std::span<const UiText> hintTexts() { return kHints; }
std::span<const UiText> formCaptions() { return kFormCaptions; }

std::string tabCaption(int page, int language)
{
    if (page < 0 || page >= kPageCount)
        return {};
    const TabText& tab = kTabs[page];
    const char* word = tab.text[static_cast<std::size_t>(clampLanguage(language))];
    if (!word)
        return pageCaption(page);
    return std::string(word) + tab.suffix;
}

std::string aboutCaption(int language)
{
    static constexpr const char* kHeads[4] = {"About ", "Über Programm ", "Information ", "O programu "};
    return std::string(kHeads[clampLanguage(language)]) + "Kestrin_2007";
}

HintParts splitHint(std::string_view hint)
{
    const auto bar = hint.find('|');
    if (bar == std::string_view::npos)
        return {std::string(hint), std::string(hint)};
    return {std::string(hint.substr(0, bar)), std::string(hint.substr(bar + 1))};
}

}  // namespace kestrin
