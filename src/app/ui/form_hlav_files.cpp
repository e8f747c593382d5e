// File commands of the main window: New, Open, Save and their variants for
// the actual page and the program folder, with their dialogs, the
// confirmations and the window caption. Reading, writing and the steps
// around them are the core's (files/ign_*, files/file_steps.h).

#include "app/ui/form_hlav.h"

#include "app/file_commands.h"
#include "app/ui/bar_gauge.h"
#include "app/ui/colour_label.h"
#include "app/ui/dialog_hook.h"
#include "app/ui/speed_button.h"
#include "files/file_steps.h"
#include "files/ign_reader.h"
#include "files/ign_writer.h"
#include "model/bike_defaults.h"
#include "model/document.h"

#include <QAction>
#include <QCheckBox>

namespace kestrin::ui {

namespace {

const QString kOpenFilter = QStringLiteral("Ignition Parametrs(*.ign) (*.ign);;All Files (*.*) (*)");
const QString kSaveFilter = QStringLiteral("Ignition Parametrs(*.ign) (*.ign)");

bool ctrlFromToolBar(QObject* sender)
{
    auto* button = qobject_cast<SpeedButton*>(sender);
    return button && button->ctrlHeld();
}

}  // namespace

FileStepHooks TFormHlav::fileStepHooks()
{
    FileStepHooks hooks;
    hooks.showControls = [this] { showPages(); };
    hooks.commitChange = [this] { commitChange(); };
    return hooks;
}

void TFormHlav::commitChange()
{
    const RecordResult result = RecordChange(doc_, programSwitches());
    updateUndoControls();
    if (result.programRequested)
        link_->engine().programChangedBlocks();
}

void TFormHlav::hideStatusLine()
{
    link_->engine().hideStatusLine();
}

void TFormHlav::setCurrentFile(const QString& path)
{
    messages_.setFileName(path.toStdString());
    updateCaption();
}

void TFormHlav::newDefaults(bool actualPage)
{
    if (actualPage && !actualPageCommandAvailable(doc_))
        return;
    if (!newCommandAvailable(doc_))
        return;
    const int entry = actualPage ? 26 : 25;
    if (dialogs_.question(this, QString::fromStdString(messages_[entry])) != Answer::Yes)
        return;
    restrictToPage_ = actualPage;
    ApplyBikeDefaults(doc_, actualPage ? doc_.activePage : kWholeImage);
    hideStatusLine();
    setCurrentFile({});
    RunAfterLoadSteps(doc_, fileStepHooks());
}

void TFormHlav::openFile(bool actualPage, bool fromProgramFolder)
{
    if (actualPage && !actualPageCommandAvailable(doc_))
        return;
    if (fromProgramFolder) {
        openInitial_ = defaultFilePath_;
        saveInitial_ = defaultFilePath_;
    }
    const QString path = dialogs_.openFileName(this, {openInitial_, kOpenFilter, QStringLiteral("ign")});
    if (!path.isEmpty()) {
        restrictToPage_ = actualPage;
        IgnReadOptions options;
        options.restrictToPage = actualPage;
        options.notify = [this](int entry) { dialogs_.message(this, QString::fromStdString(messages_[entry])); };
        const IgnLoadResult result = loadParameterFile(doc_, path.toStdString(), options);
        if (!result.opened) {
            dialogs_.message(this, QString::fromStdString(messages_[24]));
        } else if (result.loaded()) {
            RunAfterLoadSteps(doc_, fileStepHooks());
            setCurrentFile(path);
            rememberedFile_ = path;
            saveInitial_ = path;
        }
    }
    hideStatusLine();
}

void TFormHlav::saveFile(bool fromProgramFolder)
{
    if (fromProgramFolder) {
        openInitial_ = defaultFilePath_;
        saveInitial_ = defaultFilePath_;
    }
    const QString path = dialogs_.saveFileName(this, {saveInitial_, kSaveFilter, QStringLiteral("ign")});
    if (path.isEmpty())
        return;
    // The file is written atomically after the steps: a failed write leaves
    // the old file as it was and says so.
    RunBeforeSaveSteps(doc_, fileStepHooks());
    std::string error;
    if (!saveParameterFile(doc_, path.toStdString(), messages_, &error)) {
        dialogs_.message(this, QString::fromStdString(error.empty() ? messages_[24] : error));
        return;
    }
    setCurrentFile(path);
    rememberedFile_ = path;
    openInitial_ = path;
}

void TFormHlav::MenuNewClick() { newDefaults(false); }
void TFormHlav::MenuNewActPageClick() { newDefaults(true); }
void TFormHlav::MenuOpenClick() { openFile(false, ctrlFromToolBar(sender())); }
void TFormHlav::MenuOpenExeDirClick() { openFile(false, true); }
void TFormHlav::MenuOpenActPageClick() { openFile(true, false); }
void TFormHlav::MenuSaveClick() { saveFile(ctrlFromToolBar(sender())); }
void TFormHlav::MenuSaveExeDirClick() { saveFile(true); }

}  // namespace kestrin::ui
