// The settings window: the start-up window, the choice of windows that open at start-up,
// and the program's name and version.
#pragma once

#include "framework/form.h"

#include <array>

namespace mezura {

class SettingsWindow : public Form {
public:
    explicit SettingsWindow(App& app);

    std::string title() const override { return "ヨモギの単位計算－設定"; }
    // Check box i (1 to 10): 0 clear, 1 ticked, 2 grey.
    int check(int i) const { return m_checks.at(static_cast<std::size_t>(i - 1)); }
    void setCheck(int i, int value) { m_checks.at(static_cast<std::size_t>(i - 1)) = value; }

    void dump(std::ostream& out) const override;

private:
    std::array<int, 10> m_checks{};
};

} // namespace mezura
