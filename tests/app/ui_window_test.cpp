// The main window: its pages, menus, languages and lifecycle, found by name.

#include "app/ui/bar_gauge.h"
#include "app/ui/colour_label.h"
#include "link/port_names.h"
#include "model/field_offsets.h"
#include "model/fields.h"
#include "ui_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QTest>
#include <QMenu>
#include <QPrinter>
#include <QDialog>
#include <QLabel>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

namespace kestrin::ui {

namespace {

using test::WindowFixture;

TEST(Window, HasTheNineteenPagesInOrder)
{
    WindowFixture f;
    QTabWidget* pages = f.window->pageControl();
    ASSERT_EQ(pages->count(), 19);
    EXPECT_EQ(pages->objectName(), QStringLiteral("PageControl1"));
    const char* english[19] = {"Bike",     "Advance",     "Inj. 1",         "Inj. 2", "Inj. 3", "Inj. 4",  "Inj. B",
                               "Inj. IAP", "Position",    "Corrections",    "Sensors", "Intake servo",
                               "Exhaust servo ", "Idle",  "N2O",            "Race",   "Gear",   "Tuning", "Monitor"};
    for (int i = 0; i < 19; ++i)
        EXPECT_EQ(pages->tabText(i).toStdString(), english[i]) << "page " << i;
}

TEST(Window, MenusCarryTheirShortcuts)
{
    WindowFixture f;
    const std::pair<const char*, QKeySequence> keys[] = {
        {"MenuNew", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"MenuNewActPage", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_N)},
        {"MenuOpen", QKeySequence(Qt::Key_F3)},
        {"MenuOpenExeDir", QKeySequence(Qt::CTRL | Qt::Key_F3)},
        {"MenuOpenActPage", QKeySequence(Qt::SHIFT | Qt::Key_F3)},
        {"MenuSave", QKeySequence(Qt::Key_F2)},
        {"MenuSaveExeDir", QKeySequence(Qt::CTRL | Qt::Key_F2)},
        {"MenuPrint", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"MenuContens", QKeySequence(Qt::Key_F1)},
    };
    for (const auto& [name, key] : keys) {
        QAction* entry = f.window->action(name);
        ASSERT_NE(entry, nullptr) << name;
        EXPECT_EQ(entry->shortcut(), key) << name;
    }
    // The port menu: "Com 1" .. "Com 20" and "Com Auto".
    QMenu* com = f.window->menu("MenuCom");
    ASSERT_NE(com, nullptr);
    ASSERT_EQ(com->actions().size(), 21);
    EXPECT_EQ(com->actions().at(11)->text(), QStringLiteral("Com 12"));
    EXPECT_EQ(com->actions().at(20)->text(), QStringLiteral("Com Auto"));
    // The service menu stays hidden without the marker file.
    EXPECT_FALSE(f.window->menu("MenuServis")->menuAction()->isVisible());
}

TEST(Window, LanguageSwitchRetitlesMenusTabsAndKeepsOneCheckMark)
{
    WindowFixture f;
    const char* entries[4] = {"MenuEnglish", "MenuGerman", "MenuFrench", "MenuCzech"};
    struct Case {
        int language;
        const char* file;
        const char* tab17;
        const char* hintOpen;
    };
    const Case cases[] = {
        {1, "&Datei", "Einstellung", "Kenndatendatei öffnen"},
        {3, "&Soubor", "Ladění", "Otevření souboru s parametry"},
        {2, "&Fichier", "Tuning", "Ouvrir fichier avec paramètres"},
        {0, "&File", "Tuning", "Open file with parametrs"},
    };
    for (const Case& c : cases) {
        f.window->action(entries[c.language])->trigger();
        EXPECT_EQ(f.window->menu("MenuFile")->title().toStdString(), c.file);
        EXPECT_EQ(f.window->pageControl()->tabText(17).toStdString(), c.tab17);
        EXPECT_EQ(f.window->action("MenuOpen")->statusTip().toStdString(), c.hintOpen);
        int checked = 0;
        for (int i = 0; i < 4; ++i)
            checked += f.window->action(entries[i])->isChecked() ? 1 : 0;
        EXPECT_EQ(checked, 1);
        EXPECT_TRUE(f.window->action(entries[c.language])->isChecked());
    }
}

TEST(Window, CommandLineLanguageIsExactAndCaseSensitive)
{
    EXPECT_EQ(WindowFixture("CESKY").window->messages().language(), Czech);
    EXPECT_EQ(WindowFixture("english").window->messages().language(), English);
    EXPECT_EQ(WindowFixture("DEUTSCH").window->menu("MenuHelp")->title().toStdString(), "&Hilfe");
}

TEST(Window, CaptionIsHeadSevenSpacesAndFileName)
{
    WindowFixture f;
    EXPECT_EQ(f.window->windowTitle().toStdString(), "  Kestrin_2007       ");
}

TEST(Window, HelpOpensTheManualOfTheLanguageOrReportsIt)
{
    WindowFixture f;
    f.window->action("MenuFrench")->trigger();
    f.window->action("MenuContens")->trigger();
    f.window->action("MenuCzech")->trigger();
    f.dialogs.documentOpens = false;
    f.window->action("MenuContens")->trigger();
    ASSERT_EQ(f.dialogs.documents.size(), 2);
    EXPECT_TRUE(f.dialogs.documents[0].endsWith(QStringLiteral("/manual_kestrin_2007_en.pdf")));
    EXPECT_TRUE(f.dialogs.documents[1].endsWith(QStringLiteral("/manual_kestrin_2007_cz.pdf")));
    ASSERT_EQ(f.dialogs.messages.size(), 1);
    EXPECT_EQ(f.dialogs.messages[0].toStdString(), "Chyba při otevírání souboru manual_kestrin_2007_cz.pdf !");
}

TEST(Window, CloseSavesSettingsAndTheImageForTheNextStart)
{
    QTemporaryDir config;
    {
        WindowFixture f;
        f.window->action("MenuGerman")->trigger();
        f.doc.image.setByte(2760, 77);  // inside the memo area
        f.window->pageControl()->setCurrentIndex(18);
        f.window->close();
        // A second request (SIGTERM after the menu's Exit) changes nothing.
        f.window->FormClose();
        ASSERT_TRUE(QFile::exists(QString::fromStdString(f.window->settingsLocation().settingsFile)));
        QFile::copy(QString::fromStdString(f.window->settingsLocation().settingsFile),
                    config.path() + QStringLiteral("/") + QFileInfo(QString::fromStdString(f.window->settingsLocation().settingsFile)).fileName());
        QFile::copy(QString::fromStdString(f.window->settingsLocation().snapshotFile),
                    config.path() + QStringLiteral("/") + QFileInfo(QString::fromStdString(f.window->settingsLocation().snapshotFile)).fileName());
    }
    Document doc;
    test::ScriptedDialogs dialogs;
    MemoryChannel channel;
    TFormHlav again(WindowServices{doc, dialogs, channel, config.path() + QLatin1Char('/'), config.path(), {}, {}});
    again.timer().stop();
    again.FormCreate();
    EXPECT_EQ(again.messages().language(), German);
    EXPECT_EQ(doc.image.byte(2760), 77);
    EXPECT_EQ(again.pageControl()->currentIndex(), 18);
}

}  // namespace
}  // namespace kestrin::ui

