// mezura-icons: writes the program's icon for the desktop, as the windows draw it, into a
// hicolor icon theme directory: scalable/apps/NAME.svg and NxN/apps/NAME.png.
//   mezura-icons DIR NAME
#include "ui/icon.h"

#include <QDir>
#include <QFile>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: mezura-icons DIR NAME\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    bool ok = QDir(dir).mkpath(QStringLiteral("scalable/apps"));
    QFile svg(dir + QStringLiteral("/scalable/apps/") + name + QStringLiteral(".svg"));
    ok =
        ok && svg.open(QIODevice::WriteOnly | QIODevice::Truncate) && svg.write(mezura::ui::programSvg().toUtf8()) >= 0;
    svg.close();
    for (const int pixels : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString size = QStringLiteral("%1x%1").arg(pixels);
        ok = ok && QDir(dir).mkpath(size + QStringLiteral("/apps")) &&
            mezura::ui::programImage(pixels).save(dir + '/' + size + QStringLiteral("/apps/") + name +
                                                  QStringLiteral(".png"));
    }
    if (!ok) {
        std::fprintf(stderr, "mezura-icons: cannot write the icons into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
