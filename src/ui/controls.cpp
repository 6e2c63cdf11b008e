#include "ui/controls.h"

#include "ui/theme.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTextLayout>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace mezura::ui {

namespace {
// The smallest font a text that does not fit is given, in points.
constexpr qreal kSmallestPoints = 6;
// The smallest font a field's number is drawn in: a size that still reads well.
constexpr qreal kSmallestFieldPoints = 7;
// The mark at the right edge of a field whose number does not fit even in that size.
constexpr QChar kCutMark(0x2026);

// The colour of the wavy line under a text that was not read whole: a red that stands out on
// the field's base, dark on a light field and light on a dark one.
QColor noteColour(const QColor& base)
{
    const QColor dark(192, 0, 0);
    const QColor light(255, 112, 112);
    return contrastRatio(dark, base) >= contrastRatio(light, base) ? dark : light;
}

// Whether an event of `type` that a widget leaves goes on to the widget's parent.
bool goesOnToParent(QEvent::Type type)
{
    switch (type) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
        return true;
    default:
        return false;
    }
}
} // namespace

// The line edit of a field: the field's keys, clicks and tooltip.
class FieldEdit::Editor : public QLineEdit {
public:
    explicit Editor(FieldEdit* field)
        : QLineEdit(field)
        , m_field(field)
    {
    }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::ToolTip) {
            if (!m_field->showWholeText(static_cast<QHelpEvent*>(event)->globalPos())) {
                event->ignore();
            }
            return true;
        }
        const bool handled = QLineEdit::event(event);
        // An input event the line edit leaves goes on to its parent, the field, next.
        m_field->m_passedOn = (!handled || !event->isAccepted()) && goesOnToParent(event->type()) ? event : nullptr;
        return handled;
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            event->accept();
            const QPointer<Editor> self(this);
            if (m_field->onKey) {
                m_field->onKey(13);
            }
            if (self != nullptr) {
                forgetEdits();
            }
            return;
        }
        const QString text = event->text();
        if (!text.isEmpty() && m_field->onKey) {
            m_field->onKey(text.at(0).unicode());
        }
        QLineEdit::keyPressEvent(event);
    }

    // Enter takes what was typed: the keys before it are undone one by one no more. Kept,
    // they would grow without end in the field the user types into, which the window does
    // not write (and an undo after Enter would take back that field alone, not the others).
    void forgetEdits()
    {
        if (!isUndoAvailable() && !isRedoAvailable()) {
            return;
        }
        const int cursor = cursorPosition();
        const int start = selectionStart();
        const int length = selectionLength();
        setText(text()); // the text as it is, without the edits that led to it
        if (start < 0) {
            setCursorPosition(cursor);
        } else if (cursor == start) {
            setSelection(start + length, -length);
        } else {
            setSelection(start, length);
        }
    }

    // Being edited the field is a plain line edit; left, it shows its text as the field does
    // before it has a line edit, in a smaller font or marked where it does not fit.
    void paintEvent(QPaintEvent* event) override
    {
        if (!hasFocus() && !m_field->textFits()) {
            QPainter painter(this);
            m_field->drawUnedited(painter);
            return;
        }
        QLineEdit::paintEvent(event);
        if (!m_field->m_note.isEmpty()) {
            QPainter painter(this);
            const QRect line = m_field->lineRect(m_field->textRoom(m_field->frameOption()));
            m_field->drawNoteMark(painter, line, font(),
                                  std::min<qreal>(QFontMetricsF(font()).horizontalAdvance(text()), line.width()));
        }
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        QLineEdit::mousePressEvent(event);
        if (event->button() == Qt::LeftButton && m_field->onClick) {
            m_field->onClick();
        }
    }

    // A field the user leaves shows its number from the first digit again: Tab selects the
    // whole number and scrolls to its end, and left that way a long number would show only
    // its last digits, which read as another number. A window that merely loses the focus
    // keeps the cursor where the user left it.
    void focusOutEvent(QFocusEvent* event) override
    {
        QLineEdit::focusOutEvent(event);
        if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
            setCursorPosition(0);
        }
    }

