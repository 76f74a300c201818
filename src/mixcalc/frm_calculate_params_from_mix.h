#pragma once
// The mixture calculator screen: three solvent columns with their
// concentrations, the running total, Calculate with its result box, and the
// print question.

#include "core/mixture.h"
#include "core/state.h"

#include <QWidget>
#include <array>
#include <memory>

class QAbstractItemModel;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarnwell {
namespace ui {
class Platform;
class Navigator;
class SolventListView;
}  // namespace ui
class CustomSolventService;
class FrmPrintResults;

class FrmCalculateParamsfromMix : public QWidget {
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

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void UserForm_Initialize();
    void lstSolvent_Click(int k);
    void lstSolvent_DblClick(int k);
    void chkUse2Solvents_Click();
    void txtInputCon_AfterUpdate(int k);
    void cmdCalculate_Click();
    void cmdHelpConcentrationForm_Click();
    void cmdGoToSolvermain_Click();
    void cmdReferences_Click();

private:
    struct SlotControls {
        ui::SolventListView* list = nullptr;
        QLineEdit* n = nullptr;
        QLineEdit* d = nullptr;
        QLineEdit* w = nullptr;
        QLineEdit* twa = nullptr;
        QLineEdit* vhr = nullptr;
        QLineEdit* effects = nullptr;
        QLineEdit* concentration = nullptr;
    };

    void buildSlotColumn(int k, double left);
    void buildResultBox();
    void showTotal();
    void showResult(const MixtureOutcome& outcome);
    void resetAfterQuestion();

    AppState& state_;
    ui::Platform& platform_;
    ui::Navigator& navigator_;
    CustomSolventService& custom_;
    QAbstractItemModel* solventLabels_;

    std::array<MixSlot, 3> mixSlots_;
    MixtureCalculation calc_;

    std::array<SlotControls, 3> slots_;
    QLabel* lblTotalInputCon_ = nullptr;
    QPushButton* cmdCalculate_ = nullptr;
    QCheckBox* chkUse2Solvents_ = nullptr;
    QPushButton* cmdHelpConcentrationForm_ = nullptr;
    QPushButton* cmdGoToSolvermain_ = nullptr;
    QPushButton* cmdReferences_ = nullptr;
    QPushButton* cmdTeasChart_ = nullptr;
    QFrame* frameResults2_ = nullptr;
    std::array<QLineEdit*, 3> ndwResult_{};  // txtNinframe2, txtDinframe2, txtWinframe2
    QLineEdit* txtTLVMixture_ = nullptr;
    QLineEdit* txtVHRMixture_ = nullptr;
    QLabel* lblWarning_ = nullptr;
    std::unique_ptr<FrmPrintResults> printResults_;
};

}  // namespace tarnwell
