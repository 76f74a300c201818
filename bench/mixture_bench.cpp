// The mixture calculator: the core calculation alone, and a click on
// Calculate until the print question is on screen.
// The core headers come first: the shared state has members named "slots",
// which Qt's keyword macro would otherwise swallow.
#include "core/database.h"
#include "core/mixture.h"
#include "core/state.h"
#include "custom/custom_solvent.h"
#include "mixcalc/frm_calculate_params_from_mix.h"

#include "bench_slots.h"
#include "bench_support.h"
#include "ui/events.h"
#include "ui/navigator.h"
#include "ui/solvent_labels.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <variant>

namespace {

using namespace tarnwell;

void BM_MixtureCalculation(benchmark::State& state) {
    const std::array<MixSlot, 3> start{bench::mixSlot(47, 32, 21, 73.93, 58.08f, "590", 0.5f),
                                       bench::mixSlot(36, 18, 46, 58.68, 46.07f, "1900", 0.3f),
                                       bench::mixSlot(100, 0, 0, 146.56, 100.21f, "350", 0.2f)};
    MixtureInputs inputs;
    inputs.selectedRow = {0, 1, 2};
    inputs.loaded = {true, true, true};
    inputs.concentrationEntered = {true, true, true};
    inputs.twaText = {"250", "1000", "85"};
    inputs.vhrText = {"1057", "58", "549"};
    for (auto _ : state) {
        std::array<MixSlot, 3> columns = start;
        MixtureCalculation calc;
        calc.total = 1.0f;
        MixtureOutcome out = calculateMixture(columns, calc, inputs);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_MixtureCalculation)->Unit(benchmark::kNanosecond);

void BM_RoundToHundred(benchmark::State& state) {
    double v = 0.0;
    for (auto _ : state) {
        MixtureCalculation calc;
        calc.mixN = 24.5 + v;
        calc.mixD = 30.3;
        calc.mixW = 45.2 - v;
        benchmark::DoNotOptimize(roundToHundred(calc));
        v = v > 0.4 ? 0.0 : v + 0.01;
    }
}
BENCHMARK(BM_RoundToHundred)->Unit(benchmark::kNanosecond);


// Records the moment the print question is shown and answers it with "No".
class QuestionWatcher : public QObject {
public:
    QElapsedTimer clock;
    qint64 shownAt = -1;
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Show && object->objectName() == QLatin1String("frmPrintResults")) {
            shownAt = clock.nsecsElapsed();
            auto* question = static_cast<QWidget*>(object);
            QTimer::singleShot(0, question, [question] { question->hide(); });
        }
        return false;
    }
};

void BM_CalculateToQuestionShown(benchmark::State& state) {
    bench::QuietPlatform platform;
    AppState app;
    LoadResult loaded = parseSolventDatabase(bench::shippedDatabaseText());
    if (!std::holds_alternative<SolventTable>(loaded)) {
        state.SkipWithError("the shipped database did not load");
        return;
    }
    app.table = std::get<SolventTable>(loaded);
    ui::SolventLabelModel model(app.table);
    bench::NoNavigator navigator;
    CustomSolventService custom(app.custom, platform);
    FrmCalculateParamsfromMix screen(app, platform, navigator, custom, &model);
    screen.show();

    // Three solvents and 0.5 / 0.3 / 0.2, entered through the screen's handlers.
    const char* fractions[] = {"0.5", "0.3", "0.2"};
    for (int k = 1; k <= 3; ++k) {
        auto* list = screen.findChild<QAbstractItemView*>(QStringLiteral("lstSolvent%1").arg(k));
        ui::selectRow(list, k);
        emit list->doubleClicked(list->model()->index(k, 0));
        auto* field = screen.findChild<QLineEdit*>(QStringLiteral("txtInputCon%1").arg(k));
        field->setText(QLatin1String(fractions[k - 1]));
        field->setModified(true);
        emit field->editingFinished();
    }
    auto* calculate = screen.findChild<QPushButton*>(QStringLiteral("cmdCalculate"));

    QuestionWatcher watcher;
    qApp->installEventFilter(&watcher);
    for (auto _ : state) {
        watcher.shownAt = -1;
        watcher.clock.start();
        calculate->click();  // returns once the question has been answered
        if (watcher.shownAt < 0) {
            state.SkipWithError(platform.messages.empty() ? "the question was not shown"
                                                          : platform.messages.front().toUtf8().constData());
            break;
        }
        state.SetIterationTime(static_cast<double>(watcher.shownAt) / 1e9);
    }
    qApp->removeEventFilter(&watcher);
}
BENCHMARK(BM_CalculateToQuestionShown)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
