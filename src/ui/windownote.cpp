#include "ui/windownote.h"

#include <QAccessible>
#include <QEvent>
#include <QPainter>

namespace mezura::ui {

WindowNote::WindowNote(QWidget* parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("windowNote"));
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The theme's tooltip colours, which the program keeps readable (readablePalette).
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    setAutoFillBackground(true);
    setMargins();
    hide();
}

bool WindowNote::setNote(const QString& note)
{
    if (note == text() && isHidden() == note.isEmpty()) {
        return false;
    }
    setText(note);
    setAccessibleName(note); // raises NameChanged
    setVisible(!note.isEmpty());
    if (!note.isEmpty() && QAccessible::isActive()) {
        QAccessibleEvent alert(this, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }
    return true;
}

int WindowNote::heightIn(int width) const
{
    return isHidden() ? 0 : heightForWidth(width);
}

void WindowNote::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    // A line along the top parts the note from the window's controls above it.
    QPainter painter(this);
    QColor line = palette().color(QPalette::ToolTipText);
    line.setAlphaF(0.45F);
    painter.fillRect(QRect(0, 0, width(), 1), line);
}

void WindowNote::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        setMargins();
    }
}

void WindowNote::setMargins()
{
    // Room around the text that grows with the letters, as at every scale of the desktop.
    const int line = fontMetrics().height();
    setContentsMargins(line / 2, 1 + line / 5, line / 2, line / 5);
}

} // namespace mezura::ui