private:
    FieldEdit* m_field;
};

FieldEdit::FieldEdit(QWidget* parent)
    : QWidget(parent)
{
    // What the line edit sets for itself, so that the field is the same before it has one.
    setFocusPolicy(Qt::StrongFocus);
    setBackgroundRole(QPalette::Base);
    setCursor(Qt::IBeamCursor);
    setAcceptDrops(true);
}

FieldEdit::~FieldEdit()
{
    // A focused line edit loses the focus as it goes, and would tell a field already taken apart.
    delete std::exchange(m_editor, nullptr);
}

QString FieldEdit::text() const
{
    return m_editor != nullptr ? m_editor->text() : m_text;
}

void FieldEdit::setText(const QString& text)
{
    if (m_editor != nullptr) {
        m_editor->setText(text);
        return;
    }
    if (text == m_text) {
        return;
    }
    m_text = text;
    update();
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent changed(this, text);
        QAccessible::updateAccessibility(&changed);
    }
}

int FieldEdit::cursorPosition() const
{
    return m_editor != nullptr ? m_editor->cursorPosition() : 0;
}

void FieldEdit::setCursorPosition(int position)
{
    if (m_editor != nullptr) {
        m_editor->setCursorPosition(position);
    }
}

bool FieldEdit::isReadOnly() const
{
    return m_readOnly;
}

void FieldEdit::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    if (m_editor != nullptr) {
        m_editor->setReadOnly(readOnly);
    }
    update();
}

void FieldEdit::setTabStop(bool stop)
{
    const Qt::FocusPolicy policy = stop ? Qt::StrongFocus : Qt::NoFocus;
    setFocusPolicy(policy);
    if (m_editor != nullptr) {
        m_editor->setFocusPolicy(policy);
    }
}

QLineEdit* FieldEdit::editor()
{
    return makeEditor(Qt::OtherFocusReason);
}

QLineEdit* FieldEdit::makeEditor(Qt::FocusReason reason)
{
    if (m_editor != nullptr) {
        return m_editor;
    }
    auto* editor = new Editor(this);
    editor->setGeometry(rect());
    editor->setReadOnly(m_readOnly);
    editor->setText(m_text);
    editor->setCursorPosition(0);
    if (speech) {
        const auto [name, description] = speech();
        editor->setAccessibleName(name);
        editor->setAccessibleDescription(m_note.isEmpty() ? description : m_note);
    }
    connect(editor, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (onEdited) {
            onEdited(text);
        }
    });
    // The line edit takes the field's place in the tab chain, and the focus given to the field.
    const Qt::FocusPolicy policy = focusPolicy();
    setFocusPolicy(Qt::StrongFocus);
    setTabOrder(this, editor);
    setFocusPolicy(policy);
    editor->setFocusPolicy(policy);
    m_editor = editor;
    m_text.clear();
    editor->lower(); // under what is drawn over the field, the flash of a field that was reset
    editor->show();
    if (hasFocus()) {
        editor->setFocus(reason);
    }
    setFocusProxy(editor);
    return editor;
}

void FieldEdit::prepareNumberGlyphs() const
{
    // In the field's font, and in the smallest, which most numbers too wide for a field take.
    QFont smallest = font();
    if (smallest.pointSizeF() > kSmallestFieldPoints) {
        smallest.setPointSizeF(kSmallestFieldPoints);
    }
    static QSet<QString> prepared;
    const qreal ratio = devicePixelRatioF();
    for (const QFont& drawn : {font(), smallest}) {
        const QString key = drawn.key() + QLatin1Char('@') + QString::number(ratio);
        if (prepared.contains(key)) {
            continue;
        }
        prepared.insert(key);
        const QFontMetricsF metrics(drawn);
        const QString characters = QStringLiteral("0123456789.E+-\u2026");
        QImage scratch((QSizeF(metrics.horizontalAdvance(characters) + 2, metrics.height() * 4) * ratio).toSize(),
                       QImage::Format_ARGB32_Premultiplied);
        scratch.setDevicePixelRatio(ratio);
        scratch.fill(Qt::transparent);
        QPainter painter(&scratch);
        painter.setFont(drawn);
        painter.setPen(palette().color(QPalette::Text));
        // A glyph is kept for each quarter of a pixel that it can start at.
        for (int quarter = 0; quarter < 4; ++quarter) {
            painter.drawText(QPointF(quarter / 4.0, metrics.ascent() + quarter * metrics.height()), characters);
        }
    }
}

