#include "startup/cfgfile.h"

#include <algorithm>
#include <utility>

namespace mezura {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
        std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

// A value as the user may see it in a message: printable ASCII only, at most 16 characters.
std::string shown(const std::string& value)
{
    std::string text;
    for (char c : value.substr(0, 16)) {
        text += c >= 0x20 && c < 0x7F ? c : '?';
    }
    return value.size() > 16 ? text + "…" : text;
}

// "0", "1", "2", also with leading zeros; anything else is no check box state.
std::optional<int> checkValue(const std::string& value)
{
    if (value.empty() || !std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const auto digit = value.find_first_not_of('0');
    if (digit == std::string::npos) {
        return 0;
    }
    if (digit + 1 != value.size() || value[digit] > '2') {
        return std::nullopt;
    }
    return value[digit] - '0';
}

} // namespace

std::string formatSettings(const Checks& checks)
{
    std::string text;
    for (int value : checks) {
        text += std::to_string(value) + "\r\n";
    }
    return text;
}

std::optional<Checks> parseSettings(const std::string& text, std::string& problem)
{
    Checks checks{};
    // A file saved by an editor that marks UTF-8 text with a byte-order mark reads as without.
    std::size_t pos = text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    int count = 0;
    while (count < kCheckCount) {
        while (pos < text.size() && isBlank(text[pos])) {
            ++pos;
        }
        if (pos == text.size()) {
            if (count > 0) {
                break; // written when there were fewer windows: the later ones are not chosen
            }
            problem = "値が " + std::to_string(kCheckCount) + " 個ありません（" + std::to_string(count) + " 個）";
            return std::nullopt;
        }
        if (isLineEnd(text[pos])) {
            ++pos; // an empty line, or the rest of a line that ended in a comma
            continue;
        }
        const std::string number = std::to_string(count + 1);
        if (text[pos] == ',') {
            problem = number + " 番目の値が空です";
            return std::nullopt;
        }
        const std::size_t start = pos;
        while (pos < text.size() && text[pos] != ',' && !isLineEnd(text[pos])) {
            ++pos;
        }
        std::size_t end = pos;
        while (end > start && isBlank(text[end - 1])) {
            --end;
        }
        const std::string value = text.substr(start, end - start);
        const std::optional<int> state = checkValue(value);
        if (!state) {
            problem = number + " 番目の値「" + shown(value) + "」は 0、1、2 のどれでもありません";
            return std::nullopt;
        }
        checks[static_cast<std::size_t>(count++)] = *state;
        if (pos < text.size() && text[pos] == ',') {
            ++pos;
        }
    }
    return checks;
}

std::optional<std::string> findSettingsFile(const std::vector<std::string>& names)
{
    std::optional<std::string> found;
    for (const std::string& name : names) {
        if (name == kSettingsFileName) {
            return name;
        }
        if (sameIgnoringCase(name, kSettingsFileName) && (!found || name < *found)) {
            found = name;
        }
    }
    return found;
}

SettingsFile::SettingsFile(FileSystem& files, std::string progpath)
    : m_files(files)
    , m_progpath(std::move(progpath))
{
}

std::optional<std::string> SettingsFile::existingName(std::string& error)
{
    const auto names = m_files.regularFiles(m_progpath, error);
    return names ? findSettingsFile(*names) : std::nullopt;
}

SettingsFile::Loaded SettingsFile::load()
{
    const auto failed = [](const std::string& path, const std::string& what) {
        return Loaded{Status::Failed, Checks{}, "設定ファイル " + path + " を読み込めません: " + what};
    };
    std::string error;
    const auto names = m_files.regularFiles(m_progpath, error);
    if (!names) {
        return failed(m_progpath + kSettingsFileName, error);
    }
    const std::optional<std::string> name = findSettingsFile(*names);
    if (!name) {
        return Loaded{Status::Missing, Checks{}, ""};
    }
    const std::string path = m_progpath + *name;
    const std::optional<std::string> text = m_files.readFile(path, kLargestSettingsFile, error);
    if (!text) {
        return failed(path, error);
    }
    std::string problem;
    const std::optional<Checks> checks = parseSettings(*text, problem);
    if (!checks) {
        return failed(path, problem);
    }
    return Loaded{Status::Loaded, *checks, ""};
}

bool SettingsFile::save(const Checks& checks, std::string& message)
{
    std::string error;
    const std::string path = m_progpath + existingName(error).value_or(kSettingsFileName);
    if (!m_files.writeFile(path, formatSettings(checks), error)) {
        message = "設定ファイル " + path + " に保存できません: " + error + "（ファイルは前のままです）";
        return false;
    }
    return true;
}

} // namespace mezura
