#include "app/application.h"

#include "app/frm_solver_startup.h"
#include "chart/frm_teas_chart.h"
#include "custom/custom_solvent.h"
#include "data/database_loading.h"
#include "help/help_pages.h"
#include "mixcalc/frm_calculate_params_from_mix.h"
#include "ui/events.h"
#include "ui/layout.h"
#include "ui/solvent_labels.h"
#include "ui/platform.h"
#include "workbench/frm_solvermain.h"

#include <QAbstractItemView>
#include <QLineEdit>

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

namespace {

std::optional<ChartMark> markFromFields(QWidget* screen, const QString& n, const QString& d, const QString& w) {
    auto* fn = screen->findChild<QLineEdit*>(n);
    auto* fd = screen->findChild<QLineEdit*>(d);
    auto* fw = screen->findChild<QLineEdit*>(w);
    if (!fn || !fd || !fw || fn->text().trimmed().isEmpty()) return std::nullopt;
    return ChartMark{fn->text().trimmed().toDouble(), fd->text().trimmed().toDouble(), fw->text().trimmed().toDouble()};
}

// What a screen shows in its slot fields: a slot counts once its N field is filled.
ChartMarks marksOfScreen(QWidget* screen) {
    ChartMarks marks;
    for (int k = 1; k <= 3; ++k) {
        const QString p = QStringLiteral("txtSolvent%1_").arg(k);
        marks.slotMarks[static_cast<std::size_t>(k - 1)] = markFromFields(screen, p + "N", p + "D", p + "W");
    }
    return marks;
}

}  // namespace

void Application::showTeasChart(QWidget* from) {
    if (!from || state_.table.records.empty()) return;
    if (chart_ && chartOpener_ != from) chart_->close();
    if (!chart_) {
        chartOpener_ = from;
        const bool fromMain = from == main_.get();
        auto readMarks = [this, from, fromMain] {
            ChartMarks marks = marksOfScreen(from);
            if (fromMain) {
                const TargetPoint& t = state_.target;
                if (t.n + t.d + t.w == 100) marks.target = ChartMark{double(t.n), double(t.d), double(t.w)};
                const BlendResult& b = state_.blendResult;
                if (b.mixN + b.mixD + b.mixW > 0) marks.blend = ChartMark{b.mixN, b.mixD, b.mixW};
            } else {
                marks.blend = markFromFields(from, QStringLiteral("txtNinframe2"), QStringLiteral("txtDinframe2"),
                                             QStringLiteral("txtWinframe2"));
            }
            return marks;
        };
        // A point chosen on the chart goes into the slot through the list's own
        // double-click handler, exactly as if the user had double-clicked it.
        auto loadSlot = [from](int slot, int row) {
            auto* list = from->findChild<QAbstractItemView*>(QStringLiteral("lstSolvent%1").arg(slot));
            if (!list || !list->isEnabled()) return;
            ui::selectRow(list, row);
            const QModelIndex index = list->model()->index(row, 0);
            QMetaObject::invokeMethod(list, "doubleClicked", Q_ARG(QModelIndex, index));
        };
        chart_ = new FrmTeasChart(platform_, state_.table, readMarks, loadSlot);
        ui::centreOn(chart_, from);
    }
    chart_->show();
    chart_->raise();
    chart_->activateWindow();
}

FrmTeasChart* Application::teasChart() const { return chart_; }

FrmSolverStartup* Application::startupScreen() const { return startup_.get(); }
FrmSolvermain* Application::mainScreen() const { return main_.get(); }
FrmCalculateParamsfromMix* Application::calculator() const { return calculator_.get(); }

}  // namespace tarnwell
