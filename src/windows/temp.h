// The temperature window: degrees Celsius, degrees Fahrenheit and kelvins, coloured by the
// temperature, with a gauge that follows the kelvin field.
#pragma once

#include "framework/gauge.h"

namespace mezura {

class TempWindow : public GaugeBase {
public:
    TempWindow(App& app, const FrameSpec& frame);
    // The controls the window is built from, its field rows among them: the terminal converter
    // finds units in these rows without making the window.
    static Layout controls();

    // The fields' background colour (all three share it).
    Colour colour() const { return fieldColour(txtCels); }

    enum Field { txtCels, txtFahr, txtKervin };

    // The reset writes 0 K and the other two from it.
    std::vector<int> resetFields() const override { return {txtCels, txtFahr, txtKervin}; }

protected:
    void rangeButton(int button) override;
    void sliderChange() override;
    void sliderScroll() override;
    void dumpExtra(std::ostream& out) const override;

private:
    void tindicator();
    void indicatorTail();
    void outOfRange();
    void colorChg();
    void fromSlider();

    Chain m_fromKelvin; // Celsius and Fahrenheit from the kelvin field
};

} // namespace mezura
