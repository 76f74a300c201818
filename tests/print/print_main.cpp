// main() of the print tests: the test's own print system is started before any
// print call, so that CUPS_SERVER points at it from the first CUPS request on
// (libcups reads it once per thread). With TARNWELL_PRINT_SYSTEM=none the
// process instead points at a socket nobody listens on.
#include "print_test_env.h"
#include "ui/fonts.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>

namespace tarnwell::testing {
namespace {
PrivatePrintSystem* g_system = nullptr;
QString g_problem;
}  // namespace

PrivatePrintSystem* printSystem() { return g_system; }
QString printSystemProblem() { return g_problem; }
bool withoutPrintSystem() { return qgetenv("TARNWELL_PRINT_SYSTEM") == "none"; }
}  // namespace tarnwell::testing

int main(int argc, char** argv) {
    using namespace tarnwell::testing;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    bool listing = false;
    for (int i = 1; i < argc; ++i) listing = listing || std::strcmp(argv[i], "--gtest_list_tests") == 0;

    QTemporaryDir nobody(QDir::tempPath() + QStringLiteral("/tarnwell-noprint-XXXXXX"));
    if (withoutPrintSystem()) qputenv("CUPS_SERVER", (nobody.path() + QStringLiteral("/nobody.sock")).toLocal8Bit());

    QApplication app(argc, argv);
    tarnwell::ui::useDesignFonts();  // pages in the fonts the program prints with
    ::testing::InitGoogleTest(&argc, argv);

    PrivatePrintSystem system;
    if (!listing && !withoutPrintSystem()) {
        g_problem = system.start();
        if (g_problem.isEmpty()) g_system = &system;
    }
    const int result = RUN_ALL_TESTS();
    g_system = nullptr;
    system.stop();
    return result;
}
