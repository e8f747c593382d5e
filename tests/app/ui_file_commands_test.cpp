// The File and "Servis" menus of the window beyond their main paths: a file
// written by the core comes back byte for byte, a load is one undoable and
// programmable change, every cancel and every failure leaves the set as it
// was, and the service exports leave the user's set, page and history alone.

#include "app/ui/speed_button.h"
#include "files/file_steps.h"
#include "files/ign_reader.h"
#include "files/ign_writer.h"
#include "model/field_offsets.h"
#include "model/undo_ring.h"
#include "ui_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace kestrin::ui {
namespace {

using test::WindowFixture;

const std::string kHead = "  Kestrin_2007       ";

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The default set of `bike` as the core writes it, with the ignition
// limiter moved by `limiterStep` so that it differs from the defaults.
QByteArray defaultSetFile(int bike, int limiterStep = 0)
{
    Document source;
    PrepareDefaultSet(source, bike);
    source.image.setByte(off::IgnLimiter, static_cast<std::uint8_t>(source.image.byte(off::IgnLimiter) + limiterStep));
    RunBeforeSaveSteps(source);
    return QByteArray::fromStdString(WriteParameterFile(source.image, ignInfoTexts(source)));
}

struct FileFixture : WindowFixture {
    QTemporaryDir files;
    QString path(const char* name) const { return files.filePath(QString::fromLatin1(name)); }
    void trigger(const char* name) { window->action(name)->trigger(); }
    std::string caption() const { return window->windowTitle().toStdString(); }
};

TEST(FileCommands, AFileOfTheCoreComesBackByteExactAndItsLoadIsOneUndoableProgrammedChange)
{
    FileFixture f;
    const QByteArray original = defaultSetFile(23);
    ASSERT_TRUE(writeAll(f.path("bike23.ign"), original));
    const ParameterImage before = f.doc.image;
    Document expected = f.doc;
    ReadParameterFile(expected, original.toStdString());
    RunAfterLoadSteps(expected);

    // With "Program. po změně" on, the loaded set goes to the unit at once.
    f.find<QCheckBox>("CheckBoxProgHned")->setChecked(true);
    f.dialogs.openNames.push_back(f.path("bike23.ign"));
    f.trigger("MenuOpen");
    EXPECT_TRUE(f.dialogs.messages.isEmpty());
    EXPECT_EQ(f.doc.image, expected.image);
    EXPECT_EQ(f.doc.image.byte(off::BikeCode), 23);
    EXPECT_EQ(f.caption(), kHead + f.path("bike23.ign").toStdString());
    EXPECT_EQ(f.window->link().engine().state(), TransferState::Program);

    f.dialogs.saveNames.push_back(f.path("copy.ign"));
    f.trigger("MenuSave");
    ASSERT_EQ(f.dialogs.saveInitial.size(), 1);
    EXPECT_EQ(f.dialogs.saveInitial[0], f.path("bike23.ign"));
    EXPECT_EQ(readAll(f.path("copy.ign")), original);

    // Undo brings the start-up image back.
    ASSERT_TRUE(f.window->action("MenuZpet")->isEnabled());
    f.trigger("MenuZpet");
    EXPECT_EQ(f.doc.image, before);
}

TEST(FileCommands, FailuresAreReportedInTheUsersLanguageAndLeaveEverythingAsItWas)
{
    FileFixture f;
    ASSERT_TRUE(writeAll(f.path("newer.ign"), "VALDORIX_KEY 99\r\nBIKE 5\r\n"));
    f.doc.image.setByte(off::MemoText + 60, 42);  // an edit that no file above touches
    const ParameterImage before = f.doc.image;

    struct Case {
        const char* command;
        const char* file;
        int language;
        const char* message;
    };
    const Case cases[] = {
        {"MenuOpen", "missing.ign", German, "Fehler beim öffnen der Datei!"},
        {"MenuOpen", "newer.ign", Czech, "Neshodná verze souboru *.ign!"},
        {"MenuOpen", ".", English, "Open file error!"},  // a folder, not a file
        {"MenuOpenActPage", "missing.ign", French, "Erreur ouvertur fichier!"},
        {"OpenOldMaps", "missing.ign", English, "Open file error!"},
        {"MenuSave", "no_such_folder/x.ign", English, "Open file error!"},
        {"MenuServisUlozProcenta", "no_such_folder/x.ign", German, "Fehler beim öffnen der Datei!"},
    };
    for (const Case& c : cases) {
        f.window->setLanguage(c.language);
        const std::string caption = f.caption();
        f.dialogs.messages.clear();
        f.dialogs.openNames = {f.path(c.file)};
        f.dialogs.saveNames = {f.path(c.file)};
        f.trigger(c.command);
        ASSERT_EQ(f.dialogs.messages.size(), 1) << c.command << " " << c.file;
        EXPECT_EQ(f.dialogs.messages[0].toStdString(), c.message) << c.command << " " << c.file;
        EXPECT_EQ(f.doc.image, before) << c.command << " " << c.file;
        EXPECT_EQ(f.caption(), caption) << c.command << " " << c.file;
    }
    EXPECT_FALSE(UndoEnabled(f.doc));
    EXPECT_FALSE(QFile::exists(f.path("no_such_folder")));
}

TEST(FileCommands, CancelledDialogsAndQuestionsChangeNothing)
{
    FileFixture f;
    f.doc.image.setByte(off::MemoText + 60, 42);
    const ParameterImage before = f.doc.image;
    const std::string caption = f.caption();
    f.dialogs.answers = {Answer::No, Answer::Cancel};
    for (const char* command : {"MenuOpen", "MenuOpenActPage", "MenuSave", "MenuNew", "MenuNewActPage",
                                "MenuOpenExeDir", "MenuSaveExeDir", "OpenOldMaps", "MenuServisUlozProcenta"})
        f.trigger(command);
    EXPECT_EQ(f.dialogs.questions.size(), 2);
    EXPECT_TRUE(f.dialogs.messages.isEmpty());
    EXPECT_EQ(f.doc.image, before);
    EXPECT_EQ(f.caption(), caption);
    EXPECT_FALSE(UndoEnabled(f.doc));
    EXPECT_TRUE(QDir(f.files.path()).isEmpty());
    EXPECT_FALSE(QFile::exists(f.window->defaultParameterFile()));
}

TEST(FileCommands, NewIsOneUndoableChangeAndAsksNothingForTheSeparatorLine)
{
    FileFixture f;
    ASSERT_TRUE(writeAll(f.path("tuned.ign"), defaultSetFile(23, 1)));
    f.dialogs.openNames.push_back(f.path("tuned.ign"));
    f.trigger("MenuOpen");
    const ParameterImage tuned = f.doc.image;

    Document defaults;
    PrepareDefaultSet(defaults, 23);
    f.dialogs.answers = {Answer::Yes};
    f.find<QAbstractButton>("SpeedButton6")->click();
    ASSERT_EQ(f.dialogs.questions.size(), 1);
    EXPECT_EQ(f.caption(), kHead);
    EXPECT_EQ(f.doc.image.byte(off::IgnLimiter), defaults.image.byte(off::IgnLimiter));
    EXPECT_NE(f.doc.image, tuned);
    f.trigger("MenuZpet");
    EXPECT_EQ(f.doc.image, tuned);

    // A bike code the list shows as its separator line: no question at all.
    f.doc.image.setByte(off::BikeCode, 61);
    f.trigger("MenuNew");
    f.trigger("MenuNewActPage");
    EXPECT_EQ(f.dialogs.questions.size(), 1);
}

TEST(FileCommands, SaveFromTheToolBarWithCtrlWritesDataIgnInTheProgramFolder)
{
    FileFixture f;
    f.window->show();
    const QString dataIgn = f.window->defaultParameterFile();
    f.dialogs.saveNames.push_back(dataIgn);
    QTest::mouseClick(f.find<SpeedButton>("SpeedButtonSave"), Qt::LeftButton, Qt::ControlModifier);
    ASSERT_EQ(f.dialogs.saveInitial.size(), 1);
    EXPECT_EQ(f.dialogs.saveInitial[0], dataIgn);
    EXPECT_TRUE(QFile::exists(dataIgn));

    // "Open from exe dir" offers it again, whatever the last dialog chose.
    f.dialogs.saveNames.push_back(f.path("elsewhere.ign"));
    f.trigger("MenuSave");
    f.dialogs.openNames.push_back(dataIgn);
    f.trigger("MenuOpenExeDir");
    EXPECT_EQ(f.dialogs.openInitial.value(0), dataIgn);
    EXPECT_EQ(f.caption(), kHead + dataIgn.toStdString());
    EXPECT_TRUE(f.dialogs.messages.isEmpty());
}

// The service folders lie in the working folder; each test runs in its own.
struct ServiceFixture : FileFixture {
    QString keptFolder = QDir::currentPath();
    ServiceFixture() { QDir::setCurrent(files.path()); }
    ~ServiceFixture() { QDir::setCurrent(keptFolder); }
};

TEST(ServiceCommands, ExportsWriteTheirFilesAndLeaveTheSetAlone)
{
    ServiceFixture f;
    f.window->pageControl()->setCurrentIndex(7);
    const ParameterImage recorded = f.doc.image;   // the last undo step
    f.doc.image.setByte(off::MemoText + 60, 42);  // and an edit on top of it
    const ParameterImage before = f.doc.image;
    const std::string caption = f.caption();

    f.trigger("MenuSaveAllNew");
    EXPECT_TRUE(f.dialogs.messages.isEmpty());
    EXPECT_EQ(QDir(f.path("new_ign")).entryList({QStringLiteral("*.ign")}).size(), 61);
    EXPECT_EQ(f.doc.image, before);
    EXPECT_EQ(f.window->pageControl()->currentIndex(), 7);
    EXPECT_EQ(f.doc.activePage, 7);
    EXPECT_FALSE(UndoEnabled(f.doc));
    EXPECT_EQ(f.caption(), caption);

    // Nothing in new_ign_old yet: the report says so for every bike.
    f.trigger("MenuCompareAll");
    ASSERT_EQ(f.dialogs.messages.size(), 1);
    EXPECT_TRUE(f.dialogs.messages[0].startsWith(QStringLiteral("Results in file \"")));
    EXPECT_TRUE(readAll(f.path("new_ign/compare_all_new.txt")).contains("soubor \"old\" se nepodarilo otevrit"));

    // Uloz Map %: a file the parameter reader refuses, named in the caption.
    f.dialogs.saveNames.push_back(f.path("percent.ign"));
    f.trigger("MenuServisUlozProcenta");
    const QByteArray percent = readAll(f.path("percent.ign"));
    EXPECT_TRUE(percent.contains("JET_1A"));
    EXPECT_FALSE(percent.contains("VALDORIX_KEY"));
    EXPECT_EQ(f.caption(), kHead + f.path("percent.ign").toStdString());
    EXPECT_EQ(f.doc.image, before);

    // Open old maps: an old file's 1A/4A percent map, one undoable change.
    QByteArray old = "VALDORIX_KEY 40\r\nRPM_JET_14A";
    for (int i = 1; i <= 15; ++i)
        old += " " + QByteArray::number(i * 1000);
    old += "\r\nJET_14A" + QByteArray(" 120").repeated(150) + "\r\n";
    ASSERT_TRUE(writeAll(f.path("old.ign"), old));
    f.dialogs.openNames.push_back(f.path("old.ign"));
    f.trigger("OpenOldMaps");
    EXPECT_EQ(f.dialogs.messages.size(), 1);
    EXPECT_EQ(f.caption(), kHead + f.path("old.ign").toStdString());
    EXPECT_EQ(f.doc.image.byte(off::RpmJet1A), 10);
    f.trigger("MenuZpet");
    EXPECT_EQ(f.doc.image, recorded);
}

TEST(ServiceCommands, AnUnwritableFolderIsReportedOnce)
{
    ServiceFixture f;
    ASSERT_TRUE(writeAll(f.path("new_ign"), "a file where the folder should be"));
    f.trigger("MenuSaveAllNew");
    f.trigger("MenuCompareAll");
    ASSERT_EQ(f.dialogs.messages.size(), 2);
    EXPECT_EQ(f.dialogs.messages[0].toStdString(), "Open file error!");
    // No report could be written: no pointer to one.
    EXPECT_EQ(f.dialogs.messages[1].toStdString(), "Open file error!");
}

}  // namespace
}  // namespace kestrin::ui
