// The program's icon, drawn at start: a ruler over a value gauge on the light cyan of the
// metric fields, in the colours of the unit groups.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace mezura::ui {

// The icon at `pixels` x `pixels`.
QPixmap programPixmap(int pixels);

// The icon of every window in the small sizes that title bars, task bars and window switchers
// take from a window (16 to 48 pixels), drawn once. Every window sets it on itself before it
// first shows, so that Qt hands it to the window manager once per window; larger pictures of
// the icon come from programPixmap.
const QIcon& windowIcon();

} // namespace mezura::ui
