#include "ui/conversionview.h"

#include "framework/layout.h"
#include "framework/menu.h"
#include "framework/window.h"
#include "ui/accessible.h"
#include "ui/binding.h"
#include "ui/controls.h"
#include "ui/fieldedit.h"
#include "ui/icon.h"
#include "ui/theme.h"
#include "ui/windownote.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QFont>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>
#include <map>
#include <utility>

namespace mezura::ui {

namespace {
WindowState stateOf(Qt::WindowStates states)
{
    if (states & Qt::WindowMinimized) {
        return WindowState::Minimized;
    }
    if (states & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        return WindowState::Maximized;
    }
    return WindowState::Normal;
}
} // namespace

ConversionView::ConversionView(Binding& binding, ConversionWindow& window)
    : m_binding(binding)
    , m_window(window)
{
    setObjectName(qs(window.name()));
    setWindowTitle(qs(window.title()));
    setWindowIcon(ui::windowIcon());
    buildMenus();
    buildControls();
    orderTabs();
    m_note = new WindowNote(this);

    // Ctrl+Shift+C copies the whole window; a field keeps its own selection and Ctrl+C.
    auto* copyAll = new QAction(this);
    copyAll->setObjectName(QStringLiteral("copyWindow"));
    copyAll->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    copyAll->setShortcutContext(Qt::WindowShortcut);
    connect(copyAll, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(qs(m_window.fieldsText())); });
    addAction(copyAll);

    // F10 opens the first menu with its first item chosen, as Alt and the down arrow do.
    auto* openMenu = new QAction(this);
    openMenu->setObjectName(QStringLiteral("openFirstMenu"));
    openMenu->setShortcut(QKeySequence(Qt::Key_F10));
    openMenu->setShortcutContext(Qt::WindowShortcut);
    connect(openMenu, &QAction::triggered, this, [this] {
        const QList<QAction*> titles = menuBar()->actions();
        if (titles.isEmpty() || titles.front()->menu() == nullptr) {
            return;
        }
        menuBar()->setActiveAction(titles.front());
        QMenu* menu = titles.front()->menu();
        for (QAction* item : menu->actions()) {
            if (!item->isSeparator() && item->isEnabled()) {
                menu->setActiveAction(item);
                break;
            }
        }
    });
    addAction(openMenu);
}

Dpi ConversionView::dpi() const
{
    const QScreen* shown = screen();
    return {shown->logicalDotsPerInchX(), shown->logicalDotsPerInchY()};
}

int ConversionView::screenWidth() const
{
    return screen()->availableGeometry().width();
}

int ConversionView::designedClientWidth() const
{
    return clientPixels(m_window.frame().size(), dpi()).width();
}

QSize ConversionView::pixelSize() const
{
    const Size size = m_window.frame().size();
    const int width = widenedWidth(designedClientWidth(), m_widening, screenWidth());
    // As the main window's layout measures its menu bar for that width.
    const QMenuBar* bar = menuBar();
    int barHeight = bar->heightForWidth(std::max(width, bar->minimumWidth()));
    if (barHeight < 0) {
        barHeight = bar->sizeHint().height();
    }
    return {width, windowPixels(size, dpi(), barHeight).height() + noteHeight()};
}

int ConversionView::noteHeight() const
{
    return m_note->heightIn(widenedWidth(designedClientWidth(), m_widening, screenWidth()));
}

void ConversionView::forward(const std::function<void()>& event)
{
    m_binding.forward(event);
}

void ConversionView::buildMenus()
{
    menuBar()->setNativeMenuBar(false); // the client area lies below a menu bar of the window
    for (const MenuEntry& entry : m_window.menus()) {
        if (entry.items.empty()) {
            QAction* command = menuBar()->addAction(qs(entry.caption));
            command->setObjectName(qs(entry.name));
            setSpeech(command, menuItemName(entry));
            connect(command, &QAction::triggered, this,
                    [this, item = &entry] { forward([this, item] { m_window.choose(*item); }); });
            continue;
        }
        auto* menu = new ItemsWhenUsedMenu(qs(entry.caption), menuBar(),
                                           [this, &entry](QMenu* into) { makeItems(into, entry.items); });
        menuBar()->addMenu(menu);
        menu->setObjectName(qs(entry.name));
        menu->menuAction()->setObjectName(qs(entry.name));
    }
    const MenuEntry& popup = m_window.popup();
    m_popup = new ItemsWhenUsedMenu({}, this, [this, &popup](QMenu* into) { makeItems(into, popup.items); });
    m_popup->setObjectName(qs(popup.name));
}

