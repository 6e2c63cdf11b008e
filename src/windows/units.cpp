#include "windows/units.h"

// clang-format off

namespace mezura {

namespace {

constexpr const char* kBase = kBaseUnit;

// The relations are written as the program computes them: "1 X = N base" is what Enter with
// 1 in the field of X writes into the base field (the exponent forms given in full where the
// chain shortens them).
const std::vector<UnitTable>& tables()
{
    static const std::vector<UnitTable> all = {
    {"length", {
        {"メートル法（水色）", {
            {"txtC0", "1 mm = 0.1 cm", "ミリメートル"},
            {"txtC1", kBase, "センチメートル"},
            {"txtC2", "1 m = 100 cm", "メートル"},
            {"txtC3", "1 km = 100000 cm", "キロメートル"},
            {"txtS7", "1 海里 = 185200 cm", "かいり"},
        }},
        {"ヤード・ポンド法（黄色）", {
            {"txtI1", "1 inch = 2.54 cm", "インチ"},
            {"txtI2", "1 feet = 30.48 cm", "フィート"},
            {"txtI3", "1 yards = 91.44 cm", "ヤード"},
            {"txtI4", "1 rods = 502.92 cm", "ロッド"},
            {"txtI5", "1 chains = 2011.68 cm", "チェーン"},
            {"txtI6", "1 furlong = 20116.8 cm", "ハロン"},
            {"txtI7", "1 miles = 160934.4 cm", "マイル"},
            {"txtI8", "1 leagues = 482803.2 cm", "リーグ"},
        }},
        {"尺貫法（桃色）", {
            {"txtS0", "1 厘 = 0.0303 cm", "りん"},
            {"txtS00", "1 分 = 0.303 cm", "ぶ"},
            {"txtS1", "1 寸 = 3.03030303030303 cm", "すん"},
            {"txtS2", "1 尺(曲尺) = 30.3030303030303 cm", "かねじゃく"},
            {"txtS3", "1 間 = 181.818181818182 cm", "けん"},
            {"txtS4", "1 丈 = 303.030303030303 cm", "じょう"},
            {"txtS5", "1 段／反 = 1090.90909090909 cm", "たん"},
            {"txtS6", "1 町／丁 = 10909.0909090909 cm", "ちょう"},
            {"txtS8", "1 里 = 392727.272727273 cm", "り"},
        }},
        {"布の尺と京間（緑色）", {
            {"txtK1", "1 尺(呉服尺) = 36.3636363636364 cm", "ごふくじゃく"},
            {"txtK2", "1 尺(鯨尺) = 37.8787878787879 cm", "くじらじゃく"},
            {"txtK3", "1 間(京間) = 196.969696969697 cm", "きょうま"},
        }},
        {"活字の大きさ（橙色）", {
            {"txtP1", "1 pt (US) = 0.035140562248996 cm", "米国式ポイント"},
            {"txtP2", "1 pica = 0.421686746987952 cm", "パイカ"},
            {"txtP3", "1 twips = 0.00176388888888889 cm", "トゥイップ"},
            {"txtP4", "1 pt (DTP) = 0.0352777777777778 cm", "DTPポイント"},
            {"txtP5", "1 pt (Didot) = 0.0375 cm", "ディドーポイント"},
            {"txtP6", "1 級（Q) = 0.025 cm", "きゅう"},
        }},
    }},
    {"square", {
        {"メートル法（水色）", {
            {"txtC1", kBase, "平方センチメートル"},
            {"txtC2", "1 m2 = 10000 cm2", "平方メートル"},
            {"txtC3", "1 a(are) = 1000000 cm2", "アール"},
            {"txtC4", "1 ha(hectare) = 100000000 cm2", "ヘクタール"},
            {"txtC5", "1 km2 = 10000000000 cm2", "平方キロメートル"},
        }},
        {"ヤード・ポンド法（黄色）", {
            {"txtI1", "1 inch2 = 6.4516 cm2", "平方インチ"},
            {"txtI2", "1 feet2 = 929.0304 cm2", "平方フィート"},
            {"txtI3", "1 yards2 = 8361.2736 cm2", "平方ヤード"},
            {"txtI4", "1 rods2 = 252928.5264 cm2", "平方ロッド"},
            {"txtI5", "1 chains2 = 4046856.4224 cm2", "平方チェーン"},
            {"txtI6", "1 A(acre) = 40468564.224 cm2", "エーカー"},
            {"txtI7", "1 miles2 = 25899881103.36 cm2", "平方マイル"},
        }},
        {"坪と尺貫法（桃色）", {
            {"txtS1", "1 寸坪 = 9.1809 cm2", "すんつぼ"},
            {"txtS2", "1 尺坪 = 918.09 cm2", "しゃくつぼ"},
            {"txtS3", "1 坪（歩） = 33051.24 cm2", "つぼ"},
            {"txtS7", "1 勺 = 330.5124 cm2", "しゃく"},
            {"txtS8", "1 合 = 3305.124 cm2", "ごう"},
            {"txtS6", "1 畝 = 991537.2 cm2", "せ"},
            {"txtS4", "1 段（反） = 9915372 cm2", "たん"},
            {"txtS5", "1 町 = 99153720 cm2", "ちょう"},
        }},
        {"畳（緑色）", {
            {"txtK1", "1 畳(田舎間) = 15442.2738 cm2", "いなかまの畳"},
            {"txtK2", "1 畳(中京間) = 16525.62 cm2", "ちゅうきょうまの畳"},
            {"txtK3", "1 畳(京間) = 18219.49605 cm2", "きょうまの畳"},
        }},
    }},
    {"cubic", {
        {"メートル法（水色）", {
            {"txtC1", kBase, "立方センチメートル"},
            {"txtC2", "1 dl = 100 cm3", "デシリットル"},
            {"txtC3", "1 l = 1000 cm3", "リットル"},
            {"txtC4", "1 m3 = 1000000 cm3", "立方メートル"},
        }},
        {"立方の単位（黄色）", {
            {"txtI1", "1 in3 = 16.3872 cm3", "立方インチ"},
            {"txtI2", "1 ft3 = 28317.0816 cm3", "立方フィート"},
            {"txtI3", "1 yd3 = 764561.2032 cm3", "立方ヤード"},
            {"txtI4", "1 cord = 3624586.4448 cm3", "コード"},
        }},
        {"英国の液量（黄色）", {
            {"txtLE1", "1 UK-gill = 142 cm3", "英国液量ジル"},
            {"txtLE2", "1 UK-pint = 568 cm3", "英国液量パイント"},
            {"txtLE3", "1 UK-quart = 1136 cm3", "英国液量クォート"},
            {"txtLE4", "1 UK-gallon = 4544 cm3", "英国液量ガロン"},
            {"txtLE5", "1 UK-barrel = 163600 cm3", "英国液量バレル"},
        }},
        {"米国の液量（薄紫）", {
            {"txtLA1", "1 US-gill = 118 cm3", "米国液量ジル"},
            {"txtLA2", "1 US-pint = 472 cm3", "米国液量パイント"},
            {"txtLA3", "1 US-quart = 944 cm3", "米国液量クォート"},
            {"txtLA4", "1 US-gallon = 3776 cm3", "米国液量ガロン"},
            {"txtLA5", "1 US-barrel = 119200 cm3", "米国液量バレル"},
        }},
        {"尺貫法（桃色）", {
            {"txtS0", "1 勺 = 18.04 cm3", "しゃく"},
            {"txtS1", "1 合 = 180.4 cm3", "ごう"},
            {"txtS2", "1 升 = 1804 cm3", "しょう"},
            {"txtS3", "1 斗 = 18040 cm3", "と"},
            {"txtS7", "1 才 = 27826 cm3", "さい"},
            {"txtS4", "1 俵 = 72160 cm3", "ひょう"},
            {"txtS5", "1 石 = 180400 cm3", "こく"},
            {"txtS6", "1 立坪 = 6008700 cm3", "りゅうつぼ"},
        }},
        {"さじとカップ（緑色）", {
            {"txtM1", "1 小匙 = 2.5 cm3", "こさじ"},
            {"txtM2", "1 中匙 = 5 cm3", "なかさじ"},
            {"txtM3", "1 大匙 = 15 cm3", "おおさじ"},
            {"txtM4", "1 カップ = 180 cm3", "カップ"},
        }},
        {"容器（橙色）", {
            {"txtO1", "1 灯油カン = 18000 cm3", "とうゆかん"},
            {"txtO2", "1 barrel (oil) = 159000 cm3", "石油バレル"},
            {"txtO3", "1 ドラムカン = 200000 cm3", "ドラムかん"},
        }},
        {"英国の乾量（「Dry」の枠）", {
            {"txtDE1", "1 UK-pint = 568.2 cm3", "英国乾量パイント"},
            {"txtDE2", "1 UK-quart = 1136.4 cm3", "英国乾量クォート"},
            {"txtDE3", "1 UK-peck = 9091.2 cm3", "英国乾量ペック"},
            {"txtDE4", "1 UK-bushel = 36364.8 cm3", "英国乾量ブッシェル"},
        }},
        {"米国の乾量（「Dry」の枠）", {
            {"txtDA1", "1 US-pint = 550.6 cm3", "米国乾量パイント"},
            {"txtDA2", "1 US-quart = 1101.2 cm3", "米国乾量クォート"},
            {"txtDA3", "1 US-peck = 8809.6 cm3", "米国乾量ペック"},
            {"txtDA4", "1 US-bushel = 35238.4 cm3", "米国乾量ブッシェル"},
        }},
    }},
    {"weight", {
        {"メートル法（水色）", {
            {"txtC1", "1 mg = 0.001 g", "ミリグラム"},
            {"txtC2", kBase, "グラム"},
            {"txtC3", "1 kg = 1000 g", "キログラム"},
            {"txtC4", "1 ton (t) = 1000000 g", "トン"},
        }},
        {"常衡（黄色）", {
            {"txtI1", "1 grain = 0.06479891 g", "常衡グレーン"},
            {"txtI2", "1 dram = 1.7718451953125 g", "常衡ドラム"},
            {"txtI3", "1 ounce (oz) = 28.349523125 g", "常衡オンス"},
            {"txtI4", "1 pound (lb) = 453.59237 g", "常衡ポンド"},
            {"txtI5", "1 hundredweight(USA) = 45359.237 g", "米国ハンドレッドウェイト"},
            {"txtI6", "1 hundredweight(UK) = 50802.34544 g", "英国ハンドレッドウェイト"},
            {"txtI7", "1 short ton = 907184.74 g", "ショートトン"},
            {"txtI8", "1 long ton = 1016046.9088 g", "ロングトン"},
        }},
        {"尺貫法（桃色）", {
            {"txtS1", "1 匁 = 3.75 g", "もんめ"},
            {"txtS2", "1 斤 = 600 g", "きん"},
            {"txtS3", "1 貫 = 3750 g", "かん"},
        }},
        {"金衡系（緑色の枠、貴金属）", {
            {"txtT1", "1 grain = 0.06479891 g", "トロイグレーン"},
            {"txtT2", "1 pennyweight = 1.55517384 g", "ペニーウェイト"},
            {"txtT3", "1 ounce = 31.1034768 g", "トロイオンス"},
            {"txtT4", "1 pound = 373.2417216 g", "トロイポンド"},
        }},
        {"薬局系（橙色の枠、薬の調合）", {
            {"txtA1", "1 grain = 0.06479891 g", "薬用グレーン"},
            {"txtA2", "1 scruple = 1.2959782 g", "スクループル"},
            {"txtA3", "1 dram = 3.8879346 g", "薬用ドラム"},
            {"txtA4", "1 ounce = 31.1034768 g", "薬用オンス"},
            {"txtA5", "1 pound = 373.2417216 g", "薬用ポンド"},
        }},
    }},
    {"velocity", {
        {"メートル法（水色）", {
            {"txtC0", "1 cm/s (kine) = 0.01 m/s", "センチメートル毎秒"},
            {"txtC1", kBase, "メートル毎秒"},
            {"txtC2", "1 km/h = 0.277777777777778 m/s", "キロメートル毎時"},
            {"txtC3", "1 km/min = 16.6666666666667 m/s", "キロメートル毎分"},
            {"txtC4", "1 km/s = 1000 m/s", "キロメートル毎秒"},
        }},
        {"ヤード・ポンド法（黄色）", {
            {"txtI1", "1 yard/s (yps) = 0.9144 m/s", "ヤード毎秒"},
            {"txtI2", "1 mile/h (mph) = 0.447027777777778 m/s", "マイル毎時"},
        }},
        {"そのほか（桃色）：ノット、マッハ（音速 295.2 m/s を 1 とします）、光速に対する割合", {
            {"txtS1", "1 knot (kn) = 0.5144 m/s", "ノット"},
            {"txtS2", "1 音速 mach = 295.2 m/s", "マッハ"},
            {"txtS3", "1 光速 = 299792458 m/s", "光速に対する比"},
        }},
    }},
    {"press", {
        {"パスカル（水色）", {
            {"txtP1", kBase, "パスカル"},
            {"txtP2", "1 hPa (mb) = 100 Pa", "ヘクトパスカル"},
            {"txtP3", "1 b = 100000 Pa", "バール"},
        }},
        {"水柱（黄色）", {
            {"txtA1", "1 mmAq = 9.80665 Pa", "水柱ミリメートル"},
            {"txtA2", "1 mAq = 9806.65 Pa", "水柱メートル"},
            {"txtA3", "1 at (kgf/cm2) = 98066.5 Pa", "工学気圧"},
        }},
        {"水銀柱と気圧（桃色）", {
            {"txtH1", "1 mmHg (Torr) = 133.322368421053 Pa", "水銀柱ミリメートル"},
            {"txtH2", "1 atm = 101325 Pa", "標準気圧"},
            {"txtH3", "1 mHg = 133322.368421053 Pa", "水銀柱メートル"},
        }},
    }},
    {"heat", {
        {"ジュール（水色）", {
            {"txtC1", "1 erg = 1E-07 J", "エルグ"},
            {"txtJ1", "1 μJ = 1E-06 J", "マイクロジュール"},
            {"txtJ2", "1 mJ = 0.001 J", "ミリジュール"},
            {"txtJ3", kBase, "ジュール"},
            {"txtJ4", "1 kJ = 1000 J", "キロジュール"},
        }},
        {"工学の単位（黄色）", {
            {"txtN1", "1 BTU = 1055.05585 J", "英国熱量単位"},
            {"txtN2", "1 kgfm = 9.80665 J", "重量キログラムメートル"},
            {"txtN3", "1 Wh = 3600 J", "ワット時"},
        }},
        {"カロリー（桃色）", {
            {"txtC2", "1 cal = 4.1868 J", "カロリー"},
            {"txtC3", "1 Cal (kcal) = 4186.8 J", "キロカロリー"},
            {"txtC4", "1 単位 = 334944 J", "食品交換の単位"},
        }},
        {"電子ボルト（緑色）", {
            {"txtE1", "1 KeV = 1.60217657E-16 J", "キロ電子ボルト"},
            {"txtE2", "1 MeV = 1.60217657E-13 J", "メガ電子ボルト"},
            {"txtE3", "1 GeV = 1.60217657E-10 J", "ギガ電子ボルト"},
        }},
    }},
    {"radio", {
        {"ベクレル（水色）", {
            {"txtB1", kBase, "ベクレル"},
            {"txtB2", "1 kBq = 1000 Bq", "キロベクレル"},
            {"txtB3", "1 MBq (rd) = 1000000 Bq", "メガベクレル"},
            {"txtB4", "1 GBq = 1000000000 Bq", "ギガベクレル"},
        }},
        {"キュリー（黄色）", {
            {"txtC1", "1 nCi = 37 Bq", "ナノキュリー"},
            {"txtC2", "1 μCi = 37000 Bq", "マイクロキュリー"},
            {"txtC3", "1 mCi = 37000000 Bq", "ミリキュリー"},
            {"txtC4", "1 Ci = 37000000000 Bq", "キュリー"},
        }},
        {"マッヘ（桃色、1 リットルあたりの濃度）", {
            {"txtM1", "1 M.E. = 13.3 Bq", "マッヘ単位"},
        }},
    }},
    {"temp", {
        {"摂氏・華氏・絶対温度（色は温度で変わります）", {
            {"txtCels", "基準の温度（摂氏）", "セルシウス度"},
            {"txtFahr", "F = C × 9 / 5 + 32", "ファーレンハイト度"},
            {"txtKervin", "K = C + 273.15", "ケルビン"},
        }},
    }},
    {"year", {
        {"西暦（水色）", {
            {"txtW1", "基準の年（西暦）", "せいれき"},
            {"txtW2", "？年前 = 今年 − 西暦（今年はコンピューターの日付の年）", "何年前"},
        }},
        {"年号（黄色）", {
            {"txtJ5", "令和 = 西暦 − 2018", "れいわ"},
            {"txtJ1", "平成 = 西暦 − 1988", "へいせい"},
            {"txtJ2", "昭和 = 西暦 − 1925", "しょうわ"},
            {"txtJ3", "大正 = 西暦 − 1911", "たいしょう"},
            {"txtJ4", "明治 = 西暦 − 1867", "めいじ"},
        }},
        {"年の名前（表示だけで、入力はできません）", {
            {"txtE1", "その年の十干（読みつき）", "じっかん"},
            {"txtE3", "その年の十二支（読みつき）", "じゅうにし"},
            {"txtE2", "その年の納音", "なっちん"},
            {"txtE4", "その年の九星", "きゅうせい"},
        }},
    }},
    };
    return all;
}

} // namespace

const std::vector<UnitTable>& unitTables() { return tables(); }

namespace {
const UnitRelation* findUnit(std::string_view window, std::string_view field)
{
    for (const UnitTable& table : tables()) {
        if (table.window != window) {
            continue;
        }
        for (const UnitGroup& group : table.groups) {
            for (const UnitRelation& unit : group.units) {
                if (unit.field == field) {
                    return &unit;
                }
            }
        }
    }
    return nullptr;
}
} // namespace

std::string_view unitRelation(std::string_view window, std::string_view field)
{
    const UnitRelation* unit = findUnit(window, field);
    return unit != nullptr ? unit->relation : std::string_view();
}

std::string_view unitWords(std::string_view window, std::string_view field)
{
    const UnitRelation* unit = findUnit(window, field);
    return unit != nullptr ? unit->words : std::string_view();
}

std::string fieldTip(std::string_view text, std::string_view label, std::string_view relation)
{
    std::string tip(text);
    tip += ' ';
    tip += label;
    if (!relation.empty()) {
        tip += " — ";
        tip += relation;
    }
    return tip;
}

} // namespace mezura
// clang-format on
