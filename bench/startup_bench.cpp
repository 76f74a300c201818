// Start to main screen shown, on the offscreen platform, in process.
#include "bench_support.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tarnwell;

void BM_StartToMainScreen(benchmark::State& state, int records) {
    const std::string text = records == 0 ? bench::shippedDatabaseText() : bench::largeDatabaseText(records);
    bench::DatabaseFolder folder(text);
    for (auto _ : state) {
        bench::QuietPlatform platform;
        const double seconds = bench::startToMainScreen(platform);
        if (seconds < 0) {
            state.SkipWithError(platform.messages.empty() ? "the main screen never appeared"
                                                          : platform.messages.front().toUtf8().constData());
            break;
        }
        state.SetIterationTime(seconds);
    }
}
BENCHMARK_CAPTURE(BM_StartToMainScreen, shipped, 0)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StartToMainScreen, records32767, 32767)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
