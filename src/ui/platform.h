#pragma once
// What the screens need from the desktop: a message box, printing a window on
// the default printer, and ending the program. Screens get it by reference, so
// tests can put a recording double in its place.

#include <QString>

class QWidget;

namespace tarnwell::ui {

class Platform {
public:
    virtual ~Platform() = default;

    // A modal message box: the given title and text, one OK button, no icon.
    // `over` is the screen it belongs to (it is centred there); may be null.
    virtual void messageBox(QWidget* over, const QString& title, const QString& text) = 0;

    // Prints the window as it looks now on the default printer, no dialog.
    // A failure is told to the user in a message box; returns whether a page went out.
    virtual bool printWindow(QWidget* window) = 0;

    // Closes every screen and ends the program with the given exit status.
    virtual void endProgram(int exitCode = 0) = 0;
};

// The real desktop.
class DesktopPlatform final : public Platform {
public:
    void messageBox(QWidget* over, const QString& title, const QString& text) override;
    bool printWindow(QWidget* window) override;
    void endProgram(int exitCode = 0) override;
};

// Renders `window` onto the default printer, scaled to the printable area
// keeping its aspect ratio and centred. Returns an empty string on success,
// otherwise the reason in plain words.
QString printWindowOnDefaultPrinter(QWidget* window);

}  // namespace tarnwell::ui
