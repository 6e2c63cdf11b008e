#include "ui/theme.h"

#include "ui/mapping.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>
#include <QWidget>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <tuple>
#include <unordered_map>
#include <utility>

namespace mezura::ui {

namespace {

constexpr std::array kGroups{QPalette::Active, QPalette::Inactive, QPalette::Disabled};

// Pairs of background and the text drawn on it.
constexpr std::array<std::pair<QPalette::ColorRole, QPalette::ColorRole>, 5> kTextPairs{{
    {QPalette::Window, QPalette::WindowText},
    {QPalette::Base, QPalette::Text},
    {QPalette::Button, QPalette::ButtonText},
    {QPalette::Highlight, QPalette::HighlightedText},
    {QPalette::ToolTipBase, QPalette::ToolTipText},
}};

double channel(float value)
{
    const double c = value;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) + 0.0722 * channel(rgb.blueF());
}

// Ink drawn part of the way towards its background, for disabled text: as dim as it may be
// while it still reads.
QColor dimmed(const QColor& ink, const QColor& background)
{
    for (int step = 8; step > 0; --step) {
        const double t = step * 0.05; // 40 % of the way, then nearer the ink
        const auto mix = [t](int from, int to) { return static_cast<int>(std::lround(from + (to - from) * t)); };
        const QColor candidate(mix(ink.red(), background.red()), mix(ink.green(), background.green()),
                               mix(ink.blue(), background.blue()));
        if (contrastRatio(candidate, background) >= kTextContrast) {
            return candidate;
        }
    }
    return ink;
}

QColor readableText(QPalette::ColorGroup group, const QColor& background)
{
    const QColor ink = inkOn(background);
    return group == QPalette::Disabled ? dimmed(ink, background) : ink;
}

// An icon loaded when it is first drawn or measured: a menu bar's extension button shows only
// where the menus do not fit, and most never load their icon.
class LoadedWhenUsed : public QIconEngine {
public:
    explicit LoadedWhenUsed(std::function<QIcon()> load)
        : m_load(std::move(load))
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return icon().isNull(); }
    QString key() const override { return QStringLiteral("LoadedWhenUsed"); }
    QIconEngine* clone() const override { return new LoadedWhenUsed(*this); }

private:
    const QIcon& icon()
    {
        if (m_load) {
            m_icon = std::exchange(m_load, nullptr)();
        }
        return m_icon;
    }

    std::function<QIcon()> m_load;
    QIcon m_icon;
};

// Draws the desktop's style and, over a focused field, button, check box, slider, page or list, a frame
// of two pixels just inside its edge that stands out on the control's own background.
class ReadableStyle : public QProxyStyle {
public:
    explicit ReadableStyle(QStyle* base)
        : QProxyStyle(base)
    {
    }

