// The safer-blend finder: it must list exactly what pressing Calculate on each
// pair and triple would solve, in the documented order, and its geometry test
// must never skip a combination the solver would have accepted.

#include "core/blend_finder.h"
#include "core/blend_solver.h"
#include "core/finder_table.h"
#include "core/numbers.h"
#include "core/report_figures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

namespace tarnwell {
namespace {

struct Solvent {
    const char* name;
    int ref, n, d, w;
    const char* twa = "100";
    const char* vhr = "50";
    const char* effects = "Eyes";
    const char* twaMg = "400";
};

// A record's texts, held here until a table keeps them.
struct RecordText {
    std::string label, reference, n, d, w, twaText, vhrText, molarVolume, molecularWeight, twaMgText, effects;
};

RecordText record(const std::string& name, int ref, int n, int d, int w, std::string twa, std::string vhr,
                  std::string effects, std::string twaMg = "400") {
    RecordText r;
    r.reference = std::to_string(ref);
    r.label = r.reference + ":   " + name;
    r.n = std::to_string(n);
    r.d = std::to_string(d);
    r.w = std::to_string(w);
    r.twaText = std::move(twa);
    r.vhrText = std::move(vhr);
    r.molarVolume = std::to_string(60 + (n % 7) * 11 + d);
    r.molecularWeight = std::to_string(50 + (w % 5) * 13 + n / 2);
    r.twaMgText = std::move(twaMg);
    r.effects = std::move(effects);
    return r;
}

// The table as the loader builds it, the custom-entry row last.
SolventTable tableOf(std::vector<RecordText> texts) {
    SolventTable t;
    texts.push_back(record("Enter N, D, W.", 0, 0, 0, 0, "none", "none", "none", "none"));
    for (RecordText& x : texts) {
        SolventRecord r;
        for (auto [field, text] : {std::pair{&r.label, &x.label}, {&r.reference, &x.reference}, {&r.n, &x.n},
                                   {&r.d, &x.d}, {&r.w, &x.w}, {&r.twaText, &x.twaText}, {&r.vhrText, &x.vhrText},
                                   {&r.molarVolume, &x.molarVolume}, {&r.molecularWeight, &x.molecularWeight},
                                   {&r.twaMgText, &x.twaMgText}, {&r.effects, &x.effects}})
            *field = t.own(std::move(*text));
        t.records.push_back(r);
        t.labels.push_back(r.label);
    }
    t.lastIndex = static_cast<std::int16_t>(t.records.size() - 1);
    return t;
}

int whole(std::string_view text) { return std::stoi(std::string(text)); }

SolventTable smallTable() {
    std::vector<RecordText> r;
    r.push_back(record("Heptane", 2, 100, 0, 0, "85", "400", "Skin, respiratory system"));
    r.push_back(record("Toluene", 2, 80, 7, 13, "100", "290", "Eyes, nervous system [skin]"));
    r.push_back(record("Acetone", 2, 47, 32, 21, "250", "947", "Eyes, respiratory system"));
    r.push_back(record("Ethanol", 2, 36, 18, 46, "1000", "58", "Eyes, liver"));
    r.push_back(record("Xylene", 3, 83, 5, 12, "100", "90", "Eyes, skin"));  // "skin" alone is no mark
    r.push_back(record("Isopropanol", 2, 38, 16, 46, "400", "100", "Eyes"));
    r.push_back(record("Ethyl acetate", 2, 51, 18, 31, "400", "250", "[Carcinogen] Eyes; NIOSH ceiling used as TWA"));
    r.push_back(record("Cyclohexane", 3, 94, 2, 4, "300", "", "Eyes"));  // no VHR
    r.push_back(record("Water", 2, 18, 28, 54, "", "", "none"));          // no TWA
    r.push_back(record("Broken", 2, 50, 20, 30, "100", "50", "Eyes"));
    r.back().molarVolume = "n/a";  // a double-click would refuse it
    return tableOf(r);
}

TargetPoint targetOf(int n, int d, int w, std::string twa = "100", std::string vhr = "290", int reference = 2) {
    TargetPoint t;
    t.n = static_cast<std::int16_t>(n);
    t.d = static_cast<std::int16_t>(d);
    t.w = static_cast<std::int16_t>(w);
    t.twaText = std::move(twa);
    t.vhrText = std::move(vhr);
    t.reference = static_cast<std::int16_t>(reference);
    t.label = "2:   Toluene";
    return t;
}

// What the main screen would do: put the rows into the slots as a double-click
// does, run Calculate, and read the report's figures.
struct CalculatedBlend {
    BlendMessage message;
    ReportFigures figures;
    std::array<double, 3> mixture{};  // N, D, W as Calculate leaves them
};
CalculatedBlend calculateThroughState(const SolventTable& table, const TargetPoint& target, const FoundBlend& b) {
    AppState state;
    state.table = table;
    state.target = target;
    CalculateRequest request;
    request.useOnlyTwoSolvents = b.size == 2;
    state.twoSolventMode = b.size == 2 ? -1 : 1;
    for (std::size_t k = 0; k < static_cast<std::size_t>(b.size); ++k) {
        const SolventRecord& r = table.records[static_cast<std::size_t>(b.rows[k])];
        SolventSlot& s = state.solventSlots[k];
        s.label = r.label;
        s.n = static_cast<std::int16_t>(whole(r.n));
        s.d = static_cast<std::int16_t>(whole(r.d));
        s.w = static_cast<std::int16_t>(whole(r.w));
        s.molarVolume = std::stod(std::string(r.molarVolume));
        s.molecularWeight = std::stod(std::string(r.molecularWeight));
        s.effects = r.effects;
        request.selectedRow[k] = b.rows[k];
        request.nFieldFilled[k] = true;
    }
    CalculatedBlend out;
    out.message = calculateBlend(state, request);
    out.figures = computeReportFigures(state);
    out.mixture = {state.blendResult.mixN, state.blendResult.mixD, state.blendResult.mixW};
    return out;
}

// The slow, obvious search: every combination through the solver, kept when
// every solvent takes part in a first-pass solution, then sorted.
std::vector<std::array<int, 3>> bruteForce(const SolventTable& table, const TargetPoint& target, BlendSize size) {
    std::vector<int> rows;
    for (int r = 0; r < table.lastIndex; ++r)
        if (table.records[static_cast<std::size_t>(r)].molarVolume != "n/a") rows.push_back(r);
    auto tri = [&](int r) {
        const SolventRecord& x = table.records[static_cast<std::size_t>(r)];
        return TeasPoint{static_cast<std::int16_t>(whole(x.n)), static_cast<std::int16_t>(whole(x.d)),
                      static_cast<std::int16_t>(whole(x.w))};
    };
    const TeasPoint t{target.n, target.d, target.w};
    std::vector<FoundBlend> found;
    auto consider = [&](std::array<int, 3> combo, int count) {
        std::array<TeasPoint, 3> slots{};
        for (int k = 0; k < count; ++k) slots[static_cast<std::size_t>(k)] = tri(combo[static_cast<std::size_t>(k)]);
        const SolveResult s = solveConcentrations(slots, t, count == 2);
        if (s.message != BlendMessage::Solved || s.leftOutSlot >= 0) return;
        for (int k = 0; k < count; ++k)
            if (s.concentration[static_cast<std::size_t>(k)] <= 0.00001) return;
        FoundBlend b;
        b.rows = combo;
        b.size = count;
        const ReportFigures f = calculateThroughState(table, target, b).figures;
        if (f.mixtureTwaPpm) b.twaPpm = std::stod(f.mixtureTwaText);
        b.vhr = f.mixtureVhr;
        found.push_back(b);
    };
    const std::size_t m = rows.size();
    for (std::size_t i = 0; i < m; ++i)
        for (std::size_t j = i + 1; j < m; ++j) {
            if (size != BlendSize::TriplesOnly) consider({rows[i], rows[j], -1}, 2);
            if (size == BlendSize::PairsOnly) continue;
            for (std::size_t k = j + 1; k < m; ++k) consider({rows[i], rows[j], rows[k]}, 3);
        }
    std::stable_sort(found.begin(), found.end(), [](const FoundBlend& a, const FoundBlend& b) {
        const double ta = a.twaPpm.value_or(-1e300), tb = b.twaPpm.value_or(-1e300);
        if (ta != tb) return ta > tb;
        const double va = a.vhr.value_or(1e300), vb = b.vhr.value_or(1e300);
        if (va != vb) return va < vb;
        return a.size < b.size;  // then enumeration order, which is row order
    });
    std::vector<std::array<int, 3>> out;
    for (const FoundBlend& b : found) out.push_back(b.rows);
    return out;
}

std::vector<std::array<int, 3>> rowsOf(const FinderOutcome& o) {
    std::vector<std::array<int, 3>> out;
    for (const FoundBlend& b : o.blends) out.push_back(b.rows);
    return out;
}

// --- Against the brute force and against Calculate -------------------------------------

class FinderMatchesBruteForce : public ::testing::TestWithParam<std::tuple<std::array<int, 3>, BlendSize>> {};

TEST_P(FinderMatchesBruteForce, EveryResultInTheSameOrder) {
    const auto [ndw, size] = GetParam();
    const SolventTable table = smallTable();
    const TargetPoint target = targetOf(ndw[0], ndw[1], ndw[2]);
    FinderOptions options;
    options.size = size;
    options.maxResults = 100000;
    const FinderOutcome found = findBlends(table, target, options);
    const auto expected = bruteForce(table, target, size);
    ASSERT_FALSE(expected.empty()) << "the case should have solutions";
    EXPECT_EQ(rowsOf(found), expected);
    EXPECT_EQ(found.totalFound, expected.size());
}

INSTANTIATE_TEST_SUITE_P(
    Targets, FinderMatchesBruteForce,
    ::testing::Combine(::testing::Values(std::array<int, 3>{80, 7, 13}, std::array<int, 3>{42, 26, 32},
                                         std::array<int, 3>{60, 15, 25}, std::array<int, 3>{40, 20, 40}),
                       ::testing::Values(BlendSize::PairsAndTriples, BlendSize::PairsOnly, BlendSize::TriplesOnly)));

// Every blend of the small table for the target 60/15/25, with no cut.
FinderOutcome allOfSmallTable(const SolventTable& table, FinderOptions options = {}) {
    options.maxResults = 1000;
    return findBlends(table, targetOf(60, 15, 25), options);
}

TEST(BlendFinder, EveryListedBlendIsWhatCalculateShows) {
    const SolventTable table = smallTable();
    const TargetPoint target = targetOf(60, 15, 25);
    const FinderOutcome found = allOfSmallTable(table);
    ASSERT_GT(found.blends.size(), 3u);
    bool sawPair = false, sawTriple = false, sawX = false;
    for (const FoundBlend& b : found.blends) {
        const CalculatedBlend c = calculateThroughState(table, target, b);
        SCOPED_TRACE(finderRow(b, 1, table)[1].text);
        ASSERT_EQ(c.message, BlendMessage::Solved);
        EXPECT_EQ(b.twaText, c.figures.mixtureTwaText);
        EXPECT_EQ(b.vhrText, c.figures.mixtureVhrText);
        // Calculate's mixture as whole numbers adding to 100.
        const std::optional<TeasPoint> whole = hundredPoint(c.mixture);
        ASSERT_TRUE(whole && whole->addsTo100());
        EXPECT_EQ(b.mixNText, std::to_string(whole->n));
        EXPECT_EQ(b.mixDText, std::to_string(whole->d));
        EXPECT_EQ(b.mixWText, std::to_string(whole->w));
        for (int k = 0; k < b.size; ++k) {
            EXPECT_EQ(b.volumeText[static_cast<std::size_t>(k)], c.figures.volumeText[static_cast<std::size_t>(k)]);
            EXPECT_GT(b.concentration[static_cast<std::size_t>(k)], 0.00001);
        }
        EXPECT_NEAR(b.mixN, 60, 0.5);
        EXPECT_NEAR(b.mixD, 15, 0.5);
        EXPECT_NEAR(b.mixW, 25, 0.5);
        (b.size == 2 ? sawPair : sawTriple) = true;
        sawX = sawX || b.twaText == "X";
        EXPECT_NE(b.rows[0], table.lastIndex);
        EXPECT_NE(table.records[static_cast<std::size_t>(b.rows[0])].label, "2:   Broken");
    }
    EXPECT_TRUE(sawPair && sawTriple && sawX);
}

TEST(BlendFinder, ATripleTheSolverReducesIsListedOnlyAsItsPair) {
    // Without the third solvent the first two match: the triple's second pass
    // drops slot 3 (a worked example of the solver).
    const SolventTable table = tableOf({record("A", 2, 94, 4, 2, "100", "10", "x"),
                                        record("B", 2, 47, 16, 37, "100", "10", "x"),
                                        record("C", 2, 65, 30, 5, "100", "10", "x")});
    const TargetPoint target = targetOf(50, 15, 35);
    ASSERT_EQ(solveConcentrations({{{94, 4, 2}, {47, 16, 37}, {65, 30, 5}}}, {50, 15, 35}, false).leftOutSlot, 2);
    FinderOptions options;
    const FinderOutcome both = findBlends(table, target, options);
    EXPECT_EQ(rowsOf(both), (std::vector<std::array<int, 3>>{{0, 1, -1}}));
    options.size = BlendSize::TriplesOnly;
    EXPECT_TRUE(findBlends(table, target, options).blends.empty());
}

// --- Pruning loses nothing ---------------------------------------------------------------

TEST(BlendFinderPruning, NeverDropsASolutionOnRandomDatabases) {
    std::mt19937 random(20240611);
    std::uint64_t prunedTotal = 0;
    std::size_t solutionsTotal = 0;
    for (int round = 0; round < 60; ++round) {
        std::uniform_int_distribution<int> size(4, 22), pct(0, 100), wobble(-1, 1);
        std::vector<RecordText> records;
        const int count = size(random);
        for (int i = 0; i < count; ++i) {
            const int n = pct(random);
            const int d = std::uniform_int_distribution<int>(0, 100 - n)(random);
            int w = 100 - n - d;
            // Some records add up to 99 or 101, as rounded published values do.
            if (round % 3 == 0) w = std::max(0, w + wobble(random));
            // Hazard texts as the data has them: mostly numbers, some missing or 0.
            const int kind = (i + round) % 9;
            records.push_back(record("S" + std::to_string(i), 2 + i % 2, n, d, w,
                                     kind == 0 ? "" : std::to_string(50 + i * 7),
                                     kind == 1 ? "0" : kind == 2 ? "none" : std::to_string(10 + (i * 37) % 5), "x",
                                     kind == 3 ? "0" : std::to_string(100 + i * 13)));
        }
        const SolventTable table = tableOf(records);
        // Targets: a record itself, a point between records, or anywhere.
        TargetPoint target;
        if (round % 2 == 0) {
            const int n = pct(random), d = std::uniform_int_distribution<int>(0, 100 - n)(random);
            target = targetOf(n, d, 100 - n - d);
        } else {
            const SolventRecord& a = table.records[static_cast<std::size_t>(round % count)];
            const SolventRecord& b = table.records[static_cast<std::size_t>((round * 7 + 1) % count)];
            const int n = (whole(a.n) + whole(b.n)) / 2, d = (whole(a.d) + whole(b.d)) / 2;
            target = targetOf(n, d, 100 - n - d);
        }
        FinderOptions pruned, full;
        pruned.maxResults = full.maxResults = 1 << 30;
        full.prune = false;
        const FinderOutcome a = findBlends(table, target, pruned);
        const FinderOutcome b = findBlends(table, target, full);
        ASSERT_EQ(rowsOf(a), rowsOf(b)) << "round " << round;
        // The order the parts ranked by is the order of the report's figures.
        EXPECT_TRUE(std::is_sorted(a.blends.begin(), a.blends.end(), ranksBefore)) << "round " << round;
        for (const FoundBlend& f : a.blends) {
            const CalculatedBlend c = calculateThroughState(table, target, f);
            ASSERT_EQ(f.twaText, c.figures.mixtureTwaText);
            ASSERT_EQ(f.twaPpm.has_value(), c.figures.mixtureTwaPpm.has_value());
            ASSERT_EQ(f.vhr, c.figures.mixtureVhr);
        }
        EXPECT_EQ(b.pruned, 0u);
        EXPECT_EQ(a.solved + a.pruned, b.solved);
        prunedTotal += a.pruned;
        solutionsTotal += a.blends.size();
    }
    // The property must have been tested on real work: much skipped, much found.
    EXPECT_GT(prunedTotal, 10000u);
    EXPECT_GT(solutionsTotal, 100u);
}

TEST(BlendFinderPruning, GeometryTestAcceptsEveryFirstPassSolution) {
    // Directly on the solver: wherever it accepts a blend in which every
    // solvent takes part, the widened triangle or segment holds the target.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> pct(0, 100);
    auto point = [&] {
        const int n = pct(random), d = std::uniform_int_distribution<int>(0, 100 - n)(random);
        return TeasPoint{static_cast<std::int16_t>(n), static_cast<std::int16_t>(d), static_cast<std::int16_t>(100 - n - d)};
    };
    int accepted = 0, rejected = 0;
    for (int i = 0; i < 200000; ++i) {
        const TeasPoint a = point(), b = point(), c = point(), t = point();
        const bool two = i % 4 == 0;
        const SolveResult s = solveConcentrations({a, b, c}, t, two);
        const bool solution = s.message == BlendMessage::Solved && s.leftOutSlot < 0 && s.concentration[0] > 0.00001 &&
                              s.concentration[1] > 0.00001 && (two || s.concentration[2] > 0.00001);
        const bool holds = canHoldTarget(a, b, two ? std::nullopt : std::optional<TeasPoint>(c), t, 0.5 + 1e-6);
        if (solution) {
            ++accepted;
            ASSERT_TRUE(holds) << i;
        }
        if (!holds) ++rejected;
    }
    EXPECT_GT(accepted, 100);
    EXPECT_GT(rejected, 100000);  // the test is worth having: it skips most
}

TEST(BlendFinderPruning, GeometryCases) {
    struct Case {
        const char* name;
        TeasPoint a, b;
        std::optional<TeasPoint> c;
        TeasPoint t;
        bool holds;
    };
    const Case cases[] = {
        {"inside the triangle", {80, 10, 10}, {40, 10, 50}, {{50, 40, 10}}, {60, 20, 20}, true},
        {"a corner", {80, 10, 10}, {40, 10, 50}, {{50, 40, 10}}, {80, 10, 10}, true},
        {"0.5 beyond an edge", {80, 10, 10}, {40, 11, 49}, {{50, 40, 10}}, {60, 10, 30}, true},
        {"1.5 beyond an edge", {80, 10, 10}, {40, 11, 49}, {{50, 40, 10}}, {60, 9, 31}, false},
        {"far outside", {80, 10, 10}, {40, 10, 50}, {{50, 40, 10}}, {10, 80, 10}, false},
        {"outside the box in N only", {80, 10, 10}, {40, 10, 50}, {{50, 40, 10}}, {90, 5, 5}, false},
        {"on the segment", {94, 4, 2}, {47, 16, 37}, std::nullopt, {70, 10, 20}, true},
        {"beside the segment", {94, 4, 2}, {47, 16, 37}, std::nullopt, {70, 20, 10}, false},
        {"beyond the segment's end", {94, 4, 2}, {47, 16, 37}, std::nullopt, {40, 18, 42}, false},
        {"one point twice", {50, 25, 25}, {50, 25, 25}, std::nullopt, {50, 25, 25}, true},
        {"collinear triangle, off the line", {100, 0, 0}, {50, 50, 0}, {{0, 100, 0}}, {40, 40, 20}, false},
    };
    for (const Case& c : cases) EXPECT_EQ(canHoldTarget(c.a, c.b, c.c, c.t, 0.5 + 1e-6), c.holds) << c.name;
}

// --- Ranking -----------------------------------------------------------------------------

TEST(BlendFinderRanking, DocumentedOrder) {
    auto blend = [](std::optional<double> twa, std::optional<double> vhr, std::array<int, 3> rows) {
        FoundBlend b;
        b.twaPpm = twa;
        b.vhr = vhr;
        b.rows = rows;
        b.size = rows[2] < 0 ? 2 : 3;
        return b;
    };
    struct Case {
        const char* name;
        FoundBlend first, second;
    };
    const Case cases[] = {
        {"higher TWA first", blend(300, 900, {5, 6, 7}), blend(200, 1, {0, 1, -1})},
        {"a TWA beats X", blend(1, 900, {5, 6, 7}), blend(std::nullopt, 1, {0, 1, -1})},
        {"equal TWA: lower VHR", blend(200, 10, {5, 6, 7}), blend(200, 11, {0, 1, -1})},
        {"equal TWA: a VHR beats X", blend(200, 9999, {5, 6, 7}), blend(200, std::nullopt, {0, 1, -1})},
        {"equal figures: the pair", blend(200, 10, {5, 6, -1}), blend(200, 10, {0, 1, 2})},
        {"equal figures and size: lower rows", blend(200, 10, {0, 4, 9}), blend(200, 10, {0, 5, 6})},
        {"both X: by VHR", blend(std::nullopt, 3, {5, 6, 7}), blend(std::nullopt, 4, {0, 1, 2})},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(ranksBefore(c.first, c.second)) << c.name;
        EXPECT_FALSE(ranksBefore(c.second, c.first)) << c.name;
    }
}

TEST(BlendFinderRanking, TwinSolventsListInFileOrderWhateverTheThreads) {
    // Identical solvents under different names give identical figures; their
    // blends must come out by record order however the parts are merged.
    std::vector<RecordText> r;
    for (int i = 0; i < 4; ++i) r.push_back(record("Twin" + std::to_string(i), 2, 80, 10, 10, "100", "20", "x"));
    r.push_back(record("Other", 2, 40, 10, 50, "100", "20", "x"));
    const SolventTable table = tableOf(r);
    const TargetPoint target = targetOf(60, 10, 30);
    FinderOptions options;
    options.size = BlendSize::PairsOnly;
    const PreparedSearch search = prepareSearch(table, target, options);
    std::vector<PartialResult> parts;
    for (std::size_t i = search.candidates.size(); i-- > 0;) parts.push_back(searchFirst(search, i));  // reversed
    const FinderOutcome o = finishSearch(search, std::move(parts));
    EXPECT_EQ(rowsOf(o), (std::vector<std::array<int, 3>>{{0, 4, -1}, {1, 4, -1}, {2, 4, -1}, {3, 4, -1}}));
}

TEST(BlendFinderRanking, AHazardousSolventIsNotHiddenByItsPartner) {
    // Two points, two solvents at each: every pair of A or C (80/10/10) with B or D
    // (40/10/50) matches 60/10/30 at mole fractions 0.5/0.5, with the same TWA.
    // Mixture VHRs by mole fraction: A+D 0.5*100 + 0.5*20 = 60, A+B 100,
    // C+D 0.5*50000 + 0.5*20 = 25010, B+C 25050. (By weight like a limit, C+D
    // would be about 40 and list first.)
    const SolventTable table = tableOf({record("A", 2, 80, 10, 10, "100", "100", "x"),
                                        record("B", 2, 40, 10, 50, "100", "100", "x"),
                                        record("C", 2, 80, 10, 10, "100", "50000", "x"),
                                        record("D", 2, 40, 10, 50, "100", "20", "x")});
    const TargetPoint target = targetOf(60, 10, 30);
    const FinderOutcome o = findBlends(table, target, FinderOptions{});
    EXPECT_EQ(rowsOf(o), (std::vector<std::array<int, 3>>{{0, 3, -1}, {0, 1, -1}, {2, 3, -1}, {1, 2, -1}}));
    const std::vector<std::string> vhr{"60", "100", "25010", "25050"};
    for (std::size_t i = 0; i < o.blends.size() && i < vhr.size(); ++i) {
        EXPECT_EQ(o.blends[i].vhrText, vhr[i]);
        EXPECT_EQ(o.blends[i].vhrText, calculateThroughState(table, target, o.blends[i]).figures.mixtureVhrText);
        EXPECT_EQ(o.blends[i].twaText, o.blends[0].twaText);
    }
}

// --- Filters, limits, cancel -------------------------------------------------------------

TEST(BlendFinderFilters, EachFilterHolds) {
    const SolventTable table = smallTable();
    const TargetPoint target = targetOf(60, 15, 25);
    FinderOptions all;
    all.maxResults = 1000;
    const FinderOutcome base = allOfSmallTable(table);
    auto rowsHave = [](const FoundBlend& b, int row) { return std::find(b.rows.begin(), b.rows.end(), row) != b.rows.end(); };

    FinderOptions skin = all;
    skin.excludeSkin = true;  // Toluene carries [skin]
    const FinderOutcome noSkin = findBlends(table, target, skin);
    for (const FoundBlend& b : noSkin.blends) EXPECT_FALSE(rowsHave(b, 1));
    EXPECT_LT(noSkin.totalFound, base.totalFound);

    FinderOptions carcinogens = all;
    carcinogens.excludeCarcinogens = true;  // Ethyl acetate is marked here, in another case; nothing else is
    const FinderOutcome noCarcinogens = findBlends(table, target, carcinogens);
    std::size_t withoutEthylAcetate = 0;
    for (const FoundBlend& b : base.blends) withoutEthylAcetate += !rowsHave(b, 6);
    EXPECT_LT(withoutEthylAcetate, base.totalFound);
    EXPECT_EQ(noCarcinogens.totalFound, withoutEthylAcetate);
    for (const FoundBlend& b : noCarcinogens.blends) EXPECT_FALSE(rowsHave(b, 6));

    FinderOptions excluded = all;
    excluded.excluded = {2, 3};
    for (const FoundBlend& b : findBlends(table, target, excluded).blends) EXPECT_FALSE(rowsHave(b, 2) || rowsHave(b, 3));

    FinderOptions must = all;
    must.mustContain = {3, 4};
    const FinderOutcome withMust = findBlends(table, target, must);
    std::size_t expected = 0;
    for (const FoundBlend& b : base.blends) expected += rowsHave(b, 3) || rowsHave(b, 4);
    EXPECT_EQ(withMust.totalFound, expected);
    for (const FoundBlend& b : withMust.blends) EXPECT_TRUE(rowsHave(b, 3) || rowsHave(b, 4));

    // From the table of reference 2 (the target's): Xylene and Cyclohexane (3) never.
    FinderOptions same = all;
    same.sameReferenceOnly = true;
    const FinderOutcome sameRef = findBlends(table, target, same);
    EXPECT_GT(sameRef.totalFound, 0u);
    for (const FoundBlend& b : sameRef.blends) EXPECT_FALSE(rowsHave(b, 4) || rowsHave(b, 7));
    // A target set by hand (reference 0): any one table, not mixed.
    const FinderOutcome byHand = findBlends(table, targetOf(60, 15, 25, "100", "290", 0), same);
    for (const FoundBlend& b : byHand.blends) {
        std::set<std::string_view> refs;
        for (int k = 0; k < b.size; ++k) refs.insert(table.records[static_cast<std::size_t>(b.rows[static_cast<std::size_t>(k)])].reference);
        EXPECT_EQ(refs.size(), 1u);
    }

    FinderOptions few = all;
    few.maxResults = 3;
    const FinderOutcome top3 = findBlends(table, target, few);
    ASSERT_EQ(top3.blends.size(), 3u);
    EXPECT_EQ(top3.totalFound, base.totalFound);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(top3.blends[i].rows, base.blends[i].rows);
}

// Solvents that burn readily and one that is phased out, with a properties
// file giving their flash points (none for the phased-out one and water).
SolventTable markedTable() {
    return tableOf({record("Heptane", 2, 100, 0, 0, "85", "400", "Skin"),
                    record("Toluene", 2, 80, 7, 13, "100", "290", "Eyes [skin]"),
                    record("Acetone", 2, 47, 32, 21, "250", "947", "Eyes"),
                    record("Ethanol", 2, 36, 18, 46, "1000", "58", "Eyes"),
                    record("Freon", 2, 60, 10, 30, "1000", "30", "[ozone-depleting, phased out] Heart"),
                    record("Isopropanol", 2, 38, 16, 46, "400", "100", "Eyes"),
                    record("Ethyl acetate", 2, 51, 18, 31, "400", "250", "Eyes"),
                    record("Cyclohexane", 2, 94, 2, 4, "300", "200", "Eyes"),
                    record("Water", 2, 18, 28, 54, "", "", "none"),
                    record("Xylene", 2, 83, 5, 12, "100", "90", "Eyes"),
                    record("Diacetone alcohol", 2, 45, 24, 31, "50", "20", "Eyes"),
                    // The mark only counts at the start, where the data put it.
                    record("Degreaser", 2, 62, 12, 26, "10", "900", "[carcinogen] [ozone-depleting, phased out] Liver")});
}

SolventPropertiesFile markedProperties() {
    std::string text = std::string(kPropertiesHeader) + "\n";
    const std::pair<const char*, const char*> flash[] = {
        {"Heptane", "-4"},   {"Toluene", "4"},      {"Acetone", "-20"},     {"Ethanol", "13"},
        {"Freon", "none"},   {"Isopropanol", "12"}, {"Ethyl acetate", "-4"}, {"Cyclohexane", "-20"},
        {"Water", "none"},   {"Xylene", "27"},      {"Diacetone alcohol", "58"}, {"Degreaser", "23"}};
    for (const auto& [name, celsius] : flash)
        text += std::string("2:   ") + name + "\t10\t80\t" + celsius + "\tnone\tX\n";
    return parseSolventProperties(text);
}

TEST(BlendFinderFilters, PhasedOutAndHighlyFlammableSolventsAreLeftOutBeforeTheSearch) {
    const SolventTable table = markedTable();
    const SolventPropertiesFile properties = markedProperties();
    ASSERT_EQ(properties.status, PropertiesFileStatus::Loaded) << properties.error.message;
    const TargetPoint target = targetOf(60, 15, 25);
    FinderOptions all;
    all.maxResults = 100000;
    const FinderOutcome base = findBlends(table, target, all, nullptr, properties);
    ASSERT_GT(base.totalFound, 20u);
    const std::vector<int> phasedOut{4}, burning{0, 1, 2, 3, 5, 6, 7};
    struct Case {
        const char* name;
        bool phasedOut, highlyFlammable;
        bool withProperties;
        std::vector<int> leftOut;
    };
    std::vector<int> both = burning;
    both.push_back(4);
    const Case cases[] = {
        {"nothing ticked", false, false, true, {}},
        {"phased out", true, false, true, phasedOut},
        // Water, Freon (flash point unknown) and Degreaser (23 C, not below) stay.
        {"flash point below 23 C", false, true, true, burning},
        {"both", true, true, true, both},
        // No properties file: no flash point is known, nothing is left out for one.
        {"below 23 C without the file", false, true, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FinderOptions o = all;
        o.excludePhasedOut = c.phasedOut;
        o.excludeHighlyFlammable = c.highlyFlammable;
        const SolventPropertiesFile& file = c.withProperties ? properties : SolventPropertiesFile{};
        // Before the search: the candidates are every solvent but those left out.
        const PreparedSearch prepared = prepareSearch(table, target, o, file);
        std::vector<int> rows;
        for (const FinderCandidate& candidate : prepared.candidates) rows.push_back(candidate.row);
        std::vector<int> expected;
        for (int row = 0; row < table.lastIndex; ++row)
            if (std::find(c.leftOut.begin(), c.leftOut.end(), row) == c.leftOut.end()) expected.push_back(row);
        EXPECT_EQ(rows, expected);
        // The search then lists exactly the blends of the others.
        const FinderOutcome found = findBlends(table, target, o, nullptr, file);
        std::vector<std::array<int, 3>> kept;
        for (const FoundBlend& b : base.blends) {
            bool keep = true;
            for (int k = 0; k < b.size; ++k)
                keep = keep && std::find(c.leftOut.begin(), c.leftOut.end(), b.rows[static_cast<std::size_t>(k)]) ==
                                   c.leftOut.end();
            if (keep) kept.push_back(b.rows);
        }
        EXPECT_EQ(rowsOf(found), kept);
    }
    // Each listed blend knows its solvents' marks and flash points.
    for (const FoundBlend& b : base.blends)
        for (int k = 0; k < b.size; ++k) {
            const auto row = static_cast<std::size_t>(b.rows[static_cast<std::size_t>(k)]);
            const SolventNotes& notes = b.notes[static_cast<std::size_t>(k)];
            EXPECT_EQ(notes.phasedOut, row == 4);
            EXPECT_EQ(notes.carcinogen, row == 11);
            EXPECT_EQ(notes.flashPoint, properties.find(table.labels[row])->flashPoint);
        }
}

TEST(BlendFinderFilters, ACancelledSearchStopsAndSaysSo) {
    const SolventTable table = smallTable();
    std::atomic<bool> cancel{true};
    const FinderOutcome o = findBlends(table, targetOf(60, 15, 25), FinderOptions{}, &cancel);
    EXPECT_TRUE(o.cancelled);
    EXPECT_TRUE(o.blends.empty());
    EXPECT_EQ(o.solved, 0u);
}

// --- What a row says ---------------------------------------------------------------------

TEST(BlendFinderText, RatiosAndTableRow) {
    struct Case {
        std::optional<double> ratio;
        const char* figure;
        const char* text;
    };
    const Case cases[] = {
        {3.2, "TWA", "3.2\xC3\x97 higher TWA"},
        {0.5, "VHR", "2.0\xC3\x97 lower VHR"},
        {1.02, "TWA", "same TWA"},
        {std::nullopt, "TWA", ""},
        {0.0, "VHR", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(ratioText(c.ratio, c.figure), c.text);

    const SolventTable table = smallTable();
    const TargetPoint target = targetOf(60, 15, 25, "100", "290");
    FinderOptions options;
    options.size = BlendSize::PairsOnly;
    const FinderOutcome o = findBlends(table, target, options);
    ASSERT_FALSE(o.blends.empty());
    const FoundBlend& best = o.blends.front();
    const FinderRow row = finderRow(best, 1, table);
    const std::vector<FinderColumn> columns = finderColumns(false);
    ASSERT_EQ(row.size(), columns.size());
    const std::string labels = std::string(table.labels[static_cast<std::size_t>(best.rows[0])]) + " + " +
                               std::string(table.labels[static_cast<std::size_t>(best.rows[1])]);
    EXPECT_EQ(row[1].text, labels);
    EXPECT_EQ(row[2].text, best.volumeText[0] + " / " + best.volumeText[1]);
    EXPECT_EQ(row[6].text, best.twaText);
    EXPECT_EQ(columns.back(), FinderColumn::Compared);
    const std::string vhr = ratioText(best.vhrRatio, "VHR");
    EXPECT_EQ(row.back().text, ratioText(best.twaRatio, "TWA") + (vhr.empty() ? "" : ", " + vhr));
    ASSERT_TRUE(best.twaRatio);
    EXPECT_NEAR(*best.twaRatio, std::stod(best.twaText) / 100.0, 1e-12);
}

}  // namespace
}  // namespace tarnwell
