#include "ui/accessible.h"

#include "framework/layout.h"
#include "framework/menu.h"
#include "ui/fieldedit.h"
#include "ui/mapping.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <string>

namespace mezura::ui {

namespace {

constexpr const char* kSpoken = "mezuraSpokenName";

// A menu item (of a menu bar or a drop-down menu) with the program's name for it. The rest is
// as Qt's own menu items answer: its place, its state, its drop-down, and pressing it.
class SpokenMenuItem : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    SpokenMenuItem(QAction* action, QWidget* owner)
        : m_action(action)
        , m_owner(owner)
    {
    }

    bool isValid() const override { return !m_action.isNull() && !m_owner.isNull(); }
    QObject* object() const override { return m_action; }
    QWindow* window() const override { return m_owner->window()->windowHandle(); }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_owner); }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 && m_action->menu() != nullptr ? QAccessible::queryAccessibleInterface(m_action->menu())
                                                         : nullptr;
    }
    int childCount() const override { return m_action->menu() != nullptr ? 1 : 0; }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child != nullptr && m_action->menu() != nullptr && child->object() == m_action->menu() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name) {
            return m_action->property(kSpoken).toString();
        }
        if (kind == QAccessible::Accelerator) {
            return m_action->shortcut().toString(QKeySequence::NativeText);
        }
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        QRect place;
        if (const auto* menu = qobject_cast<const QMenu*>(m_owner.data())) {
            place = menu->actionGeometry(m_action);
        } else if (const auto* bar = qobject_cast<const QMenuBar*>(m_owner.data())) {
            place = bar->actionGeometry(m_action);
        }
        return QRect(m_owner->mapToGlobal(place.topLeft()), place.size());
    }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.disabled = !m_action->isEnabled();
        state.invisible = !m_action->isVisible() || !m_owner->isVisible();
        state.focusable = true;
        state.hasPopup = m_action->menu() != nullptr;
        if (const auto* menu = qobject_cast<const QMenu*>(m_owner.data())) {
            state.focused = menu->activeAction() == m_action;
        } else if (const auto* bar = qobject_cast<const QMenuBar*>(m_owner.data())) {
            state.focused = bar->activeAction() == m_action;
        }
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override
    {
        return {m_action->menu() != nullptr ? showMenuAction() : pressAction()};
    }
    void doAction(const QString& name) override
    {
        if (!m_action->isEnabled()) {
            return;
        }
        if (auto* bar = qobject_cast<QMenuBar*>(m_owner.data())) {
            bar->setActiveAction(m_action);
        } else if (name == pressAction()) {
            m_action->trigger();
        } else if (auto* menu = qobject_cast<QMenu*>(m_owner.data())) {
            menu->setActiveAction(m_action);
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<QAction> m_action;
    QPointer<QWidget> m_owner;
};

QAccessibleInterface* spokenMenuItems(const QString& key, QObject* object)
{
    auto* action = qobject_cast<QAction*>(object);
    if (key != QLatin1String("QAction") || action == nullptr || !action->property(kSpoken).isValid()) {
        return nullptr;
    }
    for (QObject* owner : action->associatedObjects()) {
        if (auto* widget = qobject_cast<QWidget*>(owner)) {
            return new SpokenMenuItem(action, widget);
        }
    }
    return nullptr;
}

QAccessibleInterface* programControls(const QString& key, QObject* object)
{
    if (QAccessibleInterface* field = accessibleField(object)) {
        return field;
    }
    return spokenMenuItems(key, object);
}

} // namespace

QString fieldName(const FieldSpec& field)
{
    QString label = qs(field.label).trimmed();
    if (*field.unit.words == '\0') {
        return label;
    }
    return label + QLatin1Char(' ') + QString::fromUtf8(field.unit.words);
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

QString gaugeValue(int value, int max)
{
    return QStringLiteral("位置 %1 (最大 %2)").arg(value).arg(max);
}

void setSpeech(QWidget* widget, const QString& name, const QString& description)
{
    if (widget->accessibleName() != name) {
        widget->setAccessibleName(name);
    }
    if (widget->accessibleDescription() != description) {
        widget->setAccessibleDescription(description);
    }
}

QString menuItemName(const MenuEntry& item)
{
    QString caption = qs(item.caption);
    switch (item.command) {
    case MenuCommand::None:
        return caption;
    case MenuCommand::ShowWindow:
        return QStringLiteral("%1の画面を開く").arg(caption);
    case MenuCommand::ShowAll:
        return QStringLiteral("%1：すべての画面を開く").arg(caption);
    case MenuCommand::ShowSettings:
        return QStringLiteral("%1：設定の画面を開く").arg(caption);
    case MenuCommand::SwitchSize:
        return QStringLiteral("%1：画面の大きさを切り替える").arg(caption);
    case MenuCommand::CommonHelp:
        return QStringLiteral("%1のヘルプを開く").arg(caption);
    case MenuCommand::WindowHelp:
        return QStringLiteral("%1：この画面のヘルプを開く").arg(caption);
    case MenuCommand::Quit:
        return QStringLiteral("%1：プログラムを終了する").arg(caption);
    }
    return caption;
}

void setSpeech(QAction* action, const QString& name)
{
    action->setProperty(kSpoken, name);
}

void installAccessibleControls()
{
    QAccessible::installFactory(programControls);
}

QString startupCheckName(const QString& caption)
{
    return QStringLiteral("%1の画面を起動時に開く").arg(caption);
}

} // namespace mezura::ui
