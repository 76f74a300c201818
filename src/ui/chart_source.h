#pragma once
// What a window puts on the Teas chart, and how the chart hands a picked
// solvent back. Windows tell the chart when their marks change; the chart
// never looks into a window's controls.

#include <QObject>
#include <array>
#include <optional>

class QWidget;

namespace tarnwell::ui {

struct ChartMark {
    double n = 0, d = 0, w = 0;
    bool operator==(const ChartMark&) const = default;
};

struct ChartMarks {
    std::array<std::optional<ChartMark>, 3> slotMarks;  // the chosen solvents, slot 1..3
    std::optional<ChartMark> target;
    std::optional<ChartMark> blend;  // the last blend or mixture worked out
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
