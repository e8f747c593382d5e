#include "app/ui/about_box.h"

#include "app/build_stamp.h"
#include "app/ui_texts.h"

#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

namespace kestrin::ui {

namespace {

// The product logo, drawn rather than shipped: a stylised falcon wing over
// the name, in the maker's blue.
QPixmap drawLogo()
{
    QPixmap pixmap(159, 81);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor blue(20, 60, 140);
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    QPolygonF wing;
    wing << QPointF(8, 40) << QPointF(80, 6) << QPointF(151, 4) << QPointF(96, 22) << QPointF(60, 40);
    p.drawPolygon(wing);
    p.setBrush(QColor(220, 30, 30));
    QPolygonF stripe;
    stripe << QPointF(30, 42) << QPointF(96, 26) << QPointF(140, 24) << QPointF(74, 44);
    p.drawPolygon(stripe);
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(22);
    font.setBold(true);
    font.setItalic(true);
    p.setFont(font);
    p.setPen(blue);
    p.drawText(QRect(0, 46, 159, 32), Qt::AlignCenter, QStringLiteral("KESTRIN 2007"));
    return pixmap;
}

QLabel* place(QWidget* parent, const char* name, int left, int top, const QString& text, int pixelSize = 0)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    if (pixelSize > 0) {
        QFont font = label->font();
        font.setPixelSize(pixelSize);
        label->setFont(font);
    }
    label->move(left, top);
    label->adjustSize();
    return label;
}

}  // namespace

TFormAbout::TFormAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFormAbout"));
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(240, 267);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
    setAutoFillBackground(true);

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(drawLogo());
    image->setGeometry(38, 32, 159, 81);

    place(this, "Label1", 24, 149, QStringLiteral("www.kestrin.cz"), 23);
    place(this, "LabelRsKey", 24, 186, QStringLiteral("Version - %1").arg(kProgramVersion));
    place(this, "LabelDate", 24, 209, QString::fromStdString(buildDateRaw()));
    place(this, "LabelTime", 24, 233, QString::fromStdString(buildTime()));
    LabelExit = place(this, "LabelExit", 174, 221, QStringLiteral("OK"), 23);
    LabelExit->setCursor(Qt::PointingHandCursor);
    LabelExit->installEventFilter(this);

    // Centred on the screen once, at creation.
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->geometry();
        move(area.width() / 2 - width() / 2, area.height() / 2 - height() / 2);
    }
}

void TFormAbout::FormActivate(int language)
{
    setWindowTitle(QString::fromStdString(aboutCaption(language)));
}

bool TFormAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == LabelExit && event->type() == QEvent::MouseButtonRelease) {
        accept();  // Button1Click
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace kestrin::ui
