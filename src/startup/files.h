// The file-system seam: the little the program asks of the disk. The program and the
// scripted driver use DiskFileSystem; tests may point it at a temporary directory or put a
// fake in its place.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace mezura {

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Names (not paths) of the regular files in `directory`, sorted by byte value. A
    // symbolic link counts as what it points to; directories and other entries do not count.
    // Nothing, with `error` set to the system's reason, when the directory cannot be read.
    virtual std::optional<std::vector<std::string>> regularFiles(const std::string& directory, std::string& error) = 0;

    // The whole content of the regular file at `path`, or nothing with `error` set. A file
    // larger than `limit` bytes is refused unread, and so is anything but a regular file (a
    // FIFO would never end, a device need not).
    virtual std::optional<std::string> readFile(const std::string& path, std::size_t limit, std::string& error) = 0;

    // Replaces the regular file at `path` by `bytes`, or makes it, whole or not at all: after
    // a failure (false, `error` set) whatever was at `path` before is still there, unchanged.
    // Anything but a regular file at `path` (a FIFO, a device, a directory) is never replaced.
    virtual bool writeFile(const std::string& path, const std::string& bytes, std::string& error) = 0;

    // True when there is a file or directory at `path`.
    virtual bool exists(const std::string& path) = 0;

    // Why the entry at `path` can be neither read nor replaced as a file, when it is not a
    // regular file (a FIFO, a device, a directory, or a link to one); empty when it is one,
    // or when there is nothing there (a link that leads nowhere included).
    virtual std::string notAFile(const std::string& /*path*/) { return {}; }

    // True when the program may create and replace files in `directory`.
    virtual bool writableDirectory(const std::string& directory) = 0;

    // Creates `directory` and whatever leads to it that is missing, readable by the user
    // alone; true when it exists afterwards.
    virtual bool makeDirectories(const std::string& directory, std::string& error) = 0;

    // The user's directory for settings of programs, ending in "/" (see userConfigHome);
    // empty when the system does not say.
    virtual std::string configHome() = 0;
};

// The user's directory for settings of programs, ending in "/": $XDG_CONFIG_HOME when it is
// an absolute path, else $HOME/.config; empty when neither gives one. A relative
// XDG_CONFIG_HOME is ignored, as it would depend on the working directory:
// ("/c", "/h") -> "/c/", (nullptr, "/h") -> "/h/.config/", ("rel", "/h") -> "/h/.config/",
// ("", "") -> "".
std::string userConfigHome(const char* xdgConfigHome, const char* home);

// The real disk. writeFile writes a new file beside the target, flushes it to the disk and
// renames it over the target only when every byte was written; such a file that an earlier
// write left behind when it was killed is removed. A target that is a symbolic link has the
// file it leads to replaced (the link stays), when that is a regular file; a file without
// write permission for the program, or without a write bit for its owner (even when root
// saves), is not replaced. Errors are told in Japanese.
class DiskFileSystem final : public FileSystem {
public:
    std::optional<std::vector<std::string>> regularFiles(const std::string& directory, std::string& error) override;
    std::optional<std::string> readFile(const std::string& path, std::size_t limit, std::string& error) override;
    bool writeFile(const std::string& path, const std::string& bytes, std::string& error) override;
    bool exists(const std::string& path) override;
    std::string notAFile(const std::string& path) override;
    bool writableDirectory(const std::string& directory) override;
    bool makeDirectories(const std::string& directory, std::string& error) override;
    // From the environment variables XDG_CONFIG_HOME and HOME.
    std::string configHome() override;
};

// The system's reason for error number `code`, in Japanese.
std::string systemReason(int code);

} // namespace mezura
