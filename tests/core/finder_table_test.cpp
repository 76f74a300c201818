// The finders' results as a table: whole numbers that add up to 100, what each
// cell says and how it sorts, the CSV file, and the marks read from a
// solvent's effects (the ozone-depleting solvents of the shipped database).

#include "core/finder_table.h"
#include "core/numbers.h"
#include "core/report_figures.h"
#include "core/solubility_zone.h"
#include "core/solvent_marks.h"
#include "test_database.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

namespace tarnwell {
namespace {

// --- Whole numbers that add up to 100 --------------------------------------------------------

TEST(FinderTable, WholeNumbersAddUpOnTheRowsThatFailedBefore) {
    // Mixtures the zone finder listed for an aged dammar test on the shipped
    // database, each of N, D, W once rounded on its own to a sum of 99 or 101.
    struct Case {
        std::array<double, 3> mixture;
        std::array<int, 3> apart;  // rounded one by one, as the list showed them
        std::array<int, 3> whole;  // by the calculator's rule
    };
    const Case cases[] = {
        // CFC-113 + ethyl acetate. Nearest 69 16 16 is 101; the fractions .54,
        // .68, .78 are all halves or more: the largest (W) goes down.
        {{68.535206091874329, 15.681857210974439, 15.78293669715122}, {69, 16, 16}, {69, 16, 15}},
        // Diisopropyl ether + n-propanol. Nearest 69 15 15 is 99; the fractions
        // .49, .03, .47 are all below a half: the smallest (D) goes up.
        {{69.494476439478376, 15.033701570701444, 15.471821989820187}, {69, 15, 15}, {69, 16, 15}},
        // Diisopropyl ether (ref. 3) + isopropanol: .34, .19, .47, the smallest (D) up.
        {{63.340858885473544, 19.191551269353365, 17.467589845173102}, {63, 19, 17}, {63, 20, 17}},
        // 1,1,1-Trichloroethane + ethanol: .75, .72, .54, the largest (N) down.
        {{59.746513508795118, 18.716404675200263, 21.537081816004619}, {60, 19, 22}, {59, 19, 22}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mixture[0]);
        int apartSum = 0;
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(mixtureParameterText(c.mixture[i]), std::to_string(c.apart[i]));
            apartSum += c.apart[i];
        }
        EXPECT_NE(apartSum, 100);
        const std::array<std::string, 3> expected{std::to_string(c.whole[0]), std::to_string(c.whole[1]),
                                                  std::to_string(c.whole[2])};
        // The point finder rounds the solver's mixture; the zone finder the
        // chart's point, whose whole numbers "Use this blend" takes as target.
        EXPECT_EQ(wholeNdwTexts(hundredPoint(c.mixture)), expected);
        const std::optional<PlanePoint> p = teasToPlane(c.mixture[0], c.mixture[1], c.mixture[2]);
        ASSERT_TRUE(p);
        EXPECT_EQ(wholeNdwTexts(wholeNumberPoint(*p)), expected);
    }
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(wholeNdwTexts(hundredPoint({nan, 20, 30})), (std::array<std::string, 3>{"X", "X", "X"}));
}

// --- What a row says -------------------------------------------------------------------------

const testing::TestSolvent kAcetone{"Acetone", 2, 47, 32, 21};
const testing::TestSolvent kWater{"Water", 2, 18, 28, 54};
const testing::TestSolvent kFreon{"Freon", 2, 60, 10, 30};
const testing::TestSolvent kDegreaser{"Degreaser", 3, 62, 12, 26};

FoundBlend pairOf(int first, int second) {
    FoundBlend b;
    b.size = 2;
    b.rows = {first, second, -1};
    b.volumeText = {".400", ".600", ""};
    b.mixNText = "40";
    b.mixDText = "29";
    b.mixWText = "31";
    b.twaText = "500";
    b.twaPpm = 500;
    b.vhrText = "120";
    b.vhr = 120;
    return b;
}

std::string cellOf(const FinderRow& row, FinderColumn column, bool zone = false) {
    const std::vector<FinderColumn> columns = finderColumns(zone);
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (columns[i] == column) return row.at(i).text;
    ADD_FAILURE() << "no column " << finderColumnTitle(column);
    return {};
}

TEST(FinderTable, EachCellSaysWhatTheBlendIsAndSortsTheUnknownToTheUnsafeEnd) {
    const SolventTable t = testing::tableOf({kAcetone, kWater, kFreon, kDegreaser});
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* name;
        std::optional<double> flash0, flash1;
        bool carcinogen1, phasedOut1;
        const char* flashText;
        double flashKey;
    };
    const Case cases[] = {
        {"both known", -20.0, 12.5, false, false, "\u221220 \u00B0C", -20.0},
        {"one unknown: an upper bound", 13.0, std::nullopt, true, false, "\u2264 13 \u00B0C", 13.0},
        {"none known", std::nullopt, std::nullopt, false, true, "unknown", -inf},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FoundBlend b = pairOf(0, 2);
        b.notes[0].flashPoint = c.flash0;
        b.notes[1].flashPoint = c.flash1;
        b.notes[1].carcinogen = c.carcinogen1;
        b.notes[1].phasedOut = c.phasedOut1;
        const FinderRow row = finderRow(b, 7, t);
        ASSERT_EQ(row.size(), finderColumns(false).size());
        EXPECT_EQ(cellOf(row, FinderColumn::Rank), "7");
        EXPECT_EQ(cellOf(row, FinderColumn::Solvents), "2:   Acetone + 2:   Freon");
        EXPECT_EQ(cellOf(row, FinderColumn::Volumes), ".400 / .600");
        EXPECT_EQ(cellOf(row, FinderColumn::N) + " " + cellOf(row, FinderColumn::D) + " " + cellOf(row, FinderColumn::W),
                  "40 29 31");
        EXPECT_EQ(cellOf(row, FinderColumn::Twa), "500");
        EXPECT_EQ(cellOf(row, FinderColumn::FlashPoint), c.flashText);
        EXPECT_EQ(std::get<double>(row[8].sortKey), c.flashKey);
        EXPECT_EQ(cellOf(row, FinderColumn::Carcinogen), c.carcinogen1 ? "yes" : "no");
        EXPECT_EQ(cellOf(row, FinderColumn::PhasedOut), c.phasedOut1 ? "yes" : "no");
        // The tooltips name the solvent behind a mark, and each flash point.
        EXPECT_EQ(row[9].tip, c.carcinogen1 ? "Carcinogen: 2:   Freon" : "");
        EXPECT_EQ(row[8].tip.find("2:   Freon: "), row[8].tip.find('\n') + 1);
    }

