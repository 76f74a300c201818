#pragma once
// Moves between screens. The screens never create one another: they ask the
// application, which owns every screen, through this interface.

class QWidget;

namespace tarnwell::ui {

class ChartOpener;

enum class HelpEntry {
    MainHelp,           // main screen "Help": help page 1
    References,         // "References" on the main screen and the calculator
    ConcentrationHelp,  // calculator "Help"
    SolubilityTest,     // the solubility test's "Help": its own page, in no chain
};

class Navigator {
public:
    virtual ~Navigator() = default;
    virtual void showMainScreen() = 0;
    virtual void showCalculator() = 0;
    // Modeless help or reference page, created on first use and kept.
    virtual void showHelp(HelpEntry entry, QWidget* from) = 0;
    // Help page 6 shown modally; returns when the user leaves it.
    virtual void showNoteOnMixturesModal(QWidget* from) = 0;
    // The Teas chart (modeless), drawing what the screen that opened it marks.
    virtual void showTeasChart(ChartOpener& from) { (void)from; }
    // The solubility test window (modeless), created on first use and kept.
    virtual void showSolubilityTest(QWidget* from) { (void)from; }
};

}  // namespace tarnwell::ui