namespace kestrin::ui {
namespace {

using test::WindowFixture;

TEST(WindowLive, TicksShowLiveValuesThenNoConnectionWhenTheUnitFallsSilent)
{
    WindowFixture f;
    auto* spojeni = f.find<ColourLabel>("LabelSpojeni");
    auto* version = f.find<ColourLabel>("LabelVersion");
    auto* rpm = f.find<ColourLabel>("LabelRpm");
    ASSERT_TRUE(spojeni && version && rpm);

    f.tick(40);
    EXPECT_TRUE(spojeni->isHidden());
    EXPECT_FALSE(version->isHidden());
    EXPECT_TRUE(rpm->text().startsWith(QStringLiteral("RPM = "))) << rpm->text().toStdString();
    EXPECT_GT(f.window->link().live().rpm, 0);
    // The Monitor page shows the frame too, and the port in use.
    EXPECT_TRUE(f.find<ColourLabel>("LabelMon_Ign1")->text().contains(QStringLiteral("°")));
    EXPECT_TRUE(f.find<ColourLabel>("LabelCom")->text().startsWith(QStringLiteral("COM= COM")));

    // Silent from now on: "No Connection" after 24 ticks, never with the version label.
    f.unit.setFaults(SimFaults{.silentAfter = 0});
    int shownAt = -1;
    for (int t = 1; t <= 40; ++t) {
        f.tick();
        EXPECT_NE(spojeni->isHidden(), version->isHidden()) << "tick " << t;
        if (shownAt < 0 && !spojeni->isHidden())
            shownAt = t;
    }
    EXPECT_GE(shownAt, 20);
    EXPECT_LE(shownAt, 30);

    // A language switch while disconnected puts the placeholders in place.
    f.window->action("MenuGerman")->trigger();
    EXPECT_EQ(f.find<ColourLabel>("LabelMon_Ign")->text().toStdString(), "Vorzündung= --- [°]");
}

TEST(WindowLive, NoUnitShowsNoConnectionOnTheSeventhTick)
{
    WindowFixture f;
    f.unit.setFaults(SimFaults{.silentAfter = 0});
    auto* spojeni = f.find<ColourLabel>("LabelSpojeni");
    f.tick(6);
    EXPECT_TRUE(spojeni->isHidden());
    f.tick();
    EXPECT_FALSE(spojeni->isHidden());
    EXPECT_EQ(f.find<ColourLabel>("LabelMon_Jet_A")->text().toStdString(), "Injection time A = --- us");
}

TEST(WindowLive, AReadRunCompleteOrFailedCanBeUndoneToTheImageBeforeIt)
{
    // Block 1 holds IgnLimiter, so the failed read (block 10 never answers)
    // has already brought it in when it fails.
    for (const int dropBlock : {-1, 10}) {
        WindowFixture f;
        const ParameterImage before = f.doc.image;
        f.unit.stored() = before;
        f.unit.stored().setByte(off::IgnLimiter, static_cast<std::uint8_t>(before.byte(off::IgnLimiter) - 5));
        f.unit.setFaults(SimFaults{.dropBlock = dropBlock});
        f.window->action("MenuRead")->trigger();
        for (int t = 0; t < 400 && f.window->link().engine().running(); ++t)
            f.tick();
        ASSERT_FALSE(f.window->link().engine().running());
        ASSERT_NE(f.doc.image.byte(off::IgnLimiter), before.byte(off::IgnLimiter)) << dropBlock;
        if (dropBlock >= 0) {
            EXPECT_EQ(f.find<ColourLabel>("LabelHlaseni")->text().toStdString(), "Read error!");
        }
        // The read blocks came from the unit: nothing waits to be programmed.
        for (bool pending : f.doc.undo.pending)
            EXPECT_FALSE(pending);
        ASSERT_TRUE(f.window->action("MenuZpet")->isEnabled());
        f.window->action("MenuZpet")->trigger();
        EXPECT_EQ(f.doc.image, before) << dropBlock;
        // Back at the old set, the unit differs from it in the limiter's block.
        EXPECT_TRUE(f.doc.undo.pending[ParameterImage::blockOfOffset(off::IgnLimiter)]);
    }
}

}  // namespace
}  // namespace kestrin::ui

namespace kestrin::ui {
namespace {

using test::WindowFixture;

QString caption(const QString& file)
{
    return QStringLiteral("  Kestrin_2007       ") + file;
}

TEST(WindowFiles, SaveThenOpenRestoresTheSetAndTheDialogsRememberTheFile)
{
    WindowFixture f;
    const QString path = f.configDir.path() + QStringLiteral("/race.ign");
    f.dialogs.saveNames.push_back(path);
    f.window->action("MenuSave")->trigger();
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(f.window->windowTitle(), caption(path));
    const ParameterImage saved = f.doc.image;

    f.doc.image.setByte(off::IgnLimiter, static_cast<std::uint8_t>(saved.byte(off::IgnLimiter) + 3));
    f.dialogs.openNames.push_back(path);
    f.window->action("MenuOpen")->trigger();
    ASSERT_EQ(f.dialogs.openInitial.size(), 1);
    EXPECT_EQ(f.dialogs.openInitial[0], path);  // the open dialog starts at the saved file
    EXPECT_EQ(f.doc.image.byte(off::IgnLimiter), saved.byte(off::IgnLimiter));
    EXPECT_TRUE(f.dialogs.messages.isEmpty());
}

TEST(WindowFiles, CtrlOnTheToolBarButtonStartsAtDataIgnButNotFromTheMenu)
{
    WindowFixture f;
    auto* button = f.find<QAbstractButton>("SpeedButtonOpen");
    ASSERT_NE(button, nullptr);
    f.window->show();
    QTest::mouseClick(button, Qt::LeftButton, Qt::ControlModifier);
    f.window->action("MenuOpenActPage")->trigger();  // keeps what the last dialog set
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(f.dialogs.openInitial.size(), 3);
    EXPECT_EQ(f.dialogs.openInitial[0], f.window->defaultParameterFile());
    EXPECT_TRUE(f.dialogs.openInitial[0].endsWith(QStringLiteral("/data.ign")));
    EXPECT_EQ(f.dialogs.openInitial[1], f.window->defaultParameterFile());

    // A fresh window: the menu entry with Ctrl held means nothing special.
    WindowFixture g;
    g.window->action("MenuOpen")->trigger();
    ASSERT_EQ(g.dialogs.openInitial.size(), 1);
    EXPECT_TRUE(g.dialogs.openInitial[0].isEmpty());
}

TEST(WindowFiles, BadFilesAreReportedAndLeaveTheCaption)
{
    WindowFixture f;
    const QString bad = f.configDir.path() + QStringLiteral("/foreign.ign");
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("SOMETHING_ELSE 82\r\nBIKE 3\r\n");
    file.close();
    const ParameterImage before = f.doc.image;
    f.dialogs.openNames = {bad, f.configDir.path() + QStringLiteral("/missing.ign")};
    f.window->action("MenuOpen")->trigger();
    f.window->action("MenuOpen")->trigger();
    ASSERT_EQ(f.dialogs.messages.size(), 2);
    EXPECT_EQ(f.dialogs.messages[0].toStdString(), "Unmatched version of *.ign file!");
    EXPECT_EQ(f.dialogs.messages[1].toStdString(), "Open file error!");
    EXPECT_EQ(f.window->windowTitle(), caption({}));
    EXPECT_EQ(f.doc.image, before);
}

TEST(WindowFiles, NewAsksAndActualPageIsSkippedOnCoupledBankAPages)
{
    WindowFixture f;
    const QString path = f.configDir.path() + QStringLiteral("/a.ign");
    f.dialogs.saveNames.push_back(path);
    f.window->action("MenuSave")->trigger();

    f.dialogs.answers = {Answer::No};
    f.window->action("MenuNew")->trigger();
    EXPECT_EQ(f.window->windowTitle(), caption(path));
    f.dialogs.answers = {Answer::Yes};
    f.window->action("MenuNew")->trigger();
    EXPECT_EQ(f.window->windowTitle(), caption({}));
    ASSERT_EQ(f.dialogs.questions.size(), 2);
    EXPECT_EQ(f.dialogs.questions[0].toStdString(), "Do you want default setting?");

    f.doc.image.setByte(off::JetCouplingMode, 1);
    f.window->pageControl()->setCurrentIndex(3);  // Inj-2A
    f.window->action("MenuNewActPage")->trigger();
    f.window->action("MenuOpenActPage")->trigger();
    EXPECT_EQ(f.dialogs.questions.size(), 2);
    EXPECT_TRUE(f.dialogs.openInitial.isEmpty());
}

TEST(WindowPrint, PrintsToPdfWithTheStampAndRestoresTheWindow)
{
    WindowFixture f;
    f.unit.setFaults(SimFaults{.silentAfter = 0});
    f.tick(10);
    auto* spojeni = f.find<ColourLabel>("LabelSpojeni");
    ASSERT_FALSE(spojeni->isHidden());
    f.window->pageControl()->setCurrentIndex(18);

    f.dialogs.printFile = f.configDir.path() + QStringLiteral("/print.pdf");
    f.window->action("MenuPrint")->trigger();
    QFile pdf(f.dialogs.printFile);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(4) == "%PDF");
    EXPECT_GT(pdf.size(), 1000);

