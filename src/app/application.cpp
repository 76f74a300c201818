#include "app/application.h"

#include "app/frm_solver_startup.h"
#include "custom/custom_solvent.h"
#include "data/database_loading.h"
#include "help/help_pages.h"
#include "mixcalc/frm_calculate_params_from_mix.h"
#include "ui/layout.h"
#include "ui/platform.h"
#include "workbench/frm_solvermain.h"

#include <QStringListModel>

namespace tarnwell {

Application::Application(ui::Platform& platform)
    : platform_(platform),
      custom_(std::make_unique<CustomSolventService>(state_.custom, platform)),
      help_(std::make_unique<HelpPages>(platform)) {}

Application::~Application() = default;

void Application::start() {
    startup_ = std::make_unique<FrmSolverStartup>(platform_);
    QObject::connect(startup_.get(), &FrmSolverStartup::accepted, startup_.get(), [this] { showMainScreen(); });
    ui::centreOn(startup_.get(), nullptr);
    startup_->show();
}

bool Application::openMainScreen() {
    notice_ = std::make_unique<FrmReadDatabase>();
    std::optional<SolventTable> table = loadSolventDatabase(platform_, *notice_);
    if (!table) {
        platform_.endProgram(1);
        return false;
    }
    state_.table = std::move(*table);
    QStringList labels;
    labels.reserve(static_cast<qsizetype>(state_.table.labels.size()));
    for (const std::string& label : state_.table.labels) labels << QString::fromStdString(label);
    solventLabels_ = std::make_unique<QStringListModel>(labels);
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

FrmSolverStartup* Application::startupScreen() const { return startup_.get(); }
FrmSolvermain* Application::mainScreen() const { return main_.get(); }
FrmCalculateParamsfromMix* Application::calculator() const { return calculator_.get(); }

}  // namespace tarnwell
