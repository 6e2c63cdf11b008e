// mezura-unittables DIR: writes the unit table of every window's help page in DIR (DIR/heat.htm
// ...) from the windows' own field tables, between the lines
//   <!-- unit table -->
//   <!-- end of unit table -->
// of the page, each unit's row anchored by its field's name (square.htm#txtS1). The help build
// runs it on its copy of the pages, so that a page's table and the fields' tooltips come from
// the same rows. It also gives DIR/index.hhk a keyword for every unit that none of its written
// keywords leads to, and one for each name of a unit that the converter finds it by and no
// keyword of its row holds ("tsubo", "ft"): the table's column of names and the index say
// what mezura-conv takes, from the same rows and through the same folding.
#include "conv/names.h"
#include "framework/app.h"
#include "framework/escape.h"
#include "framework/fold.h"
#include "framework/host.h"
#include "framework/layout.h"
#include "framework/window.h"
#include "windows/catalog.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

namespace {

using namespace mezura;

constexpr const char* kBegin = "<!-- unit table -->";
constexpr const char* kEnd = "<!-- end of unit table -->";

// A relation "1 in3 = 16.3872 cm3" as the cells of its row: "1 in3 =", the number and its
// unit; the number's cell never breaks its line (class "num"), so that a narrow page wraps
// the words around it and never splits its digits. Any other relation (a formula, a word)
// fills the three cells, kept on one line where it holds a number ("K = C + 273.15").
std::string relationCells(const std::string& relation)
{
    const std::size_t equals = relation.find(" = ");
    const std::size_t space = equals == std::string::npos ? equals : relation.find(' ', equals + 3);
    if (space != std::string::npos) {
        const std::string number = relation.substr(equals + 3, space - equals - 3);
        const bool isNumber = std::isdigit(static_cast<unsigned char>(number.front())) != 0 &&
            number.find_first_not_of("0123456789.E+-") == std::string::npos;
        if (isNumber && relation.find(' ', space + 1) == std::string::npos) {
            return "<td>" + htmlEscaped(relation.substr(0, equals + 2)) + "</td><td class=\"num\">" +
                htmlEscaped(number) + "</td><td>" + htmlEscaped(relation.substr(space + 1)) + "</td>";
        }
    }
    const bool holdsNumber = relation.find_first_of("0123456789") != std::string::npos;
    return std::string("<td colspan=\"3\"") + (holdsNumber ? " class=\"num\">" : ">") + htmlEscaped(relation) + "</td>";
}

// The window's fields group by group, in the order the field table first names each group.
std::string tableHtml(const ConversionWindow& window)
{
    const std::vector<FieldSpec>& fields = window.layout().fields;
    std::vector<std::string> groups;
    for (const FieldSpec& field : fields) {
        if (std::find(groups.begin(), groups.end(), field.unit.group) == groups.end()) {
            groups.emplace_back(field.unit.group);
        }
    }
    std::string html =
        "<table class=\"units\">\n<tr><th>グループ</th><th>単位</th><th>呼び名</th><th colspan=\"3\">関係</th></tr>\n";
    for (const std::string& group : groups) {
        const auto inGroup = [&group](const FieldSpec& field) { return field.unit.group == group; };
        // A unit with a note takes a second row for it.
        std::size_t rows = 0;
        for (const FieldSpec& field : fields) {
            rows += inGroup(field) ? (*field.unit.note != '\0' ? 2 : 1) : 0;
        }
        bool first = true;
        for (const FieldSpec& field : fields) {
            if (!inGroup(field)) {
                continue;
            }
            const bool noted = *field.unit.note != '\0';
            html += "<tr>";
            if (first) {
                html += "<td rowspan=\"" + std::to_string(rows) + "\">" + htmlEscaped(group) + "</td>";
                first = false;
            }
            // The row's anchor is the field's name, where the index sends a unit's keyword.
            std::string names;
            for (const conv::RowName& name : conv::rowNames(field.unit)) {
                names += (names.empty() ? "" : "、") + name.text;
            }
            const std::string cell = noted ? "<td rowspan=\"2\">" : "<td>";
            html += cell + "<a name=\"" + field.name + "\"></a>" + htmlEscaped(shownLabel(field.label)) + "</td>" +
                cell + htmlEscaped(names) + "</td>" + relationCells(field.unit.relation) + "</tr>\n";
            // Where the program's definition is its own, the line under the relation says so.
            if (noted) {
                html += "<tr><td colspan=\"3\" class=\"note\">" + htmlEscaped(field.unit.note) + "</td></tr>\n";
            }
        }
    }
    return html + "</table>\n";
}

std::string readFile(const std::string& path, bool& ok)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    ok = static_cast<bool>(in);
    return text.str();
}

bool writeFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) {
        std::cerr << "mezura-unittables: cannot write " << path << '\n';
    }
    return static_cast<bool>(out);
}

