#pragma once
// The "Monitor" page: the unit's inputs and outputs, advance and injection
// per cylinder, servos, pick-ups and the port in use. The values come from
// the monitor decoder through the window; the page only lays the labels out
// and registers them by name.

#include <QWidget>

class QCheckBox;
class QGroupBox;

namespace kestrin::ui {

class ColourLabel;
class LiveWidgets;

class MonitorPage : public QWidget {
    Q_OBJECT
public:
    MonitorPage(LiveWidgets& live, QWidget* parent = nullptr);

    QCheckBox* extendedMonitor() const { return checkBoxExtMonitor_; }
    ColourLabel* portLabel() const { return labelCom_; }

private:
    QCheckBox* checkBoxExtMonitor_;
    ColourLabel* labelCom_;
};

}  // namespace kestrin::ui