void ConversionView::makeItems(QMenu* menu, const std::vector<MenuEntry>& items)
{
    for (const MenuEntry& item : items) {
        if (item.caption == kSeparator) {
            menu->addSeparator()->setObjectName(qs(item.name));
            continue;
        }
        QAction* action = menu->addAction(qs(item.caption));
        action->setObjectName(qs(item.name));
        setSpeech(action, menuItemName(item));
        connect(action, &QAction::triggered, this,
                [this, entry = &item] { forward([this, entry] { m_window.choose(*entry); }); });
    }
}

void ConversionView::buildControls()
{
    const Layout& layout = m_window.layout();
    const Dpi d = dpi();

    auto* background = new Background(this);
    background->setObjectName(qs(m_window.name() + "_background"));
    background->onMouseDown = [this](int button) { forward([this, button] { m_window.mouseDown(button); }); };
    setCentralWidget(background);

    std::map<std::string, QWidget*> boxes;
    for (const BoxSpec& row : layout.boxes) {
        auto* box = new QGroupBox(qs(row.caption), background);
        box->setObjectName(qs(row.name));
        box->setGeometry(toPixels(row.rect, d));
        boxes[row.name] = box;
        m_boxes.push_back(box);
        m_places.push_back({box, box->geometry(), 0});
    }

    std::vector<QRect> fieldPlaces;
    for (const FieldSpec& row : layout.fields) {
        fieldPlaces.push_back(toPixels(row.field, d));
    }
    for (std::size_t i = 0; i < layout.fields.size(); ++i) {
        const FieldSpec& row = layout.fields[i];
        const int index = static_cast<int>(i);
        QWidget* parent = row.box.empty() ? background : boxes.at(row.box);
        const int parentLeft = parent == background ? 0 : parent->x();
        const QRect& fieldPlace = fieldPlaces[i];

        auto* label = new Caption(qs(row.label), parent);
        label->setObjectName(qs("lbl_" + row.name));
        // Inside a frame the first captions reach the frame's top line, which the desktop
        // style draws lower than the design: their own background keeps the line off the letters.
        label->setAutoFillBackground(!row.box.empty());
        const QRect designed = toPixels({row.labelLeft, row.labelTop, row.field.width, row.labelHeight}, d);
        // The caption keeps clear of the fields, so that a field that changes never repaints it.
        int freeFrom = 0;
        for (std::size_t j = 0; j < fieldPlaces.size(); ++j) {
            const QRect& other = fieldPlaces[j];
            if (layout.fields[j].box == row.box && other.top() < fieldPlace.top() && other.left() <= designed.right() &&
                other.right() >= designed.left()) {
                freeFrom = std::max(freeFrom, other.bottom() + 1);
            }
        }
        const QRect labelPlace = captionPlace(designed, fieldPlace.top(), freeFrom, label->fontMetrics().height());
        label->setDesignGeometry(labelPlace);
        m_places.push_back({label, labelPlace, parentLeft, label});
        m_unitCaptions.push_back(label);

        auto* field = new FieldEdit(parent);
        field->setObjectName(qs(row.name));
        field->setGeometry(fieldPlace);
        m_places.push_back({field, fieldPlace, parentLeft});
        // Worked out when asked: they are read far less often than windows are made.
        field->speech = [this, &row] { return std::pair(fieldName(row), qs(std::string(row.unit.relation))); };
        field->wholeText = [this, index, &row] {
            return qs(fieldTip(m_window.text(index), shownLabel(row.label), row.unit.relation));
        };
        if (row.typing) {
            field->onKey = [this, index](int key) { forward([this, index, key] { m_window.keyPress(index, key); }); };
            field->onClick = [this, index] { forward([this, index] { m_window.clickField(index); }); };
            field->onEdited = [this, index](const QString& text) {
                forward([this, index, typed = text.toStdString()] { m_window.typeText(index, typed); });
            };
        } else {
            field->setReadOnly(true);
        }
        m_fields.push_back(field);
    }

    for (const LabelSpec& row : layout.labels) {
        auto* label = new Caption(qs(row.caption), background);
        label->setObjectName(qs(row.name));
        if (row.points > 0) {
            QFont font = label->font();
            font.setPointSizeF(row.points);
            label->setFont(font);
        }
        label->setWordWrap(row.rect.height > kLabelHeight); // a note of more than one line
        label->setDesignGeometry(toPixels(row.rect, d), row.name == "IndMax");
        m_places.push_back({label, toPixels(row.rect, d), 0, label});
        m_labels.push_back(label);
    }

    for (std::size_t i = 0; i < layout.buttons.size(); ++i) {
        const ButtonSpec& row = layout.buttons[i];
        auto* button = new QPushButton(qs(row.caption), background);
        button->setObjectName(qs(row.name));
        button->setGeometry(toPixels(row.rect, d));
        m_places.push_back({button, button->geometry(), 0});
        button->setAutoDefault(false);
        button->setAccessibleName(buttonName(row));
        if (row.bold) {
            QFont font = button->font();
            font.setBold(true);
            button->setFont(font);
        }
        const int index = static_cast<int>(i);
        connect(button, &QPushButton::clicked, this,
                [this, index] { forward([this, index] { m_window.clickButton(index); }); });
        m_buttons.push_back(button);
    }

    if (!layout.sliders.empty()) {
        const SliderSpec& row = layout.sliders.front();
        m_slider = new GaugeBar(background);
        m_slider->setObjectName(qs(row.name));
        m_slider->setGeometry(toPixels(row.rect, d));
        m_places.push_back({m_slider, m_slider->geometry(), 0});
        m_slider->setFocusPolicy(Qt::StrongFocus); // a tab stop like the fields
        connect(m_slider, &QAbstractSlider::actionTriggered, this, &ConversionView::sliderAction);
        connect(m_slider, &QAbstractSlider::sliderMoved, this,
                [this](int position) { forward([this, position] { m_window.dragTo(position); }); });
        connect(m_slider, &QAbstractSlider::sliderReleased, this,
                [this] { forward([this] { m_window.dragRelease(); }); });
    }

    for (QPushButton* button : m_buttons) {
        fitButtonText(button);
    }
    // Every caption's room, once all controls stand.
    const int designed = designedClientWidth();
    m_spread = {designed, designed};
    placeAllCaptions(designed);
}

