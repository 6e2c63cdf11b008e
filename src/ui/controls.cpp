#include "ui/controls.h"

#include <algorithm>

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolTip>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>

namespace mezura::ui {

FieldEdit::FieldEdit(QWidget* parent)
    : QLineEdit(parent)
{
}

bool FieldEdit::textFits() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect room = style()->subElementRect(QStyle::SE_LineEditContents, &option, this)
                           .marginsRemoved(textMargins());
    // The line edit keeps a small margin at each side of its text.
    return fontMetrics().horizontalAdvance(text()) <= room.width() - 4;
}

bool FieldEdit::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (!textFits() && wholeText) {
            QToolTip::showText(help->globalPos(), wholeText(), this);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QLineEdit::event(event);
}

void FieldEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        if (onKey) {
            onKey(13);
        }
        return;
    }
    const QString text = event->text();
    if (!text.isEmpty() && onKey) {
        onKey(text.at(0).unicode());
    }
    QLineEdit::keyPressEvent(event);
}

void FieldEdit::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && onClick) {
        onClick();
    }
}

Background::Background(QWidget* parent)
    : QWidget(parent)
{
}

void Background::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (childAt(event->position().toPoint()) != nullptr) {
        return;
    }
    if (onMouseDown) {
        onMouseDown(event->button() == Qt::RightButton ? 2 : 1);
    }
}

void Background::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

Caption::Caption(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Caption::setDesignGeometry(const QRect& rect, bool keepRightEdge)
{
    m_design = rect;
    m_keepRightEdge = keepRightEdge;
    fit();
}

void Caption::setCaption(const QString& text)
{
    setText(text);
    fit();
}

void Caption::fit()
{
    QRect rect = m_design;
    const int needed = fontMetrics().horizontalAdvance(text()) + 2 * margin() + 1;
    if (needed > rect.width() && !wordWrap()) {
        if (m_keepRightEdge) {
            rect.setLeft(std::max(0, rect.right() + 1 - needed));
        } else {
            rect.setWidth(needed);
        }
    }
    setGeometry(rect);
}

CheckBox::CheckBox(const QString& text, QWidget* parent)
    : QCheckBox(text, parent)
{
    setTristate(true); // for the grey state; the user never reaches it by clicking
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (onClick) {
            onClick();
        }
    });
}

void CheckBox::nextCheckState() { }

GaugeBar::GaugeBar(QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent)
{
}

void GaugeBar::wheelEvent(QWheelEvent* event) { event->ignore(); }

void GaugeBar::contextMenuEvent(QContextMenuEvent* event) { event->accept(); }

namespace {
class FlashOverlay : public QWidget {
public:
    explicit FlashOverlay(QWidget* parent)
        : QWidget(parent)
    {
        setObjectName(QStringLiteral("flash"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(parent->rect());
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QColor colour = palette().color(QPalette::Highlight);
        colour.setAlpha(150);
        QPainter(this).fillRect(rect(), colour);
    }
};
} // namespace

void flash(QWidget* widget, int milliseconds)
{
    auto* overlay = new FlashOverlay(widget);
    overlay->show();
    QTimer::singleShot(milliseconds, overlay, &QObject::deleteLater);
}

} // namespace mezura::ui
