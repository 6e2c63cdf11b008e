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

SettingsPlace settingsPlace(const std::string& progpath, FileSystem& files)
{
    if (files.writableDirectory(progpath)) {
        return {progpath, ""};
    }
    const std::string home = files.configHome();
    if (home.empty()) {
        return {progpath, ""};
    }
    return {home + "mezura/", progpath};
}

SettingsWindow& settingsWindow(App& app)
{
    // The window table builds the settings window as this class.
    return dynamic_cast<SettingsWindow&>(app.settings());
}

SettingsWindow& start(App& app, const std::string& dir, FileSystem& files)
{
    SettingsWindow& config = settingsWindow(app);
    const std::string progpath = programDirectory(dir);
    config.load(progpath, settingsPlace(progpath, files), files);
    return config;
}

} // namespace mezura
