#include "help/helpfile.h"

#include <algorithm>
#include <cerrno>
#include <chm_lib.h>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace mezura {

namespace {

// Larger objects than this are no page of ours; reading them would only eat memory.
constexpr LONGUINT64 kLargestObject = 64u << 20;

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

// The objects of a compiled help file, through chmlib.
class ChmObjects final : public HelpFile::Objects {
public:
    explicit ChmObjects(chmFile* file)
        : m_file(file)
    {
    }
    ~ChmObjects() override { chm_close(m_file); }
    ChmObjects(const ChmObjects&) = delete;
    ChmObjects& operator=(const ChmObjects&) = delete;

    bool has(const std::string& name) const override
    {
        chmUnitInfo unit{};
        return chm_resolve_object(m_file, name.c_str(), &unit) == CHM_RESOLVE_SUCCESS;
    }

    std::optional<std::string> get(const std::string& name) const override
    {
        chmUnitInfo unit{};
        if (chm_resolve_object(m_file, name.c_str(), &unit) != CHM_RESOLVE_SUCCESS || unit.length > kLargestObject) {
            return std::nullopt;
        }
        std::string bytes(static_cast<std::size_t>(unit.length), '\0');
        if (unit.length == 0) {
            return bytes;
        }
        const LONGINT64 got = chm_retrieve_object(m_file, &unit, reinterpret_cast<unsigned char*>(bytes.data()), 0,
                                                  static_cast<LONGINT64>(unit.length));
        if (got != static_cast<LONGINT64>(unit.length)) {
            return std::nullopt;
        }
        return bytes;
    }

    std::vector<std::string> names() const override
    {
        std::vector<std::string> found;
        chm_enumerate(m_file, CHM_ENUMERATE_ALL, collect, &found);
        return found;
    }

private:
    static int collect(chmFile*, chmUnitInfo* unit, void* context)
    {
        static_cast<std::vector<std::string>*>(context)->push_back(unit->path);
        return CHM_ENUMERATOR_CONTINUE;
    }

    chmFile* m_file;
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
        if (found == m_objects.end() || found->second.size() > kLargestObject) {
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

std::map<std::string, std::string> HelpFile::objects() const
{
    std::map<std::string, std::string> all;
    for (const std::string& name : m_file->names()) {
        if (std::optional<std::string> bytes = m_file->get(name)) {
            all.emplace(name, std::move(*bytes));
        }
    }
    return all;
}

HelpFile::HelpFile(HelpFile&&) noexcept = default;
HelpFile& HelpFile::operator=(HelpFile&&) noexcept = default;
HelpFile::~HelpFile() = default;

std::optional<HelpFile> HelpFile::open(const std::string& path, std::string& error)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        error = errno == ENOENT ? named(path) + " が見つかりません"
                                : named(path) + " を読めません: " + std::generic_category().message(errno);
        return std::nullopt;
    }
    if (!S_ISREG(status.st_mode)) {
        error = named(path) + " はファイルではありません";
        return std::nullopt;
    }
    const int probe = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (probe < 0) {
        error = named(path) + " を読めません: " + std::generic_category().message(errno);
        return std::nullopt;
    }
    ::close(probe);
    chmFile* file = chm_open(path.c_str());
    if (file == nullptr) {
        error = named(path) + " はヘルプファイルの形式ではありません";
        return std::nullopt;
    }
    return HelpFile(path, std::make_unique<ChmObjects>(file));
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

std::vector<SitemapEntry> HelpFile::sitemap(std::uint16_t code) const
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
            return bytes ? parseSitemap(*bytes) : std::vector<SitemapEntry>{};
        }
        at += 4 + length;
    }
    return {};
}

std::vector<SitemapEntry> HelpFile::contents() const
{
    return sitemap(0);
}

std::vector<SitemapEntry> HelpFile::keywords() const
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
