#include "ui/application.h"

#include "ui/accessible.h"
#include "ui/theme.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>
#include <fontconfig/fontconfig.h>

namespace mezura::ui {

namespace {

// The names of the font that fontconfig gives to Japanese text in sans-serif, the name in the
// desktop's language first.
QStringList fontconfigJapaneseSans()
{
    QStringList names;
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) {
        return names;
    }
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
        FcChar8* family = nullptr;
        for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
            names << QString::fromUtf8(reinterpret_cast<const char*>(family));
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return names;
}

} // namespace

QString japaneseFamily(const QStringList& candidates, const std::function<bool(const QString&)>& coversJapanese)
{
    for (const QString& family : candidates) {
        if (!family.isEmpty() && coversJapanese(family)) {
            return family;
        }
    }
    return QStringLiteral("IPAPGothic");
}

QFont applicationFont()
{
    // The desktop's general font as its platform theme gives it (Qt's generic "Sans Serif",
    // which names no font, where the desktop tells none). Only its family counts: the windows
    // are laid out for 9 points, which the screen's resolution and scale factor scale.
    const QStringList candidates =
        QStringList{QFontDatabase::systemFont(QFontDatabase::GeneralFont).family()} + fontconfigJapaneseSans();
    // A name that the font database lists under another (a translated one) is passed over:
    // the font's other name in the list is the one it knows.
    QFont font(japaneseFamily(candidates,
                              [](const QString& family) {
                                  return QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese);
                              }),
               9);
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