    EXPECT_TRUE(f.find<ColourLabel>("LabelHlaseni")->text().startsWith(QStringLiteral("Date and time of printing:  ")));
    for (int page = 0; page < 19; ++page)
        EXPECT_TRUE(f.window->pageControl()->isTabVisible(page)) << page;
    EXPECT_FALSE(f.find<QWidget>("GroupBoxToolBar")->isHidden());
    EXPECT_FALSE(f.find<QWidget>("CGaugeRpm")->isHidden());
    EXPECT_FALSE(spojeni->isHidden());
    EXPECT_FALSE(f.window->printing());

    // A cancelled print dialog changes nothing.
    f.dialogs.printFile.clear();
    f.find<ColourLabel>("LabelHlaseni")->setText(QStringLiteral("x"));
    f.window->action("MenuPrint")->trigger();
    EXPECT_EQ(f.find<ColourLabel>("LabelHlaseni")->text(), QStringLiteral("x"));
}

}  // namespace
}  // namespace kestrin::ui

namespace kestrin::ui {
namespace {

TEST(WindowJet, AllFourEqualHidesTheBankATabsAndMovesToInj1A)
{
    test::WindowFixture f;
    f.doc.image.setByte(off::CylinderCount, 4);
    f.window->action("Menu_Jet123Normal")->trigger();
    QTabWidget* pages = f.window->pageControl();
    for (int page : {3, 4, 5})
        EXPECT_TRUE(pages->isTabVisible(page)) << page;
    pages->setCurrentIndex(4);  // Inj-3A
    f.window->action("Menu_Jet123Stejny")->trigger();
    EXPECT_EQ(pages->currentIndex(), 2);
    for (int page : {3, 4, 5})
        EXPECT_FALSE(pages->isTabVisible(page)) << page;
    EXPECT_TRUE(f.window->action("Menu_Jet123Stejny")->isChecked());
    EXPECT_EQ(f.doc.image.byte(off::JetCouplingMode), 2);
    EXPECT_TRUE(f.window->action("MenuZpet")->isEnabled());

    // Two cylinders: Inj-2A only, once the maps are separate again.
    f.doc.image.setByte(off::CylinderCount, 2);
    f.window->action("Menu_Jet123Normal")->trigger();
    EXPECT_TRUE(pages->isTabVisible(3));
    EXPECT_FALSE(pages->isTabVisible(4));
    EXPECT_FALSE(pages->isTabVisible(5));
}

}  // namespace
}  // namespace kestrin::ui

