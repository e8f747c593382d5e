// Printing the window: the active page as it stands, with a date stamp on
// the status line and without the controls that only serve editing.

#include "app/ui/form_hlav.h"

#include "app/ui/bar_gauge.h"
#include "app/ui/colour_label.h"
#include "app/ui/dialog_hook.h"
#include "app/ui/spin_button.h"
#include "app/ui/up_down_edit.h"

#include <QCheckBox>
#include <QDateTime>
#include <QFrame>
#include <QLayout>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QStatusBar>
#include <QTabWidget>

namespace kestrin::ui {

void TFormHlav::SpeedButtonPrintClick()
{
    // The print dialog comes first, with the default printer chosen: a
    // cancelled print leaves the window untouched.
    QPrinter printer(QPrinter::HighResolution);
    // The window is wider than high: landscape unless the user picks otherwise.
    printer.setPageOrientation(width() >= height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (!dialogs_.choosePrinter(this, printer))
        return;

    // 1.-2. The stamp on the status line, on white, with its countdown.
    const QLocale locale;
    const QDateTime now = QDateTime::currentDateTime();
    const QString stamp = QString::fromStdString(messages_[30]) + locale.toString(now.date(), QLocale::ShortFormat) +
                          QStringLiteral("    ") + locale.toString(now.time(), QLocale::LongFormat);
    link_->engine().showStatusMessage(stamp.toStdString(), StatusColour::Normal);
    // The transfer gauge stays hidden after the print: the status line now
    // carries the stamp, and an old progress bar under it would read as
    // the progress of the print.
    link_->engine().hideStatusGauge();
    LabelHlaseni->setColour(ColourName::White);
    LabelSpojeni->hide();

    // 3.-4. White background, and the editing aids out of the way.
    const QPalette oldPalette = palette();
    QPalette white = oldPalette;
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    printing_ = true;

    std::vector<QWidget*> hidden;
    auto hide = [&hidden](QWidget* w) {
        if (w && !w->isHidden()) {
            w->hide();
            hidden.push_back(w);
        }
    };
    hide(StatusBar1);
    hide(GroupBoxToolBar);
    for (UpDown* w : findChildren<UpDown*>())
        hide(w);
    for (SpinButton* w : findChildren<SpinButton*>())
        hide(w);
    for (const char* name : {"CheckBoxExtMonitor", "CheckBoxZobrMs_Uni", "CheckBoxAll_Uni", "CheckBoxTps_Uni",
                             "CheckBoxAll_PolohaA", "CheckBoxAll_PolohaB", "ButtonTps0", "ButtonTps100"})
        for (QWidget* w : findChildren<QWidget*>(QString::fromLatin1(name)))
            hide(w);
    for (const char* name : {"CGaugeRpm", "CGaugeTps", "CGaugeLambda", "CGaugeVoda"})
        hide(live_.gauge(QString::fromLatin1(name)));
    const int active = PageControl1->currentIndex();
    std::vector<int> hiddenTabs;
    for (int page = 0; page < PageControl1->count(); ++page)
        if (page != active && PageControl1->isTabVisible(page)) {
            PageControl1->setTabVisible(page, false);
            hiddenTabs.push_back(page);
        }

    // 5. The window, scaled to fit the page.
    if (QWidget* client = centralWidget()) {
        client->ensurePolished();
        if (layout())
            layout()->activate();
        QPainter painter;
        if (painter.begin(&printer)) {
            const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
            // The client area, without the menu bar.
            const QSize size = client->size();
            const double scale = std::min(page.width() / size.width(), page.height() / size.height());
            painter.scale(scale, scale);
            client->render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
            painter.end();
        }
    }

    // 6. Everything back as it was.
    setPalette(oldPalette);
    printing_ = false;
    for (QWidget* w : hidden)
        w->show();
    for (int page : hiddenTabs)
        PageControl1->setTabVisible(page, true);
    showConnectionLost(link_->engine().connectionLost());
}

}  // namespace kestrin::ui
