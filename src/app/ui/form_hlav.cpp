#include "app/ui/form_hlav.h"

#include "app/build_stamp.h"
#include "app/ui/about_box.h"
#include "app/ui/bar_gauge.h"
#include "app/ui/colour_label.h"
#include "app/ui/dialog_hook.h"
#include "app/ui/monitor_page.h"
#include "app/ui/option_page.h"
#include "app/ui/speed_button.h"
#include "maps/ui/map_page.h"
#include "model/document.h"
#include "model/fields.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kestrin::ui {

namespace {

constexpr int kDesignWidth = 1280;
constexpr int kDesignHeight = 720;

ColourLabel* makeLabel(const char* name, QWidget* parent, LiveWidgets* live = nullptr)
{
    auto* label = new ColourLabel(QString::fromLatin1(name), parent);
    if (live)
        live->add(label);
    return label;
}

BarGauge* makeGauge(const char* name, ColourName colour, QWidget* parent, LiveWidgets& live)
{
    auto* gauge = new BarGauge(QString::fromLatin1(name), parent);
    gauge->setBarColour(colour);
    gauge->setFixedHeight(14);
    live.add(gauge);
    return gauge;
}

}  // namespace

TFormHlav::TFormHlav(WindowServices services, QWidget* parent)
    : QMainWindow(parent), doc_(services.doc), dialogs_(services.dialogs), services_(std::move(services))
{
    setObjectName(QStringLiteral("TFormHlav"));

    // Construction: the settings file (its name carries the program
    // version), the snapshot beside it and the service marker.
    link_ = std::make_unique<LiveLink>(doc_, services_.channel, messages_);
    link_->setEvents(this);
    if (!services_.portDevice.isEmpty()) {
        // An explicit device replaces every port number of the menu.
        const std::string device = services_.portDevice.toStdString();
        link_->engine().setPortNamer([device](int) { return device; });
    }
    location_ = SettingsLocation::choose(services_.configDir.isEmpty()
                                             ? std::nullopt
                                             : std::optional<std::string>(services_.configDir.toStdString()));

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientArea"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(4, 2, 4, 0);
    column->setSpacing(3);
    buildToolBar(central);
    auto* top = new QHBoxLayout;
    top->setSpacing(4);
    top->addWidget(GroupBoxToolBar);
    top->addWidget(PanelStatus, 1);
    column->addLayout(top);
    column->addWidget(buildLiveStrip(central));

    PageControl1 = new QTabWidget(central);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setUsesScrollButtons(true);
    // Nineteen tabs fit a 1366-pixel screen in every language with a
    // slightly smaller tab font.
    QFont tabFont = PageControl1->tabBar()->font();
    tabFont.setPointSizeF(tabFont.pointSizeF() * 0.85);
    PageControl1->tabBar()->setFont(tabFont);
    PageControl1->setDocumentMode(false);
    column->addWidget(PageControl1, 1);
    setCentralWidget(central);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(StatusBar1);

    buildMenus();
    resize(kDesignWidth, kDesignHeight);

    about_ = new TFormAbout(this);

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setTimerType(Qt::PreciseTimer);
    Timer1.setInterval(kTickMs);
    connect(&Timer1, &QTimer::timeout, this, &TFormHlav::Timer1Timer);
    Timer1.start();
}

TFormHlav::~TFormHlav() = default;

