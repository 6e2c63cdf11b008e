#include "startup/files.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace mezura {

namespace {

std::string reason(int error)
{
    return systemReason(error);
}

// The temporary file that a write of `name` makes beside it, by process and attempt.
std::string temporaryName(const std::string& name, pid_t pid, int attempt)
{
    return "." + name + "." + std::to_string(pid) + "." + std::to_string(attempt);
}

// Removes the temporary files of `name` in `directory` that writes left behind when they were
// killed before their rename: those of processes that no longer run. A write under way in
// another running program keeps its file.
void removeLeftovers(const std::string& directory, const std::string& name)
{
    namespace fs = std::filesystem;
    const std::string prefix = "." + name + ".";
    std::error_code ec;
    for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (entry.size() <= prefix.size() || entry.compare(0, prefix.size(), prefix) != 0) {
            continue;
        }
        const std::string rest = entry.substr(prefix.size());
        const auto dot = rest.find('.');
        const auto digits = [](const std::string& text) {
            return !text.empty() && text.size() <= 9 &&
                std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
        };
        if (dot == std::string::npos || !digits(rest.substr(0, dot)) || !digits(rest.substr(dot + 1))) {
            continue;
        }
        const auto pid = static_cast<pid_t>(std::stol(rest.substr(0, dot)));
        std::error_code typeError;
        if (pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH && it->is_regular_file(typeError) &&
            !it->is_symlink(typeError)) {
            ::unlink(it->path().c_str());
        }
    }
}

// Closes the descriptor when it goes out of scope (unless released).
class Descriptor {
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {
    }
    ~Descriptor()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return m_fd; }
    // Closes now; false (errno set) when the close reports an error.
    bool close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool writeAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// Makes a rename in `directory` last across a power cut; nothing to report when it fails,
// since the file itself was written.
void syncDirectory(const std::string& directory)
{
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Why an entry of mode `mode` is no file to read or replace; empty for a regular file.
std::string nonRegularReason(mode_t mode)
{
    if (S_ISDIR(mode)) {
        return reason(EISDIR);
    }
    if (!S_ISREG(mode)) {
        return "通常のファイルではありません";
    }
    return {};
}

} // namespace

std::string systemReason(int code)
{
    switch (code) {
    case ENOENT:
        return "ファイルまたはフォルダがありません";
    case EACCES:
    case EPERM:
        return "アクセスが許可されていません";
    case EROFS:
        return "読み出し専用のファイルシステムです";
    case EISDIR:
        return "フォルダです";
    case ENOTDIR:
        return "フォルダではありません";
    case ENOSPC:
        return "ディスクに空きがありません";
    case EDQUOT:
        return "ディスクの使用量の上限を超えます";
    case EFBIG:
        return "ファイルが大きすぎます";
    case EIO:
        return "入出力エラーが起きました";
    case ENAMETOOLONG:
        return "名前が長すぎます";
    case ELOOP:
        return "シンボリックリンクが多すぎます";
    case EMFILE:
    case ENFILE:
        return "開いているファイルが多すぎます";
    case ENOMEM:
        return "メモリが足りません";
    case EEXIST:
        return "同じ名前のファイルがあります";
    case EBUSY:
        return "使用中です";
    case EXDEV:
        return "別のファイルシステムには移せません";
    default:
        return "システムのエラー " + std::to_string(code) + " が起きました";
    }
}

std::optional<std::vector<std::string>> DiskFileSystem::regularFiles(const std::string& directory, std::string& error)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(directory.empty() ? "." : directory, ec);
    if (ec) {
        error = reason(ec.value());
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError)) {
            names.push_back(it->path().filename().string());
        }
    }
    if (ec) {
        error = reason(ec.value());
        return std::nullopt;
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<std::string> DiskFileSystem::readFile(const std::string& path, std::size_t limit, std::string& error)
{
    // Opened without waiting, so that a FIFO put in the file's place meanwhile does not stall
    // the program before it is seen to be no file.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (file.get() < 0) {
        error = reason(errno);
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        error = reason(errno);
        return std::nullopt;
    }
    error = nonRegularReason(info.st_mode);
    if (!error.empty()) {
        return std::nullopt;
    }
    const std::string tooLarge = "ファイルが大きすぎます（" + std::to_string(limit) + " バイトまで）";
    if (static_cast<std::uintmax_t>(info.st_size) > limit) {
        error = tooLarge;
        return std::nullopt;
    }
    std::string content;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            error = reason(errno);
            return std::nullopt;
        }
        if (got == 0) {
            return content;
        }
        content.append(buffer, static_cast<std::size_t>(got));
        if (content.size() > limit) { // it grew while being read
            error = tooLarge;
            return std::nullopt;
        }
    }
}

