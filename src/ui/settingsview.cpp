#include "ui/settingsview.h"

#include "startup/settings.h"
#include "ui/accessible.h"
#include "ui/binding.h"
#include "ui/controls.h"
#include "ui/icon.h"
#include "ui/theme.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <map>

namespace mezura::ui {

namespace {

// The row between the last check boxes and the buttons, in the frame (twips).
constexpr Rect kChoiceHintPlace{240, 1860, 3135, 255};

Qt::CheckState toCheckState(int value)
{
    switch (value) {
    case 1:
        return Qt::Checked;
    case 2:
        return Qt::PartiallyChecked;
    default:
        return Qt::Unchecked;
    }
}

// The character code of a key that produces a character: 13 for Enter, 27 for Esc, 32 for
// Space, the code of a letter or digit; 0 for a key that produces none (arrows, F1, shift)
// and for Tab, which moves between the controls.
int characterCode(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 0;
    default:
        return event.text().isEmpty() ? 0 : event.text().at(0).unicode();
    }
}
} // namespace

SettingsView::SettingsView(Binding& binding, SettingsWindow& window)
    : m_binding(binding)
    , m_window(window)
{
    setObjectName(qs(window.name()));
    setWindowTitle(qs(window.title()));
    setWindowIcon(ui::windowIcon());
    // A panel of fixed layout: it can be minimized and closed, not resized.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(pixelSize());
    buildControls();
    if (const QScreen* shown = screen()) {
        move(shown->availableGeometry().center() - rect().center());
    }
    // Key preview: the window's handler sees every key first, whichever control has the focus.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

Dpi SettingsView::dpi() const
{
    const QScreen* shown = screen();
    return {shown->logicalDotsPerInchX(), shown->logicalDotsPerInchY()};
}

QSize SettingsView::pixelSize() const
{
    return plainWindowPixels(SettingsWindow::size(), dpi());
}

void SettingsView::forward(const std::function<void()>& event)
{
    m_binding.forward(event);
}

void SettingsView::buildControls()
{
    const Layout& layout = m_window.layout();
    const Dpi d = dpi();

    for (const ImageSpec& row : layout.images) {
        auto* image = new QLabel(this);
        image->setObjectName(qs(row.name));
        const QRect rect = toPixels(row.rect, d);
        image->setGeometry(rect);
        const qreal ratio = devicePixelRatioF();
        QPixmap pixmap = programPixmap(qRound(std::min(rect.width(), rect.height()) * ratio));
        pixmap.setDevicePixelRatio(ratio);
        image->setPixmap(pixmap);
        image->setAlignment(Qt::AlignCenter);
    }

    for (const LabelSpec& row : layout.labels) {
        auto* label = new Caption(qs(row.caption), this);
        label->setObjectName(qs(row.name));
        label->setDesignGeometry(toPixels(row.rect, d));
    }

    std::map<std::string, QWidget*> boxes;
    for (const BoxSpec& row : layout.boxes) {
        auto* box = new QGroupBox(qs(row.caption), this);
        box->setObjectName(qs(row.name));
        box->setGeometry(toPixels(row.rect, d));
        boxes[row.name] = box;
    }
    const auto parentOf = [&](const std::string& box) { return box.empty() ? this : boxes.at(box); };

    for (const CheckSpec& row : layout.checks) {
        auto* check = new CheckBox(qs(row.caption), parentOf(row.box));
        check->setObjectName(QStringLiteral("%1(%2)").arg(qs(row.name)).arg(row.index));
        check->setGeometry(toPixels(row.rect, d));
        check->setAccessibleName(startupCheckName(qs(row.caption)));
        const int index = row.index;
        // A click ticks a box that was clear or grey and clears a ticked one.
        check->onClick = [this, index] { forward([this, index] { m_window.clickCheck(index); }); };
        m_checks.emplace_back(index, check);
    }

    // Asks for a box to be ticked, in the frame's free row between the boxes and the buttons.
    QWidget* frame = parentOf(layout.checks.empty() ? std::string() : layout.checks.front().box);
    m_choiceHint = new Caption(qs(std::string(SettingsWindow::kChoiceHint)), frame);
    m_choiceHint->setObjectName(QStringLiteral("lblChoiceHint"));
    m_choiceHint->setDesignGeometry(toPixels(kChoiceHintPlace, d));
    m_choiceHint->hide();

    for (const ButtonSpec& row : layout.buttons) {
        auto* button = new QPushButton(qs(row.caption), parentOf(row.box));
        button->setObjectName(qs(row.name));
        button->setGeometry(toPixels(row.rect, d));
        button->setAutoDefault(false);
        paintSurface(button, Surface::Button, row.colour);
        button->setAccessibleName(buttonName(row));
        const ButtonRole role = row.role;
        connect(button, &QPushButton::clicked, this, [this, role] { forward([this, role] { m_window.press(role); }); });
        fitButtonText(button);
    }
    placeCaptions(this, {width()});
    placeCaptions(frame, {frame->width()});
}

void SettingsView::sync()
{
    const QString title = qs(m_window.title());
    if (windowTitle() != title) {
        setWindowTitle(title);
    }
    for (const auto& [index, check] : m_checks) {
        const Qt::CheckState state = toCheckState(m_window.check(index));
        if (check->checkState() != state) {
            check->setCheckState(state);
        }
    }
    if (m_choiceHint->isHidden() == m_window.choiceHint()) {
        m_choiceHint->setVisible(m_window.choiceHint());
        // A screen reader says it with each box while it shows.
        for (const auto& [index, check] : m_checks) {
            setSpeech(check, check->accessibleName(), m_window.choiceHint() ? m_choiceHint->text() : QString());
        }
    }
    if (m_window.visible() && !isVisible()) {
        show();
        raise(); // shown again, it stands in front of the conversion windows
    } else if (!m_window.visible() && isVisible()) {
        hide();
    }
}

void SettingsView::flashCue()
{
    for (const auto& [index, check] : m_checks) {
        flash(check);
    }
}

void SettingsView::closeEvent(QCloseEvent* event)
{
    if (m_binding.app().ended()) {
        event->accept();
        return;
    }
    // The window decides: hidden while a conversion window shows, else the end.
    event->ignore();
    forward([this] { m_window.closeRequest(); });
}

bool SettingsView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (key.key() == Qt::Key_F1 && key.modifiers() == Qt::NoModifier) {
        forward([this] { m_window.f1(); });
        return true;
    }
    // The arrow keys move the focus through the controls as Tab and Shift+Tab do.
    if (key.modifiers() == Qt::NoModifier || key.modifiers() == Qt::KeypadModifier) {
        switch (key.key()) {
        case Qt::Key_Right:
        case Qt::Key_Down:
            focusNextPrevChild(true);
            return true;
        case Qt::Key_Left:
        case Qt::Key_Up:
            focusNextPrevChild(false);
            return true;
        default:
            break;
        }
    }
    const int code = characterCode(key);
    if (code == 0) {
        return QWidget::eventFilter(watched, event);
    }
    // Space on a check box ticks or clears it; Enter or Space on a button presses it. Any
    // other key that produces a character is the window's: it dismisses the window, and the
    // control with the focus does not act on it as well.
    if (code == ' ') {
        for (const auto& [index, check] : m_checks) {
            if (watched == check) {
                forward([this, i = index] { m_window.clickCheck(i); });
                return true;
            }
        }
    }
    if (code == ' ' || code == 13) {
        if (auto* button = qobject_cast<QPushButton*>(watched)) {
            button->click();
            return true;
        }
    }
    forward([this, code] { m_window.key(code); });
    return true;
}

} // namespace mezura::ui
