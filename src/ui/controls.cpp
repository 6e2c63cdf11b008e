#include "ui/controls.h"

#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <utility>

namespace mezura::ui {

namespace {
// The smallest font a text that does not fit is given, in points, and the step between the
// sizes tried.
constexpr qreal kSmallestPoints = 6;
constexpr qreal kPointStep = 0.25;
} // namespace

QFont largestFitting(const QFont& designed, const std::function<bool(const QFont&)>& fits, qreal estimate)
{
    const qreal points = designed.pointSizeF();
    if (points <= kSmallestPoints || fits(designed)) {
        return designed;
    }
    const auto smaller = [&](int steps) {
        QFont font = designed;
        font.setPointSizeF(points - steps * kPointStep);
        return font;
    };
    // Steps down from the design, the last at 6 points or just below (taken whether it fits
    // or not).
    const int last = int(std::ceil((points - kSmallestPoints) / kPointStep - 1e-9));
    if (estimate > 0) {
        // From the size estimated, up while the next larger fits, else down until one fits:
        // a size or two measured where the estimate is close.
        int steps = std::clamp(int(std::ceil((points - estimate) / kPointStep - 1e-9)), 1, last);
        if (fits(smaller(steps))) {
            while (steps > 1 && fits(smaller(steps - 1))) {
                --steps;
            }
        } else {
            do {
                ++steps;
            } while (steps < last && !fits(smaller(steps)));
        }
        return smaller(steps);
    }
    // `tooLarge` does not fit, `fitting` does or is the last.
    int tooLarge = 0;
    int fitting = last;
    while (fitting - tooLarge > 1) {
        const int middle = (tooLarge + fitting) / 2;
        (fits(smaller(middle)) ? fitting : tooLarge) = middle;
    }
    return smaller(fitting);
}

ItemsWhenUsedMenu::ItemsWhenUsedMenu(const QString& title, QWidget* parent, std::function<void(QMenu*)> makeItems)
    : QMenu(title, parent)
    , m_makeItems(std::move(makeItems))
{
    connect(this, &QMenu::aboutToShow, this, [this] { this->makeItems(); });
}

QSize ItemsWhenUsedMenu::sizeHint() const
{
    makeItems();
    return QMenu::sizeHint();
}

void ItemsWhenUsedMenu::makeItems() const
{
    if (m_makeItems) {
        const auto make = std::exchange(m_makeItems, nullptr);
        make(const_cast<ItemsWhenUsedMenu*>(this)); // the same menu, measured before it has its items
    }
}

Background::Background(QWidget* parent)
    : QWidget(parent)
{
}

void Background::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (childAt(event->position().toPoint()) != nullptr) {
        return;
    }
    if (onMouseDown) {
        onMouseDown(event->button() == Qt::RightButton ? 2 : 1);
    }
}

void Background::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
}

Caption::Caption(const QString& text, QWidget* parent)
    : QLabel(parent)
{
    // The text last, so that the label lays it out once.
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setText(text);
}

void Caption::setDesignGeometry(const QRect& rect, bool keepRightEdge)
{
    m_design = rect;
    m_designFont = font();
    m_keepRightEdge = keepRightEdge;
    fit();
}

void Caption::moveDesign(const QRect& rect)
{
    m_design = rect;
    m_ceiling = std::numeric_limits<int>::min();
    m_floor = std::numeric_limits<int>::max();
    m_rightEdge = std::numeric_limits<int>::max();
    m_nextCaption = std::numeric_limits<int>::max();
    fit();
}

void Caption::setCaption(const QString& text)
{
    setText(text);
    fit();
}

void Caption::setRoom(int ceiling, int floor, int rightEdge, int nextCaption)
{
    m_ceiling = ceiling;
    m_floor = floor;
    m_rightEdge = rightEdge;
    m_nextCaption = nextCaption;
    fit();
}

void Caption::setMostPoints(qreal points)
{
    if (points != m_mostPoints) {
        m_mostPoints = points;
        fit();
    }
}

// The empty pixels a caption's letters keep from the controls above and below them.
constexpr qreal kInkClearance = 1;

