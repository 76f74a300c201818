#pragma once
// The table of a solubility test's liquids: name, N, D, W and result, one
// row per liquid. The result of a row is chosen with the mouse (double-click
// the result and pick from its list) or the keyboard (Return or F2 opens the
// same list; D, P, N and T set Dissolves, Partly, No effect and Not tried for
// every chosen row at once); Delete asks to remove the chosen rows. The table only
// shows the test: every choice goes out as a signal, and the window that
// owns the test changes it and shows it again.

#include "core/solubility_trial.h"

#include <QTableWidget>
#include <vector>

namespace tarnwell {

class TestLiquidTable : public QTableWidget {
    Q_OBJECT
public:
    enum Column { Name, N, D, W, Result, ColumnCount };

    explicit TestLiquidTable(QWidget* parent = nullptr);

    void showTest(const SolubilityTest& test);
    // Shows a new result of row `row` (after resultChosen, once the test has it).
    void showResult(int row, TestResult result);
    // A note on a row (e.g. a liquid the solvent list no longer has): shown
    // as the row's tooltip and marked after its name.
    void setRowNote(int row, const QString& note);

    // The chosen rows, in order.
    std::vector<int> chosenRows() const;

    // Sets the result of `row` as a choice from the result list does.
    void chooseResult(int row, TestResult result);

signals:
    void resultChosen(int row, TestResult result);
    void removeRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace tarnwell
