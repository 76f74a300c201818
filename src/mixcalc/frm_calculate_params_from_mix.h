#pragma once
// The mixture calculator screen: three solvent columns with their
// concentrations, the running total, Calculate with its result box, and the
// print question.

#include "core/evaporation.h"
#include "core/mixture.h"
#include "core/state.h"
#include "slotscreen/slot_screen.h"
#include "ui/forward.h"

#include <QWidget>
#include <array>
#include <memory>
#include <optional>

namespace tarnwell {
class FrmPrintResults;

class FrmCalculateParamsfromMix : public QWidget, public SlotScreen {
    Q_OBJECT
public:
    FrmCalculateParamsfromMix(AppState& state, ui::Platform& platform, ui::Navigator& navigator,
                              CustomSolventService& custom, QAbstractItemModel* solventLabels,
                              QWidget* parent = nullptr);
    ~FrmCalculateParamsfromMix() override;

    // The calculator's own state, for tests and the print question.
    const std::array<MixSlot, 3>& mixSlots() const { return mixSlots_; }
    const MixtureCalculation& calculation() const { return calc_; }
    // The print question (created with the screen and kept).
    FrmPrintResults* printQuestion() const { return printResults_.get(); }

    // The loaded solvents and the last mixture worked out, with what the
    // chart needs for its evaporation path.
    ui::ChartMarks chartMarks() const override;

private slots:
    void UserForm_Initialize();
    void lstSolvent_DblClick(int k) override;
    void chkUse2Solvents_Click();
    void txtInputCon_AfterUpdate(int k);
    void cmdCalculate_Click();
    void cmdHelpConcentrationForm_Click();
    void cmdGoToSolvermain_Click();
    void cmdReferences_Click();
    void cmdEvaporation_Click();

private:
    void buildSlotColumn(int k, double left);
    void buildResultBox();
    void showTotal();
    void showResult(const MixtureOutcome& outcome);
    void clearMixtureFigures();
    void resetAfterQuestion();
    // What the result box shows, in words for the print question.
    QString spokenResult() const;

    std::array<MixSlot, 3> mixSlots_;
    MixtureCalculation calc_;
    std::optional<ui::ChartMark> mixtureMark_;  // the N, D, W of the last mixture shown
    // The last mixture calculated, as Calculate took it: what "Evaporation…"
    // shows and the chart's path starts from, whatever the columns hold since.
    std::optional<EvaporationInput> lastMixture_;

    std::array<QLineEdit*, 3> concentrations_{};  // txtInputCon1..3
    QLabel* lblTotalInputCon_ = nullptr;
    QPushButton* cmdCalculate_ = nullptr;
    QCheckBox* chkUse2Solvents_ = nullptr;
    QPushButton* cmdGoToSolvermain_ = nullptr;
    QFrame* frameResults2_ = nullptr;
    std::array<QLineEdit*, 3> ndwResult_{};  // txtNinframe2, txtDinframe2, txtWinframe2
    QLineEdit* txtTLVMixture_ = nullptr;
    QLineEdit* txtVHRMixture_ = nullptr;
    QLabel* lblWarning_ = nullptr;
    std::unique_ptr<FrmPrintResults> printResults_;
};

}  // namespace tarnwell
