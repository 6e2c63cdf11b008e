#include "script/runner.h"

#include "script/commands.h"

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace mezura {

namespace {

// Whether `text` is UTF-8 text: every sequence complete and shortest, no surrogate, nothing
// beyond U+10FFFF.
bool isUtf8(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        int more = 0;
        char32_t code = 0;
        if (byte < 0x80) {
            ++i;
            continue;
        }
        if (byte >= 0xC2 && byte <= 0xDF) {
            more = 1;
            code = byte & 0x1Fu;
        } else if (byte >= 0xE0 && byte <= 0xEF) {
            more = 2;
            code = byte & 0x0Fu;
        } else if (byte >= 0xF0 && byte <= 0xF4) {
            more = 3;
            code = byte & 0x07u;
        } else {
            return false;
        }
        if (text.size() - i <= static_cast<std::size_t>(more)) {
            return false;
        }
        for (int k = 1; k <= more; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0u) != 0x80u) {
                return false;
            }
            code = (code << 6) | (next & 0x3Fu);
        }
        static constexpr char32_t kShortest[] = {0, 0x80, 0x800, 0x10000};
        if (code < kShortest[more] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += static_cast<std::size_t>(more) + 1;
    }
    return true;
}

// What makes a line no command at all, or empty when nothing does. Blanks are spaces and
// tabs; any other control character (a vertical tab, a form feed, a CR inside the line, a
// NUL ...) is no script text.
std::string lineFault(const std::string& line, bool tooLong)
{
    if (tooLong) {
        return "line longer than " + std::to_string(kLongestScriptLine) + " bytes";
    }
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t') || byte == 0x7F) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            return std::string("control character 0x") + kHex[byte >> 4] + kHex[byte & 0xF];
        }
    }
    if (!isUtf8(line)) {
        return "bytes that are not UTF-8 text";
    }
    return {};
}

} // namespace

std::optional<std::vector<ScriptLine>> readScript(std::istream& in, std::ostream& err)
{
    std::vector<ScriptLine> lines;
    bool sound = true;
    std::streambuf* source = in.rdbuf();
    std::string line;
    bool tooLong = false;
    int number = 0;
    // Ends the line read so far; a CR before its LF belongs to the line end.
    const auto finish = [&] {
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.size() > kLongestScriptLine) {
            tooLong = true;
        }
        const std::string fault = lineFault(line, tooLong);
        if (!fault.empty()) {
            err << "mezura-script: line " << number << ": " << fault << '\n';
            sound = false;
        } else if (const auto first = line.find_first_not_of(" \t"); first != std::string::npos && line[first] != '#') {
            lines.push_back({number, line.substr(first)});
        }
        line.clear();
        tooLong = false;
    };
    bool pending = false; // bytes after the last line end
    for (int c = source != nullptr ? source->sbumpc() : EOF; c != EOF; c = source->sbumpc()) {
        if (c == '\n') {
            finish();
            pending = false;
            continue;
        }
        pending = true;
        // One byte beyond the limit is kept, so that a CR that ends the longest line still fits.
        if (line.size() <= kLongestScriptLine) {
            line.push_back(static_cast<char>(c));
        } else {
            tooLong = true;
        }
    }
    if (pending) {
        finish();
    }
    if (!sound) {
        return std::nullopt;
    }
    return lines;
}

int runScript(std::istream& in, std::ostream& out, std::ostream& err, const ScriptOptions& options)
{
    // Every line is read and checked first: a script holding lines that are no text runs not
    // at all, and each of them is reported.
    const std::optional<std::vector<ScriptLine>> lines = readScript(in, err);
    if (!lines) {
        return 2;
    }
    Commands script(out, options);
    for (const ScriptLine& line : *lines) {
        if (script.ended()) {
            break;
        }
        try {
            script.execute(line.text);
        } catch (const BadCommand& bad) {
            out.flush();
            err << "mezura-script: line " << line.number << ": " << bad.what() << ": " << line.text << '\n';
            return 2;
        }
    }
    out.flush();
    return 0;
}

} // namespace mezura
