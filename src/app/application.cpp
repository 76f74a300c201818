#include "app/application.h"

#include "app/frm_solver_startup.h"
#include "chart/frm_teas_chart.h"
#include "custom/custom_solvent.h"
#include "data/database_loading.h"
#include "evaporation/frm_evaporation.h"
#include "finder/frm_find_blends.h"
#include "help/help_pages.h"
#include "mixcalc/frm_calculate_params_from_mix.h"
#include "soltest/trial_window.h"
#include "ui/chart_source.h"
#include "ui/keyboard.h"
#include "ui/layout.h"
#include "ui/solvent_labels.h"
#include "ui/platform.h"
#include "workbench/frm_solvermain.h"


namespace tarnwell {

namespace {

// A modeless window brought to the front with the keyboard's focus.
void bringUp(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

std::size_t indexOf(ui::FinderMode mode) { return mode == ui::FinderMode::Target ? 0 : 1; }

}  // namespace

Application::Application(ui::Platform& platform)
    : platform_(platform),
      custom_(std::make_unique<CustomSolventService>(state_.custom, platform)),
      help_(std::make_unique<HelpPages>(platform)) {}

Application::~Application() { delete chart_.data(); }

void Application::start() {
    readAhead_ = std::make_unique<DatabaseReadAhead>();
    startup_ = std::make_unique<FrmSolverStartup>(platform_);
    QObject::connect(startup_.get(), &FrmSolverStartup::accepted, startup_.get(), [this] { showMainScreen(); });
    ui::centreOn(startup_.get(), nullptr);
    startup_->show();
}

bool Application::openMainScreen() {
    notice_ = std::make_unique<FrmReadDatabase>();
    std::optional<SolventTable> table = loadSolventDatabase(platform_, *notice_, readAhead_.get());
    readAhead_.reset();
    if (!table) {
        platform_.endProgram(1);
        return false;
    }
    state_.table = std::move(*table);
    state_.properties = loadSolventProperties();
    solventLabels_ = ui::makeSolventLabelModel(state_.table);
    main_ = std::make_unique<FrmSolvermain>(state_, platform_, *this, *custom_, solventLabels_.get());
    ui::centreOn(main_.get(), nullptr);
    return true;
}

void Application::showMainScreen() {
    if (!main_ && !openMainScreen()) return;
    bringUp(main_.get());
}

void Application::showCalculator() {
    if (!calculator_) {
        calculator_ = std::make_unique<FrmCalculateParamsfromMix>(state_, platform_, *this, *custom_,
                                                                  solventLabels_.get());
        ui::centreOn(calculator_.get(), main_.get());
    }
    bringUp(calculator_.get());
}

void Application::showHelp(ui::HelpEntry entry, QWidget* from) { help_->show(entry, from); }

void Application::showNoteOnMixturesModal(QWidget* from) { help_->showNoteOnMixturesModal(from); }

void Application::showHelpModal(ui::HelpEntry entry, QWidget* from) { help_->showModal(entry, from); }

void Application::showEvaporation(const EvaporationInput& blend, ui::EvaporationOf what, QWidget* from) {
    const ui::KeyboardReturn keyboardBack(from);
    // Without a zone: the window's figures are the blend's own; the chart
    // tells where the path meets a test's zone.
    FrmEvaporation window(computeEvaporation(blend, state_.properties), what, platform_, *this);
    ui::centreOn(&window, from);
    window.exec();
}

void Application::showTeasChart(ui::ChartOpener& from) {
    if (state_.table.records.empty()) return;
    // One chart at a time, for one screen: a chart of the other screen goes.
    if (chart_ && chartOpener_ != &from) delete chart_.data();
    if (!chart_) {
        chartOpener_ = &from;
        chart_ = new FrmTeasChart(platform_, state_.table, state_.properties, from);
        ui::centreOn(chart_, from.openerWindow());
        QObject::connect(chart_, &FrmTeasChart::solubilityTestRequested, chart_,
                         [this] { showSolubilityTest(chart_); });
        if (solubilityTest_) chart_->addSource(*solubilityTest_);
    }
    bringUp(chart_);
}

void Application::showSolubilityTest(QWidget* from) {
    if (!main_) return;
    if (!solubilityTest_) {
        solubilityTest_ = std::make_unique<FrmSolubilityTest>(state_, platform_, *this, solventLabels_.get());
        FrmSolvermain* main = main_.get();
        FrmSolubilityTest::Workbench workbench;
        workbench.setTarget = [main](int n, int d, int w, const QString& name) { main->takeTarget(n, d, w, name); };
        workbench.loadSolvents = [main](const std::array<int, 3>& rows, int size) { main->loadBlend(rows, size); };
        workbench.calculate = [main] {
            main->raise();
            main->calculate();
        };
        solubilityTest_->setWorkbench(std::move(workbench));
        ui::centreOn(solubilityTest_.get(), from);
        if (chart_) chart_->addSource(*solubilityTest_);
    }
    bringUp(solubilityTest_.get());
}

void Application::showFinder(ui::FinderMode mode, QWidget* from) {
    if (!main_ || (mode == ui::FinderMode::Zone && !solubilityTest_)) return;
    std::unique_ptr<FrmFindBlends>& finder = finders_[indexOf(mode)];
    if (!finder) {
        finder = makeFinder(mode);
        ui::centreOn(finder.get(), from);
    }
    if (mode == ui::FinderMode::Zone) finder->setMargin(solubilityTest_->margin());
    bringUp(finder.get());
    finder->startSearch();
}

std::unique_ptr<FrmFindBlends> Application::makeFinder(ui::FinderMode mode) {
    auto finder = std::make_unique<FrmFindBlends>(state_, platform_, solventLabels_.get());
    FrmSolvermain* main = main_.get();
    if (mode == ui::FinderMode::Target) {
        finder->setUseBlendHandler([main](const FoundBlend& blend) {
            main->loadBlend(blend.rows, blend.size);
            main->raise();
            main->calculate();
        });
        return finder;
    }
    FrmSolubilityTest* test = solubilityTest_.get();
    FrmFindBlends* window = finder.get();
    finder->setZoneMode(
        [test](double margin) { return ZoneTarget{test->zoneFor(margin), test->zoneHeading()}; },
        [test](double margin) { test->setMargin(margin); },
        [test, window](const ZoneBlend& blend, const SolubilityZone& zone) {
            test->useZoneBlend(blend, zone, window, [window](const QString& text) { window->showStatus(text); });
        });
    QObject::connect(test, &FrmSolubilityTest::marginChanged, window, &FrmFindBlends::setMargin);
    return finder;
}

FrmFindBlends* Application::finder(ui::FinderMode mode) const { return finders_[indexOf(mode)].get(); }

FrmTeasChart* Application::teasChart() const { return chart_; }
FrmSolubilityTest* Application::solubilityTest() const { return solubilityTest_.get(); }

FrmSolverStartup* Application::startupScreen() const { return startup_.get(); }
FrmSolvermain* Application::mainScreen() const { return main_.get(); }
FrmCalculateParamsfromMix* Application::calculator() const { return calculator_.get(); }

}  // namespace tarnwell
