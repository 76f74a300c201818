#pragma once
// The Teas chart window: modeless, resizable, discarded by its close box. It
// follows the screen that opened it through the callbacks it was given.

#include "chart/teas_chart_widget.h"

#include <QWidget>
#include <functional>

class QTimer;

namespace tarnwell {
namespace ui { class Platform; }
struct SolventTable;

class FrmTeasChart : public QWidget {
    Q_OBJECT
public:
    using MarksReader = std::function<ChartMarks()>;
    using SlotLoader = std::function<void(int slot, int row)>;

    FrmTeasChart(ui::Platform& platform, const SolventTable& table, MarksReader readMarks, SlotLoader loadSlot,
                 QWidget* parent = nullptr);

    TeasChartWidget* chart() const { return chart_; }

public slots:
    // Reads the opener's choices again and redraws what changed.
    void refresh();

private:
    ui::Platform& platform_;
    MarksReader readMarks_;
    TeasChartWidget* chart_ = nullptr;
    QTimer* follow_ = nullptr;
};

// The chart's points for a table: every solvent but the custom-entry row.
std::vector<ChartSolvent> chartSolvents(const SolventTable& table);

}  // namespace tarnwell
