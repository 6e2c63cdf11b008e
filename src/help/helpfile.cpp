#include "help/helpfile.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mspack.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace mezura {

namespace {

// Larger than these, a help file or an object in it is none of ours: reading it would only eat
// memory and time. The help file is a few hundred kilobytes, its largest page a few dozen.
constexpr std::size_t kLargestFile = std::size_t{16} << 20;
constexpr off_t kLargestObject = off_t{16} << 20;
// The uncompressed size of the compressed section that an object may reach into: objects
// beyond it would take libmspack long to decompress up to.
constexpr std::uint64_t kLargestSection = std::uint64_t{64} << 20;
// What libmspack may allocate at once (its largest need is the 2 MB window) and how many
// objects a file's listing may hold.
constexpr std::size_t kLargestAllocation = std::size_t{16} << 20;
constexpr std::size_t kMostObjects = 100000;

std::string named(const std::string& path)
{
    return "ヘルプファイル " + path;
}

std::uint32_t littleEndian32(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool endsWith(const std::string& text, const std::string& end)
{
    if (text.size() < end.size()) {
        return false;
    }
    return std::equal(end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()),
                      [](char a, char b) { return lower(a) == lower(b); });
}

std::string withLeadingSlash(std::string page)
{
    std::replace(page.begin(), page.end(), '\\', '/');
    return !page.empty() && page.front() == '/' ? page : "/" + page;
}

// The container read through libmspack's CHM decompressor, from the file's bytes in memory.
// libmspack reaches the bytes only through the system below, which checks every read, seek
// and write against the buffer it serves; an object is only extracted once its place and
// size have been checked against the file and the limits here.
class ChmObjects final : public HelpFile::Objects {
public:
    // Nothing when the bytes are no help file.
    static std::unique_ptr<ChmObjects> open(std::string bytes)
    {
        std::unique_ptr<ChmObjects> file(new ChmObjects(std::move(bytes)));
        int selftest = MSPACK_ERR_OK;
        MSPACK_SYS_SELFTEST(selftest);
        if (selftest != MSPACK_ERR_OK) {
            return nullptr;
        }
        file->m_decompressor = mspack_create_chm_decompressor(&file->m_system.calls);
        if (file->m_decompressor == nullptr) {
            return nullptr;
        }
        file->m_header = file->m_decompressor->open(file->m_decompressor, kInput);
        if (file->m_header == nullptr) {
            return nullptr;
        }
        file->index(file->m_header->files);
        file->index(file->m_header->sysfiles);
        return file;
    }

    ~ChmObjects() override
    {
        if (m_header != nullptr) {
            m_decompressor->close(m_decompressor, m_header);
        }
        if (m_decompressor != nullptr) {
            mspack_destroy_chm_decompressor(m_decompressor);
        }
    }
    ChmObjects(const ChmObjects&) = delete;
    ChmObjects& operator=(const ChmObjects&) = delete;

    bool has(const std::string& name) const override { return find(name) != nullptr; }

    std::optional<std::string> get(const std::string& name) const override
    {
        const mschmd_file* file = find(name);
        if (file == nullptr || !extractable(*file)) {
            return std::nullopt;
        }
        m_output.clear();
        m_outputLimit = static_cast<std::size_t>(file->length);
        const int result = m_decompressor->extract(m_decompressor, const_cast<mschmd_file*>(file), kOutput);
        std::string bytes = std::move(m_output);
        m_output = {};
        if (result != MSPACK_ERR_OK || bytes.size() != static_cast<std::size_t>(file->length)) {
            return std::nullopt;
        }
        return bytes;
    }

    std::vector<std::string> names() const override { return m_names; }

private:
    // libmspack names the files it opens; these two stand for the help file's bytes and for
    // the object being extracted. Only their addresses count.
    static constexpr const char* kInput = "help file";
    static constexpr const char* kOutput = "object";

    // An open file of the system: the help file's bytes, read, or the object, written.
    struct MemoryFile : mspack_file {
        const std::string* input = nullptr;
        std::size_t at = 0;
        std::string* output = nullptr;
        std::size_t limit = 0;
    };

    // libmspack's view of files and memory. `calls` comes first, so that the pointer to it
    // that libmspack hands back is the pointer to the whole.
    struct System {
        mspack_system calls;
        ChmObjects* owner;
    };

