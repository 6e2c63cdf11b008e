// The program's icon, drawn at start: a ruler over a value gauge on the light cyan of the
// metric fields, in the colours of the unit groups.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace mezura::ui {

// The icon at `pixels` x `pixels`.
QPixmap programPixmap(int pixels);

// The icon in the sizes that title bars, task bars and the settings window ask for.
QIcon programIcon();

} // namespace mezura::ui
