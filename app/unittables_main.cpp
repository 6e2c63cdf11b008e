// mezura-unittables DIR: writes the unit table of every window's help page in DIR (DIR/heat.htm
// ...) from the windows' own table of unit relations, between the lines
//   <!-- unit table -->
//   <!-- end of unit table -->
// of the page, each unit's row anchored by its field's name (square.htm#txtS1). The help build
// runs it on its copy of the pages, so that a page's table and the fields' tooltips come from
// the same rows.
#include "framework/app.h"
#include "framework/host.h"
#include "framework/window.h"
#include "windows/catalog.h"
#include "windows/units.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

using namespace mezura;

constexpr const char* kBegin = "<!-- unit table -->";
constexpr const char* kEnd = "<!-- end of unit table -->";

std::string escaped(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string tableHtml(const UnitTable& table, const ConversionWindow& window)
{
    std::string html = "<table class=\"units\">\n<tr><th>グループ</th><th>単位</th><th>関係</th></tr>\n";
    for (const UnitGroup& group : table.groups) {
        bool first = true;
        for (const UnitRelation& unit : group.units) {
            const FieldSpec& field = window.layout().fields.at(static_cast<std::size_t>(window.fieldIndex(unit.field)));
            html += "<tr>";
            if (first) {
                html +=
                    "<td rowspan=\"" + std::to_string(group.units.size()) + "\">" + escaped(group.caption) + "</td>";
                first = false;
            }
            // The row's anchor is the field's name, where the index sends a unit's keyword.
            html += "<td><a name=\"" + field.name + "\"></a>" + escaped(shownLabel(field.label)) + "</td><td>" +
                escaped(unit.relation);
            // Where the program's definition is its own, the line under the relation says so.
            if (unit.note != nullptr) {
                html += "<br><span class=\"note\">" + escaped(unit.note) + "</span>";
            }
            html += "</td></tr>\n";
        }
    }
    return html + "</table>\n";
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
    for (const UnitTable& table : unitTables()) {
        const std::string path = std::string(argv[1]) + "/" + table.window + ".htm";
        std::ifstream in(path, std::ios::binary);
        std::stringstream page;
        page << in.rdbuf();
        const std::string text = page.str();
        const std::size_t begin = text.find(kBegin);
        const std::size_t end = text.find(kEnd);
        if (!in || begin == std::string::npos || end == std::string::npos || end < begin) {
            std::cerr << "mezura-unittables: " << path << " has no place for its unit table (" << kBegin << " ... "
                      << kEnd << ")\n";
            return 1;
        }
        const std::size_t from = begin + std::string(kBegin).size();
        const std::string written =
            text.substr(0, from) + "\n" + tableHtml(table, app.window(table.window)) + text.substr(end);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << written;
        if (!out) {
            std::cerr << "mezura-unittables: cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}
