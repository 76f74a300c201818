#pragma once
// What a window puts on the Teas chart, and how the chart hands a picked
// solvent back. Windows tell the chart when their marks change; the chart
// never looks into a window's controls.

#include "core/evaporation.h"

#include <QObject>
#include <array>
#include <optional>
#include <vector>

class QWidget;

namespace tarnwell::ui {

struct ChartMark {
    double n = 0, d = 0, w = 0;
    bool operator==(const ChartMark&) const = default;
};

// A liquid of a solubility test, drawn by what it did to the material.
enum class TestMarkKind { Dissolves, Partly, NoEffect, NotTried };

struct TestMark {
    ChartMark at;
    TestMarkKind kind = TestMarkKind::NotTried;
    bool insideZone = false;  // a No-effect liquid inside the zone: drawn as a warning
    bool operator==(const TestMark&) const = default;
};

// A solubility test on the chart: its liquids, the zone it implies (shaded)
// and the smaller region blends are looked for in, so the margin between the
// two shows. Polygons are corners in order; one or two corners for a zone
// that is a point or a segment.
struct ZoneOverlay {
    std::vector<TestMark> liquids;
    std::vector<ChartMark> outline;
    std::vector<ChartMark> region;
    bool operator==(const ZoneOverlay&) const = default;
};

struct ChartMarks {
    std::array<std::optional<ChartMark>, 3> slotMarks;  // the chosen solvents, slot 1..3
    std::optional<ChartMark> target;
    std::optional<ChartMark> blend;  // the last blend or mixture worked out
    // That blend's solvents and amounts, from which the chart draws how it
    // evaporates; it comes and goes with `blend`.
    std::optional<EvaporationInput> evaporation;
    std::optional<ZoneOverlay> zone;  // the solubility test, while its window is open
    bool operator==(const ChartMarks&) const = default;

    // Takes every mark this one lacks from `other`.
    void fillFrom(const ChartMarks& other);
};

// Emits marksChanged() for a ChartSource; a plain member, since a window is
// already a QObject and cannot be a second one.
class ChartNotifier : public QObject {
    Q_OBJECT
signals:
    void marksChanged();
};

// A window that puts marks on the Teas chart. It says what to mark and calls
// tellChart() whenever that may have changed; the chart redraws only what did.
class ChartSource {
public:
    virtual ~ChartSource() = default;
    virtual ChartMarks chartMarks() const = 0;
    // marksChanged() when the marks may have changed; destroyed() when the source goes.
    ChartNotifier& chartNotifier() { return notifier_; }

protected:
    void tellChart() { emit notifier_.marksChanged(); }

private:
    ChartNotifier notifier_;
};

// A window the chart can be opened from: besides its marks, it takes a
// solvent picked on the chart into one of its slots.
class ChartOpener : public ChartSource {
public:
    // Puts table row `row` into slot k (0..2) as a double-click on that row
    // of the slot's list does.
    virtual void loadSolventIntoSlot(int k, int row) = 0;
    // The window the chart is centred on.
    virtual QWidget* openerWindow() const = 0;
};

}  // namespace tarnwell::ui
