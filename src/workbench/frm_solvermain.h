#pragma once
// The main screen: three solvent columns, the target, and the buttons that
// lead to the solver, the calculator and the help.

#include "core/evaporation.h"
#include "core/state.h"
#include "slotscreen/slot_screen.h"
#include "ui/forward.h"

#include <QWidget>
#include <array>

namespace tarnwell {

class FrmSolvermain : public QWidget, public SlotScreen {
    Q_OBJECT
public:
    FrmSolvermain(AppState& state, ui::Platform& platform, ui::Navigator& navigator,
                  CustomSolventService& custom, QAbstractItemModel* solventLabels, QWidget* parent = nullptr);

    // A blend of the finder, in either of its modes: the solvents into slots
    // 1.. as double-clicks put them there (a pair in two-solvent mode, a triple
    // in three-solvent mode, a solvent alone into slot 1 with the mode as it is).
    void loadBlend(const std::array<int, 3>& rows, int size);
    // The same steps as Calculate: the report, or the message that says why not.
    void calculate();
    // For the solubility test: the target lists set to N, D, W as clicks on
    // their rows set them (total, colour and fields follow), then the target
    // named. Its TWA, VHR and effects are left empty, as for a target set by hand.
    void takeTarget(int n, int d, int w, const QString& name);

    // The chosen solvents, the target once it adds up to 100, the last blend
    // solved with what the chart needs for its evaporation path.
    ui::ChartMarks chartMarks() const override;

private slots:
    void UserForm_Initialize();
    void lstSolvent_DblClick(int k) override;
    void CheckBox1_Click();
    void lstTarget_Click(int which);
    void cmdEnterasTarget_Click();
    void cmdCalculate_Click();
    void CommandButton3_Click();
    void CommandButton2_Click();
    void cmdReferences_Click();
    void cmdFindBlends_Click();
    void cmdSolubilityTest_Click();

private:
    void buildSlotColumn(int k, double left);
    void buildTargetFrame();
    void setSlotBackground(int k, const QColor& colour);
    void setTargetFieldsEditable(bool editable);
    void showTotal();
    // The same steps as ticking " Use only 2 solvents" (when it changes).
    void setUseOnlyTwoSolvents(bool on);

    QGroupBox* frame1_ = nullptr;
    QLabel* lblTotal_ = nullptr;
    QLineEdit* txtTargetTLV_ = nullptr;
    QLineEdit* txtTargetVHR_ = nullptr;
    QLineEdit* txtTargetName_ = nullptr;
    QLineEdit* txtEffectsTarget_ = nullptr;
    QCheckBox* checkBox1_ = nullptr;
    std::array<QListWidget*, 3> targetLists_{};  // N, D, W
    // The solvents and amounts of the blend the chart marks, taken when it
    // was solved: the slots may change afterwards, the mark stays.
    std::optional<EvaporationInput> blendEvaporation_;
};

}  // namespace tarnwell
