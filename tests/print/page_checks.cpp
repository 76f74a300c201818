#include "page_checks.h"

#include "print/print.h"

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>
#include <cstdlib>

namespace tarnwell::testing {

QRect inkBox(const QImage& page) {
    int left = page.width(), top = page.height(), right = -1, bottom = -1;
    for (int y = 0; y < page.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            const QRgb p = line[x];
            // Only the paper is white: a screen's light grey background is ink.
            if (qRed(p) > 247 && qGreen(p) > 247 && qBlue(p) > 247) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

double colourShare(const QImage& page, const QRect& region, const QColor& colour, int tolerance) {
    const QRect r = region.intersected(page.rect());
    if (r.isEmpty()) return 0.0;
    long matching = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = page.pixel(x, y);
            if (std::abs(qRed(p) - colour.red()) <= tolerance && std::abs(qGreen(p) - colour.green()) <= tolerance &&
                std::abs(qBlue(p) - colour.blue()) <= tolerance)
                ++matching;
        }
    return double(matching) / (double(r.width()) * r.height());
}

double differenceFromScreen(const QImage& page, const QRect& region, QWidget* window) {
    return differenceFromPicture(page, region, window->grab().toImage());
}

double differenceFromPicture(const QImage& page, const QRect& region, const QImage& picture) {
    const QRect r = region.intersected(page.rect());
    if (r.isEmpty()) return 255.0;
    const QImage screen = picture.convertToFormat(QImage::Format_RGB32)
                              .scaled(r.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double sum = 0;
    for (int y = 0; y < r.height(); ++y)
        for (int x = 0; x < r.width(); ++x) {
            const QRgb a = page.pixel(r.left() + x, r.top() + y);
            const QRgb b = screen.pixel(x, y);
            sum += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
        }
    return sum / (3.0 * r.width() * r.height());
}

QRectF printableArea(int dpi) {
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    const QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
    const double k = double(dpi) / printer.resolution();
    return QRectF(paint.left() * k, paint.top() * k, paint.width() * k, paint.height() * k);
}

QRectF expectedPlacement(QWidget* window, int dpi) {
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    const int resolution = printer.resolution();
    const QRect paint = printer.pageLayout().paintRectPixels(resolution);
    const QRectF inPrinterPixels = print::printPlacement(window->size(), paint);
    const double k = double(dpi) / resolution;
    return QRectF(inPrinterPixels.left() * k, inPrinterPixels.top() * k, inPrinterPixels.width() * k,
                  inPrinterPixels.height() * k);
}

QRect placeOnPage(QWidget* window, QWidget* child, const QRectF& windowOnPage) {
    const QRect inWindow(child->mapTo(window, QPoint(0, 0)), child->size());
    const double kx = windowOnPage.width() / window->width();
    const double ky = windowOnPage.height() / window->height();
    return QRectF(windowOnPage.left() + inWindow.left() * kx, windowOnPage.top() + inWindow.top() * ky,
                  inWindow.width() * kx, inWindow.height() * ky)
        .toAlignedRect();
}

QString keepPage(const QImage& page, const QString& name) {
    const QString folder = QDir::tempPath() + QStringLiteral("/tarnwell-printed-pages");
    QDir().mkpath(folder);
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    page.save(path);
    return path;
}

}  // namespace tarnwell::testing
