// The widgets of a conversion window, each handing its user events to a callback. What
// the program sets from code raises none of them.
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QWidget>
#include <functional>

namespace mezura::ui {

// A unit field. Enter gives key code 13 without the line edit's own Enter handling; every
// other key is handled as usual and its character code passed on as well.
class FieldEdit : public QLineEdit {
public:
    explicit FieldEdit(QWidget* parent);

    std::function<void(int keyCode)> onKey;
    std::function<void()> onClick; // left button
    // The tooltip of a text wider than the field: the whole text with its unit's relation.
    std::function<QString()> wholeText;

    // Whether the text shows in full in the field.
    bool textFits() const;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
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

private:
    void fit();

    QRect m_design;
    bool m_keepRightEdge = false;
};

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
};

// A brief flash over `widget`, the visible cue that goes with a beep: a translucent overlay
// in the palette's highlight colour that removes itself after `milliseconds`. The widget's
// text, colours and state stay as they are.
void flash(QWidget* widget, int milliseconds = 250);

} // namespace mezura::ui
