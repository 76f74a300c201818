// The zone finder over the shipped database, beside the point finder's
// search: a zone of four dissolving solvents (acetone, ethanol, toluene,
// ethyl acetate) with the default margin, and the band of a single point
// (acetone's). On one core, and split by first solvent over every core as a
// window would run it; plain clipping of every blend for comparison.
// The core headers come first: a Qt header before them turns the word
// "slots" in the shared state into a Qt keyword.
#include "core/database.h"
#include "core/solubility_trial.h"
#include "core/zone_finder.h"

#include "bench_support.h"

#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>
#include <benchmark/benchmark.h>
#include <numeric>
#include <stdexcept>
#include <variant>

namespace {

using namespace tarnwell;

const SolventTable& shipped() {
    static const SolventTable table = [] {
        LoadResult result = parseSolventDatabase(bench::shippedDatabaseText());
        if (!std::holds_alternative<SolventTable>(result)) throw std::runtime_error("the database did not load");
        return std::get<SolventTable>(std::move(result));
    }();
    return table;
}

SolubilityZone zoneOf(std::initializer_list<const char*> labels) {
    const SolventTable& t = shipped();
    SolubilityTest test;
    for (const char* label : labels)
        for (int row = 0; row < t.lastIndex; ++row)
            if (t.records[static_cast<std::size_t>(row)].label == label) {
                TestLiquid liquid = std::get<TestLiquid>(liquidFromRecord(t, row));
                liquid.result = TestResult::Dissolves;
                test.liquids.push_back(liquid);
            }
    if (test.liquids.size() != labels.size()) throw std::runtime_error("a zone solvent is missing");
    return zoneOfTest(test);
}

const SolubilityZone& fourSolvents() {
    static const SolubilityZone zone = zoneOf({"2:   Acetone", "2:   Ethanol", "2:   Toluene", "2:   Ethyl acetate"});
    return zone;
}

const SolubilityZone& onePoint() {
    static const SolubilityZone zone = zoneOf({"2:   Acetone"});
    return zone;
}

// Prepared on the calling thread, the parts on a pool of the machine's
// cores, finished on the calling thread.
ZoneOutcome onAllCores(const SolventTable& table, const SolubilityZone& zone, const FinderOptions& options) {
    static QThreadPool pool;
    pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
    const PreparedZoneSearch search = prepareZoneSearch(table, zone, options);
    std::vector<std::size_t> firsts(search.base.candidates.size());
    std::iota(firsts.begin(), firsts.end(), std::size_t{0});
    const QList<ZonePartial> parts = QtConcurrent::blockingMapped<QList<ZonePartial>>(
        &pool, firsts, [&search](std::size_t first) { return searchZoneFirst(search, first); });
    return finishZoneSearch(search, std::vector<ZonePartial>(parts.begin(), parts.end()));
}

void report(benchmark::State& state, const ZoneOutcome& o) {
    state.counters["found"] = static_cast<double>(o.totalFound);
    state.counters["examined"] = static_cast<double>(o.examined);
    state.counters["pruned"] = static_cast<double>(o.pruned);
}

void BM_ZoneSearchOneCore(benchmark::State& state, const SolubilityZone& (*zone)()) {
    ZoneOutcome o;
    for (auto _ : state) {
        o = findInZone(shipped(), zone(), FinderOptions{});
        benchmark::DoNotOptimize(o);
    }
    report(state, o);
}

void BM_ZoneSearchAllCores(benchmark::State& state, const SolubilityZone& (*zone)()) {
    ZoneOutcome o;
    for (auto _ : state) {
        o = onAllCores(shipped(), zone(), FinderOptions{});
        benchmark::DoNotOptimize(o);
    }
    report(state, o);
}

void BM_ZoneSearchClipEveryBlend(benchmark::State& state, const SolubilityZone& (*zone)()) {
    FinderOptions options;
    options.prune = false;
    ZoneOutcome o;
    for (auto _ : state) {
        o = onAllCores(shipped(), zone(), options);
        benchmark::DoNotOptimize(o);
    }
    report(state, o);
}

BENCHMARK_CAPTURE(BM_ZoneSearchOneCore, four_solvents, &fourSolvents)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ZoneSearchAllCores, four_solvents, &fourSolvents)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_ZoneSearchOneCore, one_point, &onePoint)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ZoneSearchAllCores, one_point, &onePoint)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_ZoneSearchClipEveryBlend, four_solvents, &fourSolvents)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
