#pragma once
// What the main screen and the calculator share: three solvent columns, each
// the solvent list and, under it, the chosen solvent's N, D, W, TWA, VHR and
// critical effects in read-only fields, every control named from the slot
// number (lstSolvent2, txtSolvent2_N, txtTLV_2, txtEffects2, ...). A solvent
// goes into a slot by a double-click on its row, or from elsewhere (the Teas
// chart, the blend finder) by the same steps; the custom-entry row asks for a
// solvent entered by hand.

#include "core/state.h"
#include "custom/custom_solvent.h"
#include "ui/chart_source.h"
#include "ui/forward.h"

#include <QString>
#include <array>
#include <optional>

namespace tarnwell {

struct SlotColumn {
    ui::SolventListView* list = nullptr;
    QLineEdit* n = nullptr;
    QLineEdit* d = nullptr;
    QLineEdit* w = nullptr;
    QLineEdit* twa = nullptr;
    QLineEdit* vhr = nullptr;
    QLineEdit* effects = nullptr;

    // N, D, W, TWA, VHR and effects.
    std::array<QLineEdit*, 6> fields() const { return {n, d, w, twa, vhr, effects}; }
};

// The small captions under the fields, which the two screens word differently.
struct SlotCaptions {
    std::array<QString, 3> ndw;  // under N, D and W
    QString twa;
    QString vhr;
    double ndwOverhang = 0;  // points each N, D, W caption reaches past its field on either side
};

class SlotScreen : public ui::ChartOpener {
public:
    SlotScreen(QWidget* window, AppState& state, ui::Platform& platform, ui::Navigator& navigator,
               CustomSolventService& custom, QAbstractItemModel* solventLabels);

    // The steps of a double-click on `row` of slot k's list (k = 0..2): the
    // row is selected, which runs the list's Click handler, then its DblClick
    // handler runs. Nothing happens for a row the list does not have or a
    // list that is switched off.
    void loadSolventIntoSlot(int k, int row) override;
    QWidget* openerWindow() const override { return window_; }

protected:
    // Builds the column of slot k (0..2) on the window, its left edge at `left` points.
    const SlotColumn& addSlotColumn(int k, double left, const SlotCaptions& captions);
    const SlotColumn& slotColumn(int k) const { return columns_.at(static_cast<std::size_t>(k)); }

    // Every solvent list shows the solvent labels; a list's selection change
    // runs lstSolvent_Click, a double-click on one of its rows
    // lstSolvent_DblClick; whatever fills or empties a column's N, D or W
    // tells the chart.
    void connectSlotColumns();

    // Empties the six fields of slot k; what the slot holds stays.
    void clearSlotFields(int k);
    // The Click handler of every solvent list (it runs whenever the list's
    // selection changes, by the user or by code): empties the column's six
    // fields, so a slot shows a solvent only after a double-click.
    void lstSolvent_Click(int k) { clearSlotFields(k); }
    // A slot counts as chosen while its N field shows a solvent (as for Calculate).
    bool slotShown(int k) const;
    // The chart marks of the chosen slots, at the N, D, W each slot holds.
    template <typename Slot>
    ui::ChartMarks slotMarks(const std::array<Slot, 3>& held) const {
        ui::ChartMarks marks;
        for (std::size_t k = 0; k < 3; ++k) {
            if (!slotShown(static_cast<int>(k))) continue;
            const Slot& s = held[k];
            marks.slotMarks[k] = ui::ChartMark{double(s.n), double(s.d), double(s.w)};
        }
        return marks;
    }

    // The custom-entry row of slot k double-clicked: runs RequestCustomSolvent
    // and shows an accepted entry in the column (no TWA or VHR, the
    // description as its effects) before giving it back. Without an entry the
    // list is left with no selection, so its Click handler has emptied the
    // column.
    std::optional<CustomEntry> enterCustomSolvent(int k, DescriptionStyle style);

    // The one handler of a double-click on slot k's list, also run for a
    // solvent picked elsewhere.
    virtual void lstSolvent_DblClick(int k) = 0;

    AppState& state_;
    ui::Platform& platform_;
    ui::Navigator& navigator_;
    CustomSolventService& custom_;
    QAbstractItemModel* solventLabels_;

private:
    QWidget* window_;
    std::array<SlotColumn, 3> columns_;
};

}  // namespace tarnwell
