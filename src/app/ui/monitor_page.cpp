#include "app/ui/monitor_page.h"

#include "app/ui/colour_label.h"
#include "app/ui/live_widgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include <initializer_list>

namespace kestrin::ui {

namespace {

// A group box holding the named labels in `columns` columns, filled row by
// row; an empty name leaves its cell free.
QGroupBox* labelGroup(const char* name, std::initializer_list<const char*> labels, int columns,
                      LiveWidgets& live, QWidget* parent, std::initializer_list<const char*> headings = {})
{
    auto* box = new QGroupBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(3);
    int i = 0;
    for (const char* heading : headings) {
        auto* label = new QLabel(box);
        label->setObjectName(QString::fromLatin1(heading));
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        grid->addWidget(label, 0, i++);
    }
    i = headings.size() == 0 ? 0 : columns;
    for (const char* labelName : labels) {
        if (*labelName) {
            auto* label = new ColourLabel(QString::fromLatin1(labelName), box);
            label->setMinimumWidth(150);
            live.add(label);
            grid->addWidget(label, i / columns, i % columns);
        }
        ++i;
    }
    grid->setRowStretch((i + columns - 1) / columns, 1);
    return box;
}

}  // namespace

MonitorPage::MonitorPage(LiveWidgets& live, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheetMonitor"));

    // Inputs on the left, the outputs they drive on the right.
    // Inputs, the outputs they drive, and the limiters and states.
    auto* inputs = labelGroup("GroupBoxMonInput",
                              {"LabelMonFallIn", "LabelMonFallOut", "LabelMonIgnLimiter",
                               "LabelMonBlock2In", "LabelMonBlock2Out", "LabelMonJetLimiter",
                               "LabelMonStartLimiterIn", "LabelMonStartLimiterOut", "LabelMonRetardLimiter",
                               "LabelMonClutchIn", "LabelMonClutchOut", "LabelMonPitRetardOn",
                               "LabelMonRpmLambdaIn", "LabelMonRpmLambdaOut", "LabelPitIgn",
                               "LabelSnimacCkps", "LabelClazeniMon", "LabelN2oEnable",
                               "LabelSnimacCmps", "LabelMonPilotLight", ""},
                              3, live, this, {"LabelMonInputs", "LabelMonOutputs", "LabelMonStates"});
    auto* advance = labelGroup("GroupBoxMonAdvance",
                               {"LabelMon_Ign", "LabelMon_Ign1", "LabelMon_Ign2", "LabelMon_Ign3",
                                "LabelMon_Ign4"},
                               1, live, this);
    auto* injection = labelGroup("GroupBoxMonInj",
                                 {"LabelMon_Jet_A", "LabelMon_Jet_B",
                                  "LabelMon_Jet_1A", "LabelMon_Jet_1B",
                                  "LabelMon_Jet_2A", "LabelMon_Jet_2B",
                                  "LabelMon_Jet_3A", "LabelMon_Jet_3B",
                                  "LabelMon_Jet_4A", "LabelMon_Jet_4B",
                                  "LabelDleTpsProcent", ""},
                                 2, live, this);
    auto* servos = labelGroup("GroupBoxMonServo",
                              {"LabelMonServoIntake", "LabelMonServoExhaust", "LabelMonServoPosition",
                               "LabelMonPotenc", "LabelMon_PolohaA", "LabelMon_PolohaB",
                               "LabelMonSpeed", "LabelMonGearNapeti"},
                              1, live, this);
    auto* unit = labelGroup("GroupBoxMonUnit", {"LabelCom", "LabelPocetProgramovani"}, 2, live, this);
    labelCom_ = live.label(QStringLiteral("LabelCom"));

    checkBoxExtMonitor_ = new QCheckBox(this);
    checkBoxExtMonitor_->setObjectName(QStringLiteral("CheckBoxExtMonitor"));
    unit->layout()->addWidget(checkBoxExtMonitor_);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setSpacing(8);
    grid->addWidget(inputs, 0, 0, 1, 3);
    grid->addWidget(advance, 1, 0);
    grid->addWidget(injection, 1, 1);
    grid->addWidget(servos, 1, 2, 2, 1);
    grid->addWidget(unit, 2, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(3, 1);
}

}  // namespace kestrin::ui
