#include "windows/year.h"

#include "framework/chain.h"
#include "framework/numtext.h"

#include <array>
#include <optional>
#include <string_view>
#include <utility>

namespace mezura {

namespace {

using enum YearWindow::Field;

constexpr Colour kWestern = rgb(192, 255, 255);
constexpr Colour kEra = rgb(255, 255, 192);
constexpr Colour kName = rgb(255, 192, 255);

// A field with its label 195 twips above it.
// The groups that the help page's unit table lists the fields in.
constexpr const char* kWesternUnits = "西暦（水色）";
constexpr const char* kEraUnits = "年号（黄色）";
constexpr const char* kYearNameUnits = "年の名前（表示だけで、入力はできません）";

// The first year of an era as it is written in words: "元" and "元年" (blanks left out, as
// the number rules leave them out) read as 1 in an era field. Nothing for any other text,
// which the number rules read.
std::optional<double> firstYear(std::string_view text)
{
    std::string word;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text.substr(at).starts_with("\u3000")) {
            at += std::string_view("\u3000").size() - 1;
        } else if (text[at] != ' ' && text[at] != '\t' && text[at] != '\n' && text[at] != '\r') {
            word += text[at];
        }
    }
    if (word == "元" || word == "元年") {
        return 1.0;
    }
    return std::nullopt;
}

FieldSpec field(int id, const char* name, const char* label, int left, int top, int tab, Colour colour,
                bool typing = true)
{
    return numbered(
        id, FieldSpec{name, label, {left, top, kFieldWidth, kFieldHeight}, left, top - 195, tab, colour, "", typing});
}

Layout yearLayout()
{
    Layout layout;
    // clang-format off
    layout.fields = {
        //     name                 label       Left   Top  tab  colour
        field(MEZURA_FIELD(txtW1), "西暦",        45,   270,  0, kWestern)
            .unitIs(kWesternUnits, "基準の年（西暦）", "せいれき"),
        field(MEZURA_FIELD(txtW2), "？年前",      45,  1310,  2, kWestern)
            .unitIs(kWesternUnits, "？年前 = 今年 − 西暦（今年はコンピューターの日付の年）", "何年前")
            .readAs("なんねんまえ"),
        field(MEZURA_FIELD(txtJ5), "令和",        45,   790,  1, kEra)
            .unitIs(kEraUnits, "令和 = 西暦 − 2018", "れいわ")
            .readsAlso(firstYear),
        field(MEZURA_FIELD(txtJ1), "平成",      1145,   270,  3, kEra)
            .unitIs(kEraUnits, "平成 = 西暦 − 1988", "へいせい")
            .readsAlso(firstYear),
        field(MEZURA_FIELD(txtJ2), "昭和",      1145,   790,  4, kEra)
            .unitIs(kEraUnits, "昭和 = 西暦 − 1925", "しょうわ")
            .readsAlso(firstYear),
        field(MEZURA_FIELD(txtJ3), "大正",      1145,  1320,  5, kEra)
            .unitIs(kEraUnits, "大正 = 西暦 − 1911", "たいしょう")
            .readsAlso(firstYear),
        field(MEZURA_FIELD(txtJ4), "明治\u3000", 1145, 1830,  6, kEra)
            .unitIs(kEraUnits, "明治 = 西暦 − 1867", "めいじ")
            .readsAlso(firstYear),
        field(MEZURA_FIELD(txtE1), "十干",      2245,   270,  7, kName, false)
            .unitIs(kYearNameUnits, "その年の十干（読みつき）", "じっかん"),
        field(MEZURA_FIELD(txtE3), "十二支",    2245,   790,  8, kName, false)
            .unitIs(kYearNameUnits, "その年の十二支（読みつき）", "じゅうにし"),
        field(MEZURA_FIELD(txtE2), "納音",      2245,  1320,  9, kName, false)
            .unitIs(kYearNameUnits, "その年の納音", "なっちん"),
        field(MEZURA_FIELD(txtE4), "九星",      2245,  1830, 10, kName, false)
            .unitIs(kYearNameUnits, "その年の九星", "きゅうせい"),
    };
    // clang-format on
    layout.sliders = {{"HScroll", {30, 2265, 3180, 255}, 0, 3000, 11}};
    layout.labels = {{"IndMin", "0", {345, 2520, 495, kLabelHeight}},
                     {"IndMax", "3000", {2850, 2520, 495, kLabelHeight}}};
    // Six era buttons and "?" share the row: 450 wide, 45 apart, 30 from the window's edge.
    layout.buttons = {{"Command1", "西暦", {30, 2700, 450, 255}, kHighlight},
                      {"Command2", "明治", {525, 2700, 450, 255}, kButtonFace},
                      {"Command3", "大正", {1020, 2700, 450, 255}, kButtonFace},
                      {"Command4", "昭和", {1515, 2700, 450, 255}, kButtonFace},
                      {"Command5", "平成", {2010, 2700, 450, 255}, kButtonFace},
                      {"Command7", "令和", {2505, 2700, 450, 255}, kButtonFace},
                      {"Command6", "?", {3000, 2700, 240, 255}, kHelpButton, ButtonRole::Help}};
    return layout;
}

