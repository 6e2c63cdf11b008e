#include "test_host.h"
#include "windows/units.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

// clang-format off

namespace mezura {
namespace {

using test::TestApp;

// The unit as the relations write it: the label without its padding, and for the base unit
// its first name ("cm3" of "cm3, cc, ml", "Pa" of "Pa (N/m2)").
std::string firstName(const std::string& label)
{
    const std::string shown = shownLabel(label);
    return shown.substr(0, std::min(shown.find(" ("), shown.find(',')));
}

// The unit after "1": a plural label of letters alone reads singular ("feet" 1 foot,
// "yards2" 1 yard2, "twips" 1 twip); any other label as it is.
std::string afterOne(std::string label)
{
    std::string power;
    if (!label.empty() && (label.back() == '2' || label.back() == '3')) {
        power = label.back();
        label.pop_back();
    }
    if (label.empty() || !std::all_of(label.begin(), label.end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
        return label + power;
    }
    if (label == "feet") {
        label = "foot";
    } else if (label.back() == 's') {
        label.pop_back();
    }
    return label + power;
}

// Every field of every window has one relation, and the table names no field that the window
// lacks: a field added or renamed without its relation fails here, not in front of a reader.
TEST(UnitRelations, OneForEveryFieldOfEveryWindow)
{
    TestApp t;
    int windows = 0;
    for (const WindowRow& row : t.app.windows()) {
        const ConversionWindow& w = t.app.window(row);
        std::multiset<std::string> named;
        for (const UnitTable& table : unitTables()) {
            if (table.window != row.frame.name) {
                continue;
            }
            ++windows;
            for (const UnitGroup& group : table.groups) {
                for (const UnitRelation& unit : group.units) {
                    named.insert(unit.field);
                    EXPECT_GE(w.fieldIndex(unit.field), 0) << row.frame.name << '.' << unit.field;
                }
            }
        }
        for (const FieldSpec& field : w.layout().fields) {
            EXPECT_EQ(named.count(field.name), 1u) << row.frame.name << '.' << field.name;
        }
        EXPECT_EQ(named.size(), w.layout().fields.size()) << row.frame.name;
    }
    EXPECT_EQ(windows, static_cast<int>(t.app.windows().size()));
}

// "1 X = N base" says what Enter with 1 in the field of X writes into the base field, and X
// is the unit that the field's label shows: a relation with a wrong number or on the wrong
// field would mislead every tooltip and help page that shows it.
TEST(UnitRelations, AgreeWithTheWindowsConversions)
{
    int checked = 0;
    for (const UnitTable& table : unitTables()) {
        TestApp probe;
        const ConversionWindow& layoutOf = probe.window(table.window);
        std::string base;
        for (const UnitGroup& group : table.groups) {
            for (const UnitRelation& unit : group.units) {
                if (std::string(unit.relation) == kBaseUnit) {
                    base = unit.field;
                }
            }
        }
        if (base.empty()) {
            continue; // temperature and calendar: relations in words
        }
        const int baseIndex = layoutOf.fieldIndex(base);
        const std::string baseUnit = firstName(layoutOf.layout().fields.at(static_cast<std::size_t>(baseIndex)).label);
        for (const UnitGroup& group : table.groups) {
            for (const UnitRelation& unit : group.units) {
                const std::string relation = unit.relation;
                if (unit.field == base) {
                    continue;
                }
                const std::string where = std::string(table.window) + '.' + unit.field + ": " + relation;
                TestApp t;
                ConversionWindow& w = t.window(table.window);
                const int index = w.fieldIndex(unit.field);
                ASSERT_GE(index, 0) << where;
                const std::string lead = "1 " + afterOne(shownLabel(w.layout().fields.at(static_cast<std::size_t>(index)).label)) + " = ";
                const std::string tail = " " + baseUnit;
                ASSERT_EQ(relation.rfind(lead, 0), 0u) << where;
                ASSERT_GE(relation.size(), lead.size() + tail.size()) << where;
                ASSERT_EQ(relation.substr(relation.size() - tail.size()), tail) << where;
                const double size = parseNumber(relation.substr(lead.size(), relation.size() - lead.size() - tail.size()));
                w.typeText(index, "1");
                w.keyPress(index, 13);
                EXPECT_TRUE(t.host.events.empty()) << where;
                const double written = parseNumber(w.text(baseIndex));
                // The limiter keeps four digits of a value in exponent form.
                EXPECT_NEAR(written, size, std::abs(size) * 2e-4) << where;
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 153);
}

TEST(UnitRelations, TipShowsTheWholeTextWithItsUnit)
{
    EXPECT_EQ(fieldTip("36000000000", "erg", unitRelation("heat", "txtC1")), "36000000000 erg — 1 erg = 1E-07 J");
    EXPECT_EQ(fieldTip("1", "km", ""), "1 km");
}

} // namespace
} // namespace mezura
// clang-format on
