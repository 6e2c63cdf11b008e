// What every run of the program sets up once, before its first window.
#pragma once

#include <QFont>

namespace mezura::ui {

// The font of every window: IPAPGothic, 9 points.
QFont applicationFont();

// Sets the application font and the program's icon; the windows, not Qt, decide when the program ends.
void setUpApplication();

} // namespace mezura::ui
