#pragma once
// Printing a window on the default printer, as the desktop's Platform does it:
// no dialog, the window scaled to the printable area of the printer's own
// paper, aspect kept, centred. One backend per system, chosen when building:
// CUPS (print_cups.cpp), which sends the page straight from memory and hears
// the print system's answers, and Windows (print_windows.cpp), through Qt's
// Print Support and the Windows spooler.

#include <QRect>
#include <QString>

class QWidget;

namespace tarnwell::print {

// What became of a print: whether the page went out, and what the user must
// be told (the reason of a failure, or a note such as a stopped printer).
struct PrintOutcome {
    bool printed = false;
    QString message;
};

// How long a print waits for the print system to answer before giving up.
inline constexpr int kPrintSystemWaitMs = 5000;

// Renders `window` onto the default printer, with no dialog. Never waits more
// than about `waitMs` for a print system that does not answer.
PrintOutcome printWindowOnPrinter(QWidget* window, int waitMs = kPrintSystemWaitMs);

// The rectangle, in printer pixels, that a window of `window` size takes on a
// page whose printable area is `page`: as large as fits, aspect kept, centred.
QRectF printPlacement(const QSize& window, const QRect& page);

}  // namespace tarnwell::print