std::string lowered(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

// The keyword index with an entry "label (words)" for every unit that no written keyword
// leads to yet, beside the entries of the same label or where its name sorts, so that a new
// unit needs no line of its own in the index.
std::string indexWithEveryUnit(const std::string& index, App& app)
{
    constexpr std::string_view kEntry = "<LI> <OBJECT type=\"text/sitemap\">";
    constexpr std::string_view kName = "<param name=\"Name\" value=\"";
    std::string result = index;
    for (const WindowRow& row : app.windows()) {
        for (const FieldSpec& field : app.window(row).layout().fields) {
            const std::string local = row.frame.name + ".htm#" + field.name;
            if (result.find("value=\"" + local + "\"") != std::string::npos) {
                continue;
            }
            const std::string name = shownLabel(field.label) + " (" + field.unit.words + ")";
            const std::string entry = std::string(kEntry) + std::string(kName) + htmlEscaped(name) +
                "\"><param name=\"Local\" value=\"" + local + "\"></OBJECT>\n";
            // After the last entry of the same label ("ounce (トロイオンス)" after "ounce (oz,
            // オンス)"); a label of its own before the first entry whose name sorts after it.
            const std::string label = lowered(shownLabel(field.label));
            std::size_t same = std::string::npos;
            std::size_t after = std::string::npos;
            for (std::size_t entryAt = result.find(kEntry); entryAt != std::string::npos;
                 entryAt = result.find(kEntry, entryAt + kEntry.size())) {
                const std::size_t nameAt = result.find(kName, entryAt);
                const std::size_t nameEnd =
                    nameAt == std::string::npos ? nameAt : result.find('"', nameAt + kName.size());
                if (nameEnd == std::string::npos) {
                    continue;
                }
                const std::string other =
                    lowered(result.substr(nameAt + kName.size(), nameEnd - nameAt - kName.size()));
                if (other == label || other.rfind(label + " (", 0) == 0) {
                    same = result.find('\n', entryAt);
                    same = same == std::string::npos ? same : same + 1;
                } else if (after == std::string::npos && other > lowered(name)) {
                    after = entryAt;
                }
            }
            std::size_t at = same != std::string::npos ? same : after;
            if (at == std::string::npos) {
                at = result.rfind("</UL>");
            }
            if (at == std::string::npos) {
                continue; // no list to put it in
            }
            result.insert(at, entry);
        }
    }
    return result;
}

// The index with an entry "name (label)" for each name of a unit (conv::rowNames) that no
// keyword leading to its row holds as the index filter compares text, right after the first
// of those keywords ("つぼ (坪)"), so that the filter lands on the row ("tsubo" on 坪（歩）,
// not on 寸坪, whose names come after it).
std::string indexWithEveryName(const std::string& index, App& app)
{
    constexpr std::string_view kEntry = "<LI> <OBJECT type=\"text/sitemap\">";
    constexpr std::string_view kName = "<param name=\"Name\" value=\"";
    std::string result = index;
    for (const WindowRow& row : app.windows()) {
        for (const FieldSpec& field : app.window(row).layout().fields) {
            const std::string local = "value=\"" + row.frame.name + ".htm#" + field.name + "\"";
            // The names of the keywords that lead to the row, folded, and where the first ends.
            std::vector<std::u32string> held;
            std::size_t first = std::string::npos;
            for (std::size_t entryAt = result.find(kEntry); entryAt != std::string::npos;
                 entryAt = result.find(kEntry, entryAt + kEntry.size())) {
                const std::size_t lineEnd = result.find('\n', entryAt);
                const std::string line = result.substr(entryAt, lineEnd - entryAt);
                const std::size_t nameAt = line.find(kName);
                if (line.find(local) == std::string::npos || nameAt == std::string::npos) {
                    continue;
                }
                const std::size_t nameEnd = line.find('"', nameAt + kName.size());
                held.push_back(folded(line.substr(nameAt + kName.size(), nameEnd - nameAt - kName.size())));
                if (first == std::string::npos) {
                    first = lineEnd == std::string::npos ? result.size() : lineEnd + 1;
                }
            }
            if (first == std::string::npos) {
                continue; // indexWithEveryUnit gave every row a keyword
            }
            std::string entries;
            for (const conv::RowName& name : conv::rowNames(field.unit)) {
                const std::u32string key = folded(name.text);
                if (std::any_of(held.begin(), held.end(),
                                [&](const std::u32string& other) { return other.find(key) != std::u32string::npos; })) {
                    continue;
                }
                const std::string entryName = name.text + " (" + shownLabel(field.label) + ")";
                entries += std::string(kEntry) + std::string(kName) + htmlEscaped(entryName) +
                    "\"><param name=\"Local\" " + local + "></OBJECT>\n";
                held.push_back(folded(entryName));
            }
            result.insert(first, entries);
        }
    }
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: mezura-unittables DIR\n";
        return 2;
    }
    QuietHost host{2000};
    App app(host, windowTable());
    for (const WindowRow& row : app.windows()) {
        const std::string path = std::string(argv[1]) + "/" + row.frame.name + ".htm";
        bool read = false;
        const std::string text = readFile(path, read);
        const std::size_t begin = text.find(kBegin);
        const std::size_t end = text.find(kEnd);
        if (!read || begin == std::string::npos || end == std::string::npos || end < begin) {
            std::cerr << "mezura-unittables: " << path << " has no place for its unit table (" << kBegin << " ... "
                      << kEnd << ")\n";
            return 1;
        }
        const std::size_t from = begin + std::string(kBegin).size();
        if (!writeFile(path, text.substr(0, from) + "\n" + tableHtml(app.window(row)) + text.substr(end))) {
            return 1;
        }
    }
    const std::string indexPath = std::string(argv[1]) + "/index.hhk";
    bool read = false;
    const std::string index = readFile(indexPath, read);
    if (!read || index.find("</UL>") == std::string::npos) {
        std::cerr << "mezura-unittables: " << indexPath << " is no keyword index\n";
        return 1;
    }
    return writeFile(indexPath, indexWithEveryName(indexWithEveryUnit(index, app), app)) ? 0 : 1;
}