namespace kestrin::ui {
namespace {

TEST(WindowLive, ProgramRunShowsItsProgressAndTheLineHidesAfter200Ticks)
{
    test::WindowFixture f;
    f.tick(12);
    auto* line = f.find<ColourLabel>("LabelHlaseni");
    auto* gauge = f.find<BarGauge>("CGaugeProgram");
    EXPECT_TRUE(line->isHidden());
    f.window->action("MenuProgram")->trigger();
    EXPECT_FALSE(line->isHidden());
    EXPECT_FALSE(gauge->isHidden());
    EXPECT_TRUE(line->text().startsWith(QStringLiteral("Program device:"))) << line->text().toStdString();
    int t = 0;
    while (f.window->link().engine().running() && t < 400) {
        f.tick();
        ++t;
    }
    ASSERT_FALSE(f.window->link().engine().running());
    EXPECT_EQ(f.unit.stored(), f.doc.image);
    EXPECT_FALSE(line->isHidden());
    EXPECT_EQ(line->colour(), ColourName::ButtonFace);
    f.tick(400);  // past the unit's saving countdown and the 200-tick hide
    EXPECT_TRUE(line->isHidden());
    EXPECT_TRUE(gauge->isHidden());
}

TEST(WindowServiceMode, TheMarkerFileShowsServisAndTheTestLabels)
{
    for (const char* content : {"some MODE_SWITCH words", "mode_switch"}) {
        test::WindowFixture f({}, false);
        QFile marker(QString::fromStdString(f.window->settingsLocation().markerFile));
        ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
        marker.write(content);
        marker.close();
        f.window->FormCreate();
        const bool on = std::string(content).find("MODE_SWITCH") != std::string::npos;
        EXPECT_EQ(f.window->serviceMode(), on) << content;
        EXPECT_EQ(f.window->menu("MenuServis")->menuAction()->isVisible(), on);
        EXPECT_EQ(f.find<QWidget>("LabelTest1")->isHidden(), !on);
    }
}

TEST(WindowAbout, ShowsVersionAndBuildAndFollowsTheLanguage)
{
    test::WindowFixture f;
    auto* about = f.find<QDialog>("TFormAbout");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(f.find<QLabel>("LabelRsKey")->text().toStdString(), "Version - 82");
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[A-Z][a-z]{2} [ 0-9]\\d \\d{4}$"))
                    .match(f.find<QLabel>("LabelDate")->text()).hasMatch());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$")).match(f.find<QLabel>("LabelTime")->text()).hasMatch());
    QTimer::singleShot(0, about, [about] { about->accept(); });
    f.window->action("MenuAbout")->trigger();
    EXPECT_EQ(about->windowTitle().toStdString(), "About Kestrin_2007");
    f.window->action("MenuCzech")->trigger();
    QTimer::singleShot(0, about, [about] { about->accept(); });
    f.window->action("MenuAbout")->trigger();
    EXPECT_EQ(about->windowTitle().toStdString(), "O programu Kestrin_2007");
}

}  // namespace
}  // namespace kestrin::ui