void ConversionView::placeAllCaptions(int width)
{
    // In the window at each of its widths, as much wider than designed as it is now.
    const Dpi d = dpi();
    const int designed = designedClientWidth();
    std::vector<int> edges;
    for (const Size& size : m_window.frame().row().modes) {
        edges.push_back(widenedPlace({0, 0, clientPixels(size, d).width(), 0}, designed, width).width());
    }
    std::sort(edges.begin(), edges.end());
    placeCaptions(centralWidget(), edges);
    for (QWidget* box : m_boxes) {
        placeCaptions(box, {box->width()});
    }
    shareOneSize(m_unitCaptions);
}

void ConversionView::spreadControls(int width)
{
    const int designed = designedClientWidth();
    // As wide again as the controls stand already (a new size mode at the same widening).
    if (static_cast<long long>(width) * m_spread.first == static_cast<long long>(m_spread.second) * designed) {
        return;
    }
    m_spread = {designed, width};
    // Every control first: a caption's room is measured from its neighbours' places.
    for (const Placed& each : m_places) {
        const QRect place = widenedPlace(each.designed, designed, width, each.parentLeft);
        if (each.caption != nullptr) {
            each.caption->moveDesign(place);
        } else {
            each.control->setGeometry(place);
        }
    }
    placeAllCaptions(width);
}

void ConversionView::limitSize(int height)
{
    // Also while maximized: a window the desktop maximizes takes the widest width it may have,
    // and, restored, the width it had; bounds changed then would resize it against the desktop.
    const bool sizing = std::exchange(m_sizing, true);
    const int designed = designedClientWidth();
    setMinimumSize(designed, height);
    setMaximumSize(widenedWidth(designed, kMostWidening, screenWidth()), height);
    m_sizing = sizing;
}

void ConversionView::orderTabs()
{
    const Layout& layout = m_window.layout();
    std::vector<std::pair<int, QWidget*>> order;
    for (std::size_t i = 0; i < layout.fields.size(); ++i) {
        order.emplace_back(layout.fields[i].tabIndex, m_fields[i]);
    }
    if (m_slider != nullptr) {
        order.emplace_back(layout.sliders.front().tabIndex, m_slider);
    }
    std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1].second, order[i].second);
    }
}

