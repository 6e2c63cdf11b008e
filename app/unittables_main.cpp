// mezura-unittables DIR: writes the unit table of every window's help page in DIR (DIR/heat.htm
// ...) from the windows' own field tables, between the lines
//   <!-- unit table -->
//   <!-- end of unit table -->
// of the page, each unit's row anchored by its field's name (square.htm#txtS1). The help build
// runs it on its copy of the pages, so that a page's table and the fields' tooltips come from
// the same rows.
#include "framework/app.h"
#include "framework/host.h"
#include "framework/layout.h"
#include "framework/window.h"
#include "windows/catalog.h"

#include <algorithm>
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
    std::string html = "<table class=\"units\">\n<tr><th>グループ</th><th>単位</th><th>関係</th></tr>\n";
    for (const std::string& group : groups) {
        const auto inGroup = [&group](const FieldSpec& field) { return field.unit.group == group; };
        const auto count = std::count_if(fields.begin(), fields.end(), inGroup);
        bool first = true;
        for (const FieldSpec& field : fields) {
            if (!inGroup(field)) {
                continue;
            }
            html += "<tr>";
            if (first) {
                html += "<td rowspan=\"" + std::to_string(count) + "\">" + escaped(group) + "</td>";
                first = false;
            }
            // The row's anchor is the field's name, where the index sends a unit's keyword.
            html += "<td><a name=\"" + field.name + "\"></a>" + escaped(shownLabel(field.label)) + "</td><td>" +
                escaped(field.unit.relation);
            // Where the program's definition is its own, the line under the relation says so.
            if (*field.unit.note != '\0') {
                html += "<br><span class=\"note\">" + escaped(field.unit.note) + "</span>";
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
    for (const WindowRow& row : app.windows()) {
        const std::string path = std::string(argv[1]) + "/" + row.frame.name + ".htm";
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
        const std::string written = text.substr(0, from) + "\n" + tableHtml(app.window(row)) + text.substr(end);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << written;
        if (!out) {
            std::cerr << "mezura-unittables: cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}
