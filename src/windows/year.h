// The calendar window: a Western year, the years of the five modern eras, the years before
// now, and the traditional names of the year (heavenly stem, earthly branch, 納音, nine-star),
// with an era ruler for a gauge.
#pragma once

#include "framework/gauge.h"

#include <cstddef>
#include <string>

namespace mezura {

class YearWindow : public GaugeBase {
public:
    YearWindow(App& app, const FrameSpec& frame);
    // The controls the window is built from, its field rows among them: the terminal converter
    // finds units in these rows without making the window.
    static Layout controls();

    // The fields, in the order of the window's field table.
    enum Field { txtW1, txtW2, txtJ5, txtJ1, txtJ2, txtJ3, txtJ4, txtE1, txtE3, txtE2, txtE4 };
    // kFromEra + i: the Western year from the era year of the i-th era field (令和, 平成, 昭和,
    // 大正, 明治), where "元" reads as 1.
    enum Procedure { kLineW, kLineJ, kLineE, kTindicator, kFromYearsBefore, kFromEra };

    // The four names of Western year `year`: stem, 納音, branch, nine-star. Every year has
    // them by its place in the cycles, negative years too (year -1 is 己未); a year whose
    // cycle count is beyond 32 bits has none (empty texts).
    struct Names {
        std::string stem;
        std::string sound;
        std::string branch;
        std::string star;
    };
    static Names names(double year);

protected:
    void rangeButton(int button) override;
    void sliderChange() override;
    void sliderScroll() override;

private:
    void lineW();
    void fromYearsBefore();
    void fromEra(std::size_t era);
    void lineE();
    void tindicator();
    void fromThumb();
    double year() const;
};

} // namespace mezura
