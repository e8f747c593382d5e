// The window's texts and start-up read back as a user meets them: every
// menu, button and tab caption and every hint in the four languages, the
// File menu's order, and a start-up from the image of another bike.

#include "files/file_steps.h"
#include "files/snapshot.h"
#include "model/bike_defaults.h"
#include "model/field_offsets.h"
#include "ui_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTabWidget>
#include <QEnterEvent>

#include <gtest/gtest.h>

namespace kestrin::ui {
namespace {

using test::WindowFixture;

const char* const kLanguageEntries[4] = {"MenuEnglish", "MenuGerman", "MenuFrench", "MenuCzech"};

// The caption of the control or menu entry `name`, whatever its kind.
std::string captionOf(const WindowFixture& f, const char* name)
{
    const QString object = QString::fromLatin1(name);
    if (auto* menu = f.window->findChild<QMenu*>(object))
        return menu->title().toStdString();
    if (auto* action = f.window->findChild<QAction*>(object))
        return action->text().toStdString();
    if (auto* button = f.window->findChild<QAbstractButton*>(object))
        return button->text().toStdString();
    if (auto* box = f.window->findChild<QGroupBox*>(object))
        return box->title().toStdString();
    if (auto* label = f.window->findChild<QLabel*>(object))
        return label->text().toStdString();
    return "<no " + std::string(name) + ">";
}

struct Row {
    const char* object;
    const char* text[4];
};

TEST(WindowCheck, EveryMenuAndButtonCaptionInEachLanguage)
{
    const Row rows[] = {
        {"MenuFile", {"&File", "&Datei", "&Fichier", "&Soubor"}},
        {"MenuNew", {"&New", "&Neu", "&Nouveau", "&Nový"}},
        {"MenuNewActPage", {"New for actual page", "Neu für aktual Seite", "New for actual page", "&Nový pro aktuální záložku"}},
        {"MenuOpen", {"&Open", "&Öffnen", "&Ouvrir", "&Otevřít"}},
        {"MenuOpenExeDir", {"Open from exe dir", "&Öffnen aue exe dir", "Open from exe dir", "&Otevřít z exe dir"}},
        {"MenuOpenActPage", {"Open for actual page", "Öffnen für aktual Seite", "Open for actual page", "&Otevřít pro aktuální záložku"}},
        {"MenuSave", {"&Save", "&Speichern", "&Mèmoriser", "&Uložit"}},
        {"MenuSaveExeDir", {"Save to exe dir", "Speichern in exe dir", "Save to exe dir", "Uložit do exe dir"}},
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
        {"MenuZpet", {"Undo", "Zurück", "Undo", "Zpet"}},
        {"MenuZnovu", {"Redo", "Wieder", "Redo", "Znovu"}},
        {"MenuLanguage", {"&Language", "&Sprache", "&Langue", "&Jazyk"}},
        {"MenuEnglish", {"&English", "&Englisch", "&Englais", "&Anglicky"}},
        {"MenuGerman", {"&German", "&Deutsch", "&Allemand", "&Německy"}},
        {"MenuFrench", {"&French", "&Französisch", "&Francais", "Francouzky"}},
        {"MenuCzech", {"&Czech", "&Tschechisch", "&Tchèque", "Če&sky"}},
        {"MenuHelp", {"&Help", "&Hilfe", "&Aide", "Nápověda"}},
        {"MenuContens", {"&Contents...", "&Inhalt...", "&Contenu", "Obsah"}},
        {"MenuAbout", {"&About...", "&Über Programm...", "&Information", "&O programu..."}},
        {"LabelSpojeni", {"No connection with PC", "Keine Verbindung zum PC", "Pas de connection acec pc", "Není spojení s PC"}},
        {"LabelEeDataErr", {"Programmed data error!", "Abgelegte Daten Fehler!", "Programmed data error!", "Chyba naprogramovaných dat!"}},
        {"CheckBoxExtMonitor", {"Detailed representation", "Detailliert Abbildung", "Détail figure", "Detailní zobrazení"}},
        // Entries the language routine leaves with their form captions.
        {"MenuServis", {"Servis", "Servis", "Servis", "Servis"}},
        {"MenuToolsMinus", {"Minus ", "Minus ", "Minus ", "Minus "}},
        {"MenuToolsPlus", {"Plus", "Plus", "Plus", "Plus"}},
        {"MenuLadeniOn", {"Tunning On-Off", "Tunning On-Off", "Tunning On-Off", "Tunning On-Off"}},
        {"MenuToolsInterpolOn", {"Interpolace", "Interpolace", "Interpolace", "Interpolace"}},
        {"Menu_Jet123Stejny", {"1=2=3=4", "1=2=3=4", "1=2=3=4", "1=2=3=4"}},
        {"MenuComAuto", {"Com Auto", "Com Auto", "Com Auto", "Com Auto"}},
    };
    WindowFixture f;
    // Czech last but one, so that a text that misses a switch back shows.
    for (int language : {1, 2, 3, 0}) {
        f.window->action(kLanguageEntries[language])->trigger();
        for (const Row& row : rows)
            EXPECT_EQ(captionOf(f, row.object), row.text[language]) << row.object << " in language " << language;
    }
}

TEST(WindowCheck, HintsInEachLanguageWithTheBarSplittingToolTipAndStatusText)
{
    struct Hint {
        std::vector<const char*> objects;
        const char* text[4];
    };
    const Hint hints[] = {
        {{"SpeedButtonOpen", "MenuOpen"}, {"Open file with parametrs", "Kenndatendatei öffnen", "Ouvrir fichier avec paramètres", "Otevření souboru s parametry"}},
        {{"SpeedButton6", "MenuNew"}, {"Set default parametrs", "Neue Kenndatendaten erstellen", "Reprogramation des paramètres initial Dórigine", "Nastavení výchozích parametrů"}},
        {{"SpeedButtonSave", "MenuSave"}, {"Save parametrs to file", "Kenndaten in Datei speichern", "Sauvegarder les paramètres", "Uložení parametrů do souboru"}},
        {{"SpeedButtonPrint", "MenuPrint"}, {"Print parametrs", "Druck der Kenndaten", "Imprimer paramètres", "Tisk parametrů"}},
        {{"ButtonProgram", "MenuProgram"}, {"Programing  set parametrs to ignition", "Programmieren der Kenndaten auf die Zündbox", "Programer les paramètres dans ECU", "Programování nastavených parametrů do zapalování"}},
        {{"ButtonVerify", "MenuVerify"}, {"Compare set parametrs  with parametrs of ignition", "Vergleich der Kenndaten mit Zündboxkenndaten", "Comparer les paramètres de ECU", "Ověření zda  nastavené parametry souhlasí s parametry naprogramovanými do zapalování"}},
        {{"ButtonRead", "MenuRead"}, {"Reading parametrs from ignition", "Kenndaten aus Zündung lesen", "Lire paramètres ECU", "Čtení parametrů ze zapalování"}},
        {{"MenuExit"}, {"End of program", "Programm beenden", "Sortir du programme", "Ukončení programu"}},
        {{"MenuCom"}, {"Set number of com", "Com-Anschluß festlegen", "installer nombre de com", "Nastavení čísla serivého portu (Com) "}},
        {{"CheckBoxProgHned"}, {"Programing at once after change", "Programmmierung gleich nach der Änderung", "Programation instantanée des modifications", "Programování ihned po změně"}},
    };
    WindowFixture f;
    const auto tips = [&](const char* name) -> std::pair<std::string, std::string> {
        const QString object = QString::fromLatin1(name);
        if (auto* menu = f.window->findChild<QMenu*>(object))
            return {menu->menuAction()->toolTip().toStdString(), menu->menuAction()->statusTip().toStdString()};
        if (auto* action = f.window->findChild<QAction*>(object))
            return {action->toolTip().toStdString(), action->statusTip().toStdString()};
        if (auto* widget = f.window->findChild<QWidget*>(object))
            return {widget->toolTip().toStdString(), widget->statusTip().toStdString()};
        return {"<none>", "<none>"};
    };
    for (int language : {1, 2, 3, 0}) {
        f.window->action(kLanguageEntries[language])->trigger();
        for (const Hint& hint : hints)
            for (const char* object : hint.objects)
                EXPECT_EQ(tips(object), std::make_pair(std::string(hint.text[language]), std::string(hint.text[language])))
                    << object << " in language " << language;
        // Only the English language hint holds a bar: its head is the tool
        // tip, its tail the status bar text.
        const auto language_ = tips("MenuLanguage");
        if (language == 0)
            EXPECT_EQ(language_, std::make_pair(std::string("Language"), std::string("Set English or German or French")));
        else
            EXPECT_EQ(language_.first, language_.second);
    }
}

TEST(WindowCheck, TabCaptionsInEachLanguage)
{
    const char* const tabs[4][19] = {
        {"Bike", "Advance", "Inj. 1", "Inj. 2", "Inj. 3", "Inj. 4", "Inj. B", "Inj. IAP", "Position", "Corrections",
         "Sensors", "Intake servo", "Exhaust servo ", "Idle", "N2O", "Race", "Gear", "Tuning", "Monitor"},
        {"Mottorad", "Vorzündung", "Einsp. 1", "Einsp. 2", "Einsp. 3", "Einsp. 4", "Einsp. B", "Einsp. IAP", "Lage",
         "Korrektionen", "Senzoren", "Ansaugservo", "Abblaseservo", "Freilauf", "N2O", "Race", "Gang", "Einstellung",
         "Monitor"},
        {"Bike", "Avance", "Inj. 1", "Inj. 2", "Inj. 3", "Inj. 4", "Inj. B", "Inj. IAP", "Positon", "Corrections",
         "Sensors", "Intake servo", "Exhaust servo ", "Idle", "N2O", "Race", "Gear", "Tuning", "Monitor"},
        {"Motocykl", "Předstih", "Vstřik 1", "Vstřik 2", "Vstřik 3", "Vstřik 4", "Vstřik B", "Vstřik IAP", "Poloha",
         "Korekce", "Čidla", "Sací servo ", "Výfukové servo ", "Volnoběh", "N2O", "Race", "Řazení", "Ladění", "Monitor"},
    };
    WindowFixture f;
    for (int language : {1, 2, 3, 0}) {
        f.window->action(kLanguageEntries[language])->trigger();
        for (int page = 0; page < 19; ++page)
            EXPECT_EQ(f.window->pageControl()->tabText(page).toStdString(), tabs[language][page])
                << "page " << page << " in language " << language;
    }
}

TEST(WindowCheck, FileMenuOrderWithItsSeparators)
{
    WindowFixture f;
    std::vector<std::string> order;
    for (QAction* entry : f.window->menu("MenuFile")->actions())
        order.push_back(entry->isSeparator() ? "-" : entry->objectName().toStdString());
    EXPECT_EQ(order, (std::vector<std::string>{"MenuNew", "MenuNewActPage", "-", "MenuOpen", "MenuOpenExeDir",
                                               "MenuOpenActPage", "-", "MenuSave", "MenuSaveExeDir", "-", "MenuPrint",
                                               "-", "MenuExit"}));
}

// The image of the last run may belong to another bike than the start bike:
// the window must then work with that bike's tables, exactly as if the set
// had been made for it, or its injection maps are converted against the
// wrong references.
TEST(WindowCheck, StartUpFromTheImageOfAnotherBikeUsesThatBikesTables)
{
    const auto defaultsOf = [](int code, Document& doc) {
        doc.image.setByte(off::BikeCode, static_cast<std::uint8_t>(code));
        ApplyBikeDefaults(doc);
        RecomputeDerivedTables(doc);
    };
    Document start;
    defaultsOf(11, start);
    int other = -1;
    auto reference = std::make_unique<Document>();
    for (int code = 0; code <= 60 && other < 0; ++code) {
        reference = std::make_unique<Document>();
        defaultsOf(code, *reference);
        if (reference->derived.baseMaps != start.derived.baseMaps)
            other = code;
    }
    ASSERT_GE(other, 0) << "no bike with other base maps than the start bike";

    WindowFixture f({}, false);
    ASSERT_TRUE(saveSnapshotFile(f.window->settingsLocation().snapshotFile, reference->image, PageFlags{}));
    f.window->FormCreate();
    ASSERT_EQ(f.doc.image.byte(off::BikeCode), other);
    EXPECT_TRUE(f.doc.derived.baseMaps == reference->derived.baseMaps) << "bike " << other;
    EXPECT_TRUE(f.doc.derived.percent == reference->derived.percent) << "bike " << other;
    EXPECT_TRUE(f.doc.image == reference->image) << "bike " << other;
}

}  // namespace
}  // namespace kestrin::ui

