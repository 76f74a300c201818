#pragma once
// The application: owns the shared state and every screen, creates screens on
// their first showing, and moves between them.

#include "core/state.h"
#include "ui/navigator.h"

#include <QPointer>
#include <array>
#include <memory>

namespace tarnwell {
namespace ui {
class Platform;
class SolventLabelModel;
}  // namespace ui
class CustomSolventService;
class FrmSolverStartup;
class FrmReadDatabase;
class DatabaseReadAhead;
class FrmSolvermain;
class FrmCalculateParamsfromMix;
class HelpPages;
class FrmTeasChart;
class FrmSolubilityTest;
class FrmFindBlends;

class Application final : public ui::Navigator {
public:
    explicit Application(ui::Platform& platform);
    ~Application() override;

    // Shows the startup screen; everything else follows from the user.
    void start();

    void showMainScreen() override;
    void showCalculator() override;
    void showHelp(ui::HelpEntry entry, QWidget* from) override;
    void showNoteOnMixturesModal(QWidget* from) override;
    void showHelpModal(ui::HelpEntry entry, QWidget* from) override;
    void showEvaporation(const EvaporationInput& blend, ui::EvaporationOf what, QWidget* from) override;
    void showTeasChart(ui::ChartOpener& from) override;
    void showSolubilityTest(QWidget* from) override;
    void showFinder(ui::FinderMode mode, QWidget* from) override;

    AppState& state() { return state_; }
    FrmSolverStartup* startupScreen() const;
    FrmSolvermain* mainScreen() const;
    FrmCalculateParamsfromMix* calculator() const;
    FrmTeasChart* teasChart() const;
    FrmSolubilityTest* solubilityTest() const;
    FrmFindBlends* finder(ui::FinderMode mode) const;
    CustomSolventService& customSolvents() { return *custom_; }
    HelpPages& helpPages() { return *help_; }

private:
    // First opening of the main screen: read the database, fill the lists.
    // On a failure the database message is shown and the program ends.
    bool openMainScreen();
    // The finder's window for a mode, wired to the screen its blends go to.
    std::unique_ptr<FrmFindBlends> makeFinder(ui::FinderMode mode);

    ui::Platform& platform_;
    AppState state_;
    std::unique_ptr<CustomSolventService> custom_;
    std::unique_ptr<HelpPages> help_;
    std::unique_ptr<ui::SolventLabelModel> solventLabels_;
    std::unique_ptr<FrmSolverStartup> startup_;
    std::unique_ptr<DatabaseReadAhead> readAhead_;  // from start until the main screen opens
    std::unique_ptr<FrmReadDatabase> notice_;
    std::unique_ptr<FrmSolvermain> main_;
    std::unique_ptr<FrmCalculateParamsfromMix> calculator_;
    std::unique_ptr<FrmSolubilityTest> solubilityTest_;  // kept once opened: closing hides it
    QPointer<FrmTeasChart> chart_;  // discarded by its close box
    ui::ChartOpener* chartOpener_ = nullptr;
    // One finder window for each mode, kept once opened: last, so that they go
    // before the screens their blends go to.
    std::array<std::unique_ptr<FrmFindBlends>, 2> finders_;
};

}  // namespace tarnwell
