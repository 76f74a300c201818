// main() of tarnwell_bench: an offscreen QApplication, then the benchmarks.
//   tarnwell_bench [benchmark flags]     runs the benchmarks
//   tarnwell_bench --peak-rss=RECORDS    starts the program to its main screen with
//                                        a database of RECORDS records (0: the
//                                        shipped one) and prints the peak RSS in kB
#include "bench_support.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <string>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/resource.h>
#define TARNWELL_HAVE_RUSAGE 1
#endif
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

int peakRss(int records) {
    using namespace tarnwell;
    const std::string text = records == 0 ? bench::shippedDatabaseText() : bench::largeDatabaseText(records);
    bench::DatabaseFolder folder(text);
    bench::QuietPlatform platform;
    if (bench::startToMainScreen(platform) < 0) {
        std::fprintf(stderr, "the main screen never appeared\n");
        return 1;
    }
#ifdef TARNWELL_HAVE_RUSAGE
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
#ifdef __APPLE__
    std::printf("%ld\n", static_cast<long>(usage.ru_maxrss / 1024));
#else
    std::printf("%ld\n", static_cast<long>(usage.ru_maxrss));
#endif
    return 0;
#else
    std::fprintf(stderr, "peak RSS is not measured on this system\n");
    return 1;
#endif
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--peak-rss=", 11) == 0) return peakRss(std::atoi(argv[i] + 11));
#ifdef __GLIBC__
    // glibc returns a freed block of several MB to the system or keeps it,
    // by a threshold that moves with what was freed before, so one parse
    // benchmark ran 3 ms or 35 ms depending on which path the last run left.
    // A fixed threshold measures the parser; the start benchmarks keep the
    // first load's page faults.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
