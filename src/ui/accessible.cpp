#include "ui/accessible.h"

#include "ui/mapping.h"
#include "windows/units.h"

#include <QWidget>
#include <string>

namespace mezura::ui {

QString fieldName(std::string_view window, const FieldSpec& field)
{
    const QString label = qs(field.label).trimmed();
    const std::string_view words = unitWords(window, field.name);
    if (words.empty()) {
        return label;
    }
    return label + QLatin1Char(' ') + QString::fromUtf8(words.data(), static_cast<qsizetype>(words.size()));
}

QString buttonName(const ButtonSpec& button)
{
    switch (button.role) {
    case ButtonRole::Range:
        return QStringLiteral("目盛りを %1 にする").arg(qs(button.caption));
    case ButtonRole::Help:
        return QStringLiteral("ヘルプを開く");
    case ButtonRole::Ok:
        return QStringLiteral("%1：選んだ画面を開いて保存する").arg(qs(button.caption));
    case ButtonRole::Cancel:
        return QStringLiteral("%1：保存せずに閉じる").arg(qs(button.caption));
    case ButtonRole::Quit:
        return QStringLiteral("%1：保存して終了する").arg(qs(button.caption));
    }
    return qs(button.caption);
}

QString gaugeName(const QString& min, const QString& max)
{
    return QStringLiteral("目盛り %1 から %2").arg(min.trimmed(), max.trimmed());
}

QString gaugeValue(int value, int max) { return QStringLiteral("位置 %1 (最大 %2)").arg(value).arg(max); }

void setSpeech(QWidget* widget, const QString& name, const QString& description)
{
    if (widget->accessibleName() != name) {
        widget->setAccessibleName(name);
    }
    if (widget->accessibleDescription() != description) {
        widget->setAccessibleDescription(description);
    }
}

QString startupCheckName(const QString& caption) { return QStringLiteral("%1の画面を起動時に開く").arg(caption); }

} // namespace mezura::ui
