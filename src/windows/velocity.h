// The velocity window: ten units in three groups (metric, yard and mile, reference speeds:
// the knot, Mach and the fraction of the speed of light), with a gauge in metres per
// second, kilometres per hour or the speed of light.
#pragma once

#include "framework/gauge.h"

namespace mezura {

class VelocityWindow : public GaugeWindow {
public:
    VelocityWindow(App& app, const FrameSpec& frame);
    // The controls the window is built from, its field rows among them: the terminal converter
    // finds units in these rows without making the window.
    static Layout controls();

    // The unit fields, in the order of the window's field table.
    // clang-format off
    enum Field {
        txtC0, txtC1, txtC2, txtC3, txtC4,
        txtI1, txtI2,
        txtS1, txtS2, txtS3,
        kFieldCount
    };
    // clang-format on

    // The window's procedures, as chains call them.
    enum Procedure { kLineC, kLineI, kLineS, kTindicator };
};

} // namespace mezura
