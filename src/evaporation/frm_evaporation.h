#pragma once
// frmEvaporation: how a blend changes as it evaporates and how readily it
// burns. A table of the remaining liquid at 0, 25, 50, 75 and 90 % evaporated,
// the solvent that remains last, the blend's flammability and each solvent's
// flash point, or why no path can be worked out. It shows what the core's
// computeEvaporation gives and works out nothing itself; it is modal, made
// for one showing (see ui::Navigator::showEvaporation).

#include "core/evaporation.h"
#include "ui/navigator.h"

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;
class QTableWidget;

namespace tarnwell {
namespace ui { class Platform; }

class FrmEvaporation : public QDialog {
    Q_OBJECT
public:
    FrmEvaporation(const EvaporationResult& result, ui::EvaporationOf what, ui::Platform& platform,
                   ui::Navigator& navigator);

    const EvaporationResult& result() const { return result_; }

    // The table's columns after the solvents' volume fractions.
    enum FigureColumn { N, D, W, Twa, Vhr, FigureCount };

private slots:
    void cmdPrint_Click();
    void cmdHelp_Click();

private:
    void fillTable();
    void fillTexts(ui::EvaporationOf what);

    EvaporationResult result_;
    ui::Platform& platform_;
    ui::Navigator& navigator_;

    QLabel* lblEvaporationOf_ = nullptr;
    QLabel* lblPropertiesFile_ = nullptr;
    QTableWidget* tblEvaporation_ = nullptr;
    QLabel* lblLastSolvent_ = nullptr;
    QLabel* lblRunOut_ = nullptr;
    QLabel* lblFlammability_ = nullptr;
    std::array<QLabel*, 3> lblFlashPoint_{};
    QLabel* lblModel_ = nullptr;
};

}  // namespace tarnwell
