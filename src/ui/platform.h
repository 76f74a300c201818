#pragma once
// What the screens need from the desktop: a message box, a file the user
// chooses, printing a window on the default printer, and ending the program.
// Screens get it by reference, so tests can put a recording double in its
// place. This and platform.cpp are the one place for what differs between
// desktops; printing itself is in print/.

#include "ui/files.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace tarnwell::ui {

class Platform {
public:
    virtual ~Platform() = default;

    // A modal message box: the given title and text, one OK button, no icon.
    // `over` is the screen it belongs to (it is centred there); may be null.
    virtual void messageBox(QWidget* over, const QString& title, const QString& text) = 0;

    // The file the user chooses to save to or open (`choice.saving`), or an
    // empty string when the user cancels.
    virtual QString chooseFile(QWidget* over, const FileChoice& choice) = 0;

    // Prints the window as it looks now on the default printer, no dialog.
    // A failure is told to the user in a message box; returns whether a page went out.
    virtual bool printWindow(QWidget* window) = 0;

    // Closes every screen and ends the program with the given exit status.
    virtual void endProgram(int exitCode = 0) = 0;
};

// Closing `window` by its close box (or by close() from code) ends the whole
// program without a question: the close handlers of the startup screen, the
// main screen and the calculator (Form_QueryUnload, UserForm_QueryClose).
void endProgramOnClose(QWidget* window, Platform& platform);

// The real desktop.
class DesktopPlatform final : public Platform {
public:
    void messageBox(QWidget* over, const QString& title, const QString& text) override;
    QString chooseFile(QWidget* over, const FileChoice& choice) override { return chooseFileWithDialog(over, choice); }
    bool printWindow(QWidget* window) override;
    void endProgram(int exitCode = 0) override;
};

// Keeps the desktop libraries the program uses from writing files on its
// behalf (on Linux: Qt's runtime folder in /tmp, a session bus started through
// dbus-launch). Call first in main(), before the QApplication exists.
void leaveNoFilesBehind();

// Font files with a Tahoma-metric face, for a desktop that has no Tahoma.
QStringList tahomaStandIns();

}  // namespace tarnwell::ui