QStyleOptionFrame FieldEdit::frameOption() const
{
    QStyleOptionFrame option;
    option.initFrom(this);
    option.palette = linePalette();
    option.rect = contentsRect();
    option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    if (m_readOnly) {
        option.state |= QStyle::State_ReadOnly;
    }
    option.features = QStyleOptionFrame::None;
    return option;
}

QRect FieldEdit::textRoom(const QStyleOptionFrame& option) const
{
    return style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
}

QRect FieldEdit::lineRect(const QRect& room) const
{
    return lineRect(room, font());
}

QRect FieldEdit::lineRect(const QRect& room, const QFont& font) const
{
    // A line edit centres the line of text in its room and keeps two pixels at each side.
    constexpr int kSideMargin = 2;
    const QFontMetrics metrics(font);
    const int lineHeight = std::max(metrics.boundingRect(text()).height(), metrics.height());
    return {room.x() + kSideMargin, room.y() + (room.height() - lineHeight + 1) / 2, room.width() - 2 * kSideMargin,
            lineHeight};
}

bool FieldEdit::textFits() const
{
    const Shown drawn = shown();
    return !drawn.cut && drawn.font == font();
}

FieldEdit::Shown FieldEdit::shown() const
{
    const QString whole = text();
    const QRect room = textRoom(frameOption());
    if (whole == m_shownOf && font() == m_shownFont && room == m_shownRoom) {
        return m_shown;
    }
    // What the line edit shows for characters that have no glyph of their own.
    QString drawn = whole;
    for (QChar& c : drawn) {
        if ((c.unicode() < 0x20 && c.unicode() != 0x09) || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator || c == QChar::ObjectReplacementCharacter) {
            c = QLatin1Char(' ');
        }
    }
    Shown result{font(), drawn, false, lineRect(room)};
    const auto fits = [&result](const QString& line) {
        return QFontMetricsF(result.font).horizontalAdvance(line) <= result.line.width();
    };
    if (!fits(drawn) && result.font.pointSizeF() > 0) {
        while (result.font.pointSizeF() > kSmallestFieldPoints && !fits(drawn)) {
            // Half a point at a time: few sizes, whose glyphs are soon drawn once each.
            result.font.setPointSizeF(std::max(kSmallestFieldPoints, result.font.pointSizeF() - 0.5));
            result.line = lineRect(room, result.font);
        }
    }
    if (!fits(drawn)) {
        // The characters that fit whole before the mark, and the mark.
        const QFontMetricsF metrics(result.font);
        const qreal before = result.line.width() - metrics.horizontalAdvance(kCutMark);
        qsizetype kept = drawn.size();
        while (kept > 0 &&
               (metrics.horizontalAdvance(drawn.left(kept)) > before || drawn.at(kept - 1).isHighSurrogate())) {
            --kept;
        }
        result.text = drawn.left(kept) + kCutMark;
        result.cut = true;
    }
    m_shownOf = whole;
    m_shownFont = font();
    m_shownRoom = room;
    m_shown = result;
    return result;
}

QRect FieldEdit::characterRect(int offset) const
{
    const Shown drawn = shown();
    if (offset < 0 || offset >= drawn.text.size() - (drawn.cut ? 1 : 0)) {
        return {};
    }
    const QFontMetrics metrics(drawn.font);
    return {drawn.line.x() + metrics.horizontalAdvance(drawn.text.left(offset)), drawn.line.y(),
            metrics.horizontalAdvance(drawn.text.at(offset)), drawn.line.height()};
}

