#include "ui/icon.h"

#include <QPainter>
#include <QPainterPath>

namespace mezura::ui {

namespace {
// The drawing is laid out on a 32 x 32 grid and scaled to the size asked for.
constexpr double kGrid = 32.0;

const QColor kInk(40, 64, 88);
const QColor kMetric(192, 255, 255); // the first unit group
const QColor kYardPound(255, 255, 192); // the second
const QColor kJapanese(255, 192, 255); // the third
const QColor kFourth(192, 255, 192); // the fourth

void drawRuler(QPainter& painter)
{
    const QRectF body(4, 5, 24, 10);
    painter.setBrush(kYardPound);
    painter.drawRect(body);
    // Ticks from the top edge: long at both ends and the middle, short between.
    for (int i = 0; i <= 4; ++i) {
        const double x = 6 + i * 5.0;
        const double length = i % 2 == 0 ? 6.0 : 3.5;
        painter.drawLine(QPointF(x, body.top()), QPointF(x, body.top() + length));
    }
}

void drawGauge(QPainter& painter)
{
    const QRectF track(4, 20, 24, 6);
    painter.setBrush(Qt::white);
    painter.drawRect(track);
    // The value up to the thumb.
    painter.setPen(Qt::NoPen);
    painter.setBrush(kFourth);
    painter.drawRect(QRectF(track.left(), track.top(), 13, track.height()));
    painter.setPen(QPen(kInk, 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(track);
    painter.setBrush(kJapanese);
    painter.drawRoundedRect(QRectF(16, 17.5, 5, 11), 1.2, 1.2);
}
} // namespace

QPixmap programPixmap(int pixels)
{
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixels / kGrid, pixels / kGrid);

    painter.setPen(QPen(kInk, 1.5));
    painter.setBrush(kMetric);
    painter.drawRoundedRect(QRectF(1.25, 1.25, 29.5, 29.5), 6, 6);

    painter.setPen(QPen(kInk, 1.2));
    drawRuler(painter);
    drawGauge(painter);
    return pixmap;
}

const QIcon& windowIcon()
{
    static const QIcon icon = [] {
        QIcon drawn;
        for (const int pixels : { 16, 24, 32, 48 }) {
            drawn.addPixmap(programPixmap(pixels));
        }
        return drawn;
    }();
    return icon;
}

} // namespace mezura::ui
