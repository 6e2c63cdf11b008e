// Desktop themes for the readability checks and the theme screenshots: a dark one as Qt
// takes it from a dark GTK theme, and a high-contrast one (white on black, yellow selection).
#pragma once

#include <QColor>
#include <QPalette>
#include <QString>
#include <utility>
#include <vector>

namespace mezura::ui::test {

inline QPalette darkPalette()
{
    QPalette palette(QColor(53, 53, 53), QColor(53, 53, 53)); // button, window
    const QColor text(238, 238, 236);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Base, QColor(45, 45, 45));
    palette.setColor(QPalette::AlternateBase, QColor(58, 58, 58));
    palette.setColor(QPalette::Highlight, QColor(21, 83, 158));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, QColor(30, 30, 30));
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(145, 145, 145));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(145, 145, 145));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(145, 145, 145));
    return palette;
}

inline QPalette highContrastPalette()
{
    QPalette palette(Qt::black, Qt::black);
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::ButtonText, QPalette::Text, QPalette::ToolTipText, QPalette::BrightText}) {
        palette.setColor(role, Qt::white);
    }
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::AlternateBase, Qt::black);
    palette.setColor(QPalette::ToolTipBase, Qt::black);
    palette.setColor(QPalette::Highlight, Qt::yellow);
    palette.setColor(QPalette::HighlightedText, Qt::black);
    palette.setColor(QPalette::Light, Qt::white);
    palette.setColor(QPalette::Mid, Qt::white);
    palette.setColor(QPalette::Dark, Qt::white);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0, 200, 0));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0, 200, 0));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0, 200, 0));
    return palette;
}

// Every theme by name; the light one is the style's own.
inline std::vector<std::pair<QString, QPalette>> themes(const QPalette& light)
{
    return {{QStringLiteral("light"), light},
            {QStringLiteral("dark"), darkPalette()},
            {QStringLiteral("contrast"), highContrastPalette()}};
}

} // namespace mezura::ui::test