void FieldEdit::setNote(const QString& note)
{
    if (note == m_note) {
        return;
    }
    m_note = note;
    update();
    if (m_editor != nullptr) {
        m_editor->update();
        if (note.isEmpty() && speech) {
            m_editor->setAccessibleDescription(speech().second);
        } else {
            m_editor->setAccessibleDescription(note);
        }
    }
    if (QAccessible::isActive()) {
        QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

bool FieldEdit::showWholeText(const QPoint& globalPos)
{
    QStringList lines;
    if (!m_note.isEmpty()) {
        lines << m_note;
    }
    if (!textFits() && wholeText) {
        lines << wholeText();
    }
    if (!lines.isEmpty()) {
        QToolTip::showText(globalPos, lines.join(QLatin1Char('\n')), this);
        return true;
    }
    QToolTip::hideText();
    return false;
}

QPalette FieldEdit::linePalette() const
{
    return palette().resolve(QApplication::palette("QLineEdit"));
}

bool FieldEdit::event(QEvent* event)
{
    if (event == std::exchange(m_passedOn, nullptr)) {
        return QWidget::event(event); // left by the line edit, on its way to the window
    }
    switch (event->type()) {
    case QEvent::ToolTip:
        if (!showWholeText(static_cast<QHelpEvent*>(event)->globalPos())) {
            event->ignore();
        }
        return true;
    // What the line edit is made for: it lies at the field's own place, so a mouse event's
    // position is the same for it.
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::ContextMenu:
        return forward(makeEditor(Qt::OtherFocusReason), event);
    // The rest of a press begun before the line edit was made.
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        if (m_editor != nullptr) {
            return forward(m_editor, event);
        }
        break;
    // A drag that enters the field makes the line edit, which lies under the pointer from then
    // on: the window hands the drag's next move to it, and it takes or refuses the text.
    case QEvent::DragEnter:
        makeEditor(Qt::OtherFocusReason);
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

bool FieldEdit::forward(QLineEdit* editor, QEvent* event)
{
    if (m_forwarding) { // the same event, sent back to the field on its way
        return QWidget::event(event);
    }
    m_forwarding = true;
    QApplication::sendEvent(editor, event);
    m_forwarding = false;
    // What the line edit left has gone on from it to the field and the window already: here
    // it is done, so that the window does not see it twice.
    event->accept();
    return true;
}

void FieldEdit::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    makeEditor(event->reason());
}

void FieldEdit::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_editor != nullptr) {
        m_editor->setGeometry(rect());
    }
}

// The field as the line edit draws it without the focus, its cursor at the first character:
// the same panel, and the text laid out the same way at the same place, to the pixel.
void FieldEdit::paintEvent(QPaintEvent*)
{
    if (m_editor != nullptr) {
        return;
    }
    QPainter painter(this);
    drawUnedited(painter);
}

void FieldEdit::drawUnedited(QPainter& painter) const
{
    const QStyleOptionFrame option = frameOption();
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    const QRect room = textRoom(option);
    painter.setClipRect(room);

    const Shown drawn = shown();
    QTextLayout layout(drawn.cut ? drawn.text.chopped(1) : drawn.text, drawn.font);
    QTextOption textOption = layout.textOption();
    textOption.setTextDirection(layoutDirection());
    textOption.setFlags(QTextOption::IncludeTrailingSpaces);
    layout.setTextOption(textOption);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();

    // The line's baseline stays where the font's ascent puts it, whatever the text's script.
    const QFontMetrics metrics(drawn.font);
    const QPoint at(drawn.line.x(), drawn.line.y() - (qRound(line.ascent()) - metrics.ascent()));
    const QColor ink = option.palette.text().color();
    painter.setPen(ink);
    layout.draw(&painter, at, {}, room);
    qreal width = QFontMetricsF(drawn.font).horizontalAdvance(drawn.text);

    if (drawn.cut) {
        // The line fades into the field's base before the mark, which stands at the right
        // edge in the text's colour: the number goes on beyond what the field shows.
        const QColor base = option.palette.base().color();
        const qreal markWidth = QFontMetricsF(drawn.font).horizontalAdvance(kCutMark);
        const qreal markLeft = drawn.line.right() + 1 - markWidth;
        const qreal fadeWidth = 1.5 * QFontMetricsF(drawn.font).horizontalAdvance(QLatin1Char('0'));
        QLinearGradient fade(markLeft - fadeWidth, 0, markLeft, 0);
        QColor clear = base;
        clear.setAlpha(0);
        QColor faded = base;
        faded.setAlpha(176);
        fade.setColorAt(0, clear);
        fade.setColorAt(1, faded);
        painter.fillRect(QRectF(markLeft - fadeWidth, room.top(), fadeWidth, room.height()), fade);
        painter.fillRect(QRectF(markLeft, room.top(), room.right() + 1 - markLeft, room.height()), base);
        painter.setFont(drawn.font);
        painter.setPen(ink);
        painter.drawText(QPointF(markLeft, drawn.line.y() + metrics.ascent()), QString(kCutMark));
    }
    if (!m_note.isEmpty()) {
        drawNoteMark(painter, drawn.line, drawn.font, std::min<qreal>(width, drawn.line.width()));
    }
}

void FieldEdit::drawNoteMark(QPainter& painter, const QRect& line, const QFont& font, qreal width) const
{
    if (width <= 0) {
        return;
    }
    // Waves of four pixels, a pixel above and below a middle just under the baseline.
    constexpr qreal kHalfWave = 2;
    constexpr qreal kAmplitude = 1;
    const QFontMetricsF metrics(font);
    const qreal middle = line.y() + QFontMetrics(font).ascent() + std::max<qreal>(1.5, metrics.descent() * 0.6);
    QPainterPath wave(QPointF(line.x(), middle));
    bool up = true;
    for (qreal x = line.x(); x < line.x() + width; x += kHalfWave) {
        wave.quadTo(x + kHalfWave / 2, middle + (up ? -2 : 2) * kAmplitude, x + kHalfWave, middle);
        up = !up;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(noteColour(linePalette().base().color()), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(wave);
    painter.restore();
}

ItemsWhenUsedMenu::ItemsWhenUsedMenu(const QString& title, QWidget* parent, std::function<void(QMenu*)> makeItems)
    : QMenu(title, parent)
    , m_makeItems(std::move(makeItems))
{
    connect(this, &QMenu::aboutToShow, this, [this] { this->makeItems(); });
}

QSize ItemsWhenUsedMenu::sizeHint() const
{
    makeItems();
    return QMenu::sizeHint();
}

void ItemsWhenUsedMenu::makeItems() const
{
    if (m_makeItems) {
        const auto make = std::exchange(m_makeItems, nullptr);
        make(const_cast<ItemsWhenUsedMenu*>(this)); // the same menu, measured before it has its items
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

void Background::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
}

Caption::Caption(const QString& text, QWidget* parent)
    : QLabel(parent)
{
    // The text last, so that the label lays it out once.
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setText(text);
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

void Caption::setRoom(int ceiling, int floor, int rightEdge, int nextCaption)
{
    m_ceiling = ceiling;
    m_floor = floor;
    m_rightEdge = rightEdge;
    m_nextCaption = nextCaption;
    fit();
}

// The empty pixels a caption's letters keep from the controls above and below them.
constexpr qreal kInkClearance = 1;

void Caption::fit()
{
    QRect rect = m_design;
    if (wordWrap()) {
        // A note of several lines: a smaller font where its lines would not fit its place.
        shrinkUntil([&](const QFont& font) {
            return QFontMetricsF(font)
                       .boundingRect(QRectF(QPointF(0, 0), QSizeF(rect.size())), Qt::TextWordWrap, text())
                       .height() <= rect.height();
        });
        setGeometry(rect);
        return;
    }
    // The width the line needs from the caption's left: a letter that reaches left of its
    // origin (J) is moved right by as much.
    const auto width = [](const Measure& line) {
        return std::ceil(std::max<qreal>(0, -line.ink.left()) + std::max(line.advance, line.ink.right())) + 1;
    };
    // A line taller than the band between the controls above and below, or one that would
    // run into the next caption on its line (two pixels apart at least): a smaller font.
    shrinkUntil([&](const QFont& font) {
        const Measure& line = measure(font);
        return std::ceil(line.ink.height()) + 2 * kInkClearance <= qreal(m_floor) - m_ceiling &&
            (m_keepRightEdge || m_nextCaption == std::numeric_limits<int>::max() ||
             rect.left() + width(line) <= qreal(m_nextCaption) - 2);
    });
    const QFontMetricsF metrics(font());
    const Measure& line = measure(font());
    const QRectF ink = line.ink;
    m_indent = std::max<qreal>(0, -ink.left());
    const int needed = int(width(line));
    if (needed > rect.width()) {
        if (m_keepRightEdge) {
            rect.setLeft(std::max(0, rect.right() + 1 - needed));
        } else {
            rect.setWidth(needed);
        }
    }
    if (rect.right() >= m_rightEdge && m_design.left() < m_rightEdge) {
        rect.moveRight(std::max(rect.width() - 1, m_rightEdge - 1)); // ends at the window's edge
        rect.moveLeft(std::max(0, rect.left()));
    }
    if (text().isEmpty()) {
        setGeometry(rect);
        return;
    }
    // The line where a top-aligned label would set it, its baseline one ascent below the
    // top; lifted where its letters would reach into the control below, lowered where they
    // would rise above the band, a pixel apart from both so that the letters never touch a
    // neighbour's line. The caption covers the letters and no more of the band.
    qreal baseline = m_design.top() + metrics.ascent();
    if (baseline + ink.bottom() > m_floor - kInkClearance) {
        baseline = m_floor - kInkClearance - ink.bottom();
    }
    if (baseline + ink.top() < m_ceiling + kInkClearance) {
        baseline = m_ceiling + kInkClearance - ink.top();
    }
    const int top =
        std::max(m_ceiling, std::min(m_design.top(), int(std::floor(baseline + ink.top() - kInkClearance))));
    const int bottom =
        std::min(std::max(m_design.bottom() + 1, int(std::ceil(baseline + ink.bottom() + kInkClearance))), m_floor);
    rect.setTop(top);
    rect.setBottom(std::max(top, bottom - 1));
    m_baseline = baseline - top;
    setGeometry(rect);
    update();
}

const Caption::Measure& Caption::measure(const QFont& font)
{
    if (m_measuredText != text() || m_measuredFont != font) {
        m_measuredText = text();
        m_measuredFont = font;
        const QFontMetricsF metrics(font);
        m_measure = text().isEmpty() ? Measure{}
                                     : Measure{metrics.tightBoundingRect(text()), metrics.horizontalAdvance(text())};
    }
    return m_measure;
}

void Caption::shrinkUntil(const std::function<bool(const QFont&)>& fits)
{
    QFont shrunk = font();
    while (shrunk.pointSizeF() > kSmallestPoints && !fits(shrunk)) {
        shrunk.setPointSizeF(shrunk.pointSizeF() - 0.25);
    }
    if (shrunk != font()) {
        setFont(shrunk);
    }
}

void Caption::paintEvent(QPaintEvent* event)
{
    if (wordWrap()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(QPointF(contentsRect().left() + m_indent, m_baseline), text());
}

void fitButtonText(QPushButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRectF box = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    QFont font = button->font();
    while (font.pointSizeF() > kSmallestPoints) {
        // The line centred in the button, as the style draws it, in whole pixels.
        const QFontMetricsF metrics(font);
        const qreal width = metrics.horizontalAdvance(button->text());
        const qreal baseline = box.top() + (box.height() - metrics.height()) / 2 + metrics.ascent();
        const QRectF ink = metrics.tightBoundingRect(button->text()).translated(0, baseline);
        if (width + 1 <= box.width() && ink.top() >= box.top() + 0.5 && ink.bottom() <= box.bottom() - 0.5) {
            break;
        }
        font.setPointSizeF(font.pointSizeF() - 0.25);
    }
    if (font != button->font()) {
        button->setFont(font);
    }
}

void placeCaptions(QWidget* parent, const std::vector<int>& rightEdges)
{
    // The controls in the order they were made (later ones are drawn over earlier ones), each
    // looked at once; a caption's place is updated as soon as it has its room.
    struct Control {
        Caption* caption;
        QRect place;
    };
    std::vector<Control> controls;
    for (QObject* child : parent->children()) {
        if (auto* widget = qobject_cast<QWidget*>(child); widget != nullptr && !widget->isWindow()) {
            controls.push_back({dynamic_cast<Caption*>(widget), widget->geometry()});
        }
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        Caption* caption = controls[i].caption;
        if (caption == nullptr) {
            continue;
        }
        const QRect own = controls[i].place;
        int ceiling = 0;
        int floor = std::numeric_limits<int>::max();
        int rightEdge = std::numeric_limits<int>::max();
        int nextCaption = std::numeric_limits<int>::max();
        for (int edge : rightEdges) {
            if (edge > own.left()) {
                rightEdge = edge;
                break;
            }
        }
        for (std::size_t j = 0; j < controls.size(); ++j) {
            if (j == i) {
                continue;
            }
            const QRect& r = controls[j].place;
            if (r.left() > own.left() && r.top() <= own.bottom() && own.top() <= r.bottom() &&
                controls[j].caption != nullptr) {
                nextCaption = std::min(nextCaption, r.left()); // a caption further along the line
            }
            if (r.right() < own.left() || r.left() > own.right()) {
                continue;
            }
            if (r.bottom() < own.top() + own.height() / 2 && r.top() < own.top()) {
                ceiling = std::max(ceiling, r.bottom() + 1); // a control above
            } else if (j > i && r.top() > own.top()) {
                floor = std::min(floor, r.top()); // a control below, drawn over the caption
            }
        }
        caption->setRoom(ceiling, floor, rightEdge, nextCaption);
        controls[i].place = caption->geometry();
    }
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

void CheckBox::nextCheckState()
{
}

GaugeBar::GaugeBar(QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent)
{
}

void GaugeBar::keyPressEvent(QKeyEvent* event)
{
    // The toolkit's scroll bar takes the keys of a vertical bar, where up lowers the value,
    // and so lowers it with the right arrow too. Up and page up still step towards the start,
    // down and page down towards the end, as on a scroll bar.
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
        const bool towardsEnd = (event->key() == Qt::Key_Right) != isRightToLeft();
        triggerAction(towardsEnd ? SliderSingleStepAdd : SliderSingleStepSub);
        event->accept();
        return;
    }
    QScrollBar::keyPressEvent(event);
}

void GaugeBar::wheelEvent(QWheelEvent* event)
{
    event->ignore();
}

void GaugeBar::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
}

namespace {
// The flash over a field: shown for a while, then hidden until the next beep. A field keeps
// its one overlay, so that beeps in quick succession (a held Enter that resets the window
// each time) add no widgets: each shows the same overlay anew.
class FlashOverlay : public QWidget {
public:
    explicit FlashOverlay(QWidget* parent)
        : QWidget(parent)
    {
        setObjectName(QStringLiteral("flash"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        m_end.setSingleShot(true);
        connect(&m_end, &QTimer::timeout, this, &QWidget::hide);
    }

    void start(int milliseconds)
    {
        setGeometry(parentWidget()->rect());
        raise();
        show();
        m_end.start(milliseconds);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QColor colour = palette().color(QPalette::Highlight);
        colour.setAlpha(150);
        QPainter(this).fillRect(rect(), colour);
    }

private:
    QTimer m_end;
};
} // namespace

void flash(QWidget* widget, int milliseconds)
{
    FlashOverlay* overlay = nullptr;
    for (QObject* child : widget->children()) {
        overlay = overlay != nullptr ? overlay : dynamic_cast<FlashOverlay*>(child);
    }
    if (overlay == nullptr) {
        overlay = new FlashOverlay(widget);
    }
    overlay->start(milliseconds);
}

} // namespace mezura::ui
