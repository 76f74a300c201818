#pragma once
// The Teas chart window: modeless, resizable, discarded by its close box. It
// draws what the screen that opened it marks, redrawn whenever that screen
// says its marks changed, and puts a solvent picked on the chart into one of
// that screen's slots through the screen's own double-click handler.

#include "chart/teas_chart_widget.h"

#include <QWidget>
#include <vector>

namespace tarnwell {
namespace ui {
class Platform;
class ChartSource;
class ChartOpener;
}  // namespace ui
struct SolventTable;

class FrmTeasChart : public QWidget {
    Q_OBJECT
public:
    FrmTeasChart(ui::Platform& platform, const SolventTable& table, ui::ChartOpener& opener,
                 QWidget* parent = nullptr);

    TeasChartWidget* chart() const { return chart_; }

    // Draws another window's marks too, for as long as that window lives.
    // Where two sources mark the same thing, the one added first (the opener)
    // wins.
    void addSource(ui::ChartSource& source);

signals:
    // "Solubility Test…" was pressed: the test window is wanted.
    void solubilityTestRequested();

private:
    void refresh();

    ui::Platform& platform_;
    ui::ChartOpener* opener_;  // null once the opener is gone
    std::vector<ui::ChartSource*> sources_;  // the opener first
    TeasChartWidget* chart_ = nullptr;
};

}  // namespace tarnwell
