#pragma once
// A platform double for screen tests: records every message box, file
// choice, print and end of the program instead of showing or doing them.

#include "ui/platform.h"

#include <QPixmap>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace tarnwell::testing {

struct RecordedMessage {
    QString title;
    QString text;
};

class FakePlatform final : public ui::Platform {
public:
    void messageBox(QWidget* over, const QString& title, const QString& text) override;
    QString chooseFile(QWidget* over, const ui::FileChoice& choice) override;
    bool printWindow(QWidget* window) override;
    void endProgram(int exitCode = 0) override;

    std::vector<RecordedMessage> messages;
    std::vector<QString> printedWindows;  // objectNames
    std::vector<QImage> printedImages;    // what the window looked like
    std::vector<int> endCalls;            // exit codes
    bool printSucceeds = true;
    // The answers of the next file choices, first first; a choice with none
    // left is cancelled. Every choice asked for is kept.
    std::vector<QString> chosenFiles;
    std::vector<ui::FileChoice> fileChoices;
    // Runs while a message "is shown", e.g. to check the state under it.
    std::function<void(const RecordedMessage&)> onMessage;

    void clear();
    QString lastTitle() const { return messages.empty() ? QString() : messages.back().title; }
    QString lastText() const { return messages.empty() ? QString() : messages.back().text; }
};

}  // namespace tarnwell::testing