namespace kestrin::ui {
namespace {

// After a program run the status line and its full gauge stay on screen;
// a print then puts its stamp on the line and leaves the gauge hidden, so
// that the old progress does not read as the print's.
TEST(WindowCheck, PrintLeavesTheStampShownAndTheTransferGaugeHidden)
{
    test::WindowFixture f;
    f.tick(20);
    f.window->action("MenuProgram")->trigger();
    f.tick(60);
    auto* gauge = f.find<QWidget>("CGaugeProgram");
    ASSERT_FALSE(gauge->isHidden());

    f.dialogs.printFile = f.configDir.path() + QStringLiteral("/print.pdf");
    f.window->action("MenuPrint")->trigger();
    auto* line = f.find<QLabel>("LabelHlaseni");
    EXPECT_TRUE(line->text().startsWith(QStringLiteral("Date and time of printing:  ")));
    EXPECT_FALSE(line->isHidden());
    EXPECT_TRUE(gauge->isHidden());
    f.tick();
    EXPECT_FALSE(line->isHidden());
    EXPECT_TRUE(gauge->isHidden());
}

// New and Open hide the status line and its gauge; the idle ticks that
// follow change their texts but do not show them again.
TEST(WindowCheck, FileCommandsHideTheStatusLineForGood)
{
    test::WindowFixture f;
    f.tick(20);
    f.window->action("MenuProgram")->trigger();
    f.tick(60);
    auto* line = f.find<QWidget>("LabelHlaseni");
    auto* gauge = f.find<QWidget>("CGaugeProgram");
    ASSERT_FALSE(line->isHidden());
    f.window->action("MenuOpen")->trigger();  // cancelled
    EXPECT_TRUE(line->isHidden());
    EXPECT_TRUE(gauge->isHidden());
    f.tick(10);
    EXPECT_TRUE(line->isHidden());
    EXPECT_TRUE(gauge->isHidden());
}

}  // namespace
}  // namespace kestrin::ui

