#include "ui/accessible.h"

#include "framework/layout.h"
#include "framework/menu.h"
#include "ui/controls.h"
#include "ui/mapping.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QAccessibleWidget>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>
#include <QWindow>
#include <algorithm>
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

// A unit field: one editable text, with its number as the value, and the name and
// description the field gives when asked. Its line edit, once made, is no object of its own:
// it answers for the text (cursor, selection, editing) through the field. Before that the
// field answers from the number it draws, its cursor at the first character; what changes
// the text, the cursor or the selection makes the line edit first.
class UnitField : public QAccessibleWidget, public QAccessibleTextInterface, public QAccessibleEditableTextInterface {
public:
    explicit UnitField(FieldEdit* field)
        : QAccessibleWidget(field, QAccessible::EditableText)
    {
    }

    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value) {
            return field()->text();
        }
        // A text that was not read whole is described by what was read of it.
        if (kind == QAccessible::Description && !field()->note().isEmpty()) {
            return field()->note();
        }
        if ((kind == QAccessible::Name || kind == QAccessible::Description) && field()->speech) {
            const auto [name, description] = field()->speech();
            return kind == QAccessible::Name ? name : description;
        }
        return QAccessibleWidget::text(kind);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = !field()->isReadOnly();
        state.readOnly = field()->isReadOnly();
        state.focusable = field()->focusPolicy() != Qt::NoFocus;
        state.focused = field()->hasFocus();
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        if (type == QAccessible::EditableTextInterface) {
            return static_cast<QAccessibleEditableTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    void selection(int index, int* start, int* end) const override
    {
        if (const QAccessibleTextInterface* made = madeText()) {
            made->selection(index, start, end);
        } else {
            *start = 0;
            *end = 0;
        }
    }
    int selectionCount() const override
    {
        const QAccessibleTextInterface* made = madeText();
        return made != nullptr ? made->selectionCount() : 0;
    }
    void addSelection(int start, int end) override { editorText()->addSelection(start, end); }
    void removeSelection(int index) override
    {
        if (QAccessibleTextInterface* made = madeText()) {
            made->removeSelection(index);
        }
    }
    void setSelection(int index, int start, int end) override { editorText()->setSelection(index, start, end); }
    int cursorPosition() const override
    {
        const QAccessibleTextInterface* made = madeText();
        return made != nullptr ? made->cursorPosition() : 0;
    }
    void setCursorPosition(int position) override { editorText()->setCursorPosition(position); }
    QString text(int start, int end) const override
    {
        if (const QAccessibleTextInterface* made = madeText()) {
            return made->text(start, end);
        }
        // A range past either end of the text is cut to the text, as a line edit cuts it.
        const QString shown = field()->text();
        const qsizetype from = std::clamp<qsizetype>(start, 0, shown.size());
        const qsizetype to = end < 0 ? shown.size() : std::clamp<qsizetype>(end, from, shown.size());
        return shown.mid(from, to - from);
    }
    int characterCount() const override
    {
        const QAccessibleTextInterface* made = madeText();
        return made != nullptr ? made->characterCount() : static_cast<int>(field()->text().size());
    }
    QRect characterRect(int offset) const override
    {
        if (const QAccessibleTextInterface* made = madeText()) {
            return made->characterRect(offset);
        }
        const QRect place = field()->characterRect(offset);
        return place.isEmpty() ? QRect() : QRect(field()->mapToGlobal(place.topLeft()), place.size());
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        if (const QAccessibleTextInterface* made = madeText()) {
            return made->offsetAtPoint(point);
        }
        const QPoint inField = field()->mapFromGlobal(point);
        for (int offset = 0; offset < field()->text().size(); ++offset) {
            if (field()->characterRect(offset).contains(inField)) {
                return offset;
            }
        }
        return -1;
    }
    void scrollToSubstring(int start, int end) override
    {
        if (QAccessibleTextInterface* made = madeText()) {
            made->scrollToSubstring(start, end);
        }
    }
    QString attributes(int offset, int* start, int* end) const override
    {
        if (const QAccessibleTextInterface* made = madeText()) {
            return made->attributes(offset, start, end);
        }
        *start = 0;
        *end = characterCount();
        return {};
    }

    // Editing goes through the line edit; a read-only field takes none.
    void deleteText(int start, int end) override
    {
        if (QAccessibleEditableTextInterface* editing = editorEditing()) {
            editing->deleteText(start, end);
        }
    }
    void insertText(int offset, const QString& text) override
    {
        if (QAccessibleEditableTextInterface* editing = editorEditing()) {
            editing->insertText(offset, text);
        }
    }
    void replaceText(int start, int end, const QString& text) override
    {
        if (QAccessibleEditableTextInterface* editing = editorEditing()) {
            editing->replaceText(start, end, text);
        }
    }

private:
    FieldEdit* field() const { return static_cast<FieldEdit*>(widget()); }
    // The line edit's own answers: once it is made, or made now.
    QAccessibleTextInterface* madeText() const
    {
        return field()->hasEditor() ? QAccessible::queryAccessibleInterface(field()->editor())->textInterface()
                                    : nullptr;
    }
    QAccessibleTextInterface* editorText() const
    {
        return QAccessible::queryAccessibleInterface(field()->editor())->textInterface();
    }
    QAccessibleEditableTextInterface* editorEditing() const
    {
        return field()->isReadOnly()
            ? nullptr
            : QAccessible::queryAccessibleInterface(field()->editor())->editableTextInterface();
    }
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
    if (auto* field = qobject_cast<FieldEdit*>(object)) {
        return new UnitField(field);
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
