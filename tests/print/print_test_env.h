#pragma once
// What the print tests share: the print system main() started for them.

#include "private_print_system.h"

#include <QImage>
#include <QRect>
#include <QString>

namespace tarnwell::testing {

// The running print system, or null (then printSystemProblem() says why).
PrivatePrintSystem* printSystem();
QString printSystemProblem();
// True in the child process that runs with no print system at all.
bool withoutPrintSystem();

}  // namespace tarnwell::testing
