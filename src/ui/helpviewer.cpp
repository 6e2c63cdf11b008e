#include "ui/helpviewer.h"

#include "ui/messages.h"

#include <QCoreApplication>
#include <QDir>

namespace mezura::ui {

QString HelpViewer::helpFile()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Mezura.chm"));
}

void HelpViewer::open(int topic)
{
    // No viewer for the help file yet: say so rather than do nothing.
    showMessage({ MessageKind::Information, QStringLiteral("ヨモギの単位計算"),
                  QStringLiteral("ヘルプファイル \"Mezura.chm\" のトピック %1 はまだ表示できません。").arg(topic) });
}

} // namespace mezura::ui
