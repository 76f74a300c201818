#pragma once
// frmResults: the report of a found blend. Everything on it is worked out
// while it is built; it changes no shared state and is discarded after each
// showing, so nothing of one report (notes, colours, widths) reaches the next.

#include "core/report_figures.h"
#include "core/state.h"

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tarnwell {
namespace ui { class Platform; class Navigator; }

class FrmResults : public QDialog {
    Q_OBJECT
public:
    // `mainScreen` is where the report is centred and what the note on
    // mixtures returns to; it is not the report's parent, so disabling it can
    // never disable the report.
    FrmResults(const AppState& state, ui::Platform& platform, ui::Navigator& navigator, QWidget* mainScreen);

    const ReportFigures& figures() const { return figures_; }

private slots:
    void cmdOk_Click();
    void cmdPrint_Click();
    void cmdNoteOnMixtures_Click();
    void cmdEvaporation_Click();

private:
    // The controls in the order of the design (it is their tab order).
    void buildLayout();
    void buildColumnHeadings();
    void buildSolventRows();
    void buildWarning();
    void buildComparison();
    void buildNotes();
    void UserForm_Initialize();

    const AppState& state_;
    ui::Platform& platform_;
    ui::Navigator& navigator_;
    QWidget* mainScreen_;
    ReportFigures figures_;

    std::array<QLabel*, 3> lblSolvent_{}, lblVolume_{}, lblTLV_{}, lblVHR_{}, lblNDWtext_{}, lblSolventNDW_{},
        lblEffects_{};
    QLabel* lblRef_ = nullptr;
    QLabel* lblWarning_ = nullptr;
    QLabel* lblTargetName_ = nullptr;
    QLabel* lblTargetN_ = nullptr;
    QLabel* lblTargetD_ = nullptr;
    QLabel* lblTargetW_ = nullptr;
    QLabel* lblTLVTarget_ = nullptr;
    QLabel* lblVHRTarget_ = nullptr;
    QLabel* lblTargetEffects_ = nullptr;
    QLabel* lblMixtureN_ = nullptr;
    QLabel* lblMixtureD_ = nullptr;
    QLabel* lblMixtureW_ = nullptr;
    QLabel* lblTLVMixPPM_ = nullptr;
    QLabel* lblVHRMixture_ = nullptr;
    QPushButton* cmdOk_ = nullptr;
    QPushButton* cmdPrint_ = nullptr;
    QPushButton* cmdNoteOnMixtures_ = nullptr;
    QPushButton* cmdEvaporation_ = nullptr;
    QLineEdit* textBox1_ = nullptr;
};

}  // namespace tarnwell