namespace kestrin::ui {
namespace {

// The settings decide the port and the language at start-up; a value out of
// range falls back to English, and the menus' check marks follow.
TEST(WindowCheck, StartUpTakesPortAndLanguageFromTheSettings)
{
    struct Case {
        const char* keys;
        const char* checkedPort;
        int language;
        const char* file;
    } cases[] = {
        {"", "Com 1", 0, "&File"},
        {"ComPort=6\r\nLanguage=3\r\n", "Com 6", 3, "&Soubor"},
        {"ComPort=21\r\nLanguage=7\r\n", "Com Auto", 0, "&File"},
        {"Language=1\r\n", "Com 1", 1, "&Datei"},
    };
    for (const Case& c : cases) {
        test::WindowFixture f({}, false);
        QFile ini(QString::fromStdString(f.window->settingsLocation().settingsFile));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(QByteArray("[BASIC]\r\n") + c.keys);
        ini.close();
        f.window->FormCreate();
        std::vector<std::string> checked;
        for (QAction* entry : f.window->menu("MenuCom")->actions())
            if (entry->isChecked())
                checked.push_back(entry->text().toStdString());
        EXPECT_EQ(checked, std::vector<std::string>{c.checkedPort}) << c.keys;
        EXPECT_EQ(f.window->messages().language(), c.language) << c.keys;
        EXPECT_TRUE(f.window->action(kLanguageEntries[c.language])->isChecked()) << c.keys;
        EXPECT_EQ(f.window->menu("MenuFile")->title().toStdString(), c.file) << c.keys;
    }
}

}  // namespace
}  // namespace kestrin::ui

namespace kestrin::ui {
namespace {

// A control's hint reaches the status bar when the mouse enters it, in the
// present language.
TEST(WindowCheck, HintOfAHoveredControlShowsInTheStatusBar)
{
    test::WindowFixture f;
    f.window->action("MenuGerman")->trigger();
    auto* bar = f.find<QStatusBar>("StatusBar1");
    ASSERT_NE(bar, nullptr);
    for (const auto& [name, hint] : {std::pair{"SpeedButtonSave", "Kenndaten in Datei speichern"},
                                     std::pair{"ButtonRead", "Kenndaten aus Zündung lesen"}}) {
        auto* control = f.find<QWidget>(name);
        ASSERT_NE(control, nullptr) << name;
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(control, &enter);
        EXPECT_EQ(bar->currentMessage().toStdString(), hint) << name;
    }
}

}  // namespace
}  // namespace kestrin::ui
