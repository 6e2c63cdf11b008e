// What every run of the program sets up once, before its first window.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <functional>

namespace mezura::ui {

// The family that the windows are drawn in: the first of `candidates` (families in the order
// the desktop prefers them) that `coversJapanese` accepts; IPAPGothic, which the program
// depends on, when none does.
QString japaneseFamily(const QStringList& candidates, const std::function<bool(const QString&)>& coversJapanese);

// The font of every window, 9 points as the layout is drawn for, shaped only where its script
// needs it, in the Japanese sans-serif of the desktop: its general font where that covers
// Japanese, else fontconfig's sans-serif for Japanese (the system's and the user's settings),
// else IPAPGothic.
QFont applicationFont();

// Installs Qt's Japanese translations from the system (Debian's qt6-translations-l10n);
// false, with a warning, when they are not there.
bool loadQtTranslations();

// Sets the application font, Qt's Japanese texts, the style that keeps every theme
// readable with a visible focus and the menu items' names for assistive technology; the windows, not Qt, decide when
// the program ends. The program's icon is no application icon: Qt would send it to the window manager twice for every
// window, so each window sets it on itself.
void setUpApplication();

} // namespace mezura::ui
