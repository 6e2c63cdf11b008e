// The pressure window: nine units in three groups (pascal, water column, mercury column and
// atmosphere), with a gauge in pascals, hectopascals or bars.
#pragma once

#include "framework/gauge.h"

namespace mezura {

class PressWindow : public GaugeWindow {
public:
    PressWindow(App& app, const FrameSpec& frame);
    // The controls the window is built from, its field rows among them: the terminal converter
    // finds units in these rows without making the window.
    static Layout controls();

    // The unit fields, in the order of the window's field table.
    // clang-format off
    enum Field {
        txtP1, txtP2, txtP3,
        txtA1, txtA2, txtA3,
        txtH1, txtH2, txtH3,
        kFieldCount
    };
    // clang-format on

    // The window's procedures, as chains call them.
    enum Procedure { kLineP, kLineA, kLineH, kTindicator };
};

} // namespace mezura
