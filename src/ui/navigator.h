#pragma once
// Moves between screens. A screen never creates another window that stays
// open beside it: it asks the application, which owns each of them (the
// screens, the help pages, the Teas chart, the blend finder), through this
// interface. Only a modal dialog that answers one press and then goes (the
// solution report, the print question) belongs to the screen that shows it.

class QWidget;

namespace tarnwell {
struct EvaporationInput;
}

namespace tarnwell::ui {

class ChartOpener;

enum class HelpEntry {
    MainHelp,           // main screen "Help": help page 1
    References,         // "References" on the main screen and the calculator
    ConcentrationHelp,  // calculator "Help"
    SolubilityTest,     // the solubility test's "Help": its own page, in no chain
    Evaporation,        // the Evaporation window's "Help": its own page, in no chain
};

// What the Evaporation window shows: the blend of the solution report, or
// the mixture the calculator calculated last.
enum class EvaporationOf { ReportBlend, LastMixture };

// The blend finder's two windows: for the main screen's target, and for the
// solubility test's zone.
enum class FinderMode { Target, Zone };

class Navigator {
public:
    virtual ~Navigator() = default;
    virtual void showMainScreen() = 0;
    virtual void showCalculator() = 0;
    // Modeless help or reference page, created on first use and kept.
    virtual void showHelp(HelpEntry entry, QWidget* from) = 0;
    // Help page 6 shown modally; returns when the user leaves it.
    virtual void showNoteOnMixturesModal(QWidget* from) = 0;
    // A page that stands alone, shown modally over a modal window (where a
    // modeless page could not be used); returns when the user leaves it.
    virtual void showHelpModal(HelpEntry entry, QWidget* from) = 0;
    // The Evaporation window for `blend`, shown modally over `from`, which
    // may itself be modal (the report); returns when the user closes it.
    virtual void showEvaporation(const EvaporationInput& blend, EvaporationOf what, QWidget* from) = 0;
    // The Teas chart (modeless), drawing what the screen that opened it marks.
    virtual void showTeasChart(ChartOpener& from) = 0;
    // The solubility test window (modeless), created on first use and kept.
    virtual void showSolubilityTest(QWidget* from) = 0;
    // The blend finder's window for `mode` (modeless, created on first use and
    // kept), searching at once. The asking screen has checked that there is
    // something to search for: a target adding up to 100, or a zone.
    virtual void showFinder(FinderMode mode, QWidget* from) = 0;
};

}  // namespace tarnwell::ui
