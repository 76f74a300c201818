// How a blend evaporates: the path and its marks for three solvents, and the
// solvent properties file read beside a database of 32,767 records.
#include "bench_slots.h"
#include "bench_support.h"

#include "core/database.h"
#include "core/evaporation.h"
#include "core/solubility_zone.h"
#include "core/solvent_properties.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <variant>

namespace {

using namespace tarnwell;

constexpr int kLargeRecords = 32767;

// One row for every record of the large database (its labels are numbered),
// with figures of the shipped kind.
const std::string& largePropertiesText() {
    static const std::string text = [] {
        const LoadResult loaded = parseSolventDatabase(bench::largeDatabaseText(kLargeRecords));
        const auto& table = std::get<SolventTable>(loaded);
        std::string out = "# Sources: NPG = NIOSH Pocket Guide; Poling = Poling Antoine\n"
                          "# est. = estimated from a representative composition\n";
        out += std::string(kPropertiesHeader) + "\n";
        const char* figures[] = {"180\t56\t-20\tIB\tNPG", "35.45\t98.4\t-4\tIB\tPoling", "0.05746\t205\t93\tIIIB\tPoling",
                                 "none\t290\t199\tIIIB\tNPG", "4.5\t150\tnone\tnone\test."};
        for (std::size_t r = 0; r + 1 < table.records.size(); ++r)
            out += std::string(table.records[r].label) + "\t" + figures[r % 5] + "\n";
        return out;
    }();
    return text;
}

void BM_ParseProperties(benchmark::State& state) {
    const std::string& text = largePropertiesText();
    for (auto _ : state) {
        std::string bytes = text;  // the parser keeps its bytes; the copy is not timed
        const auto start = std::chrono::steady_clock::now();
        SolventPropertiesFile file = parseSolventProperties(std::move(bytes));
        const auto stop = std::chrono::steady_clock::now();
        if (file.status != PropertiesFileStatus::Loaded) {
            state.SkipWithError(file.error.message.c_str());
            break;
        }
        benchmark::DoNotOptimize(file);
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseProperties)->Name("BM_ParseProperties/records32767")->UseManualTime()->Unit(benchmark::kMicrosecond);

// What the program does at start, beside the database: open, read, parse.
void BM_LoadPropertiesFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromUtf8(kPropertiesFileName));
    QFile out(path);
    const std::string& text = largePropertiesText();
    if (!out.open(QIODevice::WriteOnly) || out.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
        state.SkipWithError("cannot write the properties file");
        return;
    }
    out.close();
    const std::string file = path.toStdString();
    for (auto _ : state) {
        SolventPropertiesFile read = loadSolventPropertiesFile(file);
        if (read.status != PropertiesFileStatus::Loaded) {
            state.SkipWithError("the properties file did not load");
            break;
        }
        benchmark::DoNotOptimize(read);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_LoadPropertiesFile)->Name("BM_LoadPropertiesFile/records32767")->Unit(benchmark::kMicrosecond);

// Acetone 0.5, ethanol 0.3, n-heptane 0.2 in the calculator, with a zone open:
// everything a screen asks for, from its input to the texts.
void BM_EvaporationPath(benchmark::State& state) {
    const std::array<MixSlot, 3> columns{bench::mixSlot(47, 32, 21, 73.54, 58.1f, "590", 0.5f, "2:   Acetone"),
                                         bench::mixSlot(36, 20, 44, 58.35, 46.1f, "1900", 0.3f, "2:   Ethanol"),
                                         bench::mixSlot(100, 0, 0, 147.35, 100.2f, "350", 0.2f, "2:   n-Heptane")};
    MixtureInputs inputs;
    inputs.twaText = {"250", "1000", "85"};
    inputs.vhrText = {"947", "58", "549"};
    const SolventPropertiesFile properties = parseSolventProperties(
        std::string(kPropertiesHeader) +
        "\n2:   Acetone\t180\t56\t-20\tIB\tNPG\n2:   Ethanol\t44\t78\t13\tIB\tNPG\n2:   n-Heptane\t35.45\t98\t-4\tIB\tNPG\n");
    std::vector<PlanePoint> corners;
    for (const auto& [n, d, w] : {std::array<int, 3>{40, 30, 30}, {55, 25, 20}, {50, 15, 35}})
        corners.push_back(*teasToPlane(n, d, w));
    const SolubilityZone zone = makeZone(corners);
    std::size_t points = 0;
    for (auto _ : state) {
        const EvaporationResult r = computeEvaporation(evaporationFromMixture(columns, inputs), properties, &zone);
        if (!r.pathKnown) {
            state.SkipWithError("no path");
            break;
        }
        points = r.path.size();
        benchmark::DoNotOptimize(r);
    }
    state.counters["path_points"] = static_cast<double>(points);
}
BENCHMARK(BM_EvaporationPath)->Unit(benchmark::kMicrosecond);

}  // namespace
