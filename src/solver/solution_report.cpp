#include "solver/solution_report.h"

#include "core/messages.h"
#include "solver/frm_results.h"
#include "ui/keyboard.h"
#include "ui/text.h"

#include <memory>

namespace tarnwell {

using ui::qs;

void showSolutionReport(AppState& state, ui::Platform& platform, ui::Navigator& navigator, QWidget* mainScreen) {
    const ui::KeyboardReturn keyboardBack(mainScreen);
    // A fresh report for every solve, discarded as soon as it is left.
    auto report = std::make_unique<FrmResults>(state, platform, navigator, mainScreen);
    report->setWindowTitle(qs(messages::kSolutionTitle));
    report->exec();
}

}  // namespace tarnwell
