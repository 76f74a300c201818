// The blend solver alone (ns per solve over triples of the shipped database)
// and the time from Calculate to a shown report.

// The core first: Qt's `slots` keyword would swallow AppState's member name.
#include "core/blend_solver.h"
#include "core/database.h"
#include "core/numbers.h"
#include "core/state.h"

namespace tarnwell {
namespace {
SolventSlot& slotAt(AppState& state, std::size_t k) { return state.solventSlots[k]; }
}  // namespace
}  // namespace tarnwell

#include "bench_support.h"
#include "solver/frm_results.h"
#include "ui/navigator.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <variant>
#include <vector>

namespace tarnwell {
namespace {

std::vector<TeasPoint> shippedTriples() {
    std::vector<TeasPoint> out;
    LoadResult loaded = parseSolventDatabase(bench::shippedDatabaseText());
    if (!std::holds_alternative<SolventTable>(loaded)) return out;
    const SolventTable& table = std::get<SolventTable>(loaded);
    for (std::size_t i = 0; i + 1 < table.records.size(); ++i) {
        const SolventRecord& r = table.records[i];
        out.push_back({parseWholeNumber(r.n).value_or(0), parseWholeNumber(r.d).value_or(0),
                       parseWholeNumber(r.w).value_or(0)});
    }
    return out;
}

// Every ordered triple of distinct shipped solvents against one target,
// cycling, so the branch mix (second passes, singular cases) is realistic.
void BM_SolveConcentrations(benchmark::State& st) {
    const std::vector<TeasPoint> solvents = shippedTriples();
    const std::size_t n = solvents.size();
    if (n < 3) {
        st.SkipWithError("shipped database not readable");
        return;
    }
    const TeasPoint target{55, 20, 25};
    std::size_t i = 0, j = 1, k = 2;
    for (auto _ : st) {
        SolveResult r = solveConcentrations({solvents[i], solvents[j], solvents[k]}, target, false);
        benchmark::DoNotOptimize(r);
        if (++k == n) {
            k = 0;
            if (++j == n) j = 0, i = (i + 1) % n;
        }
    }
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_SolveConcentrations)->Unit(benchmark::kNanosecond);


// Calculate on a prepared state, then build, show and discard the report.
void BM_CalculateToReportShown(benchmark::State& st) {
    LoadResult loaded = parseSolventDatabase(bench::shippedDatabaseText());
    if (!std::holds_alternative<SolventTable>(loaded)) {
        st.SkipWithError("shipped database not readable");
        return;
    }
    AppState state;
    state.table = std::get<SolventTable>(std::move(loaded));
    // Toluene, acetone and ethanol of reference table 2 around a target between them.
    CalculateRequest request;
    request.nFieldFilled = {true, true, true};
    const auto& records = state.table.records;
    const char* names[] = {"2:   Toluene", "2:   Acetone", "2:   Ethanol"};
    for (std::size_t slot = 0; slot < 3; ++slot) {
        for (std::size_t i = 0; i + 1 < records.size(); ++i) {
            if (records[i].label != names[slot]) continue;
            request.selectedRow[slot] = static_cast<int>(i);
            const auto numbers = readSolventNumbers(records[i]);
            if (!numbers) break;
            slotAt(state, slot) = {numbers->ndw, std::string(records[i].label), numbers->molarVolume,
                                   numbers->molecularWeight, std::string(records[i].effects)};
            break;
        }
    }
    state.target.n = 49, state.target.d = 21, state.target.w = 30;
    if (calculateBlend(state, request) != BlendMessage::Solved) {
        st.SkipWithError("the chosen solvents give no blend");
        return;
    }
    bench::QuietPlatform platform;
    bench::NoNavigator navigator;
    for (auto _ : st) {
        benchmark::DoNotOptimize(calculateBlend(state, request));
        FrmResults report(state, platform, navigator, nullptr);
        report.show();
        QApplication::processEvents();
        report.hide();
    }
}
BENCHMARK(BM_CalculateToReportShown)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnwell
