#include "app/ui/monitor_page.h"

#include "app/ui/colour_label.h"
#include "app/ui/live_widgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include <initializer_list>

namespace kestrin::ui {

namespace {

// A group box holding the named labels in `columns` columns, filled row by
// row; an empty name leaves its cell free.
QGroupBox* labelGroup(const char* name, std::initializer_list<const char*> labels, int columns,
                      LiveWidgets& live, QWidget* parent)
{
    auto* box = new QGroupBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(3);
    int i = 0;
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
    auto* inputs = labelGroup("GroupBoxMonInput",
                              {"LabelMonFallIn", "LabelMonFallOut",
                               "LabelMonBlock2In", "LabelMonBlock2Out",
                               "LabelMonStartLimiterIn", "LabelMonStartLimiterOut",
                               "LabelMonClutchIn", "LabelMonClutchOut",
                               "LabelMonRpmLambdaIn", "LabelMonRpmLambdaOut",
                               "LabelMonIgnLimiter", "LabelMonJetLimiter",
                               "LabelMonRetardLimiter", "LabelClazeniMon",
                               "LabelMonPitRetardOn", "LabelPitIgn",
                               "LabelMonPilotLight", "LabelN2oEnable",
                               "LabelSnimacCkps", "LabelSnimacCmps"},
                              2, live, this);
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
    auto* unit = labelGroup("GroupBoxMonUnit", {"LabelCom", "LabelPocetProgramovani"}, 1, live, this);
    labelCom_ = live.label(QStringLiteral("LabelCom"));

    checkBoxExtMonitor_ = new QCheckBox(this);
    checkBoxExtMonitor_->setObjectName(QStringLiteral("CheckBoxExtMonitor"));
    unit->layout()->addWidget(checkBoxExtMonitor_);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setSpacing(8);
    grid->addWidget(inputs, 0, 0, 2, 1);
    grid->addWidget(advance, 0, 1);
    grid->addWidget(injection, 0, 2);
    grid->addWidget(servos, 1, 1);
    grid->addWidget(unit, 1, 2);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 2);
    grid->setRowStretch(2, 1);
}

}  // namespace kestrin::ui
