// The radioactivity window: a decay rate in nine units in three groups (becquerels, curies,
// the Mache unit per litre), with a gauge in becquerels, kilo-, mega- or gigabecquerels.
#pragma once

#include "framework/gauge.h"

namespace mezura {

class RadioWindow : public GaugeWindow {
public:
    RadioWindow(App& app, const FrameSpec& frame);
    // The controls the window is built from, its field rows among them: the terminal converter
    // finds units in these rows without making the window.
    static Layout controls();

    // The unit fields, in the order of the window's field table.
    // clang-format off
    enum Field {
        txtB1, txtB2, txtB3, txtB4,
        txtC1, txtC2, txtC3, txtC4,
        txtM1,
        kFieldCount
    };
    // clang-format on

    // The window's procedures, as chains call them.
    enum Procedure { kLineB, kLineC, kLineM, kTindicator };
};

} // namespace mezura
