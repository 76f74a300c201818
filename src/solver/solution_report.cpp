#include "solver/solution_report.h"

namespace tarnwell {

void showSolutionReport(AppState&, ui::Platform&, ui::Navigator&, QWidget*) {}

}  // namespace tarnwell