    // A figure that cannot be worked out is "X" alone, at the unsafe end.
    FoundBlend unknown = pairOf(0, 1);
    unknown.twaText = unknown.vhrText = "X";
    unknown.twaPpm.reset();
    unknown.vhr.reset();
    const FinderRow row = finderRow(unknown, 1, t);
    EXPECT_EQ(cellOf(row, FinderColumn::Twa), "X");
    EXPECT_EQ(cellOf(row, FinderColumn::Vhr), "X");
    EXPECT_EQ(std::get<double>(row[6].sortKey), -inf);
    EXPECT_EQ(std::get<double>(row[7].sortKey), inf);
    EXPECT_EQ(std::get<double>(row.back().sortKey), -inf) << "no ratio to the target's TWA";
    unknown.twaRatio = 2.5;  // the comparison sorts by the ratio, not by its words
    EXPECT_EQ(std::get<double>(finderRow(unknown, 1, t).back().sortKey), 2.5);
    EXPECT_EQ(std::get<std::string>(row[1].sortKey), "2:   Acetone + 2:   Water");

    // The zone finder's rows end with whether the whole numbers stay in the zone.
    ZoneBlend alone;
    alone.size = 1;
    alone.rows = {3, -1, -1};
    alone.volumeText = {"1.000", "", ""};
    alone.mixNText = "62";
    alone.mixDText = "12";
    alone.mixWText = "26";
    alone.twaText = alone.vhrText = "X";
    alone.roundedInZone = true;
    const FinderRow zoneRow = finderRow(alone, 2, t);
    ASSERT_EQ(zoneRow.size(), finderColumns(true).size());
    EXPECT_EQ(cellOf(zoneRow, FinderColumn::Solvents, true), "3:   Degreaser");
    EXPECT_EQ(cellOf(zoneRow, FinderColumn::InZone, true), "yes");
    EXPECT_EQ(finderColumns(true).back(), FinderColumn::InZone);
}

// --- The CSV file ----------------------------------------------------------------------------

// A CSV reader as RFC 4180 has it, written here to read back what the
// program writes: fields split by commas, quoted fields with "" for a quote,
// records ended by CR LF.
std::vector<std::vector<std::string>> readCsv(std::string_view text) {
    std::vector<std::vector<std::string>> records(1);
    std::string field;
    bool quoted = false, wasQuoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            EXPECT_TRUE(field.empty()) << "a quote inside an unquoted field";
            quoted = wasQuoted = true;
        } else if (c == ',') {
            records.back().push_back(field);
            field.clear();
            wasQuoted = false;
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            records.back().push_back(field);
            field.clear();
            wasQuoted = false;
            records.emplace_back();
            ++i;
        } else {
            EXPECT_NE(c, '\n') << "a line end that is not CR LF";
            field += c;
        }
    }
    EXPECT_FALSE(quoted) << "a quoted field is not closed";
    EXPECT_TRUE(field.empty() && !wasQuoted && records.back().empty()) << "the last record has no CR LF";
    records.pop_back();
    return records;
}

