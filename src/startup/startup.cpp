#include "startup/startup.h"

#include "startup/settings.h"

namespace mezura {

std::string programDirectory(std::string dir)
{
    if (dir.empty()) {
        return "./";
    }
    while (dir.size() > 1 && dir.back() == '/' && dir[dir.size() - 2] == '/') {
        dir.pop_back();
    }
    if (dir.back() != '/') {
        dir += '/';
    }
    return dir;
}

SettingsWindow& settingsWindow(App& app)
{
    // The window table builds the settings window as this class.
    return dynamic_cast<SettingsWindow&>(app.settings());
}

SettingsWindow& start(App& app, const std::string& dir, FileSystem& files)
{
    SettingsWindow& config = settingsWindow(app);
    config.load(programDirectory(dir), files);
    return config;
}

} // namespace mezura
