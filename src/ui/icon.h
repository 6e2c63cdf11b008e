// The program's icon: a ruler over a value gauge on the light cyan of the metric fields, in
// the colours of the unit groups. One drawing serves the windows and the icon files that the
// installed program leaves for the desktop (the scalable one and each fixed size).
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace mezura::ui {

// The icon at `pixels` x `pixels`, on a transparent ground.
QImage programImage(int pixels);
QPixmap programPixmap(int pixels);

// The icon of every window in the small sizes that title bars, task bars and window switchers
// take from a window (16 to 48 pixels), drawn once. Every window sets it on itself before it
// first shows, so that Qt hands it to the window manager once per window; larger pictures of
// the icon come from programPixmap.
const QIcon& windowIcon();

// The same drawing as a scalable (SVG) image.
QString programSvg();

} // namespace mezura::ui
