// The view of a conversion window: menu bar, hidden pop-up menu, unit fields with their
// labels, frame boxes, range buttons and the gauge, all built from the window's data.
#pragma once

#include "framework/frame.h"
#include "ui/mapping.h"
#include "ui/view.h"

#include <QMainWindow>
#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QMenu;
class QPushButton;

namespace mezura {
class ConversionWindow;
struct MenuEntry;
} // namespace mezura

namespace mezura::ui {

class Binding;
class Caption;
class FieldEdit;
class GaugeBar;
class WindowNote;

class ConversionView : public QMainWindow, public View {
    Q_OBJECT

public:
    ConversionView(Binding& binding, ConversionWindow& window);

    QWidget* widget() override { return this; }
    void sync() override;

    // Shows the pop-up menu at `at` (global coordinates).
    void popup(const QPoint& at);
    // The fields that the out-of-range reset writes flash briefly, whether or not it
    // changes their values.
    void flashCue() override;

    Dpi dpi() const;
    // The pixel size that the window's size in twips gives, with this view's menu bar, and
    // the window's note under the client area while there is one.
    QSize pixelSize() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    void makeItems(QMenu* menu, const std::vector<MenuEntry>& items);
    void buildControls();
    void orderTabs();
    // Only controls within the client area of `client` pixels are tab stops.
    void keepTabStopsInView(const QSize& client);
    void sliderAction(int action);
    // The window's note right under the client area, across the window, and its height
    // there (0 without a note).
    void placeNote();
    int noteHeight() const;
    void forward(const std::function<void()>& event);

    Binding& m_binding;
    ConversionWindow& m_window;
    QMenu* m_popup = nullptr;
    std::vector<FieldEdit*> m_fields;    // by field index
    std::vector<QPushButton*> m_buttons; // by button index
    std::vector<Caption*> m_labels;      // by label index (IndMin, IndMax ...)
    GaugeBar* m_slider = nullptr;
    WindowNote* m_note = nullptr;
    std::optional<Size> m_appliedSize; // the size last given to the widget
    int m_appliedNote = 0;             // the height of the note it was given with
};

} // namespace mezura::ui
