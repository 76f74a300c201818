#include "fake_platform.h"

#include <QWidget>

namespace tarnwell::testing {

void FakePlatform::messageBox(QWidget*, const QString& title, const QString& text) {
    messages.push_back({title, text});
    if (onMessage) onMessage(messages.back());
}

bool FakePlatform::printWindow(QWidget* window) {
    printedWindows.push_back(window->objectName());
    printedImages.push_back(window->grab().toImage());
    return printSucceeds;
}

void FakePlatform::endProgram(int exitCode) { endCalls.push_back(exitCode); }

void FakePlatform::clear() {
    messages.clear();
    printedWindows.clear();
    printedImages.clear();
    endCalls.clear();
}

}  // namespace tarnwell::testing
