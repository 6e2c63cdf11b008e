// A unit field: a line edit that draws itself until it is first used.
//
// Drawn by itself. A window has dozens of fields and the toolkit's line edit is costly to
// make (a tenth of a window's start), so a field starts as a plain widget that paints the
// line edit's panel and text itself, to the pixel as the line edit paints them without the
// focus and with its cursor at the first character. The window sets its text, colours,
// note and read-only state all the same.
//
// The line edit, made on first use: when the field takes the focus (a click, Tab, the
// program), receives a key, a shortcut override, input method text, a mouse press or double
// click, or a context menu, when a drag enters it, or when editor() is called (assistive
// technology that selects or edits). The line edit is handed the text (the field keeps no
// copy), the read-only state, the tab stop and the field's place in the tab chain, the focus
// with its reason, the name and description for assistive technology, and the event that
// made it; it lies over the whole field from then on and does all of the editing. An input
// event it leaves (a key it does not take, a press it ignores) goes on through the field to
// the window once: the field lets that event pass instead of handing it on again.
//
// A text too wide, while nobody edits the field (before the line edit is made, while it has
// no focus, and from Enter in it until the user edits again): drawn in a smaller size of the
// field's font, half a point at a time, a point smaller at most; where even that is too wide,
// a number shows rounded to the digits that fit a point smaller, as a spreadsheet shows it
// (fitNumber), in the largest of those sizes that holds them, with a small blue triangle in
// the field's top right corner where the value shown is not the number's. Only a text that
// is no number shows its start fading into the field's base before "…" at the right edge. A
// text that was not read whole (setNote) has a red wavy line under it. The text itself, its
// tooltip, its copy and what assistive technology reads of it stay whole.
//
// For assistive technology the field is one editable text. Before the line edit exists its
// object answers from what the field draws: the value, name and description (the note where
// there is one), the cursor at the first character, no selection, each character's place;
// what would change the text, the cursor or the selection makes the line edit first. After,
// the line edit is no object of its own: the field's object passes its text, cursor,
// selection and editing on to the line edit.
#pragma once

#include <QLineEdit>
#include <QStyleOptionFrame>
#include <QWidget>
#include <functional>
#include <utility>

class QAccessibleInterface;
class QPainter;

namespace mezura::ui {

// Enter gives key code 13 without the line edit's own Enter handling; every other key is
// handled as usual and its character code passed on as well.
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
    // How the field shows its text while nobody edits it (see above): the whole text in the
    // field's font or up to a point smaller; a number that does not fit even then rounded to
    // the digits that fit a point smaller; any other text its start with "…" at the field's
    // right edge over a faded end. The text and all that copies it stay whole.
    struct Shown {
        QFont font;
        QString text;         // what is drawn: the whole text, a form of the number, or a start and "…"
        bool whole = true;    // the whole text
        bool cut = false;     // a start and "…"
        bool rounded = false; // a form of the number whose value is not the number's: marked
        QRect line;           // the line of text in the field
    };
    Shown shown() const;
    // Whether the field draws its text as shown() has it rather than as its line edit lays it
    // out: before the line edit is made, and where the text does not fit while the line edit
    // has no focus or has just taken Enter.
    bool drawsShown() const;
    // Where character `offset` of the text shows while the field draws it as shown() has it,
    // in the field's coordinates; empty past what is drawn and behind the mark of a cut text.
    // Of a number shown in another form, the characters that the form repeats at their places
    // show there, the next one takes the rest of the form, and the others show nowhere.
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
    // field's place): the panel, the text as shown() has it, the mark of a rounded number and
    // the note's underline.
    void drawUnedited(QPainter& painter) const;
    // The small triangle in the top right corner of a field that shows its number rounded.
    void drawRoundedMark(QPainter& painter, const QFont& font) const;
    void cacheShown(const QString& text, const QRect& room, const Shown& shown) const;
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
    // Enter has taken what was typed into the line edit, and nobody has edited since.
    bool m_entered = false;
    // The event that the line edit just left, which comes to the field next on its way to the
    // window: the field lets it pass rather than handing it to the line edit again.
    QEvent* m_passedOn = nullptr;
    bool m_forwarding = false;
};

// The field's object for assistive technology (see above); null for any other object.
QAccessibleInterface* accessibleField(QObject* object);

} // namespace mezura::ui
