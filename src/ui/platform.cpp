#include "ui/platform.h"

#include "core/messages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

#include <algorithm>

#if defined(TARNWELL_HAVE_CUPS)
#include <cups/cups.h>
#endif

namespace tarnwell::ui {

void DesktopPlatform::messageBox(QWidget* over, const QString& title, const QString& text) {
    // Not a child of `over`: a disabled asking screen would disable the box too.
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
    box.setObjectName(QStringLiteral("messageBox"));
    if (over && over->isVisible()) {
        box.adjustSize();
        const QRect frame = over->frameGeometry();
        box.move(frame.center() - QPoint(box.width() / 2, box.height() / 2));
    }
    box.exec();
}

namespace {

#if defined(TARNWELL_HAVE_CUPS)
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

// Qt hands the finished page to CUPS and does not look at the answer, so a
// queue that refuses jobs would pass for a printed page. The answer stays in
// this thread's last CUPS status.
QString cupsRefusal() {
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE) return QString();
    return QString::fromUtf8(cupsLastErrorString());
}
#endif

}  // namespace

QRectF printPlacement(const QSize& window, const QRect& page) {
    if (window.isEmpty() || page.isEmpty()) return QRectF();
    const double scale =
        std::min(double(page.width()) / window.width(), double(page.height()) / window.height());
    const QSizeF size(window.width() * scale, window.height() * scale);
    return QRectF(QPointF(page.left() + (page.width() - size.width()) / 2.0,
                          page.top() + (page.height() - size.height()) / 2.0),
                  size);
}

PrintOutcome printWindowOnPrinter(QWidget* window, int waitMs) {
    auto failed = [](const std::string& text) { return PrintOutcome{false, QString::fromStdString(text)}; };
    if (!window || window->size().isEmpty()) return failed(messages::printFailed("the window has no picture."));
#if defined(TARNWELL_HAVE_CUPS)
    if (printSystemIsSilent(waitMs)) return PrintOutcome{false, QString::fromUtf8(messages::kPrintSystemSilent)};
#else
    (void)waitMs;
#endif
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return PrintOutcome{false, QString::fromUtf8(messages::kNoPrinter)};
    const std::string name = info.printerName().toStdString();
    const bool stopped = info.state() == QPrinter::Error || info.state() == QPrinter::Aborted;

    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(window->windowTitle());
    QPainter painter;
    if (!painter.begin(&printer))
        return failed(messages::printFailed("the printer \"" + name + "\" did not accept the page."));
    // The painter's origin is the top left of the printable area.
    const QRect paintRect = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRectF target = printPlacement(window->size(), QRect(QPoint(0, 0), paintRect.size()));
    painter.translate(target.topLeft());
    painter.scale(target.width() / window->width(), target.height() / window->height());
    // Drawn as vectors at the printer's resolution, not a stretched screen grab.
    window->render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    if (!painter.end()) return failed(messages::printFailed("the print job could not be finished."));
#if defined(TARNWELL_HAVE_CUPS)
    if (const QString refusal = cupsRefusal(); !refusal.isEmpty())
        return failed(messages::printRefused(name, refusal.toStdString()));
#endif
    if (stopped) return PrintOutcome{true, QString::fromStdString(messages::printWaitsOnStoppedPrinter(name))};
    return PrintOutcome{true, QString()};
}

QString printWindowOnDefaultPrinter(QWidget* window) {
    const PrintOutcome outcome = printWindowOnPrinter(window);
    return outcome.printed ? QString() : outcome.message;
}

bool DesktopPlatform::printWindow(QWidget* window) {
    const PrintOutcome outcome = printWindowOnPrinter(window);
    if (!outcome.message.isEmpty()) messageBox(window, QString::fromUtf8(messages::kPrintTitle), outcome.message);
    return outcome.printed;
}

void DesktopPlatform::endProgram(int exitCode) {
    // Hide every screen first so a modal loop that is still running cannot
    // keep a window up, then leave the event loop.
    for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
    QCoreApplication::exit(exitCode);
}

}  // namespace tarnwell::ui
