#include "mixcalc/frm_calculate_params_from_mix.h"

#include "ui/layout.h"
#include "ui/platform.h"

#include <QCloseEvent>

namespace tarnwell {

FrmCalculateParamsfromMix::FrmCalculateParamsfromMix(AppState& state, ui::Platform& platform,
                                                     ui::Navigator& navigator, CustomSolventService& custom,
                                                     QAbstractItemModel* solventLabels, QWidget* parent)
    : QWidget(parent, Qt::Window),
      state_(state),
      platform_(platform),
      navigator_(navigator),
      custom_(custom),
      solventLabels_(solventLabels) {
    setObjectName(QStringLiteral("frmCalculateParamsfromMix"));
    setWindowTitle(QStringLiteral("Tarnwell - Concentration Form"));
    ui::setFixedClientSize(this, 594, 429.75);
}

void FrmCalculateParamsfromMix::closeEvent(QCloseEvent* event) {
    event->accept();
    platform_.endProgram(0);
}

}  // namespace tarnwell
