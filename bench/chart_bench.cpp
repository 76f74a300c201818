// The Teas chart's redraw over the shipped database, with a blend and a
// solubility zone, without (0) and with (1) the blend's evaporation path, its
// marks, the crossings of the zone and their key: what drawing the path adds.
// The core headers come first: a Qt header before them turns the word
// "slots" in the shared state into a Qt keyword.
#include "core/database.h"
#include "core/evaporation.h"
#include "core/solvent_properties.h"
#include "chart/frm_teas_chart.h"
#include "ui/chart_source.h"

#include "bench_support.h"

#include <QFile>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>
#include <stdexcept>
#include <variant>

namespace {

using namespace tarnwell;

class FixedOpener final : public QWidget, public ui::ChartOpener {
public:
    explicit FixedOpener(ui::ChartMarks marks) : marks_(std::move(marks)) {}
    ui::ChartMarks chartMarks() const override { return marks_; }
    void loadSolventIntoSlot(int, int) override {}
    QWidget* openerWindow() const override { return const_cast<FixedOpener*>(this); }

private:
    ui::ChartMarks marks_;
};

EvaporationSolvent solvent(int slot, const char* label, TeasPoint ndw, double molarVolume, double moles) {
    EvaporationSolvent s;
    s.slot = slot;
    s.label = label;
    s.ndw = ndw;
    s.molarVolume = molarVolume;
    s.startMoles = moles;
    return s;
}

void BM_ChartRedraw(benchmark::State& state) {
    LoadResult loaded = parseSolventDatabase(bench::shippedDatabaseText());
    if (!std::holds_alternative<SolventTable>(loaded)) {
        state.SkipWithError("the database did not load");
        return;
    }
    const SolventTable table = std::get<SolventTable>(std::move(loaded));
    QFile file(QStringLiteral(TARNWELL_SOURCE_DIR "/resources/") + QString::fromUtf8(kPropertiesFileName));
    if (!file.open(QIODevice::ReadOnly)) {
        state.SkipWithError("no properties file");
        return;
    }
    const SolventPropertiesFile properties = parseSolventProperties(file.readAll().toStdString());

    // Acetone, ethanol and toluene for 44 / 24 / 32, inside a zone it leaves.
    ui::ChartMarks marks;
    marks.slotMarks = {ui::ChartMark{47, 32, 21}, ui::ChartMark{36, 18, 46}, ui::ChartMark{80, 7, 13}};
    marks.target = ui::ChartMark{44, 24, 32};
    marks.blend = ui::ChartMark{44, 24, 32};
    ui::ZoneOverlay zone;
    zone.outline = {ui::ChartMark{30, 30, 40}, ui::ChartMark{36, 18, 46}, ui::ChartMark{52, 20, 28},
                    ui::ChartMark{50, 30, 20}};
    marks.zone = zone;
    if (state.range(0) == 1) {
        EvaporationInput in;
        in.solvents = {solvent(1, "2:   Acetone", {47, 32, 21}, 73.93, 0.478),
                       solvent(2, "2:   Ethanol", {36, 18, 46}, 58.68, 0.460),
                       solvent(3, "2:   Toluene", {80, 7, 13}, 106.29, 0.062)};
        in.count = 3;
        marks.evaporation = in;
    }
    bench::QuietPlatform platform;
    FixedOpener opener(marks);
    FrmTeasChart window(platform, table, properties, opener);
    window.resize(640, 660);
    TeasChartWidget* chart = window.chart();
    if (state.range(0) == 1 && !(chart->evaporation() && chart->evaporation()->pathKnown)) {
        state.SkipWithError("no path");
        return;
    }
    QImage image(chart->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        chart->render(&painter);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_ChartRedraw)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
