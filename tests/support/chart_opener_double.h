#pragma once
// A stand-in for a screen the Teas chart is opened from: the test sets its
// marks, and every solvent the chart hands back is recorded.

#include "ui/chart_source.h"

#include <QWidget>
#include <array>
#include <ostream>
#include <utility>
#include <vector>

namespace tarnwell::ui {
// Readable marks in test failures.
inline void PrintTo(const ChartMark& m, std::ostream* os) { *os << "(" << m.n << ", " << m.d << ", " << m.w << ")"; }
inline void PrintTo(const ChartMarks& marks, std::ostream* os) {
    auto one = [os](const char* name, const std::optional<ChartMark>& m) {
        *os << name << " ";
        if (m) PrintTo(*m, os);
        else *os << "-";
        *os << "; ";
    };
    const char* names[] = {"slot 1", "slot 2", "slot 3"};
    for (std::size_t k = 0; k < marks.slotMarks.size(); ++k) one(names[k], marks.slotMarks[k]);
    one("target", marks.target);
    one("blend", marks.blend);
}
}  // namespace tarnwell::ui

namespace tarnwell::testing {

class ChartOpenerDouble : public QWidget, public ui::ChartOpener {
public:
    ui::ChartMarks chartMarks() const override { return marks_; }
    void setMarks(const ui::ChartMarks& marks) {
        marks_ = marks;
        tellChart();
    }
    void loadSolventIntoSlot(int k, int row) override { loads.emplace_back(k, row); }
    QWidget* openerWindow() const override { return const_cast<ChartOpenerDouble*>(this); }

    std::vector<std::pair<int, int>> loads;  // (slot 0..2, row)

private:
    ui::ChartMarks marks_;
};

}  // namespace tarnwell::testing
