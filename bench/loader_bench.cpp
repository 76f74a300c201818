// The database loader against the cost of getting the same bytes at all.
#include "bench_support.h"

#include "core/database.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <variant>

namespace {

using namespace tarnwell;

constexpr int kLargeRecords = 32767;

const std::string& largeText() {
    static const std::string text = bench::largeDatabaseText(kLargeRecords);
    return text;
}

void BM_ParseDatabase(benchmark::State& state, const std::string& (*text)()) {
    const std::string& bytes = text();
    for (auto _ : state) {
        LoadResult result = parseSolventDatabase(bytes);
        if (!std::holds_alternative<SolventTable>(result)) {
            state.SkipWithError("the database did not load");
            break;
        }
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK_CAPTURE(BM_ParseDatabase, shipped, &bench::shippedDatabaseText)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ParseDatabase, records32767, &largeText)->Unit(benchmark::kMicrosecond);

// The floor: the file's bytes into memory with one unbuffered read.
void BM_RawRead(benchmark::State& state) {
    bench::DatabaseFolder folder(largeText());
    const std::string path = folder.filePath();
    std::unique_ptr<char[]> buffer(new char[largeText().size() + 1]);
    for (auto _ : state) {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f) {
            state.SkipWithError("cannot open the file");
            break;
        }
        std::setvbuf(f, nullptr, _IONBF, 0);
        const std::size_t got = std::fread(buffer.get(), 1, largeText().size() + 1, f);
        std::fclose(f);
        if (got != largeText().size()) {
            state.SkipWithError("short read");
            break;
        }
        benchmark::DoNotOptimize(buffer.get());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * largeText().size()));
}
BENCHMARK(BM_RawRead)->Name("BM_RawRead/records32767")->Unit(benchmark::kMicrosecond);

// What the program does: open, read and parse the file.
void BM_LoadDatabaseFile(benchmark::State& state) {
    bench::DatabaseFolder folder(largeText());
    const std::string path = folder.filePath();
    for (auto _ : state) {
        LoadResult result = loadSolventDatabaseFile(path);
        if (!std::holds_alternative<SolventTable>(result)) {
            state.SkipWithError("the database did not load");
            break;
        }
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * largeText().size()));
}
BENCHMARK(BM_LoadDatabaseFile)->Name("BM_LoadDatabaseFile/records32767")->Unit(benchmark::kMicrosecond);

}  // namespace