TEST(FinderTable, ACsvFileReadsBackCellForCellWithANameHoldingACommaAndAQuote) {
    testing::TestSolvent oil{"Oil of \"cade\", rectified", 2, 70, 10, 20};
    const SolventTable t = testing::tableOf({kAcetone, oil, kWater});
    FoundBlend first = pairOf(1, 0);
    first.notes[0].flashPoint = -17.8;
    first.notes[1].flashPoint = 4.0;
    first.twaRatio = 5.0;
    FoundBlend second = pairOf(2, 1);
    second.notes[1].flashPoint = 4.0;  // water's is unknown: "at most 4"
    second.twaText = "X";
    second.twaPpm.reset();
    const std::vector<FinderColumn> columns = finderColumns(false);
    const std::vector<FinderRow> rows{finderRow(first, 1, t), finderRow(second, 2, t)};
    const std::string csv = finderCsv(columns, rows);

    ASSERT_EQ(csv.rfind("\xEF\xBB\xBF", 0), 0u) << "UTF-8 is said by a byte-order mark";
    const std::vector<std::vector<std::string>> read = readCsv(std::string_view(csv).substr(3));
    ASSERT_EQ(read.size(), 3u);
    ASSERT_EQ(read[0].size(), columns.size());
    for (std::size_t i = 0; i < columns.size(); ++i) EXPECT_EQ(read[0][i], finderColumnCsvTitle(columns[i]));
    EXPECT_EQ(read[0][8], "Lowest flash point (\u00B0C)");
    for (std::size_t r = 0; r < rows.size(); ++r) {
        ASSERT_EQ(read[r + 1].size(), columns.size());
        for (std::size_t i = 0; i < columns.size(); ++i) EXPECT_EQ(read[r + 1][i], rows[r][i].csv) << r << " " << i;
    }
    EXPECT_EQ(read[1][1], "2:   Oil of \"cade\", rectified + 2:   Acetone");
    // Numbers plain, with a point and an ASCII minus; names and words quoted.
    EXPECT_NE(csv.find("\r\n1,\"2:   Oil of \"\"cade\"\", rectified + 2:   Acetone\",\".400 / .600\",40,29,31,500,120,-17.8,"),
              std::string::npos)
        << csv;
    EXPECT_EQ(read[2][6], "X");
    EXPECT_NE(csv.find(",\"X\",120,\"\u2264 4\","), std::string::npos) << csv;
    EXPECT_EQ(read[1].back(), "5.0\u00D7 higher TWA");
}

// --- Marks in a solvent's effects -------------------------------------------------------------

TEST(SolventMarks, PhasedOutOnlyAtTheStartOtherMarksAnywhereInAnyCase) {
    const struct {
        const char* effects;
        bool phasedOut, carcinogen, skin;
    } cases[] = {
        {"[ozone-depleting, phased out] [carcinogen] Liver", true, true, false},
        {"[ozone-depleting, phased out] Heart", true, false, false},
        {"[carcinogen] [ozone-depleting, phased out] Eyes", false, true, false},
        {" [ozone-depleting, phased out] Eyes", false, false, false},
        {"[Ozone-depleting, phased out] Eyes", false, false, false},
        {"Eyes, skin", false, false, false},
        {"Eyes [SKIN]", false, false, true},
        {"[Carcinogen] Eyes; NIOSH ceiling used as TWA", false, true, false},
        {"", false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.effects);
        EXPECT_EQ(isPhasedOut(c.effects), c.phasedOut);
        EXPECT_EQ(isCarcinogen(c.effects), c.carcinogen);
        EXPECT_EQ(hasSkinNotation(c.effects), c.skin);
    }
}

TEST(SolventMarks, TheShippedDatabaseMarksTheSolventsTheGeneratorFindsOnTheMontrealAnnexes) {
    // tests/data/make_database_test.py holds the generator to the same three
    // (checked there against the Protocol's Annexes by formula); the database
    // shipped is the generator's output byte for byte (check_database.sh).
    const LoadResult loaded = loadSolventDatabaseFile(TARNWELL_SOURCE_DIR "/resources/tarnwell database 1.0.txt");
    ASSERT_TRUE(std::holds_alternative<SolventTable>(loaded));
    const SolventTable& t = std::get<SolventTable>(loaded);
    std::set<std::string> phasedOut;
    int rows = 0;
    for (int i = 0; i < t.lastIndex; ++i) {
        const SolventRecord& r = t.records[static_cast<std::size_t>(i)];
        const std::string effects(r.effects);
        if (!isPhasedOut(effects)) {
            EXPECT_EQ(effects.find("ozone"), std::string::npos) << r.label;
            EXPECT_EQ(effects.find("phased out"), std::string::npos) << r.label;
            continue;
        }
        ++rows;
        const std::string label(r.label);
        phasedOut.insert(label.substr(label.find(":   ") + 4));
    }
    EXPECT_EQ(phasedOut, (std::set<std::string>{"1,1,2-Trichloro-1,2,2-trifluoroethane", "1,1,1-Trichloroethane",
                                                 "Carbon tetrachloride"}));
    EXPECT_GE(rows, 3);
}

}  // namespace
}  // namespace tarnwell
