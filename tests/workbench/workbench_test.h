#pragma once
// The main screen over a small table made for the workbench tests.

#include "../support/main_screen_test.h"

namespace tarnwell::testing {

// Rows of the test table (the custom-entry row comes last).
enum Row : int {
    kAcetone = 0, kEthanol, kHeptane, kTetrahydrofuran, kToluene, kWater,
    kSum99,       // N + D + W = 99
    kOutOfRange,  // N 120, D -10, W -10: a number the target lists cannot show
    kCustomRow
};

inline std::vector<TestSolvent> workbenchSolvents() {
    std::vector<TestSolvent> solvents = sampleSolvents();
    solvents.push_back({"Mineral spirits blend", "4", "40", "30", "29", "300", "120", "90.5", "85.2", "1200",
                        "Eyes, central nervous system"});
    solvents.push_back({"Odd reading", "5", "120", "-10", "-10", "50", "7", "80", "70", "200", "Skin"});
    return solvents;
}

class WorkbenchTest : public MainScreenTest {
protected:
    void SetUp() override {
        open(tableOf(workbenchSolvents()));
        ASSERT_EQ(state.table.lastIndex, kCustomRow);
    }
};

}  // namespace tarnwell::testing