namespace kestrin::ui {
namespace {

TEST(WindowPorts, AMissingPortIsReportedOnceAndReopenedSilently)
{
    test::WindowFixture f;
    f.channel.setMissing({comPortDevice(5)});
    QAction* com5 = f.window->menu("MenuCom")->actions().at(4);
    com5->trigger();
    EXPECT_TRUE(com5->isChecked());
    EXPECT_EQ(f.find<ColourLabel>("LabelCom")->text().toStdString(), "COM= COM5");
    f.tick(100);  // lost, and re-opened every 30 ticks
    ASSERT_EQ(f.dialogs.messages.size(), 1);
    EXPECT_EQ(f.dialogs.messages[0].toStdString(), "Com opening error!");
    EXPECT_FALSE(f.find<ColourLabel>("LabelSpojeni")->isHidden());
}

TEST(WindowSettings, WindowKeysAreRestoredAndAnOffScreenWindowComesBackCentred)
{
    struct Case {
        const char* keys;
        bool onScreen;
    } cases[] = {
        {"Left=40\r\nTop=30\r\nWidth=1000\r\nHeight=650\r\n", true},
        {"Left=40000\r\nTop=30000\r\nWidth=1000\r\nHeight=650\r\n", false},
    };
    for (const Case& c : cases) {
        test::WindowFixture f({}, false);
        QFile ini(QString::fromStdString(f.window->settingsLocation().settingsFile));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(QByteArray("[BASIC]\r\n") + c.keys);
        ini.close();
        f.window->FormCreate();
        EXPECT_EQ(f.window->size(), QSize(1000, 650));
        if (c.onScreen)
            EXPECT_EQ(f.window->pos(), QPoint(40, 30));
        else
            EXPECT_LT(f.window->pos().x(), 10000);
    }
}

}  // namespace
}  // namespace kestrin::ui
