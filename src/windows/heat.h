// The energy window: fourteen units in four groups (joules, engineering units, calories with
// the erg and the dietary unit, electron-volts), with a gauge in microjoules, millijoules,
// joules or kilojoules.
#pragma once

#include "framework/gauge.h"

namespace mezura {

class HeatWindow : public GaugeWindow {
public:
    HeatWindow(App& app, const FrameSpec& frame);
    // The controls the window is built from, its field rows among them: the terminal converter
    // finds units in these rows without making the window.
    static Layout controls();

    // The unit fields, in the order of the window's field table.
    // clang-format off
    enum Field {
        txtJ1, txtJ2, txtJ3, txtJ4,
        txtN1, txtN2, txtN3,
        txtC1, txtC2, txtC3, txtC4,
        txtE1, txtE2, txtE3,
        kFieldCount
    };
    // clang-format on

    // The window's procedures, as chains call them.
    enum Procedure { kLineJ, kLineN, kLineE, kLineC, kTindicator };
};

} // namespace mezura
