#pragma once
// The main screen: three solvent columns, the target, and the buttons that
// lead to the solver, the calculator and the help.

#include "core/state.h"

#include <QWidget>
#include <array>
#include <string>

class QAbstractItemModel;
class QCheckBox;
class QColor;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tarnwell {
namespace ui {
class Platform;
class Navigator;
class SolventListView;
}  // namespace ui
class CustomSolventService;
class FrmFindBlends;

class FrmSolvermain : public QWidget {
    Q_OBJECT
public:
    FrmSolvermain(AppState& state, ui::Platform& platform, ui::Navigator& navigator,
                  CustomSolventService& custom, QAbstractItemModel* solventLabels, QWidget* parent = nullptr);

    // For the blend finder: the same steps as a double-click on `row` of slot
    // k's list (k = 0..2), as ticking " Use only 2 solvents", and as Calculate.
    void loadSolventIntoSlot(int k, int row);
    void setUseOnlyTwoSolvents(bool on);
    void calculate();

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void UserForm_Initialize();
    void lstSolvent_Click(int k);
    void lstSolvent_DblClick(int k);
    void CheckBox1_Click();
    void lstTarget_Click(int which);
    void cmdEnterasTarget_Click();
    void cmdCalculate_Click();
    void CommandButton3_Click();
    void CommandButton2_Click();
    void cmdReferences_Click();
    void cmdFindBlends_Click();

private:
    struct SlotControls {
        ui::SolventListView* list = nullptr;
        QLineEdit* n = nullptr;
        QLineEdit* d = nullptr;
        QLineEdit* w = nullptr;
        QLineEdit* twa = nullptr;
        QLineEdit* vhr = nullptr;
        QLineEdit* effects = nullptr;
    };

    void buildSlotColumn(int k, double left);
    void buildTargetFrame();
    void clearSlotFields(int k);
    void setSlotBackground(int k, const QColor& colour);
    void setTargetFieldsEditable(bool editable);
    void showTotal();

    AppState& state_;
    ui::Platform& platform_;
    ui::Navigator& navigator_;
    CustomSolventService& custom_;
    QAbstractItemModel* solventLabels_;
    std::string description_;  // the last accepted custom entry's description

    std::array<SlotControls, 3> slots_;
    std::array<QListWidget*, 3> targetLists_{};  // N, D, W
    QGroupBox* frame1_ = nullptr;
    QLabel* lblTotal_ = nullptr;
    QLineEdit* txtTargetTLV_ = nullptr;
    QLineEdit* txtTargetVHR_ = nullptr;
    QLineEdit* txtTargetName_ = nullptr;
    QLineEdit* txtEffectsTarget_ = nullptr;
    QCheckBox* checkBox1_ = nullptr;
    QPushButton* cmdEnterasTarget_ = nullptr;
    QPushButton* cmdCalculate_ = nullptr;
    QPushButton* commandButton3_ = nullptr;
    QPushButton* commandButton2_ = nullptr;
    QPushButton* cmdReferences_ = nullptr;
    QPushButton* cmdFindBlends_ = nullptr;
    FrmFindBlends* frmFindBlends_ = nullptr;  // modeless, kept once opened
    QPushButton* cmdTeasChart_ = nullptr;
};

}  // namespace tarnwell
