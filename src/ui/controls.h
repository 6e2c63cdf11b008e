// The widgets of a conversion window, each handing its user events to a callback. What
// the program sets from code raises none of them.
#pragma once

#include <QCheckBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionFrame>
#include <QWidget>
#include <functional>
#include <limits>
#include <utility>
#include <vector>

class QPainter;

namespace mezura::ui {

// A unit field. Enter gives key code 13 without the line edit's own Enter handling; every
// other key is handled as usual and its character code passed on as well.
//
// A window has dozens of fields and the toolkit's line edit is costly to make (a tenth of a
// window's start), so a field draws its text itself, exactly as the line edit draws it,
// until it is first used: the line edit is made when the field first takes the focus or
// receives a key, a mouse press, a context menu or a drag, lies over the whole field from
// then on, and does all of its work.
class FieldEdit : public QWidget {
    Q_OBJECT

public:
    explicit FieldEdit(QWidget* parent);
    // The line edit goes first, while the field it tells of its events is still whole.
    ~FieldEdit() override;
    FieldEdit(const FieldEdit&) = delete;
    FieldEdit& operator=(const FieldEdit&) = delete;

    std::function<void(int keyCode)> onKey;
    std::function<void()> onClick;                     // left button
    std::function<void(const QString& text)> onEdited; // the user changed the text
    // The tooltip of a text wider than the field: the whole text with its unit's relation.
    std::function<QString()> wholeText;
    // What assistive technology says for the field: its name and its description.
    std::function<std::pair<QString, QString>()> speech;

    QString text() const;
    void setText(const QString& text);
    // Before the line edit is made the cursor is at the first character, where a written
    // value shows from.
    int cursorPosition() const;
    void setCursorPosition(int position);
    bool isReadOnly() const;
    void setReadOnly(bool readOnly);
    // Whether Tab stops at the field.
    void setTabStop(bool stop);

    // Whether the text shows in full in the field's own font.
    bool textFits() const;
    // How the field shows its text while nobody edits it (before its line edit is made, and
    // while the line edit has no focus): a text wider than the field in a smaller size of the
    // field's font, down to 7 points; one that does not fit even then, its start with "…" at
    // the field's right edge over a faded end. The text and all that copies it stay whole.
    struct Shown {
        QFont font;
        QString text; // what is drawn: the whole text, or its start and "…"
        bool cut = false;
        QRect line; // the line of text in the field
    };
    Shown shown() const;
    // Where character `offset` of the text shows before the line edit is made, in the
    // field's coordinates; empty past the text and behind the mark of a cut text.
    // Assistive technology reads a text by places.
    QRect characterRect(int offset) const;

    // A sentence that tells what was read of a typed text that could not be read whole, or
    // empty: while there is one, a red wavy line underlines the text, the tooltip starts
    // with the sentence and assistive technology gives it as the field's description.
    void setNote(const QString& note);
    const QString& note() const { return m_note; }

    // Draws, once per font and pixel ratio, every character that a written number holds,
    // off screen, in the field's font and in the smallest a number is shrunk to: the glyphs
    // are then ready before the first Enter, which would otherwise spend a third of its
    // time rendering them.
    void prepareNumberGlyphs() const;

    // The line edit, made now if the field has none yet.
    QLineEdit* editor();
    bool hasEditor() const { return m_editor != nullptr; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    class Editor;

    QLineEdit* makeEditor(Qt::FocusReason reason);
    // Hands an event that reached the field to its line edit.
    bool forward(QLineEdit* editor, QEvent* event);
    // The tooltip for a help event at `globalPos`; false when the text shows in full.
    bool showWholeText(const QPoint& globalPos);
    // The palette the line edit paints with: the field's own colours over the line edit's kind.
    QPalette linePalette() const;
    // The line edit's frame, the room inside it for the text, and the line of text in that room.
    QStyleOptionFrame frameOption() const;
    QRect textRoom(const QStyleOptionFrame& option) const;
    QRect lineRect(const QRect& room) const;
    QRect lineRect(const QRect& room, const QFont& font) const;
    // Draws the field as nobody edits it, on the field or on its line edit (which lies at the
    // field's place): the panel, the text as shown() has it, and the note's underline.
    void drawUnedited(QPainter& painter) const;
    // The red wavy line under the first `width` pixels of the line of text `line`.
    void drawNoteMark(QPainter& painter, const QRect& line, const QFont& font, qreal width) const;

    QString m_text;
    QString m_note;
    bool m_readOnly = false;
    // The last shown(), kept while the text, the font and the room for the text stay.
    mutable Shown m_shown;
    mutable QString m_shownOf;
    mutable QFont m_shownFont;
    mutable QRect m_shownRoom;
    QLineEdit* m_editor = nullptr;
    // The event that the line edit just left, which comes to the field next on its way to the
    // window: the field lets it pass rather than handing it to the line edit again.
    QEvent* m_passedOn = nullptr;
    bool m_forwarding = false;
};

// A menu that makes its items the first time it is measured or about to show: made with
// their window, the items of every menu were a tenth of the windows' start. A menu bar
// measures a menu before it opens it, to open it above the bar where there is no room below.
class ItemsWhenUsedMenu : public QMenu {
public:
    ItemsWhenUsedMenu(const QString& title, QWidget* parent, std::function<void(QMenu*)> makeItems);

