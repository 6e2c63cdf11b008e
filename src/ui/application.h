// What every run of the program sets up once, before its first window.
#pragma once

#include <QFont>

namespace mezura::ui {

// The font of every window: IPAPGothic, 9 points.
QFont applicationFont();

// Sets the application font; the windows, not Qt, decide when the program ends. The program's
// icon is no application icon: Qt would send it to the window manager twice for every window.
void setUpApplication();

} // namespace mezura::ui
