#include "ui/fieldedit.h"

#include "framework/fitnumber.h"
#include "ui/theme.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
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
#include <QTextLayout>
#include <QToolTip>
#include <algorithm>
#include <string_view>
#include <vector>

namespace mezura::ui {

namespace {
// How much smaller than its own font a field draws a text too wide for it, half a point at
// a time, before it rounds a number: a size that still reads as the window's.
constexpr qreal kShrinkPoints = 1;
// The mark at the right edge of a field whose text is no number and does not fit even then.
constexpr QChar kCutMark(0x2026);
// What a line edit keeps clear at each side of its text, inside the room that the style
// gives it (SE_LineEditContents): Qt's QLineEditPrivate::horizontalMargin, defined in
// qtbase's src/widgets/widgets/qlineedit_p.cpp. No public call gives it, so it is written
// here; the test that compares a field's picture with its line edit's fails if Qt changes it.
constexpr int kLineEditSideMargin = 2;

// The colour of the wavy line under a text that was not read whole: a red that stands out on
// the field's base, dark on a light field and light on a dark one.
QColor noteColour(const QColor& base)
{
    const QColor dark(192, 0, 0);
    const QColor light(255, 112, 112);
    return contrastRatio(dark, base) >= contrastRatio(light, base) ? dark : light;
}

// The colour of the corner mark of a rounded number: a blue apart from the red of the wavy
// line, dark on a light field and light on a dark one.
QColor roundedColour(const QColor& base)
{
    const QColor dark(0, 84, 196);
    const QColor light(122, 178, 255);
    return contrastRatio(dark, base) >= contrastRatio(light, base) ? dark : light;
}

// A font `points` smaller than `font`; a font sized in pixels stays as it is.
QFont smallerFont(QFont font, qreal points)
{
    if (font.pointSizeF() > points) {
        font.setPointSizeF(font.pointSizeF() - points);
    }
    return font;
}

// Whether a key press is a modifier alone, which starts no editing.
bool modifierAlone(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
        return true;
    default:
        return false;
    }
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
                // What was typed is taken: the field shows it as every other field shows
                // its number until the user edits again.
                m_field->m_entered = true;
                update();
            }
            return;
        }
        if (!modifierAlone(event->key())) {
            editAgain();
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

    // Being edited the field is a plain line edit; left, or once Enter has taken what was
    // typed, it shows its text as the field does before it has a line edit: a point smaller
    // at most, a number rounded, where the text does not fit.
    void paintEvent(QPaintEvent* event) override
    {
        if (m_field->drawsShown()) {
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
        editAgain();
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
        editAgain();
        QLineEdit::focusOutEvent(event);
        if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
            setCursorPosition(0);
        }
    }

    void focusInEvent(QFocusEvent* event) override
    {
        editAgain();
        QLineEdit::focusInEvent(event);
    }

    void inputMethodEvent(QInputMethodEvent* event) override
    {
        editAgain();
        QLineEdit::inputMethodEvent(event);
    }

private:
    // Editing starts again after Enter: the line edit shows the text as it lays it out.
    void editAgain()
    {
        if (std::exchange(m_field->m_entered, false)) {
            update();
        }
    }

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
    // In the field's font, which rounded numbers take, and in the smallest that a text too
    // wide for the field shrinks to.
    const QFont smallest = smallerFont(font(), kShrinkPoints);
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
    // A line edit centres the line of text in its room, clear of the room's sides.
    const QFontMetrics metrics(font);
    const int lineHeight = std::max(metrics.boundingRect(text()).height(), metrics.height());
    return {room.x() + kLineEditSideMargin, room.y() + (room.height() - lineHeight + 1) / 2,
            room.width() - 2 * kLineEditSideMargin, lineHeight};
}

bool FieldEdit::textFits() const
{
    const Shown drawn = shown();
    return drawn.whole && drawn.font == font();
}

