// The zone finder: against a brute-force scan of compositions on a fine grid,
// its fast path against plain clipping of every blend, the rules for corners
// where a solvent's share is 0 and for blends the solver refuses, the finder's
// options, and the check behind "Use this blend".

#include "core/mixture_hazards.h"
#include "core/database.h"
#include "core/numbers.h"
#include "core/zone_finder.h"
#include "test_database.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>

namespace tarnwell {
namespace {

using testing::TestSolvent;

PlanePoint at(double n, double d, double w) { return *teasToPlane(n, d, w); }

// The dissolving points of the triangle N >= 40, D >= 20, W >= 20; with the
// default margin of 2 its region is N >= 42, D >= 22, W >= 22, whose corners
// are (56, 22, 22), (42, 36, 22) and (42, 22, 36).
SolubilityZone triangleZone(double margin = kDefaultZoneMargin) {
    const std::vector<PlanePoint> p{at(60, 20, 20), at(40, 40, 20), at(40, 20, 40), at(50, 25, 25)};
    return makeZone(p, margin);
}

// Eight fictional solvents around that zone, no two alike in TWA.
std::vector<TestSolvent> fictional() {
    return {
        {"Hexane", 2, 95, 3, 2, "50", "2000", "131", "86", "180"},
        {"Ketone", 2, 47, 32, 21, "250", "900", "74", "58", "590"},
        {"Alcohol", 2, 36, 18, 46, "1000", "60", "58.5", "46", "1900"},
        {"Ester", 2, 51, 18, 31, "400", "250", "98", "88", "1400"},
        {"Aromatic", 2, 80, 7, 13, "100", "300", "106", "92", "375"},
        {"Glycol ether", 2, 30, 40, 30, "5", "50", "100", "118", "24"},
        {"Chlorinated", 2, 70, 20, 10, "25", "10000", "64", "85", "87"},
        {"Lactone", 2, 40, 45, 15, "20", "5", "77", "86", "70"},
    };
}

struct Figures {
    std::optional<double> twa, vhr;
    int parts = 0;
};

// The order used to judge the finder, written out on its own: TWA higher
// (equal within 1e-9), then VHR lower, then fewer solvents.
bool better(const Figures& a, const Figures& b) {
    if (a.twa.has_value() != b.twa.has_value()) return a.twa.has_value();
    if (a.twa && std::fabs(*a.twa - *b.twa) > 1e-9 * *b.twa) return *a.twa > *b.twa;
    if (a.vhr.has_value() != b.vhr.has_value()) return a.vhr.has_value();
    if (a.vhr && std::fabs(*a.vhr - *b.vhr) > 1e-9 * *b.vhr) return *a.vhr < *b.vhr;
    return a.parts < b.parts;
}

// `a` is safer than `b` by more than `margin` of the figure that decides.
bool beats(const Figures& a, const Figures& b, double margin) {
    if (a.twa.has_value() != b.twa.has_value()) return a.twa.has_value();
    if (a.twa && std::fabs(*a.twa - *b.twa) > 1e-9 * *b.twa) return *a.twa > *b.twa * (1 + margin);
    if (a.vhr.has_value() != b.vhr.has_value()) return a.vhr.has_value();
    return a.vhr && *a.vhr < *b.vhr * (1 - margin);
}

struct Solvent {
    int n, d, w;
    HazardShare share;
};

std::vector<Solvent> solventsOf(const SolventTable& t) {
    std::vector<Solvent> out;
    for (int row = 0; row < t.lastIndex; ++row) {
        const SolventRecord& r = t.records[static_cast<std::size_t>(row)];
        Solvent s{std::stoi(std::string(r.n)), std::stoi(std::string(r.d)), std::stoi(std::string(r.w)), {}};
        s.share.molarVolume = std::stod(std::string(r.molarVolume));
        s.share.molecularWeight = std::stod(std::string(r.molecularWeight));
        s.share.twa = readTwaLimit(r.twaText, r.twaMgText);
        s.share.vhr = readVhr(r.vhrText);
        out.push_back(s);
    }
    return out;
}

struct GridBest {
    std::optional<Figures> full, sub;  // best with every solvent taking part, and with some share 0
    std::array<double, 3> fullAt{};
};

// Every composition on a grid of `steps` per unit, kept when its mixture lies
// in the region.
GridBest scan(const std::vector<Solvent>& s, const std::vector<int>& rows, const ConvexPolygon& region, int steps) {
    GridBest best;
    const std::size_t size = rows.size();
    auto visit = [&](std::array<int, 3> units) {
        std::array<double, 3> x{};
        double n = 0, d = 0, w = 0;
        std::array<HazardShare, 3> shares;
        Figures f;
        for (std::size_t k = 0; k < size; ++k) {
            x[k] = static_cast<double>(units[k]) / steps;
            const Solvent& v = s[static_cast<std::size_t>(rows[k])];
            n += x[k] * v.n, d += x[k] * v.d, w += x[k] * v.w;
            shares[k] = v.share;
            shares[k].moleFraction = x[k];
            if (units[k] > 0) ++f.parts;
        }
        if (!insideConvex(region, at(n, d, w))) return;
        const BlendHazards h = blendHazards(std::span(shares).first(size));
        f.twa = h.twaPpm;
        f.vhr = h.vhr;
        std::optional<Figures>& slot = f.parts == static_cast<int>(size) ? best.full : best.sub;
        if (!slot || better(f, *slot)) {
            slot = f;
            if (f.parts == static_cast<int>(size)) best.fullAt = x;
        }
    };
    for (int a = 0; a <= steps; ++a) {
        if (size == 2) {
            visit({a, steps - a, 0});
            continue;
        }
        for (int b = 0; a + b <= steps; ++b) visit({a, b, steps - a - b});
    }
    return best;
}

double relative(double a, double b) { return std::fabs(a - b) / std::max(std::fabs(b), 1e-300); }

TEST(ZoneFinder, AgreesWithABruteForceScan) {
    const SolventTable t = testing::tableOf(fictional());
    const std::vector<Solvent> s = solventsOf(t);
    const SolubilityZone zone = triangleZone();
    FinderOptions options;
    options.maxResults = 1000;
    const ZoneOutcome outcome = findInZone(t, zone, options);
    std::map<std::vector<int>, const ZoneBlend*> listed;
    for (const ZoneBlend& b : outcome.blends)
        listed[std::vector<int>(b.rows.begin(), b.rows.begin() + b.size)] = &b;
    EXPECT_EQ(outcome.totalFound, listed.size());

    int listedCount = 0, unlisted = 0, nearTies = 0;
    const int n = static_cast<int>(s.size());
    std::vector<std::vector<int>> blends;
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j) {
            blends.push_back({i, j});
            for (int k = j + 1; k < n; ++k) blends.push_back({i, j, k});
        }
    for (const std::vector<int>& rows : blends) {
        const int steps = rows.size() == 2 ? 4000 : 300;
        const GridBest grid = scan(s, rows, zone.region, steps);
        std::string which = "rows";
        for (const int row : rows) which.append(" ").append(std::to_string(row));
        // A step of the grid moves a figure by less than 6 / steps of itself here.
        const double grain = 6.0 / steps;
        const auto found = listed.find(rows);
        if (found == listed.end()) {
            // Not listed: no composition with every solvent may be plainly
            // safer than the best without one.
            if (!grid.full) continue;
            ++unlisted;
            ASSERT_TRUE(grid.sub) << which << ": only blends of all its solvents lie in the zone, yet it is not listed";
            EXPECT_FALSE(beats(*grid.full, *grid.sub, grain)) << which;
            continue;
        }
        ++listedCount;
        // Listed: its corner is the exact optimum, so no composition on the
        // grid, with or without every solvent, is safer.
        const ZoneBlend& b = *found->second;
        const Figures mine{b.twaPpm, b.vhr, b.size};
        ASSERT_TRUE(grid.full) << which;
        EXPECT_FALSE(beats(*grid.full, mine, 1e-9)) << which;
        if (grid.sub) {
            EXPECT_FALSE(beats(*grid.sub, mine, 1e-9)) << which;
        }
        EXPECT_TRUE(insideConvex(zone.outline, b.point));
        // Where the grid's best is plainly the blend of all its solvents, it
        // lies within a few steps of the finder's composition.
        if (grid.sub && !beats(*grid.full, *grid.sub, grain)) {
            ++nearTies;
            continue;
        }
        if (grid.full->twa) {
            EXPECT_LT(relative(*grid.full->twa, *b.twaPpm), grain) << which;
        }
        for (std::size_t k = 0; k < rows.size(); ++k)
            EXPECT_NEAR(b.moleFraction[k], grid.fullAt[k], 4.0 / steps) << which;
    }
    EXPECT_GE(listedCount, 20);
    EXPECT_GT(unlisted, 20);
    EXPECT_LT(nearTies, listedCount / 4);
    EXPECT_GT(outcome.blends.size(), 10u);
}

TEST(ZoneFinder, ListsBlendsAsTheReportShowsThem) {
    const SolventTable t = testing::tableOf(fictional());
    const ZoneOutcome outcome = findInZone(t, triangleZone(), FinderOptions{});
    ASSERT_FALSE(outcome.blends.empty());
    for (std::size_t i = 1; i < outcome.blends.size(); ++i)
        EXPECT_FALSE(zoneRanksBefore(outcome.blends[i], outcome.blends[i - 1]));
    for (const ZoneBlend& b : outcome.blends) {
        std::array<HazardShare, 3> shares;
        const std::vector<Solvent> s = solventsOf(t);
        double mixD = 0.0;
        for (std::size_t k = 0; k < static_cast<std::size_t>(b.size); ++k) {
            shares[k] = s[static_cast<std::size_t>(b.rows[k])].share;
            shares[k].moleFraction = b.moleFraction[k];
            mixD += b.moleFraction[k] * s[static_cast<std::size_t>(b.rows[k])].d;
        }
        const BlendHazards h = blendHazards(std::span(shares).first(static_cast<std::size_t>(b.size)));
        EXPECT_EQ(b.twaText, reportTwaText(h.twaPpm));
        EXPECT_EQ(b.vhrText, reportVhrText(h.vhr));
        EXPECT_EQ(b.volumeText[0], formatFraction3(h.volumeFraction[0]));
        EXPECT_DOUBLE_EQ(b.mixD, mixD);
        // Every listed blend loads as a solution inside the zone.
        const ZoneBlendCheck check = checkZoneBlend(t, b, triangleZone());
        EXPECT_EQ(check.verdict, ZoneCheck::Fine) << b.mixNText << " " << b.mixDText << " " << b.mixWText;
    }
    // The safest: as much Alcohol (1000 ppm) as the region allows, at its
    // corner (42, 22, 36), reached with the Ketone and the Ester (400 ppm).
    // No pair of these reaches that corner: Alcohol and Ester stay at D = 18.
    const ZoneBlend& top = outcome.blends.front();
    EXPECT_EQ(top.rows, (std::array<int, 3>{1, 2, 3}));
    EXPECT_EQ(top.mixNText, "42");
    EXPECT_EQ(top.mixDText, "22");
    EXPECT_EQ(top.mixWText, "36");
    EXPECT_EQ(top.twaText, "464");
}

// A table and zone drawn at random; the fast path must list exactly what
// clipping every blend lists.
TEST(ZoneFinder, FastPathListsWhatClippingEveryBlendLists) {
    std::mt19937 random(2024);
    std::uniform_int_distribution<int> percent(0, 100);
    const char* twas[] = {"100", "100", "50", "200", "1000", "none", "25"};
    const char* vhrs[] = {"100", "40", "900", "none", "0", "3000"};
    int withBlends = 0, withPruning = 0;
    for (int round = 0; round < 30; ++round) {
        std::vector<TestSolvent> solvents;
        for (int i = 0; i < 14; ++i) {
            const int n = percent(random), d = percent(random) * (100 - n) / 100;
            solvents.push_back({std::to_string(i), 2 + i % 2, n, d, 100 - n - d, twas[random() % 7], vhrs[random() % 6],
                                std::to_string(40 + random() % 100), std::to_string(30 + random() % 90),
                                std::to_string(20 + random() % 900)});
        }
        const SolventTable t = testing::tableOf(solvents);
        std::vector<PlanePoint> dissolving;
        const int count = 1 + static_cast<int>(random() % 6);
        for (int i = 0; i < count; ++i) {
            const int n = 20 + percent(random) / 2, d = 10 + percent(random) * (90 - n) / 200;
            dissolving.push_back(at(n, d, 100 - n - d));
        }
        const SolubilityZone zone = makeZone(dissolving, (random() % 4) * 0.75);
        FinderOptions fast, plain;
        fast.maxResults = plain.maxResults = 5000;
        fast.sameReferenceOnly = plain.sameReferenceOnly = round % 3 == 0;
        plain.prune = false;
        const ZoneOutcome a = findInZone(t, zone, fast), b = findInZone(t, zone, plain);
        ASSERT_EQ(a.blends.size(), b.blends.size()) << "round " << round;
        EXPECT_EQ(a.totalFound, b.totalFound);
        for (std::size_t i = 0; i < a.blends.size(); ++i) {
            EXPECT_EQ(a.blends[i].rows, b.blends[i].rows) << "round " << round << " blend " << i;
            for (std::size_t k = 0; k < 3; ++k) EXPECT_NEAR(a.blends[i].moleFraction[k], b.blends[i].moleFraction[k], 1e-9);
            EXPECT_EQ(a.blends[i].twaText, b.blends[i].twaText);
        }
        ASSERT_EQ(a.solventsInside.size(), b.solventsInside.size());
        if (!a.blends.empty()) ++withBlends;
        if (a.pruned > 0) ++withPruning;
    }
    // Not a comparison of empty lists: most rounds find blends, and skip some.
    EXPECT_GT(withBlends, 20);
    EXPECT_GT(withPruning, 20);
}

TEST(ZoneFinder, CornersWithoutASolventAndRefusedBlends) {
    const SolventTable t = testing::tableOf({
        // 0, 1: a pair whose segment (D = 30) crosses the region from N 42 to 48.
        {"P", 2, 70, 30, 0, "1000", "100", "80", "80", "3000"},
        {"Q", 2, 30, 30, 40, "900", "100", "80", "80", "2700"},
        // 2: any share of Z lowers the TWA, so the triangle P, Q, Z is at
        // its safest on the edge P, Q.
        {"Z", 2, 50, 10, 40, "10", "100", "80", "80", "30"},
        // 3: inside the region and the safest of all: a solvent alone.
        {"I", 2, 48, 26, 26, "2000", "100", "80", "80", "6000"},
        // 4, 5: the same point; 6: on the line through 4 and Z.
        {"K", 2, 46, 34, 20, "500", "100", "80", "80", "1500"},
        {"K too", 3, 46, 34, 20, "600", "100", "80", "80", "1800"},
        {"L", 2, 48, 22, 30, "700", "100", "80", "80", "2100"},
    });
    FinderOptions options;
    options.maxResults = 1000;
    const ZoneOutcome outcome = findInZone(t, triangleZone(), options);
    std::map<std::vector<int>, const ZoneBlend*> listed;
    for (const ZoneBlend& b : outcome.blends) {
        const std::vector<int> rows(b.rows.begin(), b.rows.begin() + b.size);
        EXPECT_EQ(listed.count(rows), 0u) << "listed twice";
        listed[rows] = &b;
        // Every listed composition uses every solvent of its blend.
        for (int k = 0; k < b.size; ++k) EXPECT_TRUE(takesPart(b.moleFraction[static_cast<std::size_t>(k)]));
    }
    ASSERT_EQ(listed.count({0, 1}), 1u);
    const ZoneBlend& pq = *listed[{0, 1}];
    // The corner with most of P: (48, 30, 22), where the segment leaves W >= 22.
    EXPECT_NEAR(pq.mixN, 48, 1e-9);
    EXPECT_NEAR(pq.mixW, 22, 1e-9);
    EXPECT_NEAR(pq.moleFraction[0], 0.45, 1e-9);
    EXPECT_EQ(listed.count({0, 1, 2}), 0u);
    // I alone is safer than any blend holding it: those stand as I, listed apart.
    for (const auto& [rows, blend] : listed) EXPECT_EQ(std::count(rows.begin(), rows.end(), 3), 0);
    ASSERT_FALSE(outcome.solventsInside.empty());
    EXPECT_EQ(outcome.solventsInside.front().rows[0], 3);
    EXPECT_EQ(outcome.solventsInside.front().twaText, "2000");
    // Coinciding and collinear solvents make no blend of their own.
    EXPECT_EQ(listed.count({4, 5}), 0u);
    EXPECT_EQ(listed.count({2, 4, 6}), 0u);

    EXPECT_EQ(firstPassRefusal({TeasPoint{46, 34, 20}, TeasPoint{46, 34, 20}, TeasPoint{}}, true), BlendMessage::GammaZero);
    EXPECT_EQ(firstPassRefusal({TeasPoint{46, 34, 20}, TeasPoint{50, 10, 40}, TeasPoint{48, 22, 30}}, false),
              BlendMessage::DenominatorZero);
    EXPECT_EQ(firstPassRefusal({TeasPoint{80, 10, 10}, TeasPoint{40, 10, 50}, TeasPoint{80, 10, 10}}, false),
              BlendMessage::DenominatorZero);
    EXPECT_EQ(firstPassRefusal({TeasPoint{80, 10, 10}, TeasPoint{40, 10, 50}, TeasPoint{50, 40, 10}}, false), BlendMessage::Solved);

    // A region whose lower edge lies 0.01 of a point beside the pair's line
    // D = 30: P, Q and a hazardous T (D = 60) reach it with x_T = 0.01 / 30,
    // a volume share no one can measure out (it would show as ".000"). That
    // triple is the pair, which does not reach the region: nothing is listed.
    const SolventTable near = testing::tableOf({
        {"P", 2, 70, 30, 0, "1000", "100", "80", "80", "3000"},
        {"Q", 2, 30, 30, 40, "900", "100", "80", "80", "2700"},
        {"T", 2, 40, 60, 0, "10", "100", "80", "80", "30"},
    });
    const std::vector<PlanePoint> corners{at(55, 30.01, 14.99), at(45, 30.01, 24.99), at(50, 40, 10)};
    const SolubilityZone edge = makeZone(corners, 0.0);
    EXPECT_TRUE(findInZone(near, edge, options).blends.empty());
}

TEST(ZoneFinder, EqualLimitsLeaveTheChoiceToTheVhr) {
    // Both limits are 100 ppm, so every mixture's TWA is 100 (up to the
    // rounding of the sums); the VHR falls towards B.
    const SolventTable t = testing::tableOf({
        {"A", 2, 70, 30, 0, "100", "500", "80", "100", "410"},
        {"B", 2, 30, 30, 40, "100", "50", "60", "70", "290"},
    });
    const ZoneOutcome outcome = findInZone(t, triangleZone(), FinderOptions{});
    ASSERT_EQ(outcome.blends.size(), 1u);
    EXPECT_NEAR(outcome.blends[0].mixN, 42, 1e-9);  // the region's edge N >= 42
    EXPECT_EQ(outcome.blends[0].twaText, "100");
}

TEST(ZoneFinder, OptionsApplyAsForAPointTarget) {
    const SolventTable t = testing::tableOf(fictional());
    const SolubilityZone zone = triangleZone();
    auto find = [&](auto change) {
        FinderOptions o;
        o.maxResults = 1000;
        change(o);
        return findInZone(t, zone, o);
    };
    const ZoneOutcome all = find([](FinderOptions&) {});
    const ZoneOutcome pairs = find([](FinderOptions& o) { o.size = BlendSize::PairsOnly; });
    const ZoneOutcome triples = find([](FinderOptions& o) { o.size = BlendSize::TriplesOnly; });
    EXPECT_EQ(pairs.totalFound + triples.totalFound, all.totalFound);
    for (const ZoneBlend& b : pairs.blends) EXPECT_EQ(b.size, 2);
    for (const ZoneBlend& b : triples.blends) EXPECT_EQ(b.size, 3);

    const ZoneOutcome withoutAlcohol = find([](FinderOptions& o) { o.excluded = {2}; });
    const ZoneOutcome withLactone = find([](FinderOptions& o) { o.mustContain = {7}; });
    const ZoneOutcome three = find([](FinderOptions& o) { o.maxResults = 3; });
    for (const ZoneBlend& b : withoutAlcohol.blends) EXPECT_EQ(std::count(b.rows.begin(), b.rows.end(), 2), 0);
    ASSERT_FALSE(withLactone.blends.empty());
    for (const ZoneBlend& b : withLactone.blends) EXPECT_EQ(std::count(b.rows.begin(), b.rows.end(), 7), 1);
    ASSERT_EQ(three.blends.size(), 3u);
    EXPECT_EQ(three.totalFound, all.totalFound);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(three.blends[i].rows, all.blends[i].rows);

    // Split by first solvent, as threads would run it, and cancelled.
    const PreparedZoneSearch prepared = prepareZoneSearch(t, zone, FinderOptions{});
    std::vector<ZonePartial> parts;
    for (std::size_t i = prepared.base.candidates.size(); i-- > 0;) parts.push_back(searchZoneFirst(prepared, i));
    const ZoneOutcome split = finishZoneSearch(prepared, std::move(parts));
    EXPECT_EQ(split.totalFound, all.totalFound);
    EXPECT_EQ(split.blends.front().rows, all.blends.front().rows);
    const std::atomic<bool> stop{true};
    EXPECT_TRUE(findInZone(t, zone, FinderOptions{}, &stop).cancelled);
    // A zone with nothing left inside its margin finds nothing.
    EXPECT_EQ(findInZone(t, triangleZone(7), FinderOptions{}).totalFound, 0u);
}

TEST(ZoneFinder, APhasedOutSolventNeverAppearsWhileLeftOut) {
    // Freon lies inside the region: listed alone, and in blends with safer solvents.
    std::vector<TestSolvent> solvents = fictional();
    solvents.push_back({"Freon", 2, 48, 26, 26, "300", "20", "100", "100", "900",
                        "[ozone-depleting, phased out] [carcinogen] Heart"});
    const int freon = static_cast<int>(solvents.size()) - 1;
    const SolventTable t = testing::tableOf(solvents);
    FinderOptions options;
    options.maxResults = 1000;
    auto holdsFreon = [freon](const ZoneBlend& b) { return std::count(b.rows.begin(), b.rows.begin() + b.size, freon) > 0; };
    const ZoneOutcome all = findInZone(t, triangleZone(), options);
    ASSERT_EQ(all.blends.size(), all.totalFound);
    ASSERT_FALSE(all.solventsInside.empty());
    EXPECT_EQ(all.solventsInside.front().rows[0], freon);
    EXPECT_TRUE(all.solventsInside.front().notes[0].phasedOut);
    const auto withFreon = std::count_if(all.blends.begin(), all.blends.end(), holdsFreon);
    ASSERT_GT(withFreon, 0);

    options.excludePhasedOut = true;
    const ZoneOutcome without = findInZone(t, triangleZone(), options);
    EXPECT_EQ(std::count_if(without.blends.begin(), without.blends.end(), holdsFreon), 0);
    EXPECT_EQ(std::count_if(without.solventsInside.begin(), without.solventsInside.end(), holdsFreon), 0);
    // The others are listed as before: leaving a solvent out changes no other blend.
    EXPECT_EQ(without.totalFound + static_cast<std::size_t>(withFreon), all.totalFound);
    EXPECT_EQ(without.solventsInside.size() + 1, all.solventsInside.size());
}

// An aged dammar varnish tried with eleven listed solvents of the shipped
// database: aromatic and ester solvents dissolve it, alkanes and acetone
// partly, alcohols not at all. Left in, CFC-113 with ethanol leads the list
// (both have a TWA of 1000 ppm); left out, the first blend can be bought.
TEST(ZoneFinder, TheDammarTestsFirstBlendIsOneThatCanBeBought) {
    const LoadResult loaded = loadSolventDatabaseFile(TARNWELL_SOURCE_DIR "/resources/tarnwell database 1.0.txt");
    ASSERT_TRUE(std::holds_alternative<SolventTable>(loaded));
    const SolventTable& t = std::get<SolventTable>(loaded);
    const std::pair<const char*, TestResult> tried[] = {
        {"n-Heptane", TestResult::Partly},       {"Cyclohexane", TestResult::Partly},
        {"Toluene", TestResult::Dissolves},      {"m-Xylene", TestResult::Dissolves},
        {"Diisopropyl ether", TestResult::Dissolves}, {"Ethyl acetate", TestResult::Dissolves},
        {"Chlorobenzene", TestResult::Dissolves}, {"Acetone", TestResult::Partly},
        {"Isopropanol (2-propanol)", TestResult::NoEffect}, {"Ethanol", TestResult::NoEffect},
        {"Methanol", TestResult::NoEffect},
    };
    SolubilityTest dammar{"Dammar, aged", {}};
    for (const auto& [name, result] : tried) {
        const std::string label = std::string("2:   ") + name;
        const auto row = std::find(t.labels.begin(), t.labels.end(), label);
        ASSERT_NE(row, t.labels.end()) << label;
        const SolventRecord& r = t.records[static_cast<std::size_t>(row - t.labels.begin())];
        dammar.liquids.push_back({label, std::stod(std::string(r.n)), std::stod(std::string(r.d)),
                                  std::stod(std::string(r.w)), result, {}});
    }
    const SolubilityZone zone = zoneOfTest(dammar);
    ASSERT_EQ(zone.shape, ZoneShape::Area);
    auto phasedOut = [&](const ZoneBlend& b) {
        for (int k = 0; k < b.size; ++k)
            if (b.notes[static_cast<std::size_t>(k)].phasedOut) return true;
        return false;
    };
    auto names = [&](const ZoneBlend& b) {
        std::string text;
        for (int k = 0; k < b.size; ++k) text += (k ? " + " : "") + std::string(t.labels[static_cast<std::size_t>(b.rows[static_cast<std::size_t>(k)])]);
        return text;
    };
    FinderOptions options;
    const ZoneOutcome all = findInZone(t, zone, options);
    ASSERT_FALSE(all.blends.empty());
    EXPECT_EQ(names(all.blends.front()), "2:   1,1,2-Trichloro-1,2,2-trifluoroethane + 2:   Ethanol");
    options.excludePhasedOut = true;
    const ZoneOutcome buyable = findInZone(t, zone, options);
    ASSERT_FALSE(buyable.blends.empty());
    EXPECT_FALSE(phasedOut(buyable.blends.front())) << names(buyable.blends.front());
    EXPECT_EQ(std::count_if(buyable.blends.begin(), buyable.blends.end(), phasedOut), 0);
    EXPECT_EQ(std::count_if(buyable.solventsInside.begin(), buyable.solventsInside.end(), phasedOut), 0);
    // The first blend of the full list that holds none of them.
    const auto first = std::find_if_not(all.blends.begin(), all.blends.end(), phasedOut);
    ASSERT_NE(first, all.blends.end());
    EXPECT_EQ(names(*first), names(buyable.blends.front()));
    EXPECT_EQ(first->twaText, buyable.blends.front().twaText);
}

TEST(ZoneFinder, UseThisBlendSaysPlainlyWhenItCannot) {
    const SolventTable t = testing::tableOf({
        {"A", 2, 100, 0, 0},
        {"B", 2, 0, 0, 100},
        {"C", 2, 39, 21, 40},
        {"D", 2, 41, 40, 19},
        {"E", 2, 52, 31, 17},
        {"F", 2, 51, 31, 18},
    });
    auto blend = [](std::vector<int> rows, double n, double d, double w) {
        ZoneBlend b;
        b.size = static_cast<int>(rows.size());
        std::copy(rows.begin(), rows.end(), b.rows.begin());
        b.point = at(n, d, w);
        return b;
    };
    const SolubilityZone triangle = triangleZone(0);

    // On the band of (51, 31, 18), the corner (51.5, 30.5, 18) rounds (halves
    // to even) to (52, 30, 18): a whole point off in N, outside the band.
    const SolubilityZone band = makeZone(std::vector<PlanePoint>{at(51, 31, 18)});
    const ZoneBlendCheck outside = checkZoneBlend(t, blend({4, 5}, 51.5, 30.5, 18), band);
    EXPECT_EQ(outside.verdict, ZoneCheck::TargetOutsideZone);
    EXPECT_EQ(outside.target.n, 52);
    EXPECT_EQ(outside.target.d, 30);
    EXPECT_EQ(zoneCheckText(outside),
              "Rounding this blend's mixture point to whole numbers takes the target out of the zone.\r"
              "Calculate would match a point outside the zone; please choose another blend.");

    // A and B have no D: Calculate cannot reach (47, 27, 26) and says M9.
    const ZoneBlendCheck m9 = checkZoneBlend(t, blend({0, 1}, 46.67, 26.67, 26.66), triangle);
    EXPECT_EQ(m9.verdict, ZoneCheck::SolverMessage);
    EXPECT_EQ(m9.message, BlendMessage::OutsideTolerance);
    EXPECT_EQ(zoneCheckText(m9), blendMessageText(BlendMessage::OutsideTolerance).text);

    // C, D fit (40, 30, 30) at about (39.95, 30.03, 30.02): within +/- 0.5,
    // but N is below the zone's 40.
    const ZoneBlendCheck off = checkZoneBlend(t, blend({2, 3}, 40, 30, 30), triangle);
    EXPECT_EQ(off.verdict, ZoneCheck::SolutionOutsideZone);
    EXPECT_LT(off.solved.mixN, 40);
    EXPECT_GT(off.solved.mixN, 39.5);

    const ZoneBlendCheck fine = checkZoneBlend(t, blend({2, 3}, 40.4, 30.5, 29.1), triangle);
    EXPECT_EQ(fine.verdict, ZoneCheck::Fine);
    EXPECT_EQ(zoneCheckText(fine), "Calculate finds a solution for this target, and its mixture lies inside the zone.");
    EXPECT_EQ(checkZoneBlend(t, blend({2}, 40, 30, 30), triangle).verdict, ZoneCheck::NotABlend);
}

}  // namespace
}  // namespace tarnwell