bool DiskFileSystem::writeFile(const std::string& path, const std::string& bytes, std::string& error)
{
    namespace fs = std::filesystem;
    // Through a symbolic link the file it leads to is replaced, and the link stays: a settings
    // file kept elsewhere (a read-only program directory linking to a writable one) is
    // written where it lives. A link that leads nowhere is replaced itself.
    fs::path target(path);
    std::error_code linkError;
    if (fs::is_symlink(fs::symlink_status(target, linkError))) {
        fs::path resolved = fs::canonical(target, linkError);
        if (!linkError) {
            target = std::move(resolved);
        }
    }
    const std::string name = target.filename().string();
    if (name.empty() || name == "." || name == "..") {
        error = reason(EISDIR);
        return false;
    }
    const std::string directory = target.has_parent_path() ? target.parent_path().string() : ".";

    // Only a regular file is replaced: renaming over a FIFO, a device node or a link to one
    // would put a file where something else was expected (a link to /dev/null, saved by
    // root, would replace /dev/null).
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists) {
        error = nonRegularReason(old.st_mode);
        // A file that may not be written is not replaced either, although its directory
        // would allow the rename: its owner has made it read-only. Root may write any file,
        // so the owner's write bit is looked at as well.
        if (error.empty() && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
            error = reason(errno);
        } else if (error.empty() && (old.st_mode & S_IWUSR) == 0) {
            error = reason(EACCES);
        }
        if (!error.empty()) {
            return false;
        }
    }

    // A hidden file beside the target, so that the rename stays within one file system.
    removeLeftovers(directory, name);
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        temporary = (fs::path(directory) / temporaryName(name, ::getpid(), attempt)).string();
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt == 99)) {
            error = reason(errno);
            return false;
        }
    }
    Descriptor file(fd);

    const auto fail = [&](int code) {
        error = reason(code);
        ::unlink(temporary.c_str());
        return false;
    };

    // The new file keeps the permissions of the one it replaces.
    if (exists && S_ISREG(old.st_mode)) {
        ::fchmod(file.get(), old.st_mode & 07777);
    }
    if (!writeAll(file.get(), bytes) || ::fsync(file.get()) != 0 || !file.close()) {
        return fail(errno);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        return fail(errno);
    }
    syncDirectory(directory);
    return true;
}

bool DiskFileSystem::exists(const std::string& path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

std::string DiskFileSystem::notAFile(const std::string& path)
{
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? nonRegularReason(status.st_mode) : std::string();
}

bool DiskFileSystem::writableDirectory(const std::string& directory)
{
    // Writing a file there means creating one beside the target and renaming it: that takes
    // write and search permission on the directory.
    const std::string dir = directory.empty() ? "." : directory;
    return ::faccessat(AT_FDCWD, dir.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

bool DiskFileSystem::makeDirectories(const std::string& directory, std::string& error)
{
    namespace fs = std::filesystem;
    const fs::path path = fs::path(directory).lexically_normal();
    fs::path sofar;
    for (const fs::path& part : path) {
        sofar /= part;
        if (part.empty() || sofar == sofar.root_path()) {
            continue;
        }
        if (::mkdir(sofar.c_str(), 0700) != 0 && errno != EEXIST) {
            error = reason(errno);
            return false;
        }
    }
    std::error_code ec;
    if (!fs::is_directory(path, ec)) {
        error = reason(ENOTDIR);
        return false;
    }
    return true;
}

std::string DiskFileSystem::configHome()
{
    return userConfigHome(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

std::string userConfigHome(const char* xdgConfigHome, const char* home)
{
    const auto absolute = [](const char* dir) { return dir != nullptr && dir[0] == '/'; };
    const auto withSlash = [](std::string dir) { return dir.back() == '/' ? dir : dir + '/'; };
    if (absolute(xdgConfigHome)) {
        return withSlash(xdgConfigHome);
    }
    if (absolute(home)) {
        return withSlash(home) + ".config/";
    }
    return "";
}

} // namespace mezura