    explicit ChmObjects(std::string bytes)
        : m_bytes(std::move(bytes))
    {
        // The help compiler writes the header's second GUID as a copy of the first, where
        // libmspack insists on the one the format names ({7C01FD11-...}, one more): such a
        // header is read as if it named that.
        constexpr std::size_t kFirstGuid = 0x18;
        constexpr std::size_t kSecondGuid = 0x28;
        constexpr std::size_t kGuidSize = 16;
        if (m_bytes.size() >= kSecondGuid + kGuidSize && m_bytes[kSecondGuid] == '\x10' &&
            m_bytes.compare(kFirstGuid, kGuidSize, m_bytes, kSecondGuid, kGuidSize) == 0) {
            m_bytes[kSecondGuid] = '\x11';
        }
        m_system.calls = {openFile, closeFile, read, write, seek, tell, message, allocate, release, copy, nullptr};
        m_system.owner = this;
    }

    static mspack_file* openFile(mspack_system* self, const char* name, int mode)
    {
        ChmObjects* owner = reinterpret_cast<System*>(self)->owner;
        auto file = std::make_unique<MemoryFile>();
        if (name == kInput && mode == MSPACK_SYS_OPEN_READ) {
            file->input = &owner->m_bytes;
        } else if (name == kOutput && mode == MSPACK_SYS_OPEN_WRITE) {
            file->output = &owner->m_output;
            file->limit = owner->m_outputLimit;
        } else {
            return nullptr;
        }
        return file.release();
    }

    static void closeFile(mspack_file* file) { delete static_cast<MemoryFile*>(file); }

    static int read(mspack_file* handle, void* buffer, int bytes)
    {
        MemoryFile* file = static_cast<MemoryFile*>(handle);
        if (file == nullptr || file->input == nullptr || bytes < 0 || file->at > file->input->size()) {
            return -1;
        }
        const std::size_t count = std::min(static_cast<std::size_t>(bytes), file->input->size() - file->at);
        if (count > 0) {
            std::memcpy(buffer, file->input->data() + file->at, count);
        }
        file->at += count;
        return static_cast<int>(count);
    }

    static int write(mspack_file* handle, void* buffer, int bytes)
    {
        MemoryFile* file = static_cast<MemoryFile*>(handle);
        if (file == nullptr || file->output == nullptr || bytes < 0 ||
            static_cast<std::size_t>(bytes) > file->limit - file->output->size()) {
            return -1;
        }
        file->output->append(static_cast<const char*>(buffer), static_cast<std::size_t>(bytes));
        return bytes;
    }

    // Moves within the help file's bytes, never before their start nor past their end.
    static int seek(mspack_file* handle, off_t offset, int mode)
    {
        MemoryFile* file = static_cast<MemoryFile*>(handle);
        if (file == nullptr || file->input == nullptr) {
            return -1;
        }
        const std::size_t size = file->input->size();
        std::size_t from = 0;
        switch (mode) {
        case MSPACK_SYS_SEEK_START:
            break;
        case MSPACK_SYS_SEEK_CUR:
            from = file->at;
            break;
        case MSPACK_SYS_SEEK_END:
            from = size;
            break;
        default:
            return -1;
        }
        if (offset < 0) {
            // -(offset + 1) + 1: the distance back, without overflowing at the smallest offset.
            const std::uint64_t back = static_cast<std::uint64_t>(-(offset + 1)) + 1;
            if (back > from) {
                return -1;
            }
            file->at = from - static_cast<std::size_t>(back);
        } else {
            if (static_cast<std::uint64_t>(offset) > size - from) {
                return -1;
            }
            file->at = from + static_cast<std::size_t>(offset);
        }
        return 0;
    }

    static off_t tell(mspack_file* handle)
    {
        const MemoryFile* file = static_cast<MemoryFile*>(handle);
        return file == nullptr ? -1 : static_cast<off_t>(file->at);
    }

    // libmspack's warnings about a damaged file: what cannot be read is refused anyway.
    static void message(mspack_file*, const char*, ...) {}

    static void* allocate(mspack_system*, std::size_t bytes)
    {
        return bytes == 0 || bytes > kLargestAllocation ? nullptr : std::malloc(bytes);
    }
    static void release(void* memory) { std::free(memory); }
    static void copy(void* from, void* to, std::size_t bytes) { std::memmove(to, from, bytes); }

    void index(const mschmd_file* file)
    {
        for (; file != nullptr && m_names.size() < kMostObjects; file = file->next) {
            if (file->filename != nullptr && m_index.emplace(folded(file->filename), file).second) {
                m_names.emplace_back(file->filename);
            }
        }
    }

    // Names compare without regard to the case of ASCII letters: pages link "Length.htm" to
    // "/length.htm".
    static std::string folded(std::string name)
    {
        std::transform(name.begin(), name.end(), name.begin(), lower);
        return name;
    }

