// The compiled help file (Mezura.chm): opened by path, a topic number resolved to its page
// through the file's context map, a page's bytes read by path. No toolkit: the help viewer of the desktop program
// builds on it. The file is read into memory whole when opened (up to 16 MB) and its container
// read from there with libmspack; nothing it holds is trusted. A HelpFile is used by one thread
// at a time: reading a page moves the decompressor's state.
#pragma once

#include "help/sitemap.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace mezura {

class HelpFile {
public:
    // Opens the help file at `path`. Nothing, with `error` naming the file and saying what is
    // wrong (missing, unreadable, not a help file), when it cannot be opened.
    static std::optional<HelpFile> open(const std::string& path, std::string& error);
    // The help file of these bytes, as `open` reads them from the file at `path`.
    static std::optional<HelpFile> fromBytes(std::string path, std::string bytes, std::string& error);

    HelpFile(HelpFile&&) noexcept;
    HelpFile& operator=(HelpFile&&) noexcept;
    ~HelpFile();

    const std::string& path() const { return m_path; }

    // The page of a topic number, through the file's context map: 1010 -> "/length.htm".
    // A page entry that carries a fragment keeps it ("/common.htm#gauge"). Nothing, with
    // `error` set, for a number the file does not map.
    std::optional<std::string> pageForTopic(int topic, std::string& error) const;

    // The bytes of the page (or picture, style sheet ...) at `page`: "/length.htm"; the
    // leading "/" may be left out. Nothing, with `error` set, when the file has no such page.
    std::optional<std::string> read(const std::string& page, std::string& error) const;

    // The HTML pages of the file ("/common.htm", ...), sorted.
    std::vector<std::string> pages() const;

    // What the file's container holds: named objects ("/length.htm", "/#SYSTEM" ...).
    class Objects {
    public:
        virtual ~Objects() = default;
        virtual bool has(const std::string& name) const = 0;
        // The object's bytes; nothing when there is none or it cannot be read.
        virtual std::optional<std::string> get(const std::string& name) const = 0;
        // Every name, in the container's order.
        virtual std::vector<std::string> names() const = 0;
    };
    // A help file of these objects, held in memory, read by the same rules as a compiled file.
    static HelpFile fromObjects(std::string path, std::map<std::string, std::string> objects);

    // The table of contents and the keyword index that the file names in its system record,
    // read; no entries when it names none or holds none.
    Sitemap contents() const;
    Sitemap keywords() const;

private:
    HelpFile(std::string path, std::unique_ptr<Objects> objects);
    std::optional<std::string> object(const std::string& name) const;
    Sitemap sitemap(std::uint16_t code) const;

    std::string m_path;
    std::unique_ptr<Objects> m_file;
};

// A place inside the help file: a page and, after "#", a fragment within it.
struct HelpLink {
    std::string page;     // "/length.htm"
    std::string fragment; // "gauge", or empty

    bool operator==(const HelpLink&) const = default;
};

} // namespace mezura
