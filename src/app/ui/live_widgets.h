#pragma once
// The live labels and gauges by name. Every page that shows a live value
// registers its controls here; the window applies what the monitor decoder
// reports by the control's name, and a name that no page shows (yet) is
// simply skipped.

#include <QHash>
#include <QString>

namespace kestrin::ui {

class BarGauge;
class ColourLabel;

class LiveWidgets {
public:
    void add(ColourLabel* label);
    void add(BarGauge* gauge);

    ColourLabel* label(const QString& name) const { return labels_.value(name); }
    BarGauge* gauge(const QString& name) const { return gauges_.value(name); }

    const QHash<QString, ColourLabel*>& labels() const { return labels_; }
    const QHash<QString, BarGauge*>& gauges() const { return gauges_; }

private:
    QHash<QString, ColourLabel*> labels_;
    QHash<QString, BarGauge*> gauges_;
};

}  // namespace kestrin::ui
