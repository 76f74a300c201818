#include "app/application.h"

#include "app/frm_solver_startup.h"
#include "chart/frm_teas_chart.h"
#include "custom/custom_solvent.h"
#include "data/database_loading.h"
#include "help/help_pages.h"
#include "mixcalc/frm_calculate_params_from_mix.h"
#include "soltest/trial_window.h"
#include "ui/chart_source.h"
#include "ui/layout.h"
#include "ui/solvent_labels.h"
#include "ui/platform.h"
#include "workbench/frm_solvermain.h"


namespace tarnwell {

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
    solventLabels_ = ui::makeSolventLabelModel(state_.table);
    main_ = std::make_unique<FrmSolvermain>(state_, platform_, *this, *custom_, solventLabels_.get());
    ui::centreOn(main_.get(), nullptr);
    return true;
}

void Application::showMainScreen() {
    if (!main_ && !openMainScreen()) return;
    main_->show();
    main_->raise();
    main_->activateWindow();
}

void Application::showCalculator() {
    if (!calculator_) {
        calculator_ = std::make_unique<FrmCalculateParamsfromMix>(state_, platform_, *this, *custom_,
                                                                  solventLabels_.get());
        ui::centreOn(calculator_.get(), main_.get());
    }
    calculator_->show();
    calculator_->raise();
    calculator_->activateWindow();
}

void Application::showHelp(ui::HelpEntry entry, QWidget* from) { help_->show(entry, from); }

void Application::showNoteOnMixturesModal(QWidget* from) { help_->showNoteOnMixturesModal(from); }

void Application::showTeasChart(ui::ChartOpener& from) {
    if (state_.table.records.empty()) return;
    // One chart at a time, for one screen: a chart of the other screen goes.
    if (chart_ && chartOpener_ != &from) delete chart_.data();
    if (!chart_) {
        chartOpener_ = &from;
        chart_ = new FrmTeasChart(platform_, state_.table, from);
        ui::centreOn(chart_, from.openerWindow());
        QObject::connect(chart_, &FrmTeasChart::solubilityTestRequested, chart_,
                         [this] { showSolubilityTest(chart_); });
        if (solubilityTest_) chart_->addSource(*solubilityTest_);
    }
    chart_->show();
    chart_->raise();
    chart_->activateWindow();
}

void Application::showSolubilityTest(QWidget* from) {
    if (!main_) return;
    if (!solubilityTest_) {
        solubilityTest_ = std::make_unique<FrmSolubilityTest>(state_, platform_, *this, solventLabels_.get());
        FrmSolvermain* main = main_.get();
        FrmSolubilityTest::Workbench workbench;
        workbench.setTarget = [main](int n, int d, int w, const QString& name) { main->takeTarget(n, d, w, name); };
        workbench.loadSolvents = [main](const std::array<int, 3>& rows, int size) {
            // Mode first: switching it empties slot 3. A solvent alone goes into slot 1.
            if (size >= 2) main->setUseOnlyTwoSolvents(size == 2);
            for (int k = 0; k < size; ++k) main->loadSolventIntoSlot(k, rows[static_cast<std::size_t>(k)]);
        };
        workbench.calculate = [main] {
            main->raise();
            main->calculate();
        };
        solubilityTest_->setWorkbench(std::move(workbench));
        ui::centreOn(solubilityTest_.get(), from);
        if (chart_) chart_->addSource(*solubilityTest_);
    }
    solubilityTest_->show();
    solubilityTest_->raise();
    solubilityTest_->activateWindow();
}

FrmTeasChart* Application::teasChart() const { return chart_; }
FrmSolubilityTest* Application::solubilityTest() const { return solubilityTest_.get(); }

FrmSolverStartup* Application::startupScreen() const { return startup_.get(); }
FrmSolvermain* Application::mainScreen() const { return main_.get(); }
FrmCalculateParamsfromMix* Application::calculator() const { return calculator_.get(); }

}  // namespace tarnwell
