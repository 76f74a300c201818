// The safer-blend finder's full search (every pair and triple, default
// filters) for toluene as the target: on the shipped database and on a
// generated one of 1,000 solvents, on one core and on every core.
// The core headers come first: a Qt header before them turns the word
// "slots" in the shared state into a Qt keyword.
#include "core/blend_finder.h"
#include "core/database.h"
#include "finder/blend_search.h"

#include "bench_support.h"

#include <algorithm>

#include <benchmark/benchmark.h>
#include <cstdint>
#include <stdexcept>
#include <variant>

namespace {

using namespace tarnwell;

SolventTable load(const std::string& text) {
    LoadResult result = parseSolventDatabase(text);
    if (!std::holds_alternative<SolventTable>(result)) throw std::runtime_error("the database did not load");
    return std::get<SolventTable>(std::move(result));
}

const SolventTable& shipped() {
    static const SolventTable table = load(bench::shippedDatabaseText());
    return table;
}

// 1,000 solvents: the shipped records over and over, each copy moved by a few
// points in N, D and W (still adding up to 100), so no two are the same point.
const SolventTable& generated() {
    static const SolventTable table = [] {
        const SolventTable& base = shipped();
        SolventTable t;
        t.storage = base.storage;  // the copied records still point into the base's texts
        std::uint32_t seed = 12345;
        auto next = [&seed] { return seed = seed * 1103515245u + 12345u, static_cast<int>((seed >> 16) % 11) - 5; };
        const std::size_t solvents = static_cast<std::size_t>(base.lastIndex);
        for (std::size_t i = 0; i < 999; ++i) {
            SolventRecord r = base.records[i % solvents];
            int n = std::stoi(std::string(r.n)) + next(), d = std::stoi(std::string(r.d)) + next();
            n = std::clamp(n, 0, 100);
            d = std::clamp(d, 0, 100 - n);
            r.n = t.own(std::to_string(n));
            r.d = t.own(std::to_string(d));
            r.w = t.own(std::to_string(100 - n - d));
            r.label = t.own(std::string(r.label) + " #" + std::to_string(i));
            t.records.push_back(r);
        }
        t.records.push_back(base.records.back());
        for (const SolventRecord& r : t.records) t.labels.push_back(r.label);
        t.lastIndex = static_cast<std::int16_t>(t.records.size() - 1);
        return t;
    }();
    return table;
}

TargetPoint toluene(const SolventTable& table) {
    for (const SolventRecord& r : table.records)
        if (r.label.rfind("2:   Toluene", 0) == 0) {
            TargetPoint t;
            t.n = static_cast<std::int16_t>(std::stoi(std::string(r.n)));
            t.d = static_cast<std::int16_t>(std::stoi(std::string(r.d)));
            t.w = static_cast<std::int16_t>(std::stoi(std::string(r.w)));
            t.reference = 2;
            t.label = r.label;
            t.twaText = r.twaText;
            t.vhrText = r.vhrText;
            t.effects = r.effects;
            return t;
        }
    throw std::runtime_error("no toluene");
}

void report(benchmark::State& state, const FinderOutcome& o) {
    state.counters["found"] = static_cast<double>(o.totalFound);
    state.counters["solved"] = static_cast<double>(o.solved);
    state.counters["pruned"] = static_cast<double>(o.pruned);
}

void BM_FindBlendsOneCore(benchmark::State& state, const SolventTable& (*table)()) {
    const SolventTable& t = table();
    const TargetPoint target = toluene(shipped());
    FinderOutcome o;
    for (auto _ : state) {
        o = findBlends(t, target, FinderOptions{});
        benchmark::DoNotOptimize(o);
    }
    report(state, o);
}

void BM_FindBlendsAllCores(benchmark::State& state, const SolventTable& (*table)()) {
    const SolventTable& t = table();
    const TargetPoint target = toluene(shipped());
    FinderOutcome o;
    for (auto _ : state) {
        o = searchOnAllCores(prepareSearch(t, target, FinderOptions{}));
        benchmark::DoNotOptimize(o);
    }
    report(state, o);
}

void BM_FindBlendsUnpruned(benchmark::State& state, const SolventTable& (*table)()) {
    const SolventTable& t = table();
    const TargetPoint target = toluene(shipped());
    FinderOptions options;
    options.prune = false;
    FinderOutcome o;
    for (auto _ : state) {
        o = searchOnAllCores(prepareSearch(t, target, options));
        benchmark::DoNotOptimize(o);
    }
    report(state, o);
}

BENCHMARK_CAPTURE(BM_FindBlendsOneCore, shipped, &shipped)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindBlendsAllCores, shipped, &shipped)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_FindBlendsUnpruned, shipped, &shipped)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_FindBlendsOneCore, solvents1000, &generated)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindBlendsAllCores, solvents1000, &generated)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
