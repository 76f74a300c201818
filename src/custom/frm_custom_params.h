#pragma once
// The custom solvent screen: three 100..0 lists for N, D and W, the molecular
// weight and the specific gravity. A passed OK leaves the values in the shared
// custom-solvent result and hides the screen; the screen never knows which
// slot the values are for.

#include "core/state.h"

#include <QDialog>
#include <array>

class QCloseEvent;
class QLabel;
class QLineEdit;
class QListWidget;

namespace tarnwell::ui { class Platform; }

namespace tarnwell {

class FrmCustomParams : public QDialog {
    Q_OBJECT
public:
    FrmCustomParams(CustomSolventResult& result, ui::Platform& platform);

    // True once the user has closed the screen with its close box (or Escape):
    // the screen is then spent and its owner makes a fresh one.
    bool discarded() const { return discarded_; }

    // The content of all three lists: entry i is 100 - i.
    const std::array<std::int16_t, 101>& percentValues() const { return percentValues_; }

public slots:
    // Escape and the close box both end here: a cancelled entry.
    void reject() override;

private slots:
    void UserForm_Initialize();
    void lstCustomN_Click();
    void lstCustomD_Click();
    void lstCustomW_Click();
    void cmdCustomParamOk_Click();
    void cmdCustomHelp_Click();

private:
    void buildControls();
    // Reads the list's value into `value`; a list the user managed to
    // deselect gets its previous row back instead of an impossible 101.
    void readList(QListWidget* list, std::int16_t& value);
    void showTotal();
    void fail(const char* text);

    CustomSolventResult& result_;
    ui::Platform& platform_;
    std::array<std::int16_t, 101> percentValues_{};
    bool discarded_ = false;

    std::array<QListWidget*, 3> lists_{};  // lstCustomN, lstCustomD, lstCustomW
    QLabel* lblCustomTotal_ = nullptr;
    QLineEdit* txtMolWeight_ = nullptr;
    QLineEdit* txtSpecGravity_ = nullptr;
};

}  // namespace tarnwell