    const mschmd_file* find(const std::string& name) const
    {
        const auto found = m_index.find(folded(name));
        return found == m_index.end() ? nullptr : found->second;
    }

    // Whether the object lies within the file (uncompressed) or within the bounds of the
    // compressed section, and is no larger than any object of ours.
    bool extractable(const mschmd_file& file) const
    {
        if (file.section == nullptr || file.offset < 0 || file.length < 0 || file.length > kLargestObject) {
            return false;
        }
        const std::uint64_t offset = static_cast<std::uint64_t>(file.offset);
        const std::uint64_t length = static_cast<std::uint64_t>(file.length);
        if (file.section->id == 0) {
            const off_t start = m_header->sec0.offset;
            return start >= 0 && static_cast<std::uint64_t>(start) <= m_bytes.size() &&
                offset <= m_bytes.size() - static_cast<std::uint64_t>(start) &&
                length <= m_bytes.size() - static_cast<std::uint64_t>(start) - offset;
        }
        // The compressed section: its stream, its parameters, its reset table and its length
        // must all be in the listing already. libmspack would look up any of them that is not
        // by following the file's index chunks, which a damaged file can lead round in a
        // circle without end.
        const mschmd_sec_mscompressed& compressed = m_header->sec1;
        return file.section->id == 1 && compressed.content != nullptr && compressed.control != nullptr &&
            compressed.rtable != nullptr && compressed.spaninfo != nullptr && offset <= kLargestSection &&
            length <= kLargestSection - offset;
    }

    std::string m_bytes;
    System m_system{};
    // The object being extracted, and its size.
    mutable std::string m_output;
    mutable std::size_t m_outputLimit = 0;
    mschm_decompressor* m_decompressor = nullptr;
    mschmd_header* m_header = nullptr;
    std::map<std::string, const mschmd_file*> m_index;
    std::vector<std::string> m_names;
};

// Objects held in memory.
class MemoryObjects final : public HelpFile::Objects {
public:
    explicit MemoryObjects(std::map<std::string, std::string> objects)
        : m_objects(std::move(objects))
    {
    }
    bool has(const std::string& name) const override { return m_objects.count(name) != 0; }
    std::optional<std::string> get(const std::string& name) const override
    {
        const auto found = m_objects.find(name);
        if (found == m_objects.end() || found->second.size() > static_cast<std::size_t>(kLargestObject)) {
            return std::nullopt;
        }
        return found->second;
    }
    std::vector<std::string> names() const override
    {
        std::vector<std::string> all;
        for (const auto& [name, bytes] : m_objects) {
            all.push_back(name);
        }
        return all;
    }

private:
    std::map<std::string, std::string> m_objects;
};

} // namespace

HelpFile::HelpFile(std::string path, std::unique_ptr<Objects> objects)
    : m_path(std::move(path))
    , m_file(std::move(objects))
{
}

HelpFile HelpFile::fromObjects(std::string path, std::map<std::string, std::string> objects)
{
    return HelpFile(std::move(path), std::make_unique<MemoryObjects>(std::move(objects)));
}

HelpFile::HelpFile(HelpFile&&) noexcept = default;
HelpFile& HelpFile::operator=(HelpFile&&) noexcept = default;
HelpFile::~HelpFile() = default;

std::optional<HelpFile> HelpFile::open(const std::string& path, std::string& error)
{
    const auto unreadable = [&](int number) {
        error = number == ENOENT ? named(path) + " が見つかりません"
                                 : named(path) + " を読めません: " + std::generic_category().message(number);
        return std::nullopt;
    };
    // Not blocking: a pipe in the file's place is refused as no file rather than waited on
    // until something writes into it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int openError = errno;
        struct stat status {};
        if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
            error = named(path) + " はファイルではありません";
            return std::nullopt;
        }
        return unreadable(openError);
    }
    std::string bytes;
    struct stat status {};
    const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    int readError = 0;
    if (regular) {
        // Read to its end, whatever size it had when looked at, but never past the limit.
        char buffer[65536];
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                readError = got < 0 ? errno : 0;
                break;
            }
            bytes.append(buffer, static_cast<std::size_t>(got));
            if (bytes.size() > kLargestFile) {
                break;
            }
        }
    }
    ::close(fd);
    if (!regular) {
        error = named(path) + " はファイルではありません";
        return std::nullopt;
    }
    if (readError != 0) {
        return unreadable(readError);
    }
    return fromBytes(path, std::move(bytes), error);
}