void TFormHlav::buildToolBar(QWidget* parent)
{
    GroupBoxToolBar = new QFrame(parent);
    GroupBoxToolBar->setObjectName(QStringLiteral("GroupBoxToolBar"));
    GroupBoxToolBar->setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(GroupBoxToolBar);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(2);

    auto speed = [&](const char* name, QStyle::StandardPixmap pixmap, const char* themeIcon, const QString& text) {
        auto* button = new SpeedButton(QString::fromLatin1(name), GroupBoxToolBar);
        button->setIcon(QIcon::fromTheme(QString::fromLatin1(themeIcon), style()->standardIcon(pixmap)));
        button->setText(text);
        row->addWidget(button);
        return button;
    };
    connect(speed("SpeedButton6", QStyle::SP_FileIcon, "document-new", QStringLiteral("New")),
            &QToolButton::clicked, this, &TFormHlav::MenuNewClick);
    connect(speed("SpeedButtonOpen", QStyle::SP_DialogOpenButton, "document-open", QStringLiteral("Open")),
            &QToolButton::clicked, this, &TFormHlav::MenuOpenClick);
    connect(speed("SpeedButtonSave", QStyle::SP_DialogSaveButton, "document-save", QStringLiteral("Save")),
            &QToolButton::clicked, this, &TFormHlav::MenuSaveClick);
    connect(speed("SpeedButtonPrint", QStyle::SP_FileDialogDetailedView, "document-print", QStringLiteral("Print")),
            &QToolButton::clicked, this, &TFormHlav::SpeedButtonPrintClick);
    auto* separator = new QFrame(GroupBoxToolBar);
    separator->setFrameShape(QFrame::VLine);
    separator->setFrameShadow(QFrame::Sunken);
    row->addWidget(separator);
    connect(speed("SpeedButtonZpet", QStyle::SP_ArrowBack, "edit-undo", QStringLiteral("Undo")),
            &QToolButton::clicked, this, &TFormHlav::MenuZpetClick);
    connect(speed("SpeedButtonZnovu", QStyle::SP_ArrowForward, "edit-redo", QStringLiteral("Redo")),
            &QToolButton::clicked, this, &TFormHlav::MenuZnovuClick);
    row->addSpacing(10);

    const std::pair<const char*, void (TFormHlav::*)()> device[] = {
        {"ButtonRead", &TFormHlav::MenuReadClick},
        {"ButtonVerify", &TFormHlav::MenuVerifyClick},
        {"ButtonProgram", &TFormHlav::MenuProgramClick},
    };
    for (const auto& [name, handler] : device) {
        auto* button = new QPushButton(GroupBoxToolBar);
        button->setObjectName(QString::fromLatin1(name));
        button->setMinimumWidth(96);
        button->setFocusPolicy(Qt::TabFocus);
        connect(button, &QPushButton::clicked, this, handler);
        row->addWidget(button);
    }
    CheckBoxProgHned = new QCheckBox(GroupBoxToolBar);
    CheckBoxProgHned->setObjectName(QStringLiteral("CheckBoxProgHned"));
    row->addSpacing(6);
    row->addWidget(CheckBoxProgHned);
    row->addSpacing(6);

    // The status line (transfer progress and errors, the print stamp) and
    // the connection state stand beside the tool bar, so that they stay on
    // the printout when the tool bar is hidden.
    PanelStatus = new QFrame(parent);
    PanelStatus->setObjectName(QStringLiteral("PanelStatus"));
    PanelStatus->setFrameShape(QFrame::StyledPanel);
    auto* statusRow = new QHBoxLayout(PanelStatus);
    statusRow->setContentsMargins(6, 2, 6, 2);
    statusRow->setSpacing(6);
    auto* status = new QWidget(PanelStatus);
    auto* statusColumn = new QVBoxLayout(status);
    statusColumn->setContentsMargins(0, 0, 0, 0);
    statusColumn->setSpacing(1);
    LabelHlaseni = makeLabel("LabelHlaseni", status);
    LabelHlaseni->setMinimumWidth(200);
    CGaugeProgram = new BarGauge(QStringLiteral("CGaugeProgram"), status);
    CGaugeProgram->setShowText(true);
    CGaugeProgram->setBarColour(ColourName::Blue);
    CGaugeProgram->setFixedHeight(14);
    statusColumn->addWidget(LabelHlaseni);
    statusColumn->addWidget(CGaugeProgram);
    statusRow->addWidget(status, 1);

    LabelSpojeni = makeLabel("LabelSpojeni", PanelStatus);
    LabelSpojeni->setColour(ColourName::Red);
    LabelSpojeni->setAlignment(Qt::AlignCenter);
    LabelSpojeni->setMargin(4);
    QFont bold = LabelSpojeni->font();
    bold.setBold(true);
    LabelSpojeni->setFont(bold);
    statusRow->addWidget(LabelSpojeni);
    LabelVersion = makeLabel("LabelVersion", PanelStatus, &live_);
    LabelVersion->setFont(bold);
    LabelVersion->setMargin(0);
    statusRow->addWidget(LabelVersion);
    LabelPokus = makeLabel("LabelPokus", PanelStatus);
    LabelPokus->setMinimumWidth(24);
    LabelPokus->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    statusRow->addWidget(LabelPokus);
}

