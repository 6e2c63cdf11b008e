// The view of a conversion window: menu bar, hidden pop-up menu, unit fields with their
// labels, frame boxes, range buttons and the gauge, all built from the window's data.
#pragma once

#include "framework/frame.h"
#include "ui/mapping.h"
#include "ui/view.h"

#include <QMainWindow>
#include <functional>
#include <optional>
#include <utility>
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
    // The pixel size that the window's size in twips gives, with this view's menu bar, as
    // wide as its user made it (widening()), and the window's note under the client area
    // while there is one.
    QSize pixelSize() const;
    // The width of the client area that the window's size in twips gives.
    int designedClientWidth() const;
    // How many times wider than its size mode designs it the user made the window by
    // dragging its edge: 1 as designed, at most kMostWidening. The window keeps it while the
    // program runs, also while it is hidden and through a change of size mode (the new mode's
    // width widened as much); it is written nowhere, and the window's size in twips stays the
    // size mode's. Its height stays the size mode's.
    double widening() const { return m_widening; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildMenus();
    void makeItems(QMenu* menu, const std::vector<MenuEntry>& items);
    void buildControls();
    void orderTabs();
    // Only controls within the client area of `client` pixels are tab stops.
    void keepTabStopsInView(const QSize& client);
    void sliderAction(int action);
    // The width of the screen's room for windows, beyond which no window is widened.
    int screenWidth() const;
    // The widths the user may give the window, between its size mode's and kMostWidening
    // times that (as far as the screen allows), and its one `height`.
    void limitSize(int height);
    // Spreads the controls over a client area `width` pixels wide (widenedPlace).
    void spreadControls(int width);
    // Gives every caption its room, in a client area `width` pixels wide.
    void placeAllCaptions(int width);
    // The window's note right under the client area, across the window, and its height
    // there (0 without a note).
    void placeNote();
    int noteHeight() const;
    void forward(const std::function<void()>& event);

    Binding& m_binding;
    ConversionWindow& m_window;
    QMenu* m_popup = nullptr;
    std::vector<FieldEdit*> m_fields;     // by field index
    std::vector<QPushButton*> m_buttons;  // by button index
    std::vector<Caption*> m_labels;       // by label index (IndMin, IndMax ...)
    std::vector<Caption*> m_unitCaptions; // every unit field's caption: they share one size
    GaugeBar* m_slider = nullptr;
    std::vector<QWidget*> m_boxes;
    // Every control of the client area at its designed place, in its parent's coordinates,
    // and where its parent (a frame box, else the client area) starts in the client area.
    struct Placed {
        QWidget* control;
        QRect designed;
        int parentLeft;
        Caption* caption = nullptr; // the control, where it is a caption: moved by its design
    };
    std::vector<Placed> m_places;
    std::optional<Size> m_appliedSize; // the size last given to the widget
    double m_widening = 1;
    // The designed width and the width that the controls are spread for.
    std::pair<int, int> m_spread{0, 0};
    bool m_sizing = false; // the view sizes the window itself: no widening by the user
    WindowNote* m_note = nullptr;
    int m_appliedNote = 0; // the height of the note it was given with
};

} // namespace mezura::ui
