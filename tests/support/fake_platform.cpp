#include "fake_platform.h"

#include <QWidget>

namespace tarnwell::testing {

void FakePlatform::messageBox(QWidget*, const QString& title, const QString& text) {
    messages.push_back({title, text});
    if (onMessage) onMessage(messages.back());
}

QString FakePlatform::chooseFile(QWidget*, const ui::FileChoice& choice) {
    fileChoices.push_back(choice);
    if (chosenFiles.empty()) return {};
    const QString file = chosenFiles.front();
    chosenFiles.erase(chosenFiles.begin());
    return file;
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
    chosenFiles.clear();
    fileChoices.clear();
}

}  // namespace tarnwell::testing
