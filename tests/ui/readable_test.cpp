// Every window under the light, a dark and a high-contrast theme: its texts read on their
// backgrounds, the focused control shows a frame, and assistive technology finds a name for
// every control it can reach.
#include "framework/app.h"
#include "framework/layout.h"
#include "framework/window.h"
#include "palettes.h"
#include "ui/binding.h"
#include "ui/fieldedit.h"
#include "ui/helpviewer.h"
#include "ui/helpwindow.h"
#include "ui/mapping.h"
#include "ui/theme.h"
#include "uitest.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextTable>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>
#include <map>
#include <memory>

// clang-format off

namespace mezura::ui {

namespace {

// The program's windows, and the help viewer with each of its side tabs in front.
const char* const kWindows[] = { "config", "length", "square", "cubic",    "weight", "velocity",
                                 "press",  "heat",   "temp",   "radio", "year",
                                 "help-contents", "help-index", "help-search" };
const char* const kHelpTabs[] = { "help-contents", "help-index", "help-search" };

// The colour that most pixels of `area` have: the background there.
QColor commonest(const QImage& image, const QRegion& area)
{
    std::map<QRgb, int> counts;
    for (const QRect& rect : area) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                ++counts[image.pixel(x, y)];
            }
        }
    }
    QRgb best = 0;
    int most = 0;
    for (const auto& [rgb, count] : counts) {
        if (count > most) {
            best = rgb;
            most = count;
        }
    }
    return QColor(best);
}

// The pixel of `area` that stands out most on `background`: the core of the text's strokes.
QColor strongest(const QImage& image, const QRegion& area, const QColor& background)
{
    QColor best = background;
    double ratio = 1;
    for (const QRect& rect : area) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                const QColor pixel(image.pixel(x, y));
                if (const double r = contrastRatio(pixel, background); r > ratio) {
                    best = pixel;
                    ratio = r;
                }
            }
        }
    }
    return best;
}

bool hasText(const QWidget* control)
{
    if (qobject_cast<const QTabBar*>(control) != nullptr || qobject_cast<const QTextBrowser*>(control) != nullptr) {
        return true;
    }
    if (const auto* list = qobject_cast<const QAbstractItemView*>(control)) {
        return list->model() != nullptr && list->model()->rowCount() > 0;
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) {
        return !edit->text().isEmpty();
    }
    if (const auto* field = qobject_cast<const FieldEdit*>(control)) {
        return !field->hasEditor() && !field->text().isEmpty(); // a made line edit shows the text
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        return !button->text().isEmpty();
    }
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return !label->text().trimmed().isEmpty();
    }
    return false;
}

// Where a control draws its text, in its window's coordinates: inside its frame (past the
// indicator of a check box), less what other controls cover.
QRegion textArea(const QWidget* control, const QWidget* window, const QList<QWidget*>& controls)
{
    QRect rect(control->mapTo(window, QPoint(0, 0)), control->size());
    if (qobject_cast<const QCheckBox*>(control) != nullptr) {
        rect.setLeft(rect.left() + control->style()->pixelMetric(QStyle::PM_IndicatorWidth)
                     + control->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing));
    } else if (qobject_cast<const QLabel*>(control) == nullptr) {
        rect.adjust(3, 3, -3, -3); // the frame, and a focus frame inside it
    }
    QRegion area(rect & window->rect());
    const auto* scrolled = qobject_cast<const QAbstractScrollArea*>(control);
    for (const QWidget* other : controls) {
        if (other != control && other->isVisible() && !other->isAncestorOf(control)
            && (scrolled == nullptr || !scrolled->isAncestorOf(other))) { // a page or list draws in its viewport
            area -= QRect(other->mapTo(window, QPoint(0, 0)), other->size());
        }
    }
    return area;
}

// The palette roles that a control draws its text and its background with.
std::pair<QPalette::ColorRole, QPalette::ColorRole> textRoles(const QWidget* control)
{
    if (qobject_cast<const QLineEdit*>(control) != nullptr || qobject_cast<const FieldEdit*>(control) != nullptr ||
        qobject_cast<const QAbstractScrollArea*>(control) != nullptr) {
        return { QPalette::Base, QPalette::Text };
    }
    if (qobject_cast<const QAbstractButton*>(control) != nullptr && qobject_cast<const QCheckBox*>(control) == nullptr) {
        return { QPalette::Button, QPalette::ButtonText };
    }
    return { QPalette::Window, QPalette::WindowText };
}

