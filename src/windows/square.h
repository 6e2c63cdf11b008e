// The area window: twenty-three units in four groups (metric, yard-pound, tsubo units,
// tatami mats), with a gauge in square centimetres, square metres, ares, hectares or square
// kilometres.
#pragma once

#include "framework/gauge.h"

namespace mezura {

class SquareWindow : public GaugeWindow {
public:
    SquareWindow(App& app, const FrameSpec& frame);
    // The controls the window is built from, its field rows among them: the terminal converter
    // finds units in these rows without making the window.
    static Layout controls();

    // The unit fields, in the order of the window's field table.
    // clang-format off
    enum Field {
        txtC1, txtC2, txtC3, txtC4, txtC5,
        txtI1, txtI2, txtI3, txtI4, txtI5, txtI6, txtI7,
        txtS1, txtS2, txtS3, txtS7, txtS8, txtS6, txtS4, txtS5,
        txtK1, txtK2, txtK3,
        kFieldCount
    };
    // clang-format on

    // The window's procedures, as chains call them.
    enum Procedure { kLineC, kLineI, kLineS, kLineK, kTindicator };
};

} // namespace mezura
