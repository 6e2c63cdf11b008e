#include "ui/icon.h"

#include <QPainter>
#include <QPainterPath>
#include <vector>

namespace mezura::ui {

namespace {
// The drawing is laid out on a 32 x 32 grid and scaled to the size asked for.
constexpr double kGrid = 32.0;

const QColor kInk(40, 64, 88);
const QColor kMetric(192, 255, 255);    // the first unit group
const QColor kYardPound(255, 255, 192); // the second
const QColor kJapanese(255, 192, 255);  // the third
const QColor kFourth(192, 255, 192);    // the fourth

// One piece of the drawing, painted in order. A line runs from (x, y) to (x + w, y + h);
// a rectangle has its corners rounded by `radius`. An invalid fill paints no inside, a
// stroke width of 0 no outline; outlines are in kInk.
struct Shape {
    enum Kind { Rect, Line } kind;
    double x, y, w, h;
    double radius;
    QColor fill;
    double stroke;
};

std::vector<Shape> shapes()
{
    std::vector<Shape> drawing = {
        // The ground.
        {Shape::Rect, 1.25, 1.25, 29.5, 29.5, 6, kMetric, 1.5},
        // The ruler.
        {Shape::Rect, 4, 5, 24, 10, 0, kYardPound, 1.2},
    };
    // Its ticks from the top edge: long at both ends and the middle, short between.
    for (int i = 0; i <= 4; ++i) {
        drawing.push_back({Shape::Line, 6 + i * 5.0, 5, 0, i % 2 == 0 ? 6.0 : 3.5, 0, QColor(), 1.2});
    }
    // The gauge: the track, the value up to the thumb, the track's outline, the thumb.
    drawing.push_back({Shape::Rect, 4, 20, 24, 6, 0, Qt::white, 0});
    drawing.push_back({Shape::Rect, 4, 20, 13, 6, 0, kFourth, 0});
    drawing.push_back({Shape::Rect, 4, 20, 24, 6, 0, QColor(), 1.2});
    drawing.push_back({Shape::Rect, 16, 17.5, 5, 11, 1.2, kJapanese, 1.2});
    return drawing;
}

void paint(QPainter& painter, const Shape& shape)
{
    painter.setPen(shape.stroke > 0 ? QPen(kInk, shape.stroke) : QPen(Qt::NoPen));
    painter.setBrush(shape.fill.isValid() ? QBrush(shape.fill) : QBrush(Qt::NoBrush));
    const QRectF rect(shape.x, shape.y, shape.w, shape.h);
    if (shape.kind == Shape::Line) {
        painter.drawLine(rect.topLeft(), rect.bottomRight());
    } else if (shape.radius > 0) {
        painter.drawRoundedRect(rect, shape.radius, shape.radius);
    } else {
        painter.drawRect(rect);
    }
}

QString svgNumber(double value)
{
    return QString::number(value, 'g', 6);
}

QString svgElement(const Shape& shape)
{
    const QString fill = shape.fill.isValid() ? shape.fill.name() : QStringLiteral("none");
    const QString stroke = shape.stroke > 0
        ? QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\"").arg(kInk.name(), svgNumber(shape.stroke))
        : QString();
    if (shape.kind == Shape::Line) {
        return QStringLiteral("  <line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\"%5/>\n")
            .arg(svgNumber(shape.x), svgNumber(shape.y), svgNumber(shape.x + shape.w), svgNumber(shape.y + shape.h),
                 stroke);
    }
    const QString corners =
        shape.radius > 0 ? QStringLiteral(" rx=\"%1\" ry=\"%1\"").arg(svgNumber(shape.radius)) : QString();
    return QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"%5 fill=\"%6\"%7/>\n")
        .arg(svgNumber(shape.x), svgNumber(shape.y), svgNumber(shape.w), svgNumber(shape.h), corners, fill, stroke);
}
} // namespace

QImage programImage(int pixels)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixels / kGrid, pixels / kGrid);
    for (const Shape& shape : shapes()) {
        paint(painter, shape);
    }
    return image;
}

QPixmap programPixmap(int pixels)
{
    return QPixmap::fromImage(programImage(pixels));
}

const QIcon& windowIcon()
{
    static const QIcon icon = [] {
        QIcon drawn;
        for (const int pixels : {16, 24, 32, 48}) {
            drawn.addPixmap(programPixmap(pixels));
        }
        return drawn;
    }();
    return icon;
}

QString programSvg()
{
    QString svg = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
                                 "viewBox=\"0 0 32 32\">\n");
    for (const Shape& shape : shapes()) {
        svg += svgElement(shape);
    }
    return svg + QStringLiteral("</svg>\n");
}

} // namespace mezura::ui
