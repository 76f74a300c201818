#include "print/page_drawing.h"
#include "print/print.h"

#include "core/messages.h"
#include "ui/text.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

#include <string>

namespace tarnwell::print {

using ui::qs;

// The Windows spooler takes the job locally, so there is no print server to
// wait for: `waitMs` has nothing to bound here.
PrintOutcome printWindowOnPrinter(QWidget* window, int /*waitMs*/) {
    auto failed = [](const std::string& text) { return PrintOutcome{false, qs(text)}; };
    if (!window || window->size().isEmpty()) return failed(messages::printFailed("the window has no picture."));
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return PrintOutcome{false, qs(messages::kNoPrinter)};
    const std::string name = info.printerName().toStdString();
    // Windows tells a paused or faulty printer as an error state; the page
    // still goes into its queue, as with a stopped CUPS queue.
    const bool stopped = info.state() == QPrinter::Error || info.state() == QPrinter::Aborted;

    QPrinter printer(info, QPrinter::HighResolution);
    printer.setPageSize(info.defaultPageSize());  // the printer's own paper
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(window->windowTitle());
    printer.setCreator(QStringLiteral("Tarnwell"));
    switch (drawWindowOnPage(window, printer)) {
        case PageDrawing::Done: break;
        case PageDrawing::NoPicture: return failed(messages::printFailed("the page could not be drawn."));
        case PageDrawing::NotStarted: return failed(messages::printRefused(name, "the print job could not be started"));
        case PageDrawing::NotFinished: return failed(messages::printRefused(name, "the print job could not be finished"));
    }
    if (stopped) return PrintOutcome{true, qs(messages::printWaitsOnStoppedPrinter(name))};
    return PrintOutcome{true, QString()};
}

}  // namespace tarnwell::print
