#pragma once
// The solubility test window: the material, the liquids it was tried with
// and what each did, the zone this implies on its own Teas chart (and on the
// main Teas chart while the window is open), and the ways from the zone to
// the main screen: its centre as the target, or the safest blend inside it
// found by the blend finder in its zone mode. A test is kept in a file only
// when the user saves it.

#include "core/solubility_trial.h"
#include "core/solubility_zone.h"
#include "core/state.h"
#include "ui/chart_source.h"
#include "ui/forward.h"

#include <QWidget>
#include <array>
#include <functional>

namespace tarnwell {
class TeasChartWidget;
class TestLiquidTable;
struct ZoneBlend;

class FrmSolubilityTest : public QWidget, public ui::ChartSource {
    Q_OBJECT
public:
    // What the test asks of the main screen, each by the main screen's own steps.
    struct Workbench {
        // The target lists set to N, D, W (as clicking them), then the target named.
        std::function<void(int n, int d, int w, const QString& name)> setTarget;
        // Solvents into slots 1.. as double-clicks do; a pair in two-solvent mode.
        std::function<void(const std::array<int, 3>& rows, int size)> loadSolvents;
        // Calculate, with its report or its message.
        std::function<void()> calculate;
    };

    FrmSolubilityTest(AppState& state, ui::Platform& platform, ui::Navigator& navigator,
                      QAbstractItemModel* solventLabels, QWidget* parent = nullptr);
    ~FrmSolubilityTest() override;

    void setWorkbench(Workbench workbench) { workbench_ = std::move(workbench); }

    const SolubilityTest& test() const { return test_; }
    const SolubilityZone& zone() const { return zone_; }
    double margin() const { return margin_; }
    TeasChartWidget* chart() const { return chart_; }

    // For the blend finder in its zone mode, which the application opens for
    // "Find Blends in Zone…" and keeps: the zone for a margin and what to call
    // it, the margin as set in either window, and a chosen blend. `finder` is
    // the finder's window, where what came of the blend is said: in its
    // status line (`showStatus`) and in any message.
    SolubilityZone zoneFor(double margin) const;
    QString zoneHeading() const;
    void setMargin(double margin);
    void useZoneBlend(const ZoneBlend& blend, const SolubilityZone& zone, QWidget* finder,
                      const std::function<void(const QString&)>& showStatus);

    // The test's liquids and zone while the window is shown; nothing when hidden.
    ui::ChartMarks chartMarks() const override;

signals:
    // The margin changed, here or in the finder.
    void marginChanged(double margin);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private slots:
    void lstTestSolvent_DblClick();
    void cmdAddMixture_Click();
    void cmdAddSeries_Click();
    void cmdRemoveLiquid_Click();
    void chkMixThree_Click();
    void cmdZoneCentreAsTarget_Click();
    void cmdFindInZone_Click();
    void cmdSaveTest_Click();
    void cmdOpenTest_Click();
    void cmdPrint_Click();
    void cmdHelp_Click();

private:
    QWidget* buildSolventBox();
    QWidget* buildMixtureBox();
    QWidget* buildSeriesBox();
    QWidget* buildZonePanel();

    // Adds the liquid, or says why not and changes nothing.
    bool addLiquid(TestLiquid liquid);
    void setResult(int row, TestResult result);
    void setTest(SolubilityTest test);
    // Works out the zone again and shows it: table colours, chart, texts.
    void testChanged();
    void inputError(const std::string& text);
    QString materialText() const;

    AppState& state_;
    ui::Platform& platform_;
    ui::Navigator& navigator_;
    QAbstractItemModel* solventLabels_;
    Workbench workbench_;

    QLineEdit* txtMaterial_ = nullptr;
    ui::SolventListView* lstTestSolvent_ = nullptr;
    std::array<QComboBox*, 3> cboMixSolvent_{};
    std::array<QLineEdit*, 3> txtMixFraction_{};
    QCheckBox* chkMixThree_ = nullptr;
    QComboBox* cboSeriesFrom_ = nullptr;
    QComboBox* cboSeriesTo_ = nullptr;
    QSpinBox* spnSeriesStep_ = nullptr;
    TestLiquidTable* tblTestLiquids_ = nullptr;
    TeasChartWidget* chart_ = nullptr;
    QLabel* lblZoneStatus_ = nullptr;
    QLabel* lblZoneCentre_ = nullptr;
    QLabel* lblZoneWarning_ = nullptr;
    QDoubleSpinBox* spnMargin_ = nullptr;
    QLabel* lblStatus_ = nullptr;

    // The test, and the zone it implies with the margin.
    SolubilityTest test_;
    SolubilityZone zone_;
    double margin_ = kDefaultZoneMargin;
    ui::ZoneOverlay overlay_;
};

}  // namespace tarnwell
