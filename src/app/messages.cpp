#include "app/messages.h"

#include <cstddef>

namespace kestrin {

namespace {

// One text in English, German, French and Czech. Where a language has no
// wording of its own its column repeats the English text.
struct FixedText {
    int index;
    const char* text[kLanguageCount];
};

// Entries whose text is fixed per language. Keep the wording as it stands,
// slips included: users know these texts, and the trailing blanks are the
// spacing of the labels they are composed into.
constexpr FixedText kFixedTexts[] = {
    {3, {"Program error!", "Programmierfehler!", "Erreur de programmation!", "Chyba programování"}},
    {4, {"Verify error!", "Vergleichsfehler", "Verifier erreur!", "Chyba verifikace!"}},
    {5, {"Read error!", "Lesefehler", "Lire erreur!", "Chyba čtení!"}},
    {6, {"Program device:", "Programmieren:", "Programmer:", "Programování:"}},
    {7, {"Unmatched version of PC and Ignition programs!", "Programm der Zündung ist nicht kompatibel mit dem Programm am PC!", "Programme du boitier d´alumage non compatible avec programme PC!", "Neshodné verze proramu v PC a v zapalování!"}},
    {8, {"Verify:", "Vergleichen:", "Vérifier:", "Verifikace:"}},
    {9, {"Read:", "Lesen:", "Lire", "Čtení:"}},
    {10, {"Advance", "Vorzündung", "Avance", "Předstih"}},
    {11, {"Number of Programing = ", "Programmierungsanzahl = ", "Nombre de programmations = ", "Počet programování = "}},
    {12, {"Blocking ", "Blockierung ", "Blocage ", "Blokování "}},
    {13, {"Start limiter", "Start Begrenzer", "Limitateur départ", "Startovací omezovač"}},
    {14, {"Limiter by ignition", "Begrenzer - Zündung", "Limiter by ignition", "Omezovač zápalem"}},
    {15, {"Limiter by injection", "Begrenzer - Einspritz", "Limiter by injection", "Omezovač vstřikem"}},
    {16, {"Limiter by retard", "Begrenzer - Spätzündung", "Limiter by retard", "Omezovač předstihem"}},
    {17, {"YES", "JA", "Oui", "ANO"}},
    {18, {"NO", "NEIN", "Non", "NE"}},
    {19, {"Twinkle", "Blinken", "Twinkle", "Bliká"}},
    {23, {"Com opening error!", "Falscher COM-Anschlußes!", "Erreur connections PC!", "Chyba při otevírání portu Com!"}},
    {24, {"Open file error!", "Fehler beim öffnen der Datei!", "Erreur ouvertur fichier!", "Chyba při otevírání souboru!"}},
    {25, {"Do you want default setting?", "Wollen Sie Standardeinstellungen öffnen?", "Voulez vous la programation de base?", "Chcete nastavit základní hodnoty?"}},
    {26, {"Do you want default setting for this page?", "Wollen Sie Standardeinstellungen für diese Seite öffnen?", "Voulez vous la programation de base pour page?", "Chcete nastavit základní hodnoty pro tuto záložku?"}},
    {28, {"Unmatched version of *.ign file!", "Datendatei *.ign ist nicht kompatiebel!", "Programme du fichier non compatible avec programme PC!", "Neshodná verze souboru *.ign!"}},
    {30, {"Date and time of printing:  ", "Zeitpunkt des Ausdruckes   ", "Date et heur de l´imprimé:   ", "Datum a čas tisku:  "}},
    {32, {"Pick-up (CKPS)", "Geber (CKPS)", "Capteur (CKPS)", "Snímač (CKPS)"}},
    {33, {"Pick-up (CMPS)", "Geber (CMPS)", "Capteur (CMPS)", "Snímač (CMPS)"}},
    {34, {" is running", " läuft", " fonctionne", " pracuje"}},
    {35, {" no signal", " kein Signal", " pas de signal", " bez signálu"}},
    {37, {"This version of program Kestrin_Max_Power.exe is not for required bike!", "Diese Version des Programs Kestrin_Max_Power.exe ist nicht für angeforderte Motorrad!", "This version of program Kestrin_Max_Power.exe is not for required bike!", "Tato verze programu Kestrin_Max_Power.exe není pro požadovanou motorku!"}},
    {38, {"Base advance [°]", "Basis Vorzündung [°]", "Avance de base [°]", "Základní předstih [°]"}},
    {39, {"Saving:", "Speicherung:", "Mémorisation", "Ukládání:"}},
    {40, {"Injection time", "Einspritzzeit", "Temp de injection", "Čas vstřiku"}},
    {41, {"Max injection", "Max.Einspritz", "Max injection", "Max. vstřik"}},
    {42, {"Position", "Lage", "Positon", "Poloha"}},
    {43, {"Exhaust servo ", "Abblaseservo", "Exhaust servo ", "Výfuk. servo "}},
    {44, {"Intake servo", "Ansaugservo", "Intake servo", "Sací servo "}},
    {46, {"Potentiometer", "Potentiometer", "Potentiometer", "Potenciometr"}},
    {47, {"Fall sensor", "Not Aus Sensor", "Fall sensor", "Pádový senzor"}},
    {48, {"Cooling", "Kühlung", "Cooling", "Chlazení"}},
    {49, {"Gear", "Gang", "Gear", "Rychlost. stupeň"}},
    {50, {"Speed", "Geschwindigkeit", "Vitesse", "Rychlost"}},
    {51, {"Gear shift light", "Schaltblitz", "Retard à l´allumage", "Kontrolka řazení"}},
    {52, {"Choke", "Startvergaser", "Choke", "Sytič"}},
    {53, {"IAP -> TP:", "IAP -> TP:", "IAP -> TP:", "IAP -> TP:"}},
    {54, {"Hysteresis [mV]", "Hysteresis [mV]", "Hysteresis [mV]", "Hystereze [mV]"}},
    {55, {"Width of Lobe [°]", "Leitstückbreite [°]", "Width of Lobe [°]", "Šířka výstupku [°]"}},
    {56, {"Correction for cylinder", "Korrektion für Zylinder", "Correction for cylinder", "Korekce pro válec"}},
    {57, {"TPS min", "TPS min", "TPS min", "TPS min"}},
    {58, {"TPS max", "TPS max", "TPS max", "TPS max"}},
    {59, {"RPM min", "RPM min", "RPM min", "RPM min"}},
    {60, {"RPM max", "RPM max", "RPM max", "RPM max"}},
    {61, {"Clutch master", "Schaltautomat", "Clutch master", "Clutch master"}},
    {62, {"Tacho", "Tacho", "Tacho", "Tacho"}},
    {63, {"Lambda", "Lambda", "Lambda", "Lambda"}},
    {65, {"Inj. according TPS", "Einsp. nach TPS", "Inj. according TPS", "Vstřik dle TPS"}},
    {66, {"Period [ms]", "Periode [ms]", "Période [ms]", "Perioda [ms]"}},
    {67, {"Excitation [us]", "Anfachung [us]", "Excitation [us]", "Buzení [us]"}},
    {68, {"Coolant", "Kühlflüssigkeit", "Températur moteur", "Teplota vody"}},
    {69, {"Intake servo must be enabled", "Intake servo must be enabled", "Intake servo must be enabled", "Musí být povoleno sací servo"}},
    {70, {"Intake servo must be disabled", "Intake servo must be disabled", "Intake servo must be disabled", "Sací servo nesmí být povoleno"}},
    {72, {"Idle", "Freilauf", "Idle", "Volnoběh"}},
    {73, {"Desired RPM", "Gewünschte RPM", "Desired RPM", "Požadované RPM"}},
    {74, {"Start position of intake servo", "Startlage des Ansaugservo", "Start position of intake servo", "Start. poloha sacího serva"}},
    {75, {"TPS min [in steps of servo]", "TPS min [in schritt des Servo]", "TPS min [in steps of servo]", "TPS min [kroku serva]"}},
    {76, {"Min position [%]", "Min Lage [%]", "Min position [%]", "Min. poloha [%]"}},
    {77, {"T: rpm=0", "E: rpm=0", "T: rpm=0", "L: rpm=0"}},
    {78, {"T: Coupled", "E: Gekoppelt", "T: Coupled", "L: Spřažený"}},
    {79, {"T: no TPS, no IAP", "E: kein TPS, kein IAP", "T: no TPS, no IAP", "L: není TPS, není IAP"}},
    {80, {"T: Tunning is off", "E: Einstellung ist aus", "T: Tunning is off", "L: Ladění vypnuto"}},
    {81, {"T: Accelarition to big", "E: Akceleration ist zu hoch", "T: Accelarition to big", "L: Akcelerace je příliš velká"}},
    {82, {"T: Jet from TPS and IAP map", "E: Jet aus TPS und IAP map", "T: Jet from TPS and IAP map", "L: Vstřik z mapy TPS i IAP"}},
    {83, {"T: It is not in point", "E: Es ist nicht in Punkt", "T: It is not in point", "L: Není v bodě"}},
    {84, {"T: Lambda voltage error", "E: Lambdaspannungfehler", "T: Lambda voltage error", "L: Chybná hodnota lambda napětí"}},
    {85, {"T: RPM to low (before first point)", "E: Rpm zu small (vor erste Punkt)", "T: RPM to low (before first point)", "L: Nízké otáčky (před prvním bodem)"}},
    {86, {"T: RPM high (after last point)", "E: RPM hoch (hinter letzte Punkt)", "T: RPM high (after last point)", "L: Velké otáčky (za posledním bodem)"}},
    {87, {"T: TPS or IAP to low (before first point)", "E: TPS or IAP  zu small (vor erste Punkt)", "T: TPS or IAP to low (before first point)", "malé TPS nebo IAP - před prvním bodem"}},
    {88, {"T: TPS or IAP high ((hinter letzte Punkt)", "E: TPS or IAP zu hoch ((hinter letzte Punkt)", "T: TPS or IAP high ((hinter letzte Punkt)", "L: velké TPS nebo IAP za posledním bodem"}},
    {89, {"T: Adding", "E: Zusatz", "T: Adding", "L: Přidávání"}},
    {90, {"T: Decrease", "E: Abnahme", "T: Decrease", "L: Ubírání"}},
    {91, {"T: OK", "E: OK", "T: OK", "L: OK"}},
    {92, {"Gear voltage", "GPS Spannung", "Gear voltage", "GPS napětí"}},
    {93, {"Step servo position", "Schrittmotorlage", "Step servo position", "Poloha krokového motoru"}},
    {94, {"Pit speed control retard", "Pit speed control retard", "Pit speed control retard", "Pit speed control retard"}},
    {95, {"Pit speed control no ignition", "Pit speed control no ignition", "Pit speed control no ignition", "Pit speed control no ignition"}},
};

// Entry 27 is several lines: a headline, an empty line, then two lines.
constexpr const char* kOlderIgnFile[kLanguageCount] = {
    "Older version of *.ign file!\n\n"
    "Some parameters won't be changed or will be set to default value.\n"
    "They are parameters which are not in older version or have another structure.",
    "Älter Version von Datendatei *.ign!\n\n"
    "Einige Kenndaten werden nicht geändert oder werden implizit Wert gestellt.\n"
    "Sie sind die Kenndaten, die in älter Version nicht sind oder andere Struktur haben",
    "Older version of *.ign file!\n\n"
    "Some parameters won't be changed or will be set to default value.\n"
    "They are parameters which are not in older version or have another structure.",
    "Starší verze souboru *.ign!\n\n"
    "Některé parametry budou nezměněny nebo nataveny na základní hodnotu.\n"
    "Jsou to parametry, které v této verzi nebyly obsaženy nebo měly jinou strukturu.",
};

// Entry 31 wraps the manual's name (entry 2) in the help error.
constexpr const char* kHelpErrorHead[kLanguageCount] = {
    "Error by opening file ",
    "Fehler beim öffnen der Datei ",
    "Erreur à l´ouvertur du Fichier ",
    "Chyba při otevírání souboru ",
};

const char* cylinderList(int cylinderCount)
{
    switch (cylinderCount) {
    case 1: return " 1";
    case 2: return " 1,2";
    case 3: return " 1,2,3";
    default: return " 1,2,3,4";
    }
}

}  // namespace

void MessageTable::fill(int language, int cylinderCount)
{
    language_ = (language >= 0 && language < kLanguageCount) ? language : English;
    const std::string fileName = entries_[msg::FileName];
    entries_.fill({});
    entries_[msg::FileName] = fileName;

    for (const FixedText& t : kFixedTexts)
        entries_[static_cast<std::size_t>(t.index)] = t.text[language_];

    entries_[msg::CaptionHead] = "  Kestrin_2007";
    entries_[msg::HelpFile] = language_ == Czech ? "manual_kestrin_2007_cz.pdf" : "manual_kestrin_2007_en.pdf";
    entries_[msg::OlderIgnFile] = kOlderIgnFile[language_];
    entries_[msg::HelpError] = kHelpErrorHead[language_] + entries_[msg::HelpFile] + " !";
    entries_[msg::CorrectionForCylinder] += cylinderList(cylinderCount);
    entries_[msg::TachoLambda] = entries_[msg::Tacho] + "/" + entries_[msg::Lambda];
}

const std::string& MessageTable::operator[](int index) const
{
    static const std::string kEmpty;
    if (index < 0 || index >= kMessageCount)
        return kEmpty;
    return entries_[static_cast<std::size_t>(index)];
}

}  // namespace kestrin
