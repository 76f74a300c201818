// Printing on a computer with no printer set up, through the backend of the
// system the tests run on (CUPS on Linux, the Windows spooler under Wine):
// the user is told so in the program's own words and no page counts as printed.
#include "core/messages.h"
#include "print/print.h"
#include "ui/text.h"

#include <QDir>
#include <QLabel>
#include <gtest/gtest.h>

namespace tarnwell::testing {
namespace {

TEST(PrintWithoutAPrinter, SaysNoPrinterIsSetUpAndPrintsNothing) {
#if !defined(Q_OS_WIN)
    // A print system whose socket is not there.
    qputenv("CUPS_SERVER", QDir::temp().filePath(QStringLiteral("tarnwell-no-print-system/cups.sock")).toLocal8Bit());
#endif
    // (Under Wine the test runner points Wine's printing at no print system: cmake/wine-run.in.)
    QLabel report(QStringLiteral("Tarnwell Solution"));
    report.resize(400, 300);
    const print::PrintOutcome outcome = print::printWindowOnPrinter(&report, 2000);
    EXPECT_FALSE(outcome.printed);
    EXPECT_EQ(outcome.message, ui::qs(messages::kNoPrinter));
}

TEST(PrintWithoutAPrinter, AWindowWithNoPictureIsNeverSent) {
    QLabel empty;
    empty.resize(0, 0);
    for (QWidget* window : {static_cast<QWidget*>(nullptr), static_cast<QWidget*>(&empty)}) {
        const print::PrintOutcome outcome = print::printWindowOnPrinter(window, 2000);
        EXPECT_FALSE(outcome.printed);
        EXPECT_EQ(outcome.message, ui::qs(messages::printFailed("the window has no picture.")));
    }
}

}  // namespace
}  // namespace tarnwell::testing
