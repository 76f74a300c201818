// main() of every screen test program: a QApplication on the offscreen
// platform (also while ctest lists the tests), then GoogleTest.
#include <QApplication>
#include <gtest/gtest.h>

#include "ui/fonts.h"
#include "ui/keyboard.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tarnwell::ui::useDesignFonts();
    tarnwell::ui::showKeyboardFocus();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
