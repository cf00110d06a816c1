#include "TSplashForm.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace tkd::gui {

TSplashForm::TSplashForm(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("splashForm"));
    setFixedSize(500, 228);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

QPixmap TSplashForm::picture()
{
    QPixmap pixmap(500, 228);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 228);
    sky.setColorAt(0, QColor(18, 52, 110));
    sky.setColorAt(1, QColor(8, 20, 48));
    p.fillRect(pixmap.rect(), sky);

    // A belt knot on the left: the hall's own mark.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 30, 40));
    p.drawRoundedRect(QRectF(40, 98, 120, 22), 6, 6);
    QPainterPath tails;
    tails.moveTo(92, 118);
    tails.lineTo(70, 178);
    tails.lineTo(86, 182);
    tails.lineTo(100, 124);
    tails.lineTo(116, 182);
    tails.lineTo(132, 178);
    tails.lineTo(108, 118);
    tails.closeSubpath();
    p.drawPath(tails);
    p.setBrush(QColor(150, 18, 28));
    p.drawEllipse(QPointF(100, 109), 16, 14);

    p.setPen(QColor(245, 245, 250));
    QFont title = p.font();
    title.setPixelSize(30);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(180, 70, 310, 50), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("澄岚跆拳道馆管理系统"));
    QFont small = p.font();
    small.setPixelSize(14);
    small.setBold(false);
    p.setFont(small);
    p.setPen(QColor(190, 205, 230));
    p.drawText(QRect(182, 122, 310, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("正在启动，请稍候……"));
    p.end();
    return pixmap;
}

void TSplashForm::paintEvent(QPaintEvent*)
{
    static const QPixmap pixmap = picture();
    QPainter(this).drawPixmap(0, 0, pixmap);
}

} // namespace tkd::gui
