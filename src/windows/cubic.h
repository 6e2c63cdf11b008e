// The volume window: forty-one units in nine groups (metric, spoons and the cup, cubic
// inch to cord, 升 and its family, UK and US liquid measures, containers, UK and US dry
// measures), with a gauge in millilitres, decilitres, litres or cubic metres.
#pragma once

#include "framework/gauge.h"

namespace mezura {

class CubicWindow : public GaugeWindow {
public:
    CubicWindow(App& app, const FrameSpec& frame);
    // The controls the window is built from, its field rows among them: the terminal converter
    // finds units in these rows without making the window.
    static Layout controls();

    // The unit fields, in the order of the window's field table.
    // clang-format off
    enum Field {
        txtC1, txtC2, txtC3, txtC4,
        txtM1, txtM2, txtM3, txtM4,
        txtI1, txtI2, txtI3, txtI4,
        txtS0, txtS1, txtS2, txtS3, txtS4, txtS5, txtS6, txtS7,
        txtLE1, txtLE2, txtLE3, txtLE4, txtLE5,
        txtLA1, txtLA2, txtLA3, txtLA4, txtLA5,
        txtO1, txtO2, txtO3,
        txtDE1, txtDE2, txtDE3, txtDE4,
        txtDA1, txtDA2, txtDA3, txtDA4,
        kFieldCount
    };
    // clang-format on

    // The window's procedures, as chains call them.
    enum Procedure { kLineC, kLineM, kLineI, kLineS, kLineLE, kLineLA, kLineO, kLineDE, kLineDA, kTindicator };
};

} // namespace mezura
