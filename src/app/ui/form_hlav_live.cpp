// The live side of the main window: the link's status line, "No
// Connection", the monitor display applied by control name, and the device,
// port and undo commands forwarded to the core.

#include "app/ui/form_hlav.h"

#include "app/ui/bar_gauge.h"
#include "app/ui/colour_label.h"
#include "app/ui/dialog_hook.h"
#include "app/ui/monitor_page.h"
#include "files/file_steps.h"
#include "model/document.h"
#include "model/undo_ring.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QTabWidget>

namespace kestrin::ui {

namespace {

ColourName windowColour(MonitorColour colour)
{
    switch (colour) {
    case MonitorColour::Normal: return ColourName::ButtonFace;
    case MonitorColour::Red: return ColourName::Red;
    case MonitorColour::Fuchsia: return ColourName::Fuchsia;
    case MonitorColour::Lime: return ColourName::Lime;
    case MonitorColour::Aqua: return ColourName::Aqua;
    case MonitorColour::Yellow: return ColourName::Yellow;
    case MonitorColour::White: return ColourName::White;
    case MonitorColour::Blue: return ColourName::Blue;
    case MonitorColour::Black: return ColourName::Black;
    case MonitorColour::Background: return ColourName::Desktop;
    }
    return ColourName::ButtonFace;
}

}  // namespace

void TFormHlav::resolveMonitorControls()
{
    for (int i = 0; i < kMonitorControlCount; ++i) {
        const MonitorControlInfo& info = monitorControlInfo(static_cast<MonitorControl>(i));
        const QString name = QString::fromLatin1(info.objectName);
        monitorWidgets_[static_cast<std::size_t>(i)] =
            info.isGauge() ? static_cast<QWidget*>(live_.gauge(name)) : static_cast<QWidget*>(live_.label(name));
    }
    link_->decoder().display().markAllChanged();
}

void TFormHlav::applyMonitorDisplay()
{
    MonitorDisplay& display = link_->decoder().display();
    if (!display.anyChanged())
        return;
    const auto& changed = display.changedSet();
    for (int i = 0; i < kMonitorControlCount; ++i) {
        if (!changed.test(static_cast<std::size_t>(i)))
            continue;
        QWidget* widget = monitorWidgets_[static_cast<std::size_t>(i)];
        if (!widget)
            continue;
        const auto control = static_cast<MonitorControl>(i);
        const MonitorControlInfo& info = monitorControlInfo(control);
        const ControlView& view = display[control];
        if (info.isGauge()) {
            auto* gauge = static_cast<BarGauge*>(widget);
            gauge->setMinimum(view.minimum);
            gauge->setMaximum(view.maximum);
            gauge->setProgress(view.value);
            // "Normal" keeps the bar colour the gauge was designed with.
            if (view.colour != MonitorColour::Normal)
                gauge->setBarColour(windowColour(view.colour));
            continue;
        }
        auto* label = static_cast<ColourLabel*>(widget);
        if (info.properties & OwnsText)
            label->setTextIfChanged(QString::fromStdString(view.text));
        if (info.properties & OwnsColour)
            label->setColour(windowColour(view.colour));
        if (info.properties & OwnsVisibility)
            setVisibleIfChanged(label, view.visible);
    }
    display.clearChanged();
}

void TFormHlav::applyStatusLine(const StatusLine& status)
{
    LabelHlaseni->setTextIfChanged(QString::fromStdString(status.text));
    LabelHlaseni->setColour(status.colour == StatusColour::Red ? ColourName::Red : ColourName::ButtonFace);
    setVisibleIfChanged(LabelHlaseni, status.visible);
    CGaugeProgram->setMaximum(status.gaugeMax);
    CGaugeProgram->setProgress(status.gauge);
    CGaugeProgram->setBarColour(status.colour == StatusColour::Red ? ColourName::Red : ColourName::Blue);
    setVisibleIfChanged(CGaugeProgram, status.gaugeVisible);
}

void TFormHlav::showConnectionLost(bool lost)
{
    // The printout never shows "No Connection".
    setVisibleIfChanged(LabelSpojeni, lost && !printing_);
}

void TFormHlav::readStarted()
{
    messages_.setFileName({});
    updateCaption();
}

void TFormHlav::runEnded(TransferState, RunResult)
{
    updateUndoControls();
}

void TFormHlav::portChanged(const std::string& label, bool)
{
    const QString text = services_.portDevice.isEmpty() ? QString::fromStdString(label)
                                                        : QStringLiteral("COM= ") + services_.portDevice;
    monitorPage_->portLabel()->setTextIfChanged(text);
    // The check mark sits on the selected entry (Com Auto while it scans).
    const auto entries = comGroup_->actions();
    const int selected = doc_.outside.portIndex;
    if (selected >= 0 && selected < entries.size())
        entries[selected]->setChecked(true);
}

void TFormHlav::versionMismatch(const std::string& message)
{
    dialogs_.message(this, QString::fromStdString(message));
}

void TFormHlav::portOpenFailed(const std::string& message)
{
    dialogs_.message(this, QString::fromStdString(message));
}

ProgramSwitches TFormHlav::programSwitches() const
{
    return ProgramSwitches{CheckBoxProgHned->isChecked(), link_->engine().tuningOn()};
}

void TFormHlav::showPages()
{
    // The option pages show the image themselves once they are built; the
    // tabs, the jet menu's check marks and the undo controls follow the
    // image here.
    applyCommonRules();
    updateUndoControls();
}

void TFormHlav::updateUndoControls()
{
    const bool back = UndoEnabled(doc_);
    const bool forward = RedoEnabled(doc_);
    action("MenuZpet")->setEnabled(back);
    action("MenuZnovu")->setEnabled(forward);
    if (auto* button = findChild<QAbstractButton*>(QStringLiteral("SpeedButtonZpet")))
        button->setEnabled(back);
    if (auto* button = findChild<QAbstractButton*>(QStringLiteral("SpeedButtonZnovu")))
        button->setEnabled(forward);
}

void TFormHlav::MenuReadClick()
{
    link_->read();
}

void TFormHlav::MenuVerifyClick()
{
    RecomputeDerivedTables(doc_);
    link_->verify();
}

void TFormHlav::MenuProgramClick()
{
    RecomputeDerivedTables(doc_);
    link_->program();
}

void TFormHlav::MenuZpetClick()
{
    const RestoreResult r = Undo(doc_, programSwitches());
    if (r.pageChanged)
        PageControl1->setCurrentIndex(doc_.activePage);
    showPages();
    if (r.programRequested)
        link_->engine().programChangedBlocks();
}

void TFormHlav::MenuZnovuClick()
{
    const RestoreResult r = Redo(doc_, programSwitches());
    if (r.pageChanged)
        PageControl1->setCurrentIndex(doc_.activePage);
    showPages();
    if (r.programRequested)
        link_->engine().programChangedBlocks();
}

void TFormHlav::MenuCom1Click(QAction* entry)
{
    link_->engine().selectPort(entry->data().toInt());
}

void TFormHlav::MenuLadeniOnClick()
{
    link_->engine().setTuningOn(!link_->engine().tuningOn());
}

}  // namespace kestrin::ui
