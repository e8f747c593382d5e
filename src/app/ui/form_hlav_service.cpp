// The "Jet 1234" menu, the common rules that follow from it (tabs and check
// marks), and the "Servis" menu of service mode. The work is the core's.

#include "app/ui/form_hlav.h"

#include "app/jet_coupling.h"
#include "app/ui/dialog_hook.h"
#include "files/service_compare.h"
#include "files/service_old_maps.h"
#include "files/service_percent.h"
#include "files/service_save_all.h"
#include "model/document.h"
#include "model/field_offsets.h"
#include "model/fields.h"

#include <QAction>
#include <QDir>
#include <QTabWidget>

namespace kestrin::ui {

namespace {

// The service folders new_ign and new_ign_old lie in the working folder.
std::string serviceBase()
{
    return QDir::currentPath().toStdString();
}

}  // namespace

void TFormHlav::setJetCoupling(int mode)
{
    SetJetCoupling(doc_, static_cast<JetCoupling>(mode));
    if (PageControl1->currentIndex() != doc_.activePage)
        PageControl1->setCurrentIndex(doc_.activePage);
    showPages();
    commitChange();
}

void TFormHlav::applyCommonRules()
{
    const int mode = doc_.image.byte(off::JetCouplingMode);
    action("Menu_Jet123Normal")->setChecked(mode == 0);
    action("Menu_Jet123Coupled")->setChecked(mode == 1);
    action("Menu_Jet123Stejny")->setChecked(mode == 2);
    for (int page = 0; page < PageControl1->count(); ++page)
        if (PageControl1->isTabVisible(page) != pageTabVisible(doc_, page))
            PageControl1->setTabVisible(page, pageTabVisible(doc_, page));
}

void TFormHlav::MenuSaveAllNewClick()
{
    const int page = PageControl1->currentIndex();
    PageControl1->setCurrentIndex(0);
    const SaveAllNewResult result = SaveAllNew(doc_, serviceBase(), fileStepHooks());
    for (std::size_t i = 0; i < result.failed.size() || (!result.folderReady && i == 0); ++i)
        dialogs_.message(this, QString::fromStdString(messages_[24]));
    PageControl1->setCurrentIndex(page);
    showPages();
}

void TFormHlav::MenuCompareAllClick()
{
    const CompareAllResult result = CompareAllNew(serviceBase());
    if (!result.reportWritten) {
        dialogs_.message(this, QString::fromStdString(messages_[24]));
        return;
    }
    dialogs_.message(this, QString::fromStdString(compareResultMessage(result.reportPath)));
}

void TFormHlav::OpenOldMapsClick()
{
    const QString path = dialogs_.openFileName(this, {openInitial_, QStringLiteral("Ignition Parametrs(*.ign) (*.ign);;All Files (*.*) (*)"), QStringLiteral("ign")});
    if (!path.isEmpty()) {
        if (!OpenOldMaps(doc_, path.toStdString(), restrictToPage_, fileStepHooks())) {
            dialogs_.message(this, QString::fromStdString(messages_[24]));
        } else {
            setCurrentFile(path);
            rememberedFile_ = path;
            saveInitial_ = path;
        }
    }
    hideStatusLine();
}

void TFormHlav::MenuServisUlozProcentaClick()
{
    const QString path = dialogs_.saveFileName(this, {saveInitial_, QStringLiteral("Ignition Parametrs(*.ign) (*.ign)"), QStringLiteral("ign")});
    if (path.isEmpty())
        return;
    RunBeforeSaveSteps(doc_, fileStepHooks());
    if (!savePercentExport(doc_, path.toStdString())) {
        dialogs_.message(this, QString::fromStdString(messages_[24]));
        return;
    }
    setCurrentFile(path);
    rememberedFile_ = path;
    openInitial_ = path;
}

}  // namespace kestrin::ui
