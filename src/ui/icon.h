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

// The icon in the sizes that title bars, task bars and the settings window ask for.
QIcon programIcon();

// The same drawing as a scalable (SVG) image.
QString programSvg();

} // namespace mezura::ui
