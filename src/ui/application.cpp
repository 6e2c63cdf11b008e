#include "ui/application.h"

#include "ui/icon.h"

#include <QApplication>

namespace mezura::ui {

QFont applicationFont() { return QFont(QStringLiteral("IPAPGothic"), 9); }

void setUpApplication()
{
    QApplication::setFont(applicationFont());
    QApplication::setWindowIcon(programIcon());
    QApplication::setQuitOnLastWindowClosed(false);
}

} // namespace mezura::ui
