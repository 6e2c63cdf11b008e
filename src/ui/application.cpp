#include "ui/application.h"

#include "ui/accessible.h"
#include "ui/theme.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace mezura::ui {

QFont applicationFont()
{
    QFont font(QStringLiteral("IPAPGothic"), 9);
    // Japanese, Latin letters and digits read right without shaping, which is most of the
    // time of laying out a text: of a field's number after every Enter, and of the many
    // captions at the start. A script that needs shaping (Arabic, Indic) still gets it.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

bool loadQtTranslations()
{
    // The program speaks Japanese whatever the desktop's language: so do Qt's own texts, the
    // fields' context menu and the standard dialogs, from the system's translations.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator)) {
        return true;
    }
    delete translator;
    qWarning("Qt's Japanese translations (qtbase_ja.qm) were not found: Qt's own texts stay in English");
    return false;
}

void setUpApplication()
{
    installAccessibleControls();
    QApplication::setStyle(readableStyle());
    const QPalette theme = QApplication::palette();
    if (const QPalette readable = readablePalette(theme); readable != theme) {
        QApplication::setPalette(readable);
    }
    QApplication::setFont(applicationFont());
    QApplication::setQuitOnLastWindowClosed(false);
    loadQtTranslations();
}

} // namespace mezura::ui
