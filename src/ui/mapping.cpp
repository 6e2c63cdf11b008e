#include "ui/mapping.h"

#include <QApplication>
#include <QPalette>
#include <algorithm>
#include <cmath>

namespace mezura::ui {

int twipsToPixels(int twips, double dpi)
{
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

QRect toPixels(const Rect& rect, Dpi dpi)
{
    return QRect(twipsToPixels(rect.left, dpi.x), twipsToPixels(rect.top, dpi.y), twipsToPixels(rect.width, dpi.x),
                 twipsToPixels(rect.height, dpi.y));
}

QSize clientPixels(Size size, Dpi dpi)
{
    return QSize(twipsToPixels(size.width - kFrameWidthTwips, dpi.x),
                 twipsToPixels(size.height - kFrameHeightTwips, dpi.y));
}

QSize windowPixels(Size size, Dpi dpi, int menuBarHeight)
{
    const QSize client = clientPixels(size, dpi);
    return QSize(client.width(), client.height() + menuBarHeight);
}

QSize plainWindowPixels(Size size, Dpi dpi)
{
    return clientPixels({size.width, size.height + kMenuBarTwips}, dpi);
}

QRect widenedPlace(const QRect& place, int designed, int width, int parentLeft)
{
    if (designed <= 0 || width == designed) {
        return place;
    }
    const auto spread = [designed, width](int x) {
        return static_cast<int>(std::lround(static_cast<double>(x) * width / designed));
    };
    const int origin = spread(parentLeft);
    const int left = spread(parentLeft + place.left()) - origin;
    const int right = spread(parentLeft + place.left() + place.width()) - origin;
    return QRect(left, place.top(), right - left, place.height());
}

int widenedWidth(int designed, double widening, int room)
{
    const int widest = std::max(designed, std::min(static_cast<int>(std::lround(designed * kMostWidening)), room));
    return std::clamp(static_cast<int>(std::lround(designed * widening)), designed, widest);
}

QRect captionPlace(const QRect& designed, int fieldTop, int freeFrom, int textHeight)
{
    const int bottom = std::min(designed.top() + designed.height(), fieldTop);
    int top = std::max(designed.top(), freeFrom);
    if (bottom - top < textHeight) {
        top = std::max(bottom - textHeight, freeFrom);
    }
    if (bottom - top < textHeight) {
        return designed;
    }
    return QRect(designed.left(), top, designed.width(), bottom - top);
}

QColor toQColor(Colour colour)
{
    if (colour == kButtonFace) {
        return QApplication::palette().color(QPalette::Button);
    }
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>(colour >> 8 & 0xFF),
                  static_cast<int>(colour >> 16 & 0xFF));
}

} // namespace mezura::ui