// The era ruler: what each era button sets.
struct Era {
    int n;
    const char* button;
    int min;
    const char* minCaption;
    int max;
    const char* maxCaption;
};
constexpr std::array<Era, 6> kEras{{
    {1, "Command1", 0, "0", 3000, "3000"},
    {2, "Command2", 1868, "1868", 1912, "1912"},
    {3, "Command3", 1912, "1912", 1926, "1926"},
    {4, "Command4", 1926, "1926", 1989, "1989"},
    {5, "Command5", 1989, "1989", 2019, "2019"},
    {6, "Command7", 2019, "2019", 3000, "3000"},
}};

// The name tables; entry 0 is empty.
// clang-format off
constexpr std::array<std::string_view, 11> kStems{
    "", "甲 きのえ", "乙 きのと", "丙 ひのえ", "丁 ひのと", "戊 つちのえ",
    "己 つちのと", "庚 かのえ", "辛 かのと", "壬 みずのえ", "癸 みずのと"};
constexpr std::array<std::string_view, 13> kBranches{
    "", "子 ね", "丑 うし", "寅 とら", "卯 う", "辰 たつ", "巳 み",
    "午 うま", "未 ひつじ", "申 さる", "酉 とり", "戌 いぬ", "亥 い"};
constexpr std::array<std::string_view, 31> kSounds{
    "",       "海中金", "爐中火", "大林木", "路傍土", "剱鋒金", "山頭火", "澗下水", "城頭土", "白鑞金", "楊柳木",
    "泉中水", "屋上土", "霹靂火", "松柏木", "長流水", "沙中金", "山下火", "平地木", "壁上土", "金箔金",
    "覆燈火", "天河水", "大駅土", "釵釧金", "桑柘木", "大渓水", "沙中土", "天上火", "柘榴木", "大海水"};
constexpr std::array<std::string_view, 10> kStars{
    "", "五黄土星", "四緑木星", "三碧木星", "二黒土星", "一白水星", "九紫火星", "八白土星", "七赤金星", "六白金星"};
// clang-format on

// The table index of a year in one name cycle: round(W + shift) as a 32-bit integer, its
// remainder by the period, divided by `divisor` (the 納音 names a pair of years), plus 1.
// The remainder is floored, so it never falls below 0: a negative year gets the name its
// place in the cycle gives (year -1 is 己未) instead of falling off the front of the table.
// Empty when W + shift is beyond 32 bits.
std::optional<int> cycleIndex(double year, int shift, int period, int divisor)
{
    const std::optional<std::int32_t> whole = toInt32(apply(year, Op::Add, shift));
    if (!whole) {
        return std::nullopt;
    }
    const int remainder = (*whole % period + period) % period;
    return remainder / divisor + 1;
}

constexpr Op Add = Op::Add;
constexpr Op Sub = Op::Sub;

// target <- source op constant, as number text.
Step S(YearWindow::Field target, YearWindow::Field source, Op op, double constant)
{
    return Step{target, source, {{op, constant}}, false};
}

namespace proc {
const Call lineW{YearWindow::kLineW};
const Call lineJ{YearWindow::kLineJ};
const Call lineE{YearWindow::kLineE};
const Call tindicator{YearWindow::kTindicator};
const Call fromYearsBefore{YearWindow::kFromYearsBefore};
} // namespace proc

// The era years, in the order lineJ writes them: an era's year is W minus the year before
// its first (令和 from 2019, 平成 from 1989, 昭和 from 1926, 大正 from 1912, 明治 from 1868).
struct EraYear {
    YearWindow::Field field;
    double before;
};
// clang-format off
constexpr std::array<EraYear, 5> kEraYears{{
    {txtJ5, 2018}, {txtJ1, 1988}, {txtJ2, 1925}, {txtJ3, 1911}, {txtJ4, 1867}}};
// clang-format on

// The era years from W, leaving out `typed` (the field typed into is not rewritten).
Chain eraSteps(std::optional<YearWindow::Field> typed = std::nullopt)
{
    Chain steps;
    for (const EraYear& era : kEraYears) {
        if (era.field != typed) {
            steps.push_back(S(era.field, txtW1, Sub, era.before));
        }
    }
    return steps;
}