QWidget* TFormHlav::buildLiveStrip(QWidget* parent)
{
    auto* strip = new QFrame(parent);
    strip->setObjectName(QStringLiteral("PanelLive"));
    strip->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(strip);
    grid->setContentsMargins(6, 3, 6, 3);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(1);

    // Five gauges with their labels above them.
    struct GaugeColumn {
        const char* label;
        const char* gauge;
        ColourName colour;
    };
    const GaugeColumn columns[] = {
        {"LabelRpm", "CGaugeRpm", ColourName::Fuchsia},
        {"LabelTpsMon", "CGaugeTps", ColourName::Desktop},
        {"LabelLambda", "CGaugeLambda", ColourName::Black},
        {"LabelVoda", "CGaugeVoda", ColourName::Aqua},
        {"LabelMaxInjProcent", "CGaugeDuty", ColourName::Blue},
    };
    int c = 0;
    for (const GaugeColumn& column : columns) {
        auto* label = makeLabel(column.label, strip, &live_);
        label->setMinimumWidth(170);
        grid->addWidget(label, 0, c);
        grid->addWidget(makeGauge(column.gauge, column.colour, strip, live_), 1, c);
        ++c;
    }
    // The lambda bar's colour strips lie under its gauge.
    auto* lambdaStrips = new QWidget(strip);
    lambdaStrips->setObjectName(QStringLiteral("PanelLambdaStrips"));
    lambdaStrips->setFixedHeight(4);
    auto* stripRow = new QHBoxLayout(lambdaStrips);
    stripRow->setContentsMargins(0, 0, 0, 0);
    stripRow->setSpacing(0);
    const std::pair<const char*, ColourName> strips[] = {
        {"LabelLambdaBlue", ColourName::Blue}, {"LabelLambdaGreen", ColourName::Lime}, {"LabelLambdaRed", ColourName::Red}};
    for (const auto& [name, colour] : strips) {
        auto* label = makeLabel(name, lambdaStrips, &live_);
        label->setMargin(0);
        label->setColour(colour);
        stripRow->addWidget(label, 1);
    }
    grid->addWidget(lambdaStrips, 2, 2);

    // Two small columns of plain values.
    const char* values[] = {"LabelPodtlak", "LabelTlak", "LabelVzduch", "LabelNapeti", "LabelGear", "LabelMonSpeed"};
    for (int i = 0; i < 6; ++i) {
        auto* label = makeLabel(values[i], strip, &live_);
        label->setMinimumWidth(130);
        grid->addWidget(label, i % 3, 5 + i / 3);
    }
    // The unit's programmed data error and the service diagnostics.
    LabelEeDataErr = makeLabel("LabelEeDataErr", strip, &live_);
    LabelEeDataErr->setColour(ColourName::Red);
    grid->addWidget(LabelEeDataErr, 2, 0, 1, 2);
    auto* tests = new QWidget(strip);
    auto* testRow = new QHBoxLayout(tests);
    testRow->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 8; ++i) {
        const QByteArray name = "LabelTest" + QByteArray::number(i + 1);
        LabelTest[i] = makeLabel(name.constData(), tests, &live_);
        testRow->addWidget(LabelTest[i]);
    }
    testRow->addStretch(1);
    grid->addWidget(tests, 3, 0, 1, 7);
    grid->setColumnStretch(7, 1);
    return strip;
}

void TFormHlav::buildPages()
{
    // Option pages come from the form, map pages are built at start-up;
    // each sheet's index is its position in this order.
    for (int page = 0; page < kPageCount; ++page) {
        QWidget* sheet = nullptr;
        if (mapOfPage(page)) {
            sheet = new maps::ui::MapPage(page, PageControl1);
        } else if (page == 18) {
            monitorPage_ = new MonitorPage(live_, PageControl1);
            connect(monitorPage_->extendedMonitor(), &QCheckBox::toggled, this,
                    [this](bool on) { link_->decoder().setExtendedMonitor(on); });
            sheet = monitorPage_;
        } else {
            sheet = new OptionPage(QStringLiteral("TabSheet") + QString::number(page), PageControl1);
        }
        PageControl1->addTab(sheet, QString::fromUtf8(pageCaption(page)));
    }
    PageControl1->setCurrentIndex(0);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TFormHlav::PageControl1Change);
}

QAction* TFormHlav::action(const char* name) const
{
    return findChild<QAction*>(QString::fromLatin1(name));
}

QMenu* TFormHlav::menu(const char* name) const
{
    return findChild<QMenu*>(QString::fromLatin1(name));
}

void TFormHlav::PageControl1Change()
{
    doc_.activePage = PageControl1->currentIndex();
}

void TFormHlav::updateCaption()
{
    // Caption head, seven spaces, the current file name.
    setWindowTitle(QString::fromStdString(messages_[0]) + QStringLiteral("       ") +
                   QString::fromStdString(messages_[1]));
}

void TFormHlav::MenuAboutClick()
{
    about_->FormActivate(messages_.language());
    about_->exec();
}

void TFormHlav::MenuContensClick()
{
    const QString path = services_.programDir + QString::fromStdString(messages_[2]);
    if (!dialogs_.openDocument(path))
        dialogs_.message(this, QString::fromStdString(messages_[31]));
}

void TFormHlav::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

}  // namespace kestrin::ui
