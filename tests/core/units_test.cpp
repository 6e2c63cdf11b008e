#include "framework/layout.h"
#include "test_host.h"

#include <algorithm>
#include <cmath>
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

// "1 X = N base" says what Enter with 1 in the field of X writes into the base field, and X
// is the unit that the field's label shows: a relation with a wrong number or on the wrong
// field would mislead every tooltip and help page that shows it. Every window but the
// temperature and calendar windows (relations in words) has a base field.
TEST(UnitRelations, AgreeWithTheWindowsConversions)
{
    TestApp probe;
    for (const WindowRow& row : probe.app.windows()) {
        const std::string window = row.frame.name;
        const std::vector<FieldSpec>& fields = probe.app.window(row).layout().fields;
        const auto base = std::find_if(fields.begin(), fields.end(),
                                       [](const FieldSpec& field) { return std::string(field.unit.relation) == kBaseUnit; });
        if (window == "temp" || window == "year") {
            EXPECT_EQ(base, fields.end()) << window;
            continue;
        }
        ASSERT_NE(base, fields.end()) << window;
        const int baseIndex = static_cast<int>(base - fields.begin());
        const std::string baseUnit = firstName(base->label);
        for (const FieldSpec& field : fields) {
            const std::string relation = field.unit.relation;
            if (&field == &*base) {
                continue;
            }
            const std::string where = window + '.' + field.name + ": " + relation;
            TestApp t;
            ConversionWindow& w = t.window(window.c_str());
            const int index = w.fieldIndex(field.name);
            const std::string lead = "1 " + afterOne(shownLabel(field.label)) + " = ";
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
        }
    }
}

// The gauge writes fields too: a slider move writes its range's field and the chain that
// follows, a range button clamps a value beyond its range. After each, every field of the
// window shows the same quantity as the base field, by the sizes its relation gives: a unit
// that such a chain forgets stays stale here.
TEST(UnitRelations, GaugeChainsLeaveEveryFieldAgreeing)
{
    TestApp probe;
    for (const WindowRow& row : probe.app.windows()) {
        const ConversionWindow& layoutOf = probe.app.window(row);
        const std::vector<FieldSpec>& fields = layoutOf.layout().fields;
        std::vector<double> sizes;
        int base = -1;
        for (const FieldSpec& field : fields) {
            const std::string relation = field.unit.relation;
            if (relation == kBaseUnit) {
                base = static_cast<int>(sizes.size());
            }
            const std::size_t equals = relation.find(" = ");
            sizes.push_back(relation == kBaseUnit ? 1.0 : equals == std::string::npos ? 0.0 : parseNumber(relation.substr(equals + 3)));
        }
        if (base < 0 || !layoutOf.hasGauge()) {
            continue; // temperature and calendar: no sizes
        }
        std::vector<int> ranges;
        for (std::size_t i = 0; i < layoutOf.layout().buttons.size(); ++i) {
            if (layoutOf.layout().buttons[i].role == ButtonRole::Range) {
                ranges.push_back(static_cast<int>(i));
            }
        }
        const auto expectAgreeing = [&](TestApp& t, const ConversionWindow& w, const std::string& where) {
            EXPECT_TRUE(t.host.events.empty()) << where;
            const double quantity = parseNumber(w.text(base));
            for (std::size_t i = 0; i < fields.size(); ++i) {
                const std::string what = where + ": " + fields[i].name + "=" + w.text(static_cast<int>(i)) + ", " +
                    fields[static_cast<std::size_t>(base)].name + "=" + w.text(base);
                const double value = parseNumber(w.text(static_cast<int>(i))) * sizes[i];
                EXPECT_NEAR(value, quantity, std::abs(quantity) * 3e-3) << what;
            }
        };
        for (const int range : ranges) {
            const std::string button = row.frame.name + " " + layoutOf.layout().buttons[static_cast<std::size_t>(range)].name;
            {
                TestApp t;
                ConversionWindow& w = t.app.window(row);
                w.clickButton(range);
                w.slide(w.slider().max() / 3);
                expectAgreeing(t, w, button + ", then the slider at a third");
            }
            {
                TestApp t;
                ConversionWindow& w = t.app.window(row);
                w.clickButton(ranges.back());
                w.slide(w.slider().max() - 1);
                w.clickButton(range);
                expectAgreeing(t, w, "the top of the last range, then " + button);
            }
        }
    }
}

TEST(UnitRelations, TipShowsTheWholeTextWithItsUnit)
{
    EXPECT_EQ(fieldTip("36000000000", "erg", "1 erg = 1E-07 J"), "36000000000 erg — 1 erg = 1E-07 J");
    EXPECT_EQ(fieldTip("1", "km", ""), "1 km");
}

} // namespace
} // namespace mezura
// clang-format on
