#include "ui/application.h"

#include <QApplication>

namespace mezura::ui {

QFont applicationFont() { return QFont(QStringLiteral("IPAPGothic"), 9); }

void setUpApplication()
{
    QApplication::setFont(applicationFont());
    QApplication::setQuitOnLastWindowClosed(false);
}

} // namespace mezura::ui
