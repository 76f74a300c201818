#include "ui/platform.h"

#include "core/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

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

QString printWindowOnDefaultPrinter(QWidget* window) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return QString::fromUtf8(messages::kNoPrinter);
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(window->windowTitle());
    QPainter painter;
    if (!painter.begin(&printer))
        return QString::fromStdString(messages::printFailed(
            "the printer \"" + info.printerName().toStdString() + "\" did not accept the page."));
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSize size = window->size();
    const double scale = std::min(double(page.width()) / size.width(), double(page.height()) / size.height());
    const double x = (page.width() - size.width() * scale) / 2.0;
    const double y = (page.height() - size.height() * scale) / 2.0;
    painter.translate(x, y);
    painter.scale(scale, scale);
    window->render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    if (!painter.end())
        return QString::fromStdString(messages::printFailed("the print job could not be finished."));
    return QString();
}

bool DesktopPlatform::printWindow(QWidget* window) {
    const QString failure = printWindowOnDefaultPrinter(window);
    if (failure.isEmpty()) return true;
    messageBox(window, QString::fromUtf8(messages::kPrintTitle), failure);
    return false;
}

void DesktopPlatform::endProgram(int exitCode) {
    // Hide every screen first so a modal loop that is still running cannot
    // keep a window up, then leave the event loop.
    for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
    QCoreApplication::exit(exitCode);
}

}  // namespace tarnwell::ui
