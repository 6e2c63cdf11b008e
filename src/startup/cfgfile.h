// The settings file "Mezura.cfg" in the program directory: which conversion windows open at
// start-up, one line per window in menu order, "0" clear, "1" ticked, "2" grey. Only the
// temperature window: "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n". It is the program's
// only persistent state.
#pragma once

#include "startup/files.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace mezura {

inline constexpr const char* kSettingsFileName = "Mezura.cfg";
inline constexpr int kCheckCount = 10;
// Ten values take 30 bytes; a larger file than this is no settings file and is not read.
inline constexpr std::size_t kLargestSettingsFile = 4096;

// The ten check boxes Check1(1) ... Check1(10): 0, 1 or 2.
using Checks = std::array<int, kCheckCount>;

// Ten lines, each the value and CR LF.
std::string formatSettings(const Checks& checks);

// Reads up to ten values, after a UTF-8 byte-order mark if there is one. A value is the text up to the next comma or
// line end, blanks around it skipped; empty lines are skipped, so "1,\r\n" ends one value. Each value must be a decimal
// 0, 1 or 2 ("01" is 1); anything after the tenth value is ignored, and a file of fewer values (written when there were
// fewer windows) leaves the later windows clear. Nothing, with `problem` describing the first fault ("4 番目の値「x」
// は…"), when a value is none of these or the text holds no value at all.
std::optional<Checks> parseSettings(const std::string& text, std::string& problem);

// The settings file among the names of a directory's files: the name "Mezura.cfg" in any
// letter case; the exact spelling wins over other spellings, else the first in byte order.
std::optional<std::string> findSettingsFile(const std::vector<std::string>& names);

// The settings file of one program directory.
class SettingsFile {
public:
    // `progpath` ends in "/".
    SettingsFile(FileSystem& files, std::string progpath);

    enum class Status {
        Loaded,  // `checks` hold the file's values
        Missing, // no settings file: the normal first start
        Failed,  // unreadable or malformed: `message` says what; `checks` are all clear
    };
    struct Loaded {
        Status status;
        Checks checks;
        std::string message;
    };
    Loaded load();

    // Writes the file whole (into the existing file's spelling of the name, else
    // "Mezura.cfg"). False, with a message for the user, when it could not: the old file is
    // then left as it was.
    bool save(const Checks& checks, std::string& message);

private:
    std::optional<std::string> existingName(std::string& error);

    FileSystem& m_files;
    std::string m_progpath;
};

} // namespace mezura
