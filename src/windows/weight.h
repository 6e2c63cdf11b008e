// The weight window: twenty-four units in five groups (metric, avoirdupois, 匁 斤 貫, troy,
// apothecaries'), with a gauge in milligrams, grams, kilograms or tonnes.
#pragma once

#include "framework/gauge.h"

namespace mezura {

class WeightWindow : public GaugeWindow {
public:
    WeightWindow(App& app, const FrameSpec& frame);
    // The controls the window is built from, its field rows among them: the terminal converter
    // finds units in these rows without making the window.
    static Layout controls();

    // The unit fields, in the order of the window's field table.
    // clang-format off
    enum Field {
        txtC1, txtC2, txtC3, txtC4,
        txtI1, txtI2, txtI3, txtI4, txtI5, txtI6, txtI7, txtI8,
        txtS1, txtS2, txtS3,
        txtT1, txtT2, txtT3, txtT4,
        txtA1, txtA2, txtA3, txtA4, txtA5,
        kFieldCount
    };
    // clang-format on

    // The window's procedures, as chains call them. lineI2 fills the avoirdupois group and
    // the grams from the grain.
    enum Procedure { kLineC, kLineS, kLineI, kLineT, kLineA, kLineI2, kTindicator };
};

} // namespace mezura
