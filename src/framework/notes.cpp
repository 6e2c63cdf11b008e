#include "framework/notes.h"

#include "framework/arith.h"
#include "framework/numtext.h"

namespace mezura {

namespace {

// The typed text between 「 and 」: a long text by its first characters and "…".
std::string quoted(std::string_view text)
{
    constexpr std::size_t kShownCharacters = 24;
    std::string shown = "「";
    std::size_t characters = 0;
    for (const char c : text) {
        const bool starts = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        if (starts && ++characters > kShownCharacters) {
            shown += "…";
            break;
        }
        shown.push_back(c);
    }
    return shown + "」";
}

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\n") - first + 1);
}

} // namespace

std::string unreadInputNote(std::string_view text)
{
    NumberReading reading;
    try {
        reading = readNumber(text);
    } catch (const ArithmeticError&) {
        return {}; // the chain reports the overflow itself
    }
    switch (reading.extent) {
    case ReadExtent::All:
        return {};
    case ReadExtent::None:
        return quoted(text) + "は数値として読めないため 0 として換算しました。";
    case ReadExtent::Start:
        break;
    }
    return quoted(text) + "は " + numberText(reading.value) + " として換算しました。";
}

std::string enterNote(std::string_view typed, const std::optional<ValueChange>& change, std::string_view shown)
{
    if (!change) {
        return unreadInputNote(typed);
    }
    const std::string value(trimmed(shown));
    switch (change->kind) {
    case ValueChange::Kind::AboveRange: {
        // "1000km まで", but "光速まで".
        const bool latin = !change->range.empty() && static_cast<unsigned char>(change->range.back()) < 0x80;
        return quoted(typed) + "は範囲（" + change->range + (latin ? " まで" : "まで") + "）の外なので " + value +
            " に戻しました。";
    }
    case ValueChange::Kind::Negative:
        return quoted(typed) + "は負の値なので " + value + " に戻しました。";
    case ValueChange::Kind::BelowAbsoluteZero:
        return quoted(typed) + "は絶対零度より低いので " + value + " にしました。";
    case ValueChange::Kind::OutsideRuler:
        break;
    }
    return quoted(typed) + "は範囲（" + change->range + "）の外なので " + value + " にしました。";
}

} // namespace mezura
