// How every unit field relates to its window's base unit: "1 erg = 1E-07 J", and its unit
// in words as a screen reader should say it after the field's label (the length window's
// "mm" is ミリメートル, its "分" ぶ). One table serves the fields' tooltips, their names
// for assistive technology and the unit tables of the help pages (generated from it when
// the help file is built), so that the two cannot disagree. The units are grouped as the
// pages group them; every field of every window has exactly one row.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// clang-format off

namespace mezura {

struct UnitRelation {
    const char* field;    // "txtC1"
    const char* relation; // "1 erg = 1E-07 J"
    const char* words;    // "エルグ"
    // Where the program's own definition of the unit differs from today's standard one, a
    // line that says so for the help page ("標準の米国ガロンは 3785.411784 cm3 です。").
    const char* note = nullptr;
};

struct UnitGroup {
    const char* caption; // "ジュール（水色）"
    std::vector<UnitRelation> units;
};

struct UnitTable {
    const char* window; // "heat"
    std::vector<UnitGroup> groups;
};

// The relation of a window's base unit, from which the others are counted.
inline constexpr const char* kBaseUnit = "この画面の基準の単位";

// Every conversion window's table.
const std::vector<UnitTable>& unitTables();

// The relation of `field` in `window`; empty when the table has none.
std::string_view unitRelation(std::string_view window, std::string_view field);

// The unit of `field` in `window` in words; empty when the table has none.
std::string_view unitWords(std::string_view window, std::string_view field);

// What a field's tooltip says: its whole text, its unit and the unit's relation:
// fieldTip("36000000000", "erg", "1 erg = 1E-07 J") -> "36000000000 erg — 1 erg = 1E-07 J".
std::string fieldTip(std::string_view text, std::string_view label, std::string_view relation);

} // namespace mezura
// clang-format on