std::optional<HelpFile> HelpFile::fromBytes(std::string path, std::string bytes, std::string& error)
{
    if (bytes.size() > kLargestFile) {
        error = named(path) + " は大きすぎるため開きません（" + std::to_string(kLargestFile) + " バイトまで）";
        return std::nullopt;
    }
    std::unique_ptr<ChmObjects> objects = ChmObjects::open(std::move(bytes));
    if (!objects) {
        error = named(path) + " はヘルプファイルの形式ではありません";
        return std::nullopt;
    }
    return HelpFile(std::move(path), std::move(objects));
}

std::optional<std::string> HelpFile::object(const std::string& name) const
{
    return m_file->get(name);
}

std::optional<std::string> HelpFile::read(const std::string& page, std::string& error) const
{
    const std::string name = withLeadingSlash(page);
    std::optional<std::string> bytes = object(name);
    if (!bytes) {
        error = named(m_path) + " にページ " + name + " がありません";
    }
    return bytes;
}

std::vector<std::string> HelpFile::pages() const
{
    std::vector<std::string> found;
    for (std::string& name : m_file->names()) {
        if (endsWith(name, ".htm") || endsWith(name, ".html")) {
            found.push_back(std::move(name));
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

Sitemap HelpFile::sitemap(std::uint16_t code) const
{
    // The system record "/#SYSTEM": a 32-bit version, then entries of a 16-bit code, a 16-bit
    // length and that many bytes, little-endian. Code 0 names the contents file, code 1 the
    // index file, each ending in a zero byte.
    const std::optional<std::string> system = object("/#SYSTEM");
    if (!system) {
        return {};
    }
    const auto word = [&](std::size_t at) {
        return static_cast<std::uint16_t>(static_cast<unsigned char>((*system)[at]) |
                                          static_cast<unsigned char>((*system)[at + 1]) << 8);
    };
    for (std::size_t at = 4; at + 4 <= system->size();) {
        const std::uint16_t entry = word(at);
        const std::size_t length = word(at + 2);
        if (at + 4 + length > system->size()) {
            break;
        }
        if (entry == code) {
            std::string name = system->substr(at + 4, length);
            name.erase(std::find(name.begin(), name.end(), '\0'), name.end());
            const std::optional<std::string> bytes = name.empty() ? std::nullopt : object(withLeadingSlash(name));
            return bytes ? parseSitemap(*bytes) : Sitemap{};
        }
        at += 4 + length;
    }
    return {};
}

Sitemap HelpFile::contents() const
{
    return sitemap(0);
}

Sitemap HelpFile::keywords() const
{
    return sitemap(1);
}

std::optional<std::string> HelpFile::pageForTopic(int topic, std::string& error) const
{
    // The context map: "/#IVB" holds its length in bytes, then pairs of topic number and the
    // offset of the page's name in "/#STRINGS", each 32 bits, little-endian.
    const std::optional<std::string> map = object("/#IVB");
    const std::optional<std::string> strings = object("/#STRINGS");
    if (!map || !strings) {
        error = named(m_path) + " にはトピック番号の対応表がありません";
        return std::nullopt;
    }
    const auto broken = [&] {
        error = named(m_path) + " のトピック番号の対応表が壊れています";
        return std::nullopt;
    };
    if (map->size() < 4 || littleEndian32(*map, 0) > map->size() - 4) {
        return broken();
    }
    const std::size_t end = 4 + littleEndian32(*map, 0) / 8 * 8;
    std::optional<std::uint32_t> offset;
    for (std::size_t at = 4; at < end; at += 8) {
        if (topic >= 0 && littleEndian32(*map, at) == static_cast<std::uint32_t>(topic)) {
            offset = littleEndian32(*map, at + 4);
            break;
        }
    }
    if (!offset) {
        error = named(m_path) + " にトピック " + std::to_string(topic) + " がありません";
        return std::nullopt;
    }
    if (*offset >= strings->size()) {
        return broken();
    }
    const std::size_t stop = strings->find('\0', *offset);
    if (stop == std::string::npos) {
        return broken();
    }
    std::string entry = strings->substr(*offset, stop - *offset);
    std::string fragment;
    if (const auto hash = entry.find('#'); hash != std::string::npos) {
        fragment = entry.substr(hash);
        entry.erase(hash);
    }
    // Some compilers write the page as the path it had on the building machine
    // ("/home/x/help/length.htm"): the page is then the longest tail of it that the file holds.
    const std::string written = withLeadingSlash(entry);
    for (std::size_t from = 0; from != std::string::npos; from = written.find('/', from + 1)) {
        const std::string candidate = written.substr(from);
        if (candidate.size() > 1 && m_file->has(candidate)) {
            return candidate + fragment;
        }
    }
    error = named(m_path) + " のトピック " + std::to_string(topic) + " のページ " + written + " がありません";
    return std::nullopt;
}

} // namespace mezura
