#pragma once
// The Teas chart window: modeless, resizable, discarded by its close box. It
// draws what the screen that opened it marks, redrawn whenever that screen
// says its marks changed, and puts a solvent picked on the chart into one of
// that screen's slots through the screen's own double-click handler. Under
// the chart a line says what the blend's evaporation path is, or why there is
// none, and where it leaves or enters a solubility test's zone.

#include "chart/teas_chart_widget.h"

#include <QWidget>
#include <optional>
#include <vector>

class QLabel;

namespace tarnwell {
namespace ui {
class Platform;
class ChartSource;
class ChartOpener;
}  // namespace ui
struct SolventTable;
struct SolventPropertiesFile;

class FrmTeasChart : public QWidget {
    Q_OBJECT
public:
    // `properties` gives the vapour pressures the evaporation path needs; it
    // outlives the window (the application's state).
    FrmTeasChart(ui::Platform& platform, const SolventTable& table, const SolventPropertiesFile& properties,
                 ui::ChartOpener& opener, QWidget* parent = nullptr);

    TeasChartWidget* chart() const { return chart_; }
    QLabel* evaporationLine() const { return lblEvaporation_; }

    // Draws another window's marks too, for as long as that window lives.
    // Where two sources mark the same thing, the one added first (the opener)
    // wins.
    void addSource(ui::ChartSource& source);

signals:
    // "Solubility Test…" was pressed: the test window is wanted.
    void solubilityTestRequested();

private:
    void refresh();
    // Works the path out again when the blend or the zone changed.
    void showEvaporation(const ui::ChartMarks& marks);

    ui::Platform& platform_;
    const SolventPropertiesFile& properties_;
    ui::ChartOpener* opener_;  // null once the opener is gone
    std::vector<ui::ChartSource*> sources_;  // the opener first
    TeasChartWidget* chart_ = nullptr;
    QLabel* lblEvaporation_ = nullptr;
    // What the path on show was worked out from; nothing yet until the first refresh.
    std::optional<std::pair<std::optional<EvaporationInput>, std::vector<ui::ChartMark>>> pathFrom_;
};

}  // namespace tarnwell
