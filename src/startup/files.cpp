#include "startup/files.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mezura {

namespace {

std::string reason(int error)
{
    return std::generic_category().message(error);
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

} // namespace

std::optional<std::vector<std::string>> DiskFileSystem::regularFiles(const std::string& directory, std::string& error)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(directory.empty() ? "." : directory, ec);
    if (ec) {
        error = ec.message();
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
        error = ec.message();
        return std::nullopt;
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<std::string> DiskFileSystem::readFile(const std::string& path, std::string& error)
{
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        error = reason(errno);
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

    // A file that may not be written is not replaced either, although its directory would
    // allow the rename: its owner has made it read-only.
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISREG(old.st_mode) && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        error = reason(errno);
        return false;
    }

    // A hidden file beside the target, so that the rename stays within one file system.
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        temporary = (fs::path(directory) / ("." + name + "." + std::to_string(::getpid()) + "." + std::to_string(attempt)))
                        .string();
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