    QSize sizeHint() const override;

private:
    void makeItems() const;

    mutable std::function<void(QMenu*)> m_makeItems;
};

// The window background: a mouse button pressed where no control is. A press that a
// control leaves unhandled (a right click on a button) is still the control's.
class Background : public QWidget {
public:
    explicit Background(QWidget* parent);

    std::function<void(int button)> onMouseDown; // 1 left (and any but the right), 2 right

protected:
    void mousePressEvent(QMouseEvent* event) override;
    // The second press of a double click is no new mouse-down.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// A caption: plain text from the top left corner.
class Caption : public QLabel {
public:
    Caption(const QString& text, QWidget* parent);

    // The caption's place as designed. A text wider than that place (the screen's font may
    // run wider than the one the layout was drawn for) widens the caption instead of being
    // cut: to the right, or to the left where the caption ends a row (IndMax).
    void setDesignGeometry(const QRect& rect, bool keepRightEdge = false);
    void setCaption(const QString& text);

    // The band of the parent that the text may use, beyond which other controls lie: from
    // `ceiling` down to `floor` (exclusive) and left of `rightEdge`. A unit label overlapped
    // by its field below draws its text whole above the field: lifted just as far as its
    // letters need (descenders included), never into the control above it. A caption that
    // starts at `nextCaption` on the same line is kept clear of by a smaller font.
    void setRoom(int ceiling, int floor, int rightEdge, int nextCaption);

    // Where the caption's line starts: the left end of its baseline, from the caption's
    // top left corner.
    QPointF origin() const { return {m_indent, m_baseline}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void fit();
    // Makes the font smaller, down to 6 points, until `fits` says the text fits.
    void shrinkUntil(const std::function<bool(const QFont&)>& fits);
    // The ink of the caption's letters in `font`, from their origin, and the advance of the
    // line: measured again only when the text or the font changed, as the caption is fitted
    // more than once.
    struct Measure {
        QRectF ink;
        qreal advance = 0;
    };
    const Measure& measure(const QFont& font);

    QRect m_design;
    bool m_keepRightEdge = false;
    int m_ceiling = std::numeric_limits<int>::min();
    int m_floor = std::numeric_limits<int>::max();
    int m_rightEdge = std::numeric_limits<int>::max();
    int m_nextCaption = std::numeric_limits<int>::max();
    qreal m_baseline = 0;
    qreal m_indent = 0;
    QString m_measuredText;
    QFont m_measuredFont;
    Measure m_measure;
};

// A button text wider or taller than the room inside the button (the screen's font may run
// larger than the one the layout was drawn for) gets a font a little smaller, down to 6
// points, until it fits whole.
void fitButtonText(QPushButton* button);

// Gives every caption among the children of `parent` its room: the band up to the nearest
// control below it that is drawn over it and down from the nearest control above it, left
// of the parent's right edge as the window shows it: the first of `rightEdges` (ascending;
// one per window width) right of the caption's start.
void placeCaptions(QWidget* parent, const std::vector<int>& rightEdges);

// A check box whose state only the program sets: a click changes nothing by itself and is
// handed on, for the window to decide the box's new state.
class CheckBox : public QCheckBox {
public:
    CheckBox(const QString& text, QWidget* parent);

    std::function<void()> onClick;

protected:
    void nextCheckState() override;
};

// The gauge slider: arrows, track and thumb; neither the mouse wheel nor a context menu
// moves it.
class GaugeBar : public QScrollBar {
public:
    explicit GaugeBar(QWidget* parent);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The left and right arrows move the thumb the way they point.
    void keyPressEvent(QKeyEvent* event) override;
};

// A brief flash over `widget`, the visible cue that goes with a beep: a translucent overlay
// in the palette's highlight colour that goes after `milliseconds` (a widget flashed again
// before then flashes anew, under the same overlay). The widget's text, colours and state
// stay as they are.
void flash(QWidget* widget, int milliseconds = 250);

} // namespace mezura::ui
