#include "startup/startup.h"

#include "startup/settings.h"

#include <filesystem>

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

const std::string& installPrefix()
{
    static const std::string prefix = MEZURA_INSTALL_PREFIX;
    return prefix;
}

bool insideFolder(const std::string& progpath, const std::string& prefix)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(progpath).lexically_normal();
    const fs::path folder = fs::path(prefix).lexically_normal();
    if (!dir.is_absolute() || !folder.is_absolute()) {
        return false;
    }
    // Component by component; a trailing "/" leaves an empty last name, which says nothing.
    auto at = dir.begin();
    for (const fs::path& name : folder) {
        if (name.empty()) {
            continue;
        }
        if (at == dir.end() || *at != name) {
            return false;
        }
        ++at;
    }
    return true;
}

SettingsPlace settingsPlace(const std::string& progpath, FileSystem& files, const std::string& prefix)
{
    const bool installed = insideFolder(progpath, prefix);
    if (!installed && files.writableDirectory(progpath)) {
        return {progpath, ""};
    }
    const std::string home = files.configHome();
    if (home.empty()) {
        return {installed ? "" : progpath, installed ? progpath : ""};
    }
    return {home + "mezura/", progpath};
}

SettingsWindow& settingsWindow(App& app)
{
    // The window table builds the settings window as this class.
    return dynamic_cast<SettingsWindow&>(app.settings());
}

SettingsWindow& start(App& app, const std::string& dir, FileSystem& files, const std::string& prefix)
{
    SettingsWindow& config = settingsWindow(app);
    const std::string progpath = programDirectory(dir);
    config.load(progpath, settingsPlace(progpath, files, prefix), files);
    return config;
}

} // namespace mezura