bool FieldEdit::drawsShown() const
{
    return m_editor == nullptr || ((!m_editor->hasFocus() || m_entered) && !textFits());
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
    // The sizes a text too wide may take, half a point apart: few, whose glyphs are soon
    // drawn once each.
    std::vector<QFont> sizes;
    for (qreal smaller = 0; smaller <= kShrinkPoints; smaller += 0.5) {
        sizes.push_back(smallerFont(font(), smaller));
    }
    const int width = lineRect(room).width();
    const auto fits = [width](const QString& line, const QFont& size) {
        return QFontMetricsF(size).horizontalAdvance(line) <= width;
    };
    // The whole text in the largest size that holds it.
    for (const QFont& size : sizes) {
        if (fits(drawn, size)) {
            const Shown result{size, drawn, true, false, false, lineRect(room, size)};
            cacheShown(whole, room, result);
            return result;
        }
    }
    // A number rounded to the most digits that the smallest size holds, in the largest size
    // that holds them.
    const FittedNumber number = fitNumber(whole.toStdString(), [&](std::string_view form) {
        return fits(QString::fromUtf8(form.data(), qsizetype(form.size())), sizes.back());
    });
    if (number.found) {
        const QString form = QString::fromStdString(number.form.text);
        const QFont& size =
            *std::find_if(sizes.begin(), sizes.end(), [&](const QFont& each) { return fits(form, each); });
        const Shown result{size, form, false, false, number.form.rounded, lineRect(room, size)};
        cacheShown(whole, room, result);
        return result;
    }
    Shown result{sizes.back(), drawn, false, true, false, lineRect(room, sizes.back())};
    // Any other text: the characters that fit whole before the mark, and the mark.
    const QFontMetricsF metrics(result.font);
    const qreal before = result.line.width() - metrics.horizontalAdvance(kCutMark);
    qsizetype kept = drawn.size();
    while (kept > 0 && (metrics.horizontalAdvance(drawn.left(kept)) > before || drawn.at(kept - 1).isHighSurrogate())) {
        --kept;
    }
    result.text = drawn.left(kept) + kCutMark;
    cacheShown(whole, room, result);
    return result;
}

void FieldEdit::cacheShown(const QString& text, const QRect& room, const Shown& shown) const
{
    m_shownOf = text;
    m_shownFont = font();
    m_shownRoom = room;
    m_shown = shown;
}

QRect FieldEdit::characterRect(int offset) const
{
    const Shown drawn = shown();
    const QFontMetrics metrics(drawn.font);
    if (!drawn.whole && !drawn.cut) {
        // A form of the number: the characters it shares with the text from the start, then
        // the rest of the form for the first character that differs.
        const QString whole = text();
        qsizetype same = 0;
        while (same < drawn.text.size() && same < whole.size() && drawn.text.at(same) == whole.at(same)) {
            ++same;
        }
        if (offset < 0 || offset > same || offset >= drawn.text.size()) {
            return {};
        }
        const int left = metrics.horizontalAdvance(drawn.text.left(offset));
        const int right = offset < same ? metrics.horizontalAdvance(drawn.text.left(offset + 1))
                                        : metrics.horizontalAdvance(drawn.text);
        return {drawn.line.x() + left, drawn.line.y(), right - left, drawn.line.height()};
    }
    if (offset < 0 || offset >= drawn.text.size() - (drawn.cut ? 1 : 0)) {
        return {};
    }
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
    if (drawn.rounded) {
        painter.setClipping(false);
        drawRoundedMark(painter, drawn.font);
    }
}

void FieldEdit::drawRoundedMark(QPainter& painter, const QFont& font) const
{
    // A right triangle in the corner inside the frame's outer line, its sides two thirds of
    // the height of a digit: above the digits' tops where they end, seen at a glance.
    const QRectF inside = QRectF(rect()).adjusted(1, 1, -1, -1);
    const qreal side = std::max<qreal>(4, std::round(QFontMetricsF(font).capHeight() * 0.7));
    const QPointF corner = inside.topRight();
    const QPointF triangle[] = {corner, corner + QPointF(-side, 0), corner + QPointF(0, side)};
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(roundedColour(linePalette().base().color()));
    painter.drawPolygon(triangle, 3);
    painter.restore();
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

namespace {

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
    // Where the field draws its text itself, it tells where; else the line edit does.
    QRect characterRect(int offset) const override
    {
        if (const QAccessibleTextInterface* made = madeText(); made != nullptr && !field()->drawsShown()) {
            return made->characterRect(offset);
        }
        const QRect place = field()->characterRect(offset);
        return place.isEmpty() ? QRect() : QRect(field()->mapToGlobal(place.topLeft()), place.size());
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        if (const QAccessibleTextInterface* made = madeText(); made != nullptr && !field()->drawsShown()) {
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

} // namespace

QAccessibleInterface* accessibleField(QObject* object)
{
    if (auto* field = qobject_cast<FieldEdit*>(object)) {
        return new UnitField(field);
    }
    return nullptr;
}

} // namespace mezura::ui
