#pragma once
// What the screens need from the desktop: a message box, a file the user
// chooses, printing a window on the default printer, and ending the program. Screens get it by reference, so
// tests can put a recording double in its place.

#include "ui/files.h"

#include <QRect>
#include <QString>

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

// What became of a print: whether the page went out, and what the user must
// be told (the reason of a failure, or a note such as a stopped printer).
struct PrintOutcome {
    bool printed = false;
    QString message;
};

// How long a print waits for the print system to answer before giving up.
inline constexpr int kPrintSystemWaitMs = 5000;

// Renders `window` onto the default printer, scaled to the printable area
// keeping its aspect ratio and centred, with no dialog. Never waits more than
// about `waitMs` for a print system that does not answer.
PrintOutcome printWindowOnPrinter(QWidget* window, int waitMs = kPrintSystemWaitMs);

// The same, reduced to the failure: an empty string when the page went out,
// otherwise the reason in plain words.
QString printWindowOnDefaultPrinter(QWidget* window);

// The rectangle, in printer pixels, that a window of `window` size takes on a
// page whose printable area is `page`: as large as fits, aspect kept, centred.
QRectF printPlacement(const QSize& window, const QRect& page);

}  // namespace tarnwell::ui
