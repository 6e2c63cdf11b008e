// The length window: thirty-one units in five groups (metric, yard-pound, shaku-kan, cloth
// shaku and Kyoto ken, type sizes), with a gauge in millimetres, metres or kilometres.
#pragma once

#include "framework/gauge.h"

namespace mezura {

class LengthWindow : public GaugeWindow {
public:
    LengthWindow(App& app, const FrameSpec& frame);
    // The controls the window is built from, its field rows among them: the terminal converter
    // finds units in these rows without making the window.
    static Layout controls();

    // The unit fields, in the order of the window's field table.
    // clang-format off
    enum Field {
        txtC0, txtC1, txtC2, txtC3, txtS7,
        txtI1, txtI2, txtI3, txtI4, txtI5, txtI6, txtI7, txtI8,
        txtS0, txtS00, txtS1, txtS2, txtS3, txtS4, txtS5, txtS6, txtS8,
        txtK1, txtK2, txtK3,
        txtP1, txtP2, txtP3, txtP4, txtP5, txtP6,
        kFieldCount
    };
    // clang-format on

    // The window's procedures, as chains call them.
    enum Procedure { kLineC, kLineI, kLineS, kLineK, kLineP, kTindicator };
};

} // namespace mezura
