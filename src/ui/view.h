// A view: the widget that shows one window of the program.
#pragma once

class QWidget;

namespace mezura::ui {

class View {
public:
    virtual ~View() = default;

    virtual QWidget* widget() = 0;
    // Brings the widget in line with its window: texts, colours, gauge, size, visibility.
    // Changes made here are never forwarded back as user events.
    virtual void sync() = 0;
    // The visible cue that goes with a beep of the window: what the beep concerns flashes.
    virtual void flashCue() = 0;
};

} // namespace mezura::ui
