#include "ui/mapping.h"
#include "uitest.h"

#include <QPalette>

namespace mezura::ui {

class MappingTest : public QObject {
    Q_OBJECT

private slots:
    void twipsBecomeRoundedPixels_data()
    {
        QTest::addColumn<int>("twips");
        QTest::addColumn<double>("dpi");
        QTest::addColumn<int>("pixels");
        QTest::newRow("inch at 96") << 1440 << 96.0 << 96;
        QTest::newRow("one pixel at 96") << 15 << 96.0 << 1;
        QTest::newRow("below half") << 7 << 96.0 << 0;
        QTest::newRow("half rounds up") << 105 << 96.0 << 7; // 6.5
        QTest::newRow("negative half rounds away") << -105 << 96.0 << -7;
        QTest::newRow("field at 120") << 975 << 120.0 << 81;        // 81.25
        QTest::newRow("temp width at 144") << 3315 << 144.0 << 332; // 331.5
        QTest::newRow("zero") << 0 << 96.0 << 0;
    }
    void twipsBecomeRoundedPixels()
    {
        QFETCH(int, twips);
        QFETCH(double, dpi);
        QFETCH(int, pixels);
        QCOMPARE(twipsToPixels(twips, dpi), pixels);
    }

    // The client area below the menu bar is the window size less 120 x 690 twips.
    void windowSizeLeavesTheFrameOut_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<double>("dpi");
        QTest::addColumn<int>("menuBar");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QSize>("window");
        QTest::newRow("temp full at 96") << 3435 << 2280 << 96.0 << 21 << QSize(221, 106) << QSize(221, 127);
        QTest::newRow("temp short at 96") << 3435 << 1400 << 96.0 << 21 << QSize(221, 47) << QSize(221, 68);
        QTest::newRow("temp full at 120") << 3435 << 2280 << 120.0 << 25 << QSize(276, 133) << QSize(276, 158);
        QTest::newRow("cubic wide at 144") << 8000 << 6480 << 144.0 << 30 << QSize(788, 579) << QSize(788, 609);
    }
    void windowSizeLeavesTheFrameOut()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(double, dpi);
        QFETCH(int, menuBar);
        QFETCH(QSize, client);
        QFETCH(QSize, window);
        QCOMPARE(clientPixels({width, height}, {dpi, dpi}), client);
        QCOMPARE(windowPixels({width, height}, {dpi, dpi}, menuBar), window);
    }

    // A window without a menu bar (the settings window) has its client area 285 twips taller.
    void windowWithoutMenuBar_data()
    {
        QTest::addColumn<double>("dpi");
        QTest::addColumn<QSize>("window");
        QTest::newRow("settings at 96") << 96.0 << QSize(399, 201);
        QTest::newRow("settings at 144") << 144.0 << QSize(599, 302); // 598.5 x 301.5
    }
    void windowWithoutMenuBar()
    {
        QFETCH(double, dpi);
        QFETCH(QSize, window);
        QCOMPARE(plainWindowPixels({6105, 3420}, {dpi, dpi}), window);
    }

    void rectsScaleEachSide()
    {
        QCOMPARE(toPixels({45, 270, 980, 285}, {96, 96}), QRect(3, 18, 65, 19));
        QCOMPARE(toPixels({45, 270, 980, 285}, {192, 96}), QRect(6, 18, 131, 19));
    }

    // A widened window moves each control's left and right edges in proportion, counted from
    // the client area's left also for a control in a box; its width never leaves the bounds.
    void widenedWindowsSpreadTheirControls()
    {
        QCOMPARE(widenedPlace({20, 5, 65, 17}, 221, 442), QRect(40, 5, 130, 17));
        QCOMPARE(widenedPlace({3, 18, 65, 19}, 221, 332, 100), QRect(5, 18, 97, 19));
        QCOMPARE(widenedPlace({3, 18, 65, 19}, 221, 221, 100), QRect(3, 18, 65, 19));
        // Two neighbours stay as far apart, wherever the rounding falls.
        const QRect left = widenedPlace({10, 0, 65, 19}, 221, 333);
        QCOMPARE(widenedPlace({75, 0, 65, 19}, 221, 333).left(), left.left() + left.width());
        QCOMPARE(widenedWidth(221, 1.5, 1920), 332);
        QCOMPARE(widenedWidth(221, 5, 1920), 663);
        QCOMPARE(widenedWidth(525, 3, 1024), 1024);
        QCOMPARE(widenedWidth(1200, 2, 1024), 1200);
        QCOMPARE(widenedWidth(381, 0.5, 1920), 381);
    }

    void captionsKeepClearOfTheFields_data()
    {
        QTest::addColumn<QRect>("designed");
        QTest::addColumn<int>("fieldTop");
        QTest::addColumn<int>("freeFrom");
        QTest::addColumn<QRect>("place");
        const QRect designed(20, 109, 65, 17);
        QTest::newRow("ends where its field begins") << designed << 122 << 0 << QRect(20, 109, 65, 13);
        QTest::newRow("reaches up for a line") << designed << 120 << 100 << QRect(20, 107, 65, 13);
        QTest::newRow("starts below the field above") << designed << 126 << 112 << QRect(20, 112, 65, 14);
        QTest::newRow("field below its place") << designed << 140 << 0 << designed;
        QTest::newRow("no room for a line keeps the design") << designed << 120 << 110 << designed;
    }
    void captionsKeepClearOfTheFields()
    {
        QFETCH(QRect, designed);
        QFETCH(int, fieldTop);
        QFETCH(int, freeFrom);
        QFETCH(QRect, place);
        QCOMPARE(captionPlace(designed, fieldTop, freeFrom, 13), place);
    }

    void coloursAreBlueGreenRed_data()
    {
        QTest::addColumn<uint>("colour");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("light cyan &HFFFFC0") << 0xFFFFC0u << QColor(192, 255, 255);
        QTest::newRow("light yellow &HC0FFFF") << 0xC0FFFFu << QColor(255, 255, 192);
        QTest::newRow("highlight &HC0E0FF") << 0xC0E0FFu << QColor(255, 224, 192);
        QTest::newRow("black") << 0u << QColor(0, 0, 0);
        QTest::newRow("button face") << static_cast<uint>(kButtonFace)
                                     << QApplication::palette().color(QPalette::Button);
    }
    void coloursAreBlueGreenRed()
    {
        QFETCH(uint, colour);
        QFETCH(QColor, expected);
        QCOMPARE(toQColor(colour), expected);
    }
};

} // namespace mezura::ui

MEZURA_UI_TEST_MAIN(mezura::ui::MappingTest)
#include "mapping_test.moc"
