#include "startup/settings.h"

namespace mezura {

SettingsWindow::SettingsWindow(App& app)
    : Form(app, "config")
{
}

void SettingsWindow::dump(std::ostream& out) const
{
    out << "config.visible=" << (visible() ? 1 : 0) << '\n';
    for (int i = 1; i <= 10; ++i) {
        out << "config.Check1(" << i << ")=" << check(i) << '\n';
    }
}

} // namespace mezura
