#include "ui/application.h"

#include "ui/icon.h"
#include "ui/theme.h"

#include <QApplication>

namespace mezura::ui {

QFont applicationFont() { return QFont(QStringLiteral("IPAPGothic"), 9); }

void setUpApplication()
{
    QApplication::setStyle(readableStyle());
    const QPalette theme = QApplication::palette();
    if (const QPalette readable = readablePalette(theme); readable != theme) {
        QApplication::setPalette(readable);
    }
    QApplication::setFont(applicationFont());
    QApplication::setWindowIcon(programIcon());
    QApplication::setQuitOnLastWindowClosed(false);
}

} // namespace mezura::ui
