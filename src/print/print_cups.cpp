#include "print/page_drawing.h"
#include "print/print.h"

#include "core/messages.h"
#include "ui/text.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QPdfWriter>
#include <QWidget>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include <cups/cups.h>

namespace tarnwell::print {

using ui::qs;

namespace {

// Gives up on a print-system request once the time is spent: libcups on its
// own waits about two minutes per call for a server that takes the connection
// and never answers (a stopped or stuck cupsd), and Qt makes two such calls.
struct WaitLimit {
    QElapsedTimer clock;
    int limitMs = 0;
    bool gaveUp = false;
};

int keepWaiting(http_t*, void* data) {
    auto* limit = static_cast<WaitLimit*>(data);
    if (limit->clock.elapsed() < limit->limitMs) return 1;
    limit->gaveUp = true;
    return 0;
}

// True when a print server takes our connection but does not answer within
// `waitMs`. A server that cannot be reached at all is left to Qt, which finds
// no printer quickly; so only a silent server stops the print here.
bool printSystemIsSilent(int waitMs) {
    WaitLimit limit;
    limit.limitMs = waitMs;
    limit.clock.start();
    int cancel = 0;
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                std::max(waitMs, 1), &cancel);
    if (!http) return limit.clock.elapsed() >= waitMs;
    httpSetTimeout(http, 0.2, keepWaiting, &limit);
    ipp_t* response = cupsDoRequest(http, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/");
    ippDelete(response);
    httpClose(http);
    return limit.gaveUp;
}
// The default printer as the print system itself describes it. Qt's printer
// support would fetch the printer's PPD into a temporary file for this.
struct DefaultPrinter {
    std::string name;
    bool stopped = false;
    std::string media;  // the print system's name for the default paper
    QPageLayout page;
};

// The user's own choice of paper (lpoptions) first, then the printer's
// default. (libcups's own look-up takes US Letter when no choice is set.)
std::string defaultMedia(cups_dest_t* dest, cups_dinfo_t* info) {
    if (const char* chosen = cupsGetOption("media", dest->num_options, dest->options)) return chosen;
    if (!info) return std::string();
    ipp_attribute_t* fallback = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, CUPS_MEDIA);
    const char* name = fallback ? ippGetString(fallback, 0, nullptr) : nullptr;
    return name ? name : std::string();
}

std::optional<DefaultPrinter> defaultPrinter() {
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (!dest) return std::nullopt;
    DefaultPrinter printer;
    printer.name = dest->name;
    const char* state = cupsGetOption("printer-state", dest->num_options, dest->options);
    printer.stopped = state && std::string_view(state) == "5";  // IPP_PSTATE_STOPPED
    cups_size_t paper{};
    cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest);
    const std::string media = defaultMedia(dest, info);
    if (info && !media.empty() && cupsGetDestMediaByName(CUPS_HTTP_DEFAULT, dest, info, media.c_str(), 0, &paper) &&
        paper.width > 0 && paper.length > 0) {
        printer.media = paper.media;
        // Sizes and margins come in hundredths of a millimetre.
        const QPageSize size(QSizeF(paper.width / 100.0, paper.length / 100.0), QPageSize::Millimeter, QString(),
                             QPageSize::FuzzyMatch);
        printer.page = QPageLayout(size, QPageLayout::Portrait,
                                   QMarginsF(paper.left / 100.0, paper.top / 100.0, paper.right / 100.0,
                                             paper.bottom / 100.0),
                                   QPageLayout::Millimeter);
    } else {
        // A printer that names no paper gets A4 with a quarter-inch margin.
        printer.page = QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(6.35, 6.35, 6.35, 6.35),
                                   QPageLayout::Millimeter);
    }
    cupsFreeDestInfo(info);
    cupsFreeDests(1, dest);
    return printer;
}

// Sends the page to the print system straight from memory; Qt's own
// printing spools it to a temporary file first. The queue's own options
// (lpoptions included) go with it, as lp does, and the paper it was drawn for.
std::string sendToPrintSystem(const DefaultPrinter& printer, const QString& title, const QByteArray& pdf) {
    const QByteArray name = title.toUtf8();
    const char* queue = printer.name.c_str();
    int count = 0;
    cups_option_t* options = nullptr;
    if (cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue, nullptr)) {
        for (int i = 0; i < dest->num_options; ++i)
            count = cupsAddOption(dest->options[i].name, dest->options[i].value, count, &options);
        cupsFreeDests(1, dest);
    }
    if (!printer.media.empty()) count = cupsAddOption("media", printer.media.c_str(), count, &options);
    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, queue, name.constData(), count, options);
    cupsFreeOptions(count, options);
    if (job == 0) return messages::printRefused(printer.name, cupsLastErrorString());
    bool sent = cupsStartDocument(CUPS_HTTP_DEFAULT, queue, job, name.constData(), CUPS_FORMAT_PDF, 1) ==
                    HTTP_STATUS_CONTINUE &&
                cupsWriteRequestData(CUPS_HTTP_DEFAULT, pdf.constData(), static_cast<std::size_t>(pdf.size())) ==
                    HTTP_STATUS_CONTINUE;
    // The document is finished even after a failed write, so the job ends.
    sent = cupsFinishDocument(CUPS_HTTP_DEFAULT, queue) <= IPP_STATUS_OK_EVENTS_COMPLETE && sent;
    if (sent) return std::string();
    const std::string reason = cupsLastErrorString();
    cupsCancelJob2(CUPS_HTTP_DEFAULT, queue, job, 0);
    return messages::printRefused(printer.name, reason);
}
}  // namespace

PrintOutcome printWindowOnPrinter(QWidget* window, int waitMs) {
    auto failed = [](const std::string& text) { return PrintOutcome{false, qs(text)}; };
    if (!window || window->size().isEmpty()) return failed(messages::printFailed("the window has no picture."));
    if (printSystemIsSilent(waitMs)) return PrintOutcome{false, qs(messages::kPrintSystemSilent)};
    const std::optional<DefaultPrinter> printer = defaultPrinter();
    if (!printer) return PrintOutcome{false, qs(messages::kNoPrinter)};
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter page(&pdf);
        page.setResolution(kPageDpi);
        page.setPageLayout(printer->page);
        page.setTitle(window->windowTitle());
        page.setCreator(QStringLiteral("Tarnwell"));
        if (drawWindowOnPage(window, page) != PageDrawing::Done)
            return failed(messages::printFailed("the page could not be drawn."));
    }
    if (const std::string refusal = sendToPrintSystem(*printer, window->windowTitle(), pdf.data()); !refusal.empty())
        return failed(refusal);
    if (printer->stopped) return PrintOutcome{true, qs(messages::printWaitsOnStoppedPrinter(printer->name))};
    return PrintOutcome{true, QString()};
}

}  // namespace tarnwell::print
