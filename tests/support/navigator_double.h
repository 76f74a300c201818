#pragma once
// A navigator for a screen tested without the application around it: it
// records what the screen asked for and opens nothing.

#include "core/evaporation.h"
#include "ui/navigator.h"

#include <utility>
#include <vector>

namespace tarnwell::testing {

class NavigatorDouble : public ui::Navigator {
public:
    void showMainScreen() override { ++mainScreenShown; }
    void showCalculator() override { ++calculatorShown; }
    void showHelp(ui::HelpEntry entry, QWidget* from) override { help.emplace_back(entry, from); }
    void showNoteOnMixturesModal(QWidget* from) override { notes.push_back(from); }
    void showHelpModal(ui::HelpEntry entry, QWidget* from) override { modalHelp.emplace_back(entry, from); }
    void showEvaporation(const EvaporationInput& blend, ui::EvaporationOf what, QWidget* from) override {
        evaporations.push_back({blend, what, from});
    }
    void showTeasChart(ui::ChartOpener&) override { ++chartsShown; }
    void showSolubilityTest(QWidget* from) override { solubilityTests.push_back(from); }
    void showFinder(ui::FinderMode mode, QWidget* from) override { finders.emplace_back(mode, from); }

    int mainScreenShown = 0;
    int calculatorShown = 0;
    int chartsShown = 0;
    std::vector<std::pair<ui::HelpEntry, QWidget*>> help;
    std::vector<QWidget*> notes;
    std::vector<std::pair<ui::HelpEntry, QWidget*>> modalHelp;
    struct Evaporation {
        EvaporationInput blend;
        ui::EvaporationOf what;
        QWidget* from;
    };
    std::vector<Evaporation> evaporations;
    std::vector<QWidget*> solubilityTests;
    std::vector<std::pair<ui::FinderMode, QWidget*>> finders;
};

}  // namespace tarnwell::testing