void Caption::fit()
{
    QRect rect = m_design;
    if (wordWrap()) {
        // A note of several lines whose lines would not fit its place (a font with taller lines
        // than the one it was laid out for) first takes the free band below it, a pixel short of
        // the control there or of the window's bottom; only then a smaller font.
        const int below = m_floor != std::numeric_limits<int>::max() || parentWidget() == nullptr
            ? m_floor
            : parentWidget()->height();
        const int room = std::max(rect.height(), below - int(kInkClearance) - rect.top());
        const auto needed = [&](const QFont& font) {
            return QFontMetricsF(font)
                .boundingRect(QRectF(QPointF(0, 0), QSizeF(rect.width(), room)), Qt::TextWordWrap, text())
                .height();
        };
        fitTo([&](const QFont& font) { return needed(font) <= room; });
        rect.setHeight(std::clamp(int(std::ceil(needed(font()))), rect.height(), room));
        setGeometry(rect);
        return;
    }
    // The width the line needs from the caption's left: a letter that reaches left of its
    // origin (J) is moved right by as much.
    const auto width = [](const Measure& line) {
        return std::ceil(std::max<qreal>(0, -line.ink.left()) + std::max(line.advance, line.ink.right())) + 1;
    };
    // A line taller than the band between the controls above and below, or one that would
    // run into the next caption on its line or to the window's edge (two pixels apart at
    // least): a smaller font.
    const int end = m_keepRightEdge ? std::numeric_limits<int>::max() : std::min(m_nextCaption, m_rightEdge);
    const qreal band = qreal(m_floor) - m_ceiling - 2 * kInkClearance;
    const qreal across = end == std::numeric_limits<int>::max() || rect.left() >= end
        ? std::numeric_limits<qreal>::max()
        : qreal(end) - 2 - rect.left();
    // A line's ink grows with the size of its font: the size at which the designed line would
    // just fit, in proportion, is where the search starts.
    const QFont designed = m_designFont.value_or(font());
    const Measure& asDesigned = measure(designed);
    const qreal estimate = designed.pointSizeF() *
        std::min(band / std::max<qreal>(1, std::ceil(asDesigned.ink.height())),
                 across / std::max<qreal>(1, width(asDesigned)));
    fitTo(
        [&](const QFont& font) {
            const Measure& line = measure(font);
            return std::ceil(line.ink.height()) <= band && width(line) <= across;
        },
        estimate);
    const QFontMetricsF metrics(font());
    const Measure& line = measure(font());
    const QRectF ink = line.ink;
    m_indent = std::max<qreal>(0, -ink.left());
    const int needed = int(width(line));
    if (needed > rect.width()) {
        if (m_keepRightEdge) {
            rect.setLeft(std::max(0, rect.right() + 1 - needed));
        } else {
            rect.setWidth(needed);
        }
    }
    if (rect.right() >= m_rightEdge && m_design.left() < m_rightEdge) {
        rect.moveRight(std::max(rect.width() - 1, m_rightEdge - 1)); // ends at the window's edge
        rect.moveLeft(std::max(0, rect.left()));
    }
    if (text().isEmpty()) {
        setGeometry(rect);
        return;
    }
    // The line where a top-aligned label would set it, its baseline one ascent below the
    // top; lifted where its letters would reach into the control below, lowered where they
    // would rise above the band, a pixel apart from both so that the letters never touch a
    // neighbour's line. The caption covers the letters and no more of the band.
    qreal baseline = m_design.top() + metrics.ascent();
    if (baseline + ink.bottom() > m_floor - kInkClearance) {
        baseline = m_floor - kInkClearance - ink.bottom();
    }
    if (baseline + ink.top() < m_ceiling + kInkClearance) {
        baseline = m_ceiling + kInkClearance - ink.top();
    }
    const int top =
        std::max(m_ceiling, std::min(m_design.top(), int(std::floor(baseline + ink.top() - kInkClearance))));
    const int bottom =
        std::min(std::max(m_design.bottom() + 1, int(std::ceil(baseline + ink.bottom() + kInkClearance))), m_floor);
    rect.setTop(top);
    rect.setBottom(std::max(top, bottom - 1));
    m_baseline = baseline - top;
    setGeometry(rect);
    update();
}

const Caption::Measure& Caption::measure(const QFont& font)
{
    if (m_measuredText != text()) {
        m_measuredText = text();
        m_measures.clear();
    }
    for (const auto& [measured, line] : m_measures) {
        if (measured == font) {
            return line;
        }
    }
    const QFontMetricsF metrics(font);
    return m_measures
        .emplace_back(font,
                      text().isEmpty() ? Measure{}
                                       : Measure{metrics.tightBoundingRect(text()), metrics.horizontalAdvance(text())})
        .second;
}

void Caption::fitTo(const std::function<bool(const QFont&)>& fits, qreal estimate)
{
    QFont fitted = largestFitting(m_designFont.value_or(font()), fits, estimate);
    m_fittingPoints = fitted.pointSizeF();
    if (m_fittingPoints > m_mostPoints) {
        fitted.setPointSizeF(m_mostPoints);
    }
    if (fitted != font()) {
        setFont(fitted);
    }
}

