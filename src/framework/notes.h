// The sentences that tell the user what became of a typed text: the note of a field whose
// text number parse could not read whole, and the window's note after an Enter. Every such
// sentence is written here and nowhere else.
//
// A typed text is named between 「 and 」, as typed; a text of more than 24 characters by
// its first 24 and "…", since a note names the text and is no copy of the field.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mezura {

// The sentence that tells the user what number parse made of a text it could not read
// whole; empty when it read all of it (or overflows, which the chain reports itself).
//   unreadInputNote("1.5.2") -> "「1.5.2」は 1.5 として換算しました。"
//   unreadInputNote("1,000") -> "「1,000」は 1 として換算しました。"
//   unreadInputNote("abc")   -> "「abc」は数値として読めないため 0 として換算しました。"
//   unreadInputNote(" 12 ")  -> ""
std::string unreadInputNote(std::string_view text);

// Why the value that an Enter gave did not stand: the window put another in its place.
struct ValueChange {
    enum class Kind {
        AboveRange,        // above the largest range of the gauge: the window was reset
        Negative,          // below every range of the gauge: the window was reset
        BelowAbsoluteZero, // a temperature below 0 K: the window went to absolute zero
        OutsideRuler,      // a year outside the era ruler: the year became the ruler's end
    };
    Kind kind;
    // What the sentence names as the range: the top of the largest range ("1000km") for
    // AboveRange, the ruler ("西暦 0〜3000 年") for OutsideRuler; nothing for the others.
    std::string range = {};
};

// The window's note after an Enter of the text `typed`, which left the field typed into
// showing `shown`: what the window did to the value when it changed it, else what number
// parse made of the text when it could not read it whole (unreadInputNote), else nothing.
//   {AboveRange, "1000km"}, "2000", shown "0"
//       -> "「2000」は範囲（1000km まで）の外なので 0 に戻しました。"
//   {AboveRange, "光速"}, "300000", shown "0"
//       -> "「300000」は範囲（光速まで）の外なので 0 に戻しました。"
//   {Negative}, "-5", shown "0"   -> "「-5」は負の値なので 0 に戻しました。"
//   {BelowAbsoluteZero}, "-300", shown "-273.15"
//       -> "「-300」は絶対零度より低いので -273.15 にしました。"
//   {OutsideRuler, "西暦 0〜3000 年"}, "5000", shown "3000"
//       -> "「5000」は範囲（西暦 0〜3000 年）の外なので 3000 にしました。"
//   no change, "1,000", shown "1,000" -> "「1,000」は 1 として換算しました。"
//   no change, "12", shown "12"       -> ""
// Blanks around the shown text are left out (" 0" names "0").
std::string enterNote(std::string_view typed, const std::optional<ValueChange>& change, std::string_view shown);

} // namespace mezura