void ConversionView::keepTabStopsInView(const QSize& client)
{
    // A size mode that cuts a column or the gauge row off leaves its controls out of the tab
    // chain: the keyboard would otherwise type into a field that nobody sees, and every field
    // would change for no visible reason. A control the window shows in part stays a stop.
    const QRect shown(QPoint(0, 0), client);
    QWidget* background = centralWidget();
    const auto inView = [&](const QWidget* control) {
        return QRect(control->mapTo(background, QPoint(0, 0)), control->size()).intersects(shown);
    };
    for (FieldEdit* field : m_fields) {
        field->setTabStop(inView(field)); // and its line edit's
    }
    std::vector<QWidget*> others(m_buttons.begin(), m_buttons.end());
    if (m_slider != nullptr) {
        others.push_back(m_slider);
    }
    for (QWidget* control : others) {
        control->setFocusPolicy(inView(control) ? Qt::StrongFocus : Qt::NoFocus);
    }
    std::vector<QWidget*> controls(m_fields.begin(), m_fields.end());
    controls.insert(controls.end(), others.begin(), others.end());
    // The focus leaves a control that went out of view for the next stop the window shows:
    // once the event that changed the size is done, as a menu chosen from the keyboard gives
    // the focus back to the control that had it only then.
    QTimer::singleShot(0, this, [this, controls] {
        QWidget* focused = focusWidget();
        // A field's line edit is the field's.
        if (focused == nullptr || (focused->focusPolicy() & Qt::TabFocus) != 0 ||
            std::none_of(controls.begin(), controls.end(),
                         [focused](const QWidget* control) { return control->isAncestorOf(focused); })) {
            return;
        }
        for (QWidget* next = focused->nextInFocusChain(); next != focused; next = next->nextInFocusChain()) {
            if ((next->focusPolicy() & Qt::TabFocus) != 0 && next->window() == this) {
                next->setFocus(Qt::TabFocusReason);
                return;
            }
        }
    });
}

// Arrow and track clicks (and the keys that do the same): the window moves its slider by
// its own steps; a drag comes through sliderMoved.
void ConversionView::sliderAction(int action)
{
    const Slider& slider = m_window.slider();
    int target = slider.value();
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        target += slider.smallChange();
        break;
    case QAbstractSlider::SliderSingleStepSub:
        target -= slider.smallChange();
        break;
    case QAbstractSlider::SliderPageStepAdd:
        target += slider.largeChange();
        break;
    case QAbstractSlider::SliderPageStepSub:
        target -= slider.largeChange();
        break;
    case QAbstractSlider::SliderToMinimum:
        target = slider.min();
        break;
    case QAbstractSlider::SliderToMaximum:
        target = slider.max();
        break;
    default:
        return;
    }
    forward([this, target] { m_window.slide(target); });
}