void Caption::paintEvent(QPaintEvent* event)
{
    if (wordWrap()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(QPointF(contentsRect().left() + m_indent, m_baseline), text());
}

void fitButtonText(QPushButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRectF box = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const QFont font = largestFitting(button->font(), [&](const QFont& tried) {
        // The line centred in the button, as the style draws it, in whole pixels.
        const QFontMetricsF metrics(tried);
        const qreal width = metrics.horizontalAdvance(button->text());
        const qreal baseline = box.top() + (box.height() - metrics.height()) / 2 + metrics.ascent();
        const QRectF ink = metrics.tightBoundingRect(button->text()).translated(0, baseline);
        return width + 1 <= box.width() && ink.top() >= box.top() + 0.5 && ink.bottom() <= box.bottom() - 0.5;
    });
    if (font != button->font()) {
        button->setFont(font);
    }
}

void shareOneSize(const std::vector<Caption*>& captions)
{
    qreal points = std::numeric_limits<qreal>::infinity();
    for (const Caption* caption : captions) {
        points = std::min(points, caption->fittingPoints());
    }
    for (Caption* caption : captions) {
        caption->setMostPoints(points);
    }
}

void placeCaptions(QWidget* parent, const std::vector<int>& rightEdges)
{
    // The controls in the order they were made (later ones are drawn over earlier ones), each
    // looked at once; a caption's place is updated as soon as it has its room.
    struct Control {
        Caption* caption;
        QRect place;
    };
    std::vector<Control> controls;
    for (QObject* child : parent->children()) {
        if (auto* widget = qobject_cast<QWidget*>(child); widget != nullptr && !widget->isWindow()) {
            controls.push_back({dynamic_cast<Caption*>(widget), widget->geometry()});
        }
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        Caption* caption = controls[i].caption;
        if (caption == nullptr) {
            continue;
        }
        const QRect own = controls[i].place;
        int ceiling = 0;
        int floor = std::numeric_limits<int>::max();
        int rightEdge = std::numeric_limits<int>::max();
        int nextCaption = std::numeric_limits<int>::max();
        for (int edge : rightEdges) {
            if (edge > own.left()) {
                rightEdge = edge;
                break;
            }
        }
        for (std::size_t j = 0; j < controls.size(); ++j) {
            if (j == i) {
                continue;
            }
            const QRect& r = controls[j].place;
            if (r.left() > own.left() && r.top() <= own.bottom() && own.top() <= r.bottom() &&
                controls[j].caption != nullptr) {
                nextCaption = std::min(nextCaption, r.left()); // a caption further along the line
            }
            if (r.right() < own.left() || r.left() > own.right()) {
                continue;
            }
            if (r.bottom() < own.top() + own.height() / 2 && r.top() < own.top()) {
                ceiling = std::max(ceiling, r.bottom() + 1); // a control above
            } else if (j > i && r.top() > own.top()) {
                floor = std::min(floor, r.top()); // a control below, drawn over the caption
            }
        }
        caption->setRoom(ceiling, floor, rightEdge, nextCaption);
        controls[i].place = caption->geometry();
    }
}

CheckBox::CheckBox(const QString& text, QWidget* parent)
    : QCheckBox(text, parent)
{
    setTristate(true); // for the grey state; the user never reaches it by clicking
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (onClick) {
            onClick();
        }
    });
}

void CheckBox::nextCheckState()
{
}

GaugeBar::GaugeBar(QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent)
{
}

void GaugeBar::keyPressEvent(QKeyEvent* event)
{
    // The toolkit's scroll bar takes the keys of a vertical bar, where up lowers the value,
    // and so lowers it with the right arrow too. Up and page up still step towards the start,
    // down and page down towards the end, as on a scroll bar.
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
        const bool towardsEnd = (event->key() == Qt::Key_Right) != isRightToLeft();
        triggerAction(towardsEnd ? SliderSingleStepAdd : SliderSingleStepSub);
        event->accept();
        return;
    }
    QScrollBar::keyPressEvent(event);
}

void GaugeBar::wheelEvent(QWheelEvent* event)
{
    event->ignore();
}

void GaugeBar::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
}

namespace {
// The flash over a field: shown for a while, then hidden until the next beep. A field keeps
// its one overlay, so that beeps in quick succession (a held Enter that resets the window
// each time) add no widgets: each shows the same overlay anew.
class FlashOverlay : public QWidget {
public:
    explicit FlashOverlay(QWidget* parent)
        : QWidget(parent)
    {
        setObjectName(QStringLiteral("flash"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        m_end.setSingleShot(true);
        connect(&m_end, &QTimer::timeout, this, &QWidget::hide);
    }

    void start(int milliseconds)
    {
        setGeometry(parentWidget()->rect());
        raise();
        show();
        m_end.start(milliseconds);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QColor colour = palette().color(QPalette::Highlight);
        colour.setAlpha(150);
        QPainter(this).fillRect(rect(), colour);
    }

private:
    QTimer m_end;
};
} // namespace

void flash(QWidget* widget, int milliseconds)
{
    FlashOverlay* overlay = nullptr;
    for (QObject* child : widget->children()) {
        overlay = overlay != nullptr ? overlay : dynamic_cast<FlashOverlay*>(child);
    }
    if (overlay == nullptr) {
        overlay = new FlashOverlay(widget);
    }
    overlay->start(milliseconds);
}

} // namespace mezura::ui