QString where(const char* window, const QObject* control) { return QString(window) + "." + control->objectName(); }

// The texts of a page that do not read on their background, "「画面」 #ffffff on #f0f0f0": the
// page's own colours, those of the theme where the page sets none, and those of the marks.
QStringList unreadableInPage(const QTextBrowser* page)
{
    const QPalette& theme = page->palette();
    const auto colour = [](const QBrush& brush, const QColor& otherwise) {
        return brush.style() == Qt::NoBrush ? otherwise : brush.color();
    };
    QStringList out;
    const auto check = [&out](const QString& text, const QColor& fore, const QColor& back) {
        if (!text.trimmed().isEmpty() && contrastRatio(fore, back) < kTextContrast) {
            out << QStringLiteral("「%1」 %2 on %3").arg(text.left(12), fore.name(), back.name());
        }
    };
    for (QTextBlock block = page->document()->begin(); block.isValid(); block = block.next()) {
        QColor back = colour(block.blockFormat().background(), theme.color(QPalette::Base));
        if (const auto* table = qobject_cast<QTextTable*>(QTextCursor(block).currentTable())) {
            const QTextTableCell cell = table->cellAt(block.position());
            back = colour(block.blockFormat().background(), colour(cell.format().background(), colour(table->format().background(), back)));
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            const QColor link = theme.color(QPalette::Link);
            check(it.fragment().text(), colour(format.foreground(), format.isAnchor() ? link : theme.color(QPalette::Text)),
                  colour(format.background(), back));
        }
    }
    for (const QTextEdit::ExtraSelection& mark : page->extraSelections()) {
        check(mark.cursor.selectedText(), colour(mark.format.foreground(), theme.color(QPalette::Text)),
              colour(mark.format.background(), theme.color(QPalette::Base)));
    }
    return out;
}

// Every name that assistive technology reaches from `iface` which is focusable and unnamed.
void unnamed(QAccessibleInterface* iface, const QString& path, QStringList& out)
{
    if (iface == nullptr || !iface->isValid()) {
        return;
    }
    const QAccessible::State state = iface->state();
    if (state.focusable && !state.invisible && iface->text(QAccessible::Name).trimmed().isEmpty()) {
        out << path + "/" + (iface->object() != nullptr ? iface->object()->objectName() : QString::number(iface->role()));
    }
    for (int i = 0; i < iface->childCount(); ++i) {
        unnamed(iface->child(i), path + "/" + QString::number(i), out);
    }
}

} // namespace

class ReadableTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        test::quietPlatform();
        m_light = QApplication::palette();
    }

    void cleanup()
    {
        m_binding.reset();
        m_help.reset();
        QApplication::setPalette(m_light);
    }

    void everyWindow_data()
    {
        QTest::addColumn<QString>("theme");
        QTest::addColumn<QPalette>("palette");
        QTest::addColumn<QString>("window");
        for (const auto& [theme, palette] : test::themes(QApplication::palette())) {
            for (const char* window : kWindows) {
                QTest::newRow(qPrintable(theme + " " + window)) << theme << palette << QString(window);
            }
        }
    }

    // The window filled by Enter in its first field, then each text on its background,
    // measured in the window's picture; the colours of every state in the palette; and a
    // frame that stands out where a control takes the focus.
    void everyWindow()
    {
        QFETCH(QPalette, palette);
        QFETCH(QString, window);
        const QByteArray name = window.toUtf8();
        QWidget* view = show(palette, name);
        QVERIFY(view != nullptr);

        const QList<QWidget*> controls = view->findChildren<QWidget*>();
        const QImage image = view->grab().toImage();
        for (const QWidget* control : controls) {
            if (!control->isVisible() || !hasText(control)) {
                continue;
            }
            const QRegion area = textArea(control, view, controls);
            if (area.isEmpty()) {
                continue;
            }
            const QColor background = commonest(image, area);
            const QColor text = strongest(image, area, background);
            QVERIFY2(contrastRatio(text, background) >= kTextContrast,
                     qPrintable(QStringLiteral("%1: %2 on %3 reads %4 : 1")
                                    .arg(where(name, control), text.name(), background.name())
                                    .arg(contrastRatio(text, background), 0, 'f', 2)));

            if (const auto* page = qobject_cast<const QTextBrowser*>(control)) {
                const QStringList unreadable = unreadableInPage(page);
                QVERIFY2(unreadable.isEmpty(), qPrintable(where(name, control) + ": " + unreadable.join(", ")));
            }
            const auto [back, fore] = textRoles(control);
            for (const QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive, QPalette::Disabled }) {
                const QPalette& colours = control->palette();
                QVERIFY2(contrastRatio(colours.color(group, fore), colours.color(group, back)) >= kTextContrast,
                         qPrintable(where(name, control) + " in colour group " + QString::number(group)));
                QVERIFY2(contrastRatio(colours.color(group, QPalette::HighlightedText),
                                       colours.color(group, QPalette::Highlight))
                             >= kTextContrast,
                         qPrintable(where(name, control) + " selected, colour group " + QString::number(group) + colours.color(group, QPalette::HighlightedText).name() + colours.color(group, QPalette::Highlight).name()));
            }
        }

        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view));
        for (QWidget* control : controls) {
            if (!control->isVisible() || !(control->focusPolicy() & Qt::TabFocus)) {
                continue;
            }
            view->setFocus();
            const QImage plain = control->grab().toImage();
            control->setFocus(Qt::TabFocusReason);
            QVERIFY(control->hasFocus());
            const QImage focused = control->grab().toImage();
            const QColor background = commonest(plain, QRegion(plain.rect().adjusted(3, 3, -3, -3)));
            double frame = 1;
            for (int y = 0; y < focused.height(); ++y) {
                for (int x = 0; x < focused.width(); ++x) {
                    if (focused.pixel(x, y) != plain.pixel(x, y)) {
                        frame = std::max(frame, contrastRatio(QColor(focused.pixel(x, y)), background));
                    }
                }
            }
            QVERIFY2(frame >= kFrameContrast,
                     qPrintable(QStringLiteral("%1: focus shows %2 : 1").arg(where(name, control)).arg(frame)));
        }
    }

    // A theme that changes while the windows show: the next event gives every field and
    // button the colours the new theme asks for, as a first painting would, and a button in
    // the system's face colour the new theme's face.
    void aThemeChangeReachesEveryWindow()
    {
        m_binding = std::make_unique<Binding>();
        std::vector<const char*> windows(std::begin(kWindows) + 1, std::begin(kWindows) + 11);
        for (const char* name : windows) {
            m_binding->forward([this, name] {
                m_binding->app().showAndFocus(name);
                ConversionWindow& window = m_binding->app().window(name);
                window.typeText(0, "1");
                window.keyPress(0, 13);
            });
        }
        QApplication::setPalette(readablePalette(test::darkPalette()));
        m_binding->forward([] {});
        for (const char* name : windows) {
            const ConversionWindow& model = m_binding->app().window(name);
            QWidget* view = m_binding->view(name)->widget();
            const auto repainted = [](QWidget* control, Surface surface, Colour colour) {
                const QPalette before = control->palette();
                paintSurface(control, surface, colour);
                return control->palette() == before;
            };
            for (std::size_t i = 0; i < model.layout().fields.size(); ++i) {
                auto* field = view->findChild<FieldEdit*>(qs(model.layout().fields[i].name));
                QVERIFY2(repainted(field, Surface::Field, model.fieldColour(int(i))), qPrintable(where(name, field)));
            }
            for (std::size_t i = 0; i < model.layout().buttons.size(); ++i) {
                auto* button = view->findChild<QAbstractButton*>(qs(model.layout().buttons[i].name));
                QVERIFY2(repainted(button, Surface::Button, model.buttonColour(int(i))), qPrintable(where(name, button)));
                QVERIFY2(model.buttonColour(int(i)) != kButtonFace ||
                             button->palette().color(QPalette::Button) == QApplication::palette().color(QPalette::Button),
                         qPrintable(where(name, button) + " keeps the face of the theme before"));
            }
        }
    }

    void savedPanels_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<qreal>("ratio");
        for (const auto& [theme, palette] : test::themes(QApplication::palette())) {
            QPalette yellow = palette; // a field in a colour of the window's own
            yellow.setColor(QPalette::Base, QColor(0xff, 0xff, 0x80));
            for (const auto& [colours, base] : { std::pair(palette, "theme"), std::pair(yellow, "yellow") }) {
                for (const bool enabled : { true, false }) {
                    for (const qreal ratio : { 1.0, 2.0 }) {
                        QTest::newRow(qPrintable(QStringLiteral("%1 %2 %3 x%4").arg(theme, base, enabled ? "enabled" : "disabled").arg(ratio)))
                            << colours << enabled << ratio;
                    }
                }
            }
        }
    }

    // A field's panel is drawn once for each look and copied after that: each copy, in
    // every look that follows another, is the desktop style's own drawing of that look.
    void savedPanels()
    {
        QFETCH(QPalette, palette);
        QFETCH(bool, enabled);
        QFETCH(qreal, ratio);
        auto* readable = qobject_cast<QProxyStyle*>(QApplication::style());
        QVERIFY(readable != nullptr);
        const std::unique_ptr<QStyle> plain(QStyleFactory::create(readable->baseStyle()->name()));
        QVERIFY(plain != nullptr);
        QLineEdit field;
        field.setPalette(palette);
        field.setEnabled(enabled);
        field.resize(65, 19);
        QStyleOptionFrame option;
        option.initFrom(&field);
        option.lineWidth = field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field);
        const auto draw = [&](const QStyle* style) {
            QImage image(QSize(72, 24) * int(ratio), QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(ratio);
            image.fill(palette.color(QPalette::Window));
            QPainter painter(&image);
            painter.translate(3, 2);
            style->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, &field);
            return image;
        };
        const QImage expected = draw(plain.get());
        for (int time = 0; time < 2; ++time) { // drawn, then copied
            const QImage drawn = draw(readable);
            for (int y = 0; y < drawn.height(); ++y) {
                for (int x = 0; x < drawn.width(); ++x) {
                    const QColor a = drawn.pixelColor(x, y);
                    const QColor b = expected.pixelColor(x, y);
                    QVERIFY2(std::abs(a.red() - b.red()) <= 2 && std::abs(a.green() - b.green()) <= 2
                                 && std::abs(a.blue() - b.blue()) <= 2,
                             qPrintable(QStringLiteral("(%1, %2): %3, the style draws %4").arg(x).arg(y).arg(a.name(), b.name())));
                }
            }
        }
    }

    // A menu bar too narrow for its menus shows its extension button with the style's own
    // icon, which is loaded only then; an icon handed out by a style since replaced still draws.
    void menuExtensionIcon()
    {
        const auto plainIcon = [](QStyle::StandardPixmap icon) {
            const std::unique_ptr<QStyle> plain(
                QStyleFactory::create(qobject_cast<QProxyStyle*>(QApplication::style())->baseStyle()->name()));
            return plain->standardIcon(icon).pixmap(16).toImage();
        };
        QMainWindow window;
        for (int i = 0; i < 12; ++i) {
            window.menuBar()->addMenu(QStringLiteral("メニュー %1").arg(i));
        }
        window.resize(160, 90);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto* extension = window.menuBar()->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
        QVERIFY(extension != nullptr && extension->isVisible());
        QCOMPARE(extension->icon().pixmap(16).toImage(), plainIcon(QStyle::SP_ToolBarHorizontalExtensionButton));

        const QIcon lent = QApplication::style()->standardIcon(QStyle::SP_ArrowBack);
        QApplication::setStyle(readableStyle());
        QCOMPARE(lent.pixmap(16).toImage(), plainIcon(QStyle::SP_ArrowBack));
    }

    void accessibleNames_data()
    {
        QTest::addColumn<QString>("window");
        for (const char* window : kWindows) {
            QTest::newRow(window) << QString(window);
        }
    }

    // Every control that assistive technology can focus has a name, menus included; a unit
    // field's name says its unit in words, the gauge's its range and position.
    void accessibleNames()
    {
        QFETCH(QString, window);
        const QByteArray name = window.toUtf8();
        QWidget* view = show(QApplication::palette(), name);
        QVERIFY(view != nullptr);

        test::makeMenuItems(view);
        QStringList missing;
        unnamed(QAccessible::queryAccessibleInterface(view), name, missing);
        for (QMenu* menu : view->findChildren<QMenu*>()) {
            unnamed(QAccessible::queryAccessibleInterface(menu), where(name, menu), missing);
        }
        QVERIFY2(missing.isEmpty(), qPrintable("no name: " + missing.join(", ")));
        for (const QAbstractButton* button : view->findChildren<QAbstractButton*>()) {
            if (button->isVisibleTo(view) && button->focusPolicy() != Qt::NoFocus) { // a caption alone says too little
                QVERIFY2(button->accessibleName().size() > button->text().size(),
                         qPrintable(where(name, button) + ": " + button->accessibleName()));
            }
        }

        for (QAction* action : view->findChildren<QAction*>()) {
            if (action->isSeparator() || action->menu() != nullptr || action->text().isEmpty()
                || action->associatedObjects().isEmpty()) {
                continue; // a drop-down is named by its caption; an action in no menu or bar is reached by its key only
            }
            QAccessibleInterface* item = QAccessible::queryAccessibleInterface(action);
            QVERIFY2(item != nullptr && item->text(QAccessible::Name).size() > action->text().size(),
                     qPrintable(where(name, action) + action->text() + " says no more than its caption"));
        }
        if (m_binding == nullptr || window == "config") {
            return;
        }
        ConversionWindow& model = m_binding->app().window(name.constData());
        test::enterInFirstField(*m_binding, model, "1234.5");
        for (const FieldSpec& field : model.layout().fields) {
            auto* edit = view->findChild<FieldEdit*>(qs(field.name));
            QVERIFY(edit != nullptr);
            const std::string_view words = field.unit.words;
            QVERIFY2(!words.empty(), qPrintable(where(name, edit) + " has no unit in words"));
            const QString spoken = qs(field.label).trimmed() + " " + QString::fromUtf8(words.data(), qsizetype(words.size()));
            // One editable text with the number, before and after its line edit is made, which
            // says the same and is no object of its own.
            QAccessibleInterface* item = QAccessible::queryAccessibleInterface(edit);
            for (const bool made : { edit->hasEditor(), true }) {
                if (made) {
                    QCOMPARE(edit->editor()->accessibleName(), spoken);
                }
                QCOMPARE(item->text(QAccessible::Name), spoken);
                QCOMPARE(item->childCount(), 0);
                QVERIFY(item->textInterface() != nullptr && item->editableTextInterface() != nullptr);
                const QString shown = qs(model.text(int(&field - &model.layout().fields[0])));
                QCOMPARE(item->textInterface()->text(0, item->textInterface()->characterCount()), shown);
                QCOMPARE(item->textInterface()->text(0, 1000), shown); // a range past the end is cut to the text
            }
        }
        if (auto* slider = view->findChild<QScrollBar*>()) {
            const QString range = QStringLiteral("目盛り %1 から %2")
                                      .arg(qs(model.caption("IndMin")).trimmed(), qs(model.caption("IndMax")).trimmed());
            QCOMPARE(slider->accessibleName(), range);
            QVERIFY2(slider->accessibleDescription().contains(QString::number(slider->value())), name);
        }
    }

