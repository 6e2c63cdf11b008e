// Colours that stay readable whatever the desktop's theme. A control whose background the
// window fixes (the unit fields, the range buttons, "?", "OK") keeps that background exactly
// and gets text, caret and selection colours that stand out on it; every other control
// takes the theme's colours, with any pair of them that the theme leaves unreadable mended.
// The focused control shows a frame in black or white, whichever stands out on it.
#pragma once

#include "framework/layout.h"

#include <QColor>
#include <QPalette>

class QStyle;
class QWidget;

namespace mezura::ui {

// Text and its background must contrast at least this much; a focus frame at least 3 : 1.
inline constexpr double kTextContrast = 4.5;
inline constexpr double kFrameContrast = 3.0;

// The contrast of two colours by their relative luminance, from 1 (equally light) to 21
// (black on white): contrastRatio(Qt::black, Qt::white) -> 21.
double contrastRatio(const QColor& a, const QColor& b);

// Black or white, whichever stands out more on `background`: never less than 4.58 : 1.
QColor inkOn(const QColor& background);

// What a window's colour paints: the base of a unit field (under its text) or the face of
// a button (under its caption).
enum class Surface { Field, Button };

// Gives `widget` the window's colour for its surface. The system button face is the theme's
// button with the theme's caption colour; any other colour becomes the background exactly,
// with black or white text (dimmed but still readable when disabled) and a readable text on
// the theme's selection colour. The colours are worked out once for each colour and theme,
// and the palette is changed only when they differ from the widget's: a sync after Enter
// gives every control its colour again.
void paintSurface(QWidget* widget, Surface surface, Colour colour);

// The theme's palette with each text colour that contrasts less than kTextContrast with its
// background replaced by black or white; the same palette when every pair reads.
QPalette readablePalette(const QPalette& theme);

// The style that draws the focus frame over `base` (which it takes), or over the desktop's
// style; the application owns it.
QStyle* readableStyle(QStyle* base = nullptr);

} // namespace mezura::ui