// What Enter in each typed field runs. An era field gives the Western year, the other eras
// follow from it; the field typed into is not rewritten.
std::vector<rows::EnterRow> enterChains()
{
    using namespace proc;
    std::vector<rows::EnterRow> chains{
        {txtW1, {lineW, lineJ, lineE, tindicator}},
        {txtW2, {fromYearsBefore, lineJ, lineE, tindicator}},
    };
    for (std::size_t i = 0; i < kEraYears.size(); ++i) {
        const EraYear& era = kEraYears[i];
        Chain chain{Call{YearWindow::kFromEra + static_cast<int>(i)}};
        const Chain steps = eraSteps(era.field);
        chain.insert(chain.end(), steps.begin(), steps.end());
        chain.insert(chain.end(), {lineW, lineE, tindicator});
        chains.push_back({era.field, std::move(chain)});
    }
    return chains;
}

} // namespace

YearWindow::Names YearWindow::names(double year)
{
    const std::optional<int> stem = cycleIndex(year, 6, 10, 1);
    const std::optional<int> sound = cycleIndex(year, 56, 60, 2);
    const std::optional<int> branch = cycleIndex(year, 8, 12, 1);
    const std::optional<int> star = cycleIndex(year, 3, 9, 1);
    if (!stem || !sound || !branch || !star) {
        return {}; // a year this far out has no place in the cycles we can count
    }
    const auto at = [](const auto& table, int index) { return std::string(table.at(static_cast<std::size_t>(index))); };
    return {at(kStems, *stem), at(kSounds, *sound), at(kBranches, *branch), at(kStars, *star)};
}

Layout YearWindow::controls()
{
    return yearLayout();
}

YearWindow::YearWindow(App& app, const FrameSpec& frame)
    : GaugeBase(app, frame, controls(), rangeButtons(kEras))
{
    std::vector<mezura::Procedure> procedures{{kLineW, [this] { lineW(); }},
                                              {kLineJ, [this] { run(eraSteps()); }},
                                              {kLineE, [this] { lineE(); }},
                                              {kTindicator, [this] { tindicator(); }},
                                              {kFromYearsBefore, [this] { fromYearsBefore(); }}};
    for (std::size_t i = 0; i < kEraYears.size(); ++i) {
        procedures.push_back({kFromEra + static_cast<int>(i), [this, i] { fromEra(i); }});
    }
    install(std::move(procedures), enterChains());
}

double YearWindow::year() const
{
    return parseNumber(text(txtW1));
}

// txtW2 = current year - W.
void YearWindow::lineW()
{
    setText(txtW2, numberText(apply(app().host().currentYear(), Sub, year())));
}

// txtW1 = the era year + the year before the era's first; "元" is the first year.
void YearWindow::fromEra(std::size_t era)
{
    const EraYear& row = kEraYears.at(era);
    const std::string& typed = text(row.field);
    const std::optional<double> first = firstYear(typed);
    const double value = first ? *first : parseNumber(typed);
    setText(txtW1, numberText(applyOperations(value, {{Add, row.before}}, false)));
}

// txtW1 = current year - txtW2.
void YearWindow::fromYearsBefore()
{
    setText(txtW1, numberText(apply(app().host().currentYear(), Sub, parseNumber(text(txtW2)))));
}

void YearWindow::lineE()
{
    const Names n = names(year());
    setText(txtE1, n.stem);
    setText(txtE2, n.sound);
    setText(txtE3, n.branch);
    setText(txtE4, n.star);
}

// The era ruler has no auto range: a year outside the ruler puts the thumb at its end (the
// change handler then writes that end as the year, unless the thumb stood there already).
void YearWindow::tindicator()
{
    const double w = year();
    Slider& ruler = gauge();
    if (w < ruler.min()) {
        ruler.setValue(ruler.min());
    } else if (w > ruler.max()) {
        ruler.setValue(ruler.max());
    } else {
        ruler.setValue(toInt16(w).value_or(ruler.max()));
    }
    if (year() != w) {
        // The ruler in Western years, as its captions show it: "西暦 0〜3000 年".
        noteChange(
            {ValueChange::Kind::OutsideRuler,
             shownLabel(layout().fields[txtW1].label) + ' ' + caption("IndMin") + "〜" + caption("IndMax") + " 年"});
    }
}

void YearWindow::rangeButton(int button)
{
    const int n = rangeOf(button);
    for (const Era& era : kEras) {
        if (era.n == n) {
            gauge().setMin(era.min);
            gauge().setMax(era.max);
            setCaption("IndMin", era.minCaption);
            setCaption("IndMax", era.maxCaption);
            bcolor(era.n);
        }
    }
}

// The slider's year, and everything that follows from it.
void YearWindow::fromThumb()
{
    setText(txtW1, numberText(gauge().value()));
    run({proc::lineW, proc::lineJ, proc::lineE});
}

void YearWindow::sliderChange()
{
    // A year beyond 16 bits cannot match the thumb.
    const std::optional<std::int16_t> k = toInt16(year());
    if (!k || *k != gauge().value()) {
        fromThumb();
    }
}

void YearWindow::sliderScroll()
{
    fromThumb();
}

} // namespace mezura