void ConversionView::sync()
{
    if (windowTitle() != qs(m_window.title())) {
        setWindowTitle(qs(m_window.title()));
    }
    const Layout& layout = m_window.layout();
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const int index = static_cast<int>(i);
        const QString text = qs(m_window.text(index));
        if (m_fields[i]->text() != text) {
            m_fields[i]->setText(text);
            m_fields[i]->setCursorPosition(0); // a written value shows from its first digit
        }
        m_fields[i]->setNote(qs(m_window.inputNote(index)));
        paintSurface(m_fields[i], Surface::Field, m_window.fieldColour(index));
    }
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        const Colour colour = m_window.buttonColour(static_cast<int>(i));
        paintSurface(m_buttons[i], Surface::Button, colour);
        setSpeech(m_buttons[i], m_buttons[i]->accessibleName(),
                  colour == kHighlight && layout.buttons[i].role == ButtonRole::Range
                      ? QStringLiteral("選んでいる目盛り")
                      : QString());
    }
    for (std::size_t i = 0; i < m_labels.size(); ++i) {
        const QString caption = qs(m_window.caption(layout.labels[i].name));
        if (m_labels[i]->text() != caption) {
            m_labels[i]->setCaption(caption);
        }
    }
    if (m_slider != nullptr) {
        const Slider& slider = m_window.slider();
        const QSignalBlocker blocker(m_slider);
        if (m_slider->minimum() != slider.min() || m_slider->maximum() != slider.max()) {
            m_slider->setRange(slider.min(), slider.max());
        }
        m_slider->setSingleStep(slider.smallChange());
        m_slider->setPageStep(slider.largeChange());
        setSpeech(m_slider, gaugeName(qs(m_window.caption("IndMin")), qs(m_window.caption("IndMax"))),
                  gaugeValue(slider.value(), slider.max()));
        if (m_slider->value() != slider.value() || m_slider->sliderPosition() != slider.value()) {
            m_slider->setValue(slider.value());
            m_slider->setSliderPosition(slider.value());
        }
    }

    const bool noteChanged = m_note->setNote(qs(m_window.windowNote()));
    const Size size = m_window.frame().size();
    if (!m_appliedSize || m_appliedSize->width != size.width || m_appliedSize->height != size.height) {
        // The new size mode's size, as much wider than designed as the user made the window.
        m_appliedSize = size;
        const QSize target = pixelSize();
        const bool sizing = std::exchange(m_sizing, true);
        limitSize(target.height());
        resize(target);
        m_sizing = sizing;
        keepTabStopsInView({target.width(), clientPixels(size, dpi()).height()});
        m_appliedNote = noteHeight();
    } else if (const int note = noteHeight();
               note != m_appliedNote && !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        // The window grows by the note's lines, and shrinks again when it goes; a maximized
        // window has the room.
        const bool sizing = std::exchange(m_sizing, true);
        limitSize(height() + note - m_appliedNote);
        resize(width(), height() + note - m_appliedNote);
        m_sizing = sizing;
        m_appliedNote = note;
    }
    if (noteChanged) {
        placeNote();
    }
    Qt::WindowStates states = windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    switch (m_window.frame().state()) {
    case WindowState::Minimized:
        states |= Qt::WindowMinimized;
        break;
    case WindowState::Maximized:
        states |= Qt::WindowMaximized;
        break;
    case WindowState::Normal:
        break;
    }
    if (states != windowState()) {
        setWindowState(states);
    }
    if (isVisible() != m_window.visible()) {
        setVisible(m_window.visible());
    }
}

void ConversionView::placeNote()
{
    if (m_note->isHidden()) {
        return;
    }
    const int top = centralWidget()->y() + clientPixels(m_window.frame().size(), dpi()).height();
    m_note->setGeometry(0, top, width(), m_note->heightIn(width()));
    m_note->raise();
}

void ConversionView::popup(const QPoint& at)
{
    m_popup->popup(at);
}

void ConversionView::flashCue()
{
    for (int field : m_window.resetFields()) {
        if (field >= 0 && static_cast<std::size_t>(field) < m_fields.size()) {
            flash(m_fields[static_cast<std::size_t>(field)]);
        }
    }
}

void ConversionView::closeEvent(QCloseEvent* event)
{
    if (m_binding.app().ended()) {
        event->accept();
        return;
    }
    // The window decides: hidden while another conversion window shows, else the end.
    event->ignore();
    forward([this] { m_window.closeRequest(); });
}

void ConversionView::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        const WindowState state = stateOf(windowState());
        if (state != m_window.frame().state()) {
            forward([this, state] { m_window.setState(state); });
        }
    }
}

void ConversionView::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_fields.empty()) {
        // Once the window is on the screen and the program waits for the user.
        QTimer::singleShot(0, m_fields.front(), [field = m_fields.front()] { field->prepareNumberGlyphs(); });
    }
}

void ConversionView::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    const int width = event->size().width();
    const int designed = designedClientWidth();
    // A window that the desktop makes narrower than designed (or wider than it may be) cuts
    // its controls off (or leaves room beside them); a maximized one spreads them as far.
    const int spread = widenedWidth(designed, static_cast<double>(width) / designed, screenWidth());
    const bool normal = (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) == 0;
    if (!m_sizing && normal && width != pixelSize().width()) {
        // The user dragged the window's edge: the width is kept as a part of the designed one.
        m_widening = static_cast<double>(spread) / designed;
        // The menu bar may take another height at the new width, and a note other lines.
        limitSize(pixelSize().height());
        m_appliedNote = noteHeight();
    }
    spreadControls(spread);
    placeNote();
}

void ConversionView::keyPressEvent(QKeyEvent* event)
{
    // Keys that no control took come here: F1 opens help at the window's topic.
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        event->accept();
        forward([this] { m_window.f1(); });
        return;
    }
    QMainWindow::keyPressEvent(event);
}

} // namespace mezura::ui
