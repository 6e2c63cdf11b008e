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

SettingsWindow& start(App& app, const std::string& dir, FileSystem& files)
{
    auto& config = dynamic_cast<SettingsWindow&>(app.form(kSettingsWindow));
    config.load(programDirectory(dir), files);
    return config;
}

} // namespace mezura
