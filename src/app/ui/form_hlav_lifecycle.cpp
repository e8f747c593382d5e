// Start-up, the timer tick and the close of the main window, each in its
// fixed order. The steps name what they do; the work is in the core.

#include "app/ui/form_hlav.h"

#include "app/language.h"
#include "app/ui/bar_gauge.h"
#include "app/ui/colour_label.h"
#include "app/ui/monitor_page.h"
#include "files/file_steps.h"
#include "files/service_marker.h"
#include "files/settings.h"
#include "model/bike_defaults.h"
#include "model/derived_tables.h"
#include "model/document.h"
#include "model/field_offsets.h"
#include "model/undo_ring.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTabWidget>

namespace kestrin::ui {

void TFormHlav::FormCreate()
{
    if (created_)
        return;
    created_ = true;

    // 1. The pages: option pages and the map pages with their grids.
    buildPages();
    resolveMonitorControls();
    // 2. The run-time controls of the option pages belong to the pages; the
    //    port menu was built with the menus.
    // 3. Hints reach the status bar through each control's status tip.
    // 4. Port index 1 until the settings say otherwise.
    doc_.outside.portIndex = 1;
    // 5. The start bike and its defaults.
    doc_.image.setByte(off::BikeCode, 11);
    ApplyBikeDefaults(doc_);
    // 6. Centred on the screen at the design size.
    centreOnScreen();
    // 7. The default parameter file in the program folder.
    defaultFilePath_ = services_.programDir + QStringLiteral("data.ign");
    // 8. Settings and the image of the last run.
    LoadSettings();
    // 9. State that follows the active page.
    PageControl1Change();
    // 10. The memo limit belongs to the "Bike" page.
    // 11. One gauge step per block 0..19.
    CGaugeProgram->setMaximum(20);
    // 12. Constants that follow from the bike.
    ApplyBikeDerived(doc_);
    // 13. The command-line language overrides the settings.
    if (!services_.languageWord.isEmpty())
        if (const auto language = languageFromArgument(services_.languageWord.toStdString()))
            doc_.outside.language = *language;
    // 14. The link's connection counter starts at 18, so that "No
    //     Connection" shows after 6 silent ticks.
    // 15. The derived tables (which also bring the language and port
    //     settings into range).
    RecomputeDerivedTables(doc_);
    // 16. Captions of the present language.
    ApplyLanguage();
    // 17. The pages show the image.
    showPages();
    // 18. The undo history starts from this image.
    ResetUndo(doc_);
    updateUndoControls();
    // 19. Open the selected port (a failure is reported in a message box,
    //     while ticks already run).
    link_->engine().openPort();
    // 20. Captions again, now that the port label is known.
    ApplyLanguage();
    // 21. The pages again.
    showPages();
    // 22. The status line and the data error label start hidden, and so
    //     does "No Connection" until the link finds the connection lost.
    showConnectionLost(link_->engine().connectionLost());
    hideStatusLine();
    LabelEeDataErr->hide();
    // 23. Service mode from the marker file.
    serviceMode_ = readServiceMarker(location_.markerFile);
    // 24. The diagnostic labels and the "Servis" menu only in service mode.
    for (ColourLabel* label : LabelTest)
        label->setVisible(serviceMode_);
    menu("MenuServis")->menuAction()->setVisible(serviceMode_);
}

void TFormHlav::centreOnScreen()
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    move((area.width() - width()) / 2, (area.height() - height()) / 2);
}

void TFormHlav::LoadSettings()
{
    Settings settings;
    settings.left = x();
    settings.top = y();
    settings.width = width();
    settings.height = height();
    settings.portChoice = doc_.outside.portIndex;
    settings.portAutoIndex = doc_.outside.portScanIndex;
    settings.language = doc_.outside.language;
    settings.activePage = PageControl1->currentIndex();
    settings.extendedMonitor = monitorPage_->extendedMonitor()->isChecked();
    loadSettingsFile(location_.settingsFile, settings);

    // A window that would lie off every screen comes back centred.
    move(settings.left, settings.top);
    if (settings.width > 200 && settings.height > 200)
        resize(settings.width, settings.height);
    if (!QGuiApplication::screenAt(geometry().center()))
        centreOnScreen();
    doc_.outside.portIndex = settings.portChoice;
    doc_.outside.portScanIndex = settings.portAutoIndex;
    doc_.outside.language = settings.language;
    messages_.setFileName(settings.fileName);
    rememberedFile_ = QString::fromStdString(settings.rememberedFile);
    openInitial_ = rememberedFile_;
    saveInitial_ = rememberedFile_;
    PageControl1->setCurrentIndex(settings.activePage);
    monitorPage_->extendedMonitor()->setChecked(settings.extendedMonitor);

    loadSnapshotFile(location_.snapshotFile, doc_.image, allFlags_);
}

void TFormHlav::SaveSettings()
{
    Settings settings;
    // The position of the frame, as move() takes it back at the next start;
    // the client area's position would move the window down by its title
    // bar on every run.
    settings.left = x();
    settings.top = y();
    settings.height = height();
    settings.width = width();
    settings.portChoice = doc_.outside.portIndex;
    settings.portAutoIndex = doc_.outside.portScanIndex;
    settings.language = doc_.outside.language;
    settings.fileName = messages_[1];
    settings.rememberedFile = rememberedFile_.toStdString();
    settings.activePage = PageControl1->currentIndex();
    settings.extendedMonitor = monitorPage_->extendedMonitor()->isChecked();
    saveSettingsFile(location_.settingsFile, settings);
    saveSnapshotFile(location_.snapshotFile, doc_.image, allFlags_);
}

void TFormHlav::Timer1Timer()
{
    // 1. The graphs draw what is pending (map editor).
    // 2. The bike code, for the technician's eye.
    LabelPokus->setTextIfChanged(QString::number(doc_.image.byte(off::BikeCode)));
    // 3.-6. The link: collect and dispatch, transfer step, status line
    //       countdown, connection watch. Its events update the window.
    if (link_->tick())
        applyCommonRules();  // the visibility rules follow every frame
    applyMonitorDisplay();
    // 7. The version label and "No Connection" never show together.
    setVisibleIfChanged(LabelVersion, LabelSpojeni->isHidden());
    // 8. The live highlight moves on the active map page (map editor).
}

void TFormHlav::FormClose()
{
    if (closed_ || !created_)
        return;
    closed_ = true;
    Timer1.stop();
    // Close the port, collect the pages, compute the derived tables, save.
    link_->engine().closePort();
    RecomputeDerivedTables(doc_);
    SaveSettings();
}

}  // namespace kestrin::ui