private:
    // The window under `palette`, filled by Enter in its first field; the help viewer at
    // the common page with words in its fields, the search run and the find bar open.
    QWidget* show(const QPalette& palette, const QByteArray& name)
    {
        QApplication::setPalette(readablePalette(palette));
        if (const auto* tab = std::find(std::begin(kHelpTabs), std::end(kHelpTabs), name); tab != std::end(kHelpTabs)) {
            m_help = std::make_unique<HelpViewer>();
            if (!m_help->open(MEZURA_HELP_FILE, 1000)) {
                return nullptr;
            }
            HelpWindow* help = m_help->window();
            help->findChild<QAction*>("helpFindShow")->trigger();
            help->findChild<QLineEdit*>("helpFindWord")->insert(QStringLiteral("画面"));
            help->findChild<QLineEdit*>("helpIndexWord")->insert(QStringLiteral("単位"));
            auto* search = help->findChild<QLineEdit*>("helpSearchWord");
            search->insert(QStringLiteral("換算"));
            QTest::keyClick(search, Qt::Key_Return);
            help->tabs()->setCurrentIndex(int(tab - std::begin(kHelpTabs)));
            return QTest::qWaitForWindowExposed(help) ? help : nullptr;
        }
        m_binding = std::make_unique<Binding>();
        m_binding->forward([this, &name] { m_binding->app().showAndFocus(name.constData()); });
        if (name != "config") {
            m_binding->forward([this, &name] {
                ConversionWindow& window = m_binding->app().window(name.constData());
                window.typeText(0, "1");
                window.keyPress(0, 13);
            });
        }
        View* view = m_binding->view(name.constData());
        if (view == nullptr || !QTest::qWaitForWindowExposed(view->widget())) {
            return nullptr;
        }
        return view->widget();
    }

    QPalette m_light;
    std::unique_ptr<Binding> m_binding;
    std::unique_ptr<HelpViewer> m_help;
    test::ModalGuard m_guard;
};

} // namespace mezura::ui

MEZURA_UI_TEST_MAIN(mezura::ui::ReadableTest)
#include "readable_test.moc"
// clang-format on
