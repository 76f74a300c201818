#pragma once
// The mixture calculator screen.

#include "core/state.h"

#include <QWidget>

class QAbstractItemModel;

namespace tarnwell {
namespace ui { class Platform; class Navigator; }
class CustomSolventService;

class FrmCalculateParamsfromMix : public QWidget {
    Q_OBJECT
public:
    FrmCalculateParamsfromMix(AppState& state, ui::Platform& platform, ui::Navigator& navigator,
                              CustomSolventService& custom, QAbstractItemModel* solventLabels,
                              QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    AppState& state_;
    ui::Platform& platform_;
    ui::Navigator& navigator_;
    CustomSolventService& custom_;
    QAbstractItemModel* solventLabels_;
};

}  // namespace tarnwell
