// The widgets of a conversion window but its unit fields (ui/fieldedit.h), each handing its
// user events to a callback. What the program sets from code raises none of them.
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>
#include <functional>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

namespace mezura::ui {

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
    // A new designed place, in a window that its user widened: the caption fits itself there
    // from its designed font, as when it was made, until placeCaptions gives it its room.
    void moveDesign(const QRect& rect);
    void setCaption(const QString& text);

    // The band of the parent that the text may use, beyond which other controls lie: from
    // `ceiling` down to `floor` (exclusive) and left of `rightEdge`. A unit label overlapped
    // by its field below draws its text whole above the field: lifted just as far as its
    // letters need (descenders included), never into the control above it. A line that would
    // run into the caption that starts at `nextCaption` on the same line, or to the parent's
    // right edge, takes a smaller font and keeps two pixels clear of it.
    void setRoom(int ceiling, int floor, int rightEdge, int nextCaption);

    // Where the caption's line starts: the left end of its baseline, from the caption's
    // top left corner.
    QPointF origin() const { return {m_indent, m_baseline}; }

    // The largest size at which the text fits its room, found at the last fitting; the font
    // may be smaller (setMostPoints).
    qreal fittingPoints() const { return m_fittingPoints; }
    // The most points the caption's font may have, so that captions side by side share one
    // size; by default no limit but the design.
    void setMostPoints(qreal points);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void fit();
    // The largest size from the designed font down (largestFitting) at which `fits` says the
    // text fits, in the font; at most the most points.
    void fitTo(const std::function<bool(const QFont&)>& fits, qreal estimate = 0);
    // The ink of the caption's letters in `font`, from their origin, and the advance of the
    // line: each size measured once for a text, as the caption is fitted more than once and
    // tries a few sizes each time.
    struct Measure {
        QRectF ink;
        qreal advance = 0;
    };
    const Measure& measure(const QFont& font);

    QRect m_design;
    // The font as designed, from which every fitting starts: a caption shrunk for a long
    // text or a narrow room takes its size again when a shorter text or more room comes.
    std::optional<QFont> m_designFont;
    bool m_keepRightEdge = false;
    int m_ceiling = std::numeric_limits<int>::min();
    int m_floor = std::numeric_limits<int>::max();
    int m_rightEdge = std::numeric_limits<int>::max();
    int m_nextCaption = std::numeric_limits<int>::max();
    qreal m_baseline = 0;
    qreal m_indent = 0;
    qreal m_fittingPoints = 0;
    qreal m_mostPoints = std::numeric_limits<qreal>::infinity();
    QString m_measuredText;
    std::vector<std::pair<QFont, Measure>> m_measures; // of m_measuredText
};

// The largest of the sizes from `designed`'s own down to 6 points, a quarter point apart, at
// which `fits` says a text fits; 6 points where none does. `fits` is to hold at every size
// below one where it holds, and is asked a few times: from the `estimate` in points (the
// size at which the text would just fit, measured at the design) up or down one size at a
// time, else by halving the range of sizes (at most five sizes from 9 points).
QFont largestFitting(const QFont& designed, const std::function<bool(const QFont&)>& fits, qreal estimate = 0);

// Gives `captions` (the unit captions of a window, each in its room: after placeCaptions) one
// size, the largest at which each of them fits, so that none is drawn smaller than its
// neighbours.
void shareOneSize(const std::vector<Caption*>& captions);

// A button text wider or taller than the room inside the button (the screen's font may run
// larger than the one the layout was drawn for) gets the largest smaller font at which it fits
// whole (largestFitting).
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