    // The style's own icons, loaded once and only when used: every window's menu bar asks for
    // the icon of its extension button, which the style otherwise loads from its image files
    // each time.
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override
    {
        if (option != nullptr) {
            return QProxyStyle::standardIcon(icon, option, widget);
        }
        const Qt::LayoutDirection direction =
            widget != nullptr ? widget->layoutDirection() : QGuiApplication::layoutDirection();
        const auto key = std::pair(static_cast<int>(icon), static_cast<int>(direction));
        auto found = m_icons.find(key);
        if (found == m_icons.end()) {
            // The style or the widget may be gone by the time the icon is drawn.
            const QPointer<const ReadableStyle> style(this);
            const QPointer<const QWidget> asking(widget);
            found = m_icons
                        .emplace(key, QIcon(new LoadedWhenUsed([style, icon, asking] {
                                     return style != nullptr
                                         ? style->QProxyStyle::standardIcon(icon, nullptr, asking.data())
                                         : QApplication::style()->standardIcon(icon, nullptr, asking.data());
                                 })))
                        .first;
        }
        return found->second;
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (element == PE_PanelLineEdit) {
            if (!drawSavedPanel(element, option, painter, widget)) {
                QProxyStyle::drawPrimitive(element, option, painter, widget);
            }
            focusFrame(option, option->rect, QPalette::Base, painter);
            return;
        }
        if (element == PE_PanelButtonCommand && drawSavedPanel(element, option, painter, widget)) {
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        if (element == PE_IndicatorCheckBox) {
            // The box's edge, which some styles draw in a shade of the window that a black
            // or white theme turns into the window's own colour.
            painter->save();
            painter->setRenderHint(QPainter::Antialiasing, false);
            painter->setPen(inkOn(option->palette.color(QPalette::Window)));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
            painter->restore();
        }
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option); item != nullptr &&
            element == CE_MenuBarItem && (item->state & State_Selected) != 0 && widget != nullptr &&
            widget->hasFocus()) {
            // The menu title that Alt or the arrows reached, while the menu bar has the keyboard:
            // drawn as a title whose menu is open, as desktop programs show it, where the style
            // would show nothing until the menu opens.
            QStyleOptionMenuItem reached(*item);
            reached.state |= State_Sunken;
            QProxyStyle::drawControl(element, &reached, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
        if (element == CE_PushButton) {
            focusFrame(option, option->rect, QPalette::Button, painter);
        } else if (element == CE_CheckBox) {
            focusFrame(option, option->rect, QPalette::Window, painter);
        } else if (element == CE_TabBarTab) {
            focusFrame(option, option->rect, QPalette::Window, painter);
        } else if (element == CE_ShapedFrame && qobject_cast<const QAbstractScrollArea*>(widget) != nullptr) {
            focusFrame(option, option->rect, QPalette::Base, painter); // a page, tree or list
        }
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override
    {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        if (control == CC_ScrollBar) {
            focusFrame(option, option->rect, QPalette::Window, painter);
        } else if (control == CC_ToolButton) {
            focusFrame(option, option->rect, option->state & State_AutoRaise ? QPalette::Window : QPalette::Button,
                       painter);
        }
    }

private:
    // A field's or a button's panel as the desktop's style draws it, drawn once for each look
    // (size, state, colours, pixel ratio) and then copied: the style's rounded and shaded
    // frame costs more to draw than the field's text, and every field that Enter rewrites
    // paints it anew. A button whose colours change (the range buttons' highlight) would
    // otherwise leave a new panel in the style's own pixmap cache at each change, which
    // knows a palette by its identity, not by its colours: over a long session that cache
    // grew to its limit of megabytes. Only for the styles that draw a panel from its option
    // alone (an animated style may draw the same state differently from one frame to the
    // next), and only where the panel lies on whole device pixels, where the copy is the
    // drawing to the pixel.
    bool drawSavedPanel(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                        const QWidget* widget) const
    {
        const QString style = baseStyle()->name();
        const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
        const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
        const qreal ratio = painter->device()->devicePixelRatio();
        const QTransform& transform = painter->deviceTransform();
        const auto whole = [](qreal value) { return std::abs(value - std::round(value)) < 1e-9; };
        if ((style != QLatin1String("fusion") && style != QLatin1String("windows")) ||
            (element == PE_PanelLineEdit ? frame == nullptr : button == nullptr) || !whole(ratio) ||
            transform.type() > QTransform::TxTranslate || !whole(transform.dx()) || !whole(transform.dy()) ||
            option->rect.isEmpty() || option->rect.width() > 1024 || option->rect.height() > 1024) {
            return false;
        }
        std::uint64_t key = 14695981039346656037ULL; // FNV-1a over the look: size, state, colours
        const auto mix = [&key](std::uint64_t value) {
            key ^= value;
            key *= 1099511628211ULL;
        };
        const QPalette& palette = option->palette;
        for (const int value :
             {static_cast<int>(element), option->rect.width(), option->rect.height(), static_cast<int>(ratio),
              static_cast<int>(option->state), static_cast<int>(option->direction),
              frame != nullptr ? frame->lineWidth : 0, frame != nullptr ? frame->midLineWidth : 0,
              frame != nullptr ? static_cast<int>(frame->features) : static_cast<int>(button->features),
              static_cast<int>(palette.currentColorGroup())}) {
            mix(static_cast<std::uint64_t>(value));
        }
        // These styles paint a panel in the colours of the group its state selects.
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            mix(palette.color(static_cast<QPalette::ColorRole>(role)).rgba());
        }
        if (m_panels.size() >= kSavedPanels) {
            m_panels.clear();
        }
        QPixmap& panel = m_panels[key];
        if (panel.isNull()) {
            panel = QPixmap(option->rect.size() * static_cast<int>(ratio));
            panel.setDevicePixelRatio(ratio);
            panel.fill(Qt::transparent);
            QPainter into(&panel);
            const auto drawAtOrigin = [&](auto moved) {
                moved.rect.moveTopLeft(QPoint(0, 0));
                QProxyStyle::drawPrimitive(element, &moved, &into, widget);
            };
            if (frame != nullptr) {
                drawAtOrigin(*frame);
            } else {
                drawAtOrigin(*button);
            }
        }
        painter->drawPixmap(option->rect.topLeft(), panel);
        return true;
    }

    static void focusFrame(const QStyleOption* option, const QRect& rect, QPalette::ColorRole background,
                           QPainter* painter)
    {
        if (!(option->state & State_HasFocus) || rect.width() < 6 || rect.height() < 6) {
            return;
        }
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(QPen(inkOn(option->palette.color(background)), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(rect).adjusted(1, 1, -1, -1));
        painter->restore();
    }

    // A window has a few looks of field (its colours, with and without the focus): far fewer than this.
    static constexpr std::size_t kSavedPanels = 256;
    mutable std::unordered_map<std::uint64_t, QPixmap> m_panels;
    mutable std::map<std::pair<int, int>, QIcon> m_icons;
};

} // namespace

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor inkOn(const QColor& background)
{
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrastRatio(black, background) >= contrastRatio(white, background) ? black : white;
}

namespace {

// What a surface's colour gives in each colour group: background, text and selected text,
// and nothing else: what a control does not take from it, it takes from its own kind's
// palette, as if nothing were set.
QPalette workOut(const QPalette& theme, QPalette::ColorRole back, QPalette::ColorRole fore, Colour colour)
{
    QPalette out;
    for (const QPalette::ColorGroup group : kGroups) {
        const QColor background = colour == kButtonFace ? theme.color(group, back) : toQColor(colour);
        out.setColor(group, back, background);
        out.setColor(group, fore, colour == kButtonFace ? theme.color(group, fore) : readableText(group, background));
        const QColor selection = theme.color(group, QPalette::Highlight);
        out.setColor(group, QPalette::HighlightedText,
                     contrastRatio(theme.color(group, QPalette::HighlightedText), selection) >= kTextContrast
                         ? theme.color(group, QPalette::HighlightedText)
                         : inkOn(selection));
    }
    return out;
}

} // namespace

void paintSurface(QWidget* widget, Surface surface, Colour colour)
{
    const auto [back, fore] = surface == Surface::Field ? std::pair(QPalette::Base, QPalette::Text)
                                                        : std::pair(QPalette::Button, QPalette::ButtonText);
    // A field takes the colours of a line edit, which it is or which it draws itself as.
    const QPalette theme =
        surface == Surface::Field ? QApplication::palette("QLineEdit") : QApplication::palette(widget);
    // A window's controls share a few colours: each is worked out once for a theme.
    static std::map<std::tuple<qint64, QPalette::ColorRole, Colour>, QPalette> workedOut;
    const auto key = std::tuple(theme.cacheKey(), back, colour);
    auto found = workedOut.find(key);
    if (found == workedOut.end()) {
        if (workedOut.size() >= 256) {
            workedOut.clear();
        }
        found = workedOut.emplace(key, workOut(theme, back, fore, colour)).first;
    }
    const QPalette& colours = found->second;
    const QPalette& own = widget->palette();
    for (const QPalette::ColorGroup group : kGroups) {
        for (const QPalette::ColorRole role : {back, fore, QPalette::HighlightedText}) {
            if (own.color(group, role) != colours.color(group, role)) {
                widget->setPalette(colours);
                return;
            }
        }
    }
}

QPalette readablePalette(const QPalette& theme)
{
    QPalette palette = theme;
    for (const QPalette::ColorGroup group : kGroups) {
        for (const auto& [back, fore] : kTextPairs) {
            const QColor background = theme.color(group, back);
            if (contrastRatio(theme.color(group, fore), background) < kTextContrast) {
                palette.setColor(group, fore, readableText(group, background));
            }
        }
        // Links of the help pages keep their hue, shifted towards black or white until they read.
        for (const QPalette::ColorRole link : {QPalette::Link, QPalette::LinkVisited}) {
            const QColor background = theme.color(group, QPalette::Base);
            const QColor ink = inkOn(background);
            const QColor own = theme.color(group, link);
            QColor colour = own;
            for (int step = 1; contrastRatio(colour, background) < kTextContrast; ++step) {
                const auto mixed = [step](int from, int to) { return from + (to - from) * step / 10; };
                colour =
                    QColor(mixed(own.red(), ink.red()), mixed(own.green(), ink.green()), mixed(own.blue(), ink.blue()));
            }
            palette.setColor(group, link, colour);
        }
    }
    return palette;
}

QStyle* readableStyle(QStyle* base)
{
    return new ReadableStyle(base);
}

} // namespace mezura::ui
