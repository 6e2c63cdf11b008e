// The view of the settings window: the program's icon, name and version, the frame
// "起動時の画面" with the ten check boxes and the buttons, built from the window's data. The
// window sees every key before its controls: Space ticks or clears the focused check box,
// Enter and Space press the focused button, Tab and the arrows move the focus, and any other
// key that produces a character goes to the window itself.
#pragma once

#include "ui/mapping.h"
#include "ui/view.h"

#include <QWidget>
#include <functional>
#include <vector>

namespace mezura {
class SettingsWindow;
}

namespace mezura::ui {

class Binding;
class Caption;
class CheckBox;

class SettingsView : public QWidget, public View {
    Q_OBJECT

public:
    SettingsView(Binding& binding, SettingsWindow& window);

    QWidget* widget() override { return this; }
    void sync() override;
    // The check boxes flash: the window stays until one of them is ticked.
    void flashCue() override;

    Dpi dpi() const;
    // The pixel size that the window's size in twips gives (it has no menu bar).
    QSize pixelSize() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void forward(const std::function<void()>& event);

    Binding& m_binding;
    SettingsWindow& m_window;
    std::vector<std::pair<int, CheckBox*>> m_checks; // box index (1 ...) and its control
    Caption* m_choiceHint = nullptr;                 // shown while the window asks for a choice
};

} // namespace mezura::ui
