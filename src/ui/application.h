// What every run of the program sets up once, before its first window.
#pragma once

#include <QFont>

namespace mezura::ui {

// The font of every window: IPAPGothic, 9 points, shaped only where its script needs it.
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
