#include "print/page_drawing.h"
#include "print/print.h"

#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QWidget>

#include <algorithm>

namespace tarnwell::print {

QRectF printPlacement(const QSize& window, const QRect& page) {
    if (window.isEmpty() || page.isEmpty()) return QRectF();
    const double scale =
        std::min(double(page.width()) / window.width(), double(page.height()) / window.height());
    const QSizeF size(window.width() * scale, window.height() * scale);
    return QRectF(QPointF(page.left() + (page.width() - size.width()) / 2.0,
                          page.top() + (page.height() - size.height()) / 2.0),
                  size);
}

PageDrawing drawWindowOnPage(QWidget* window, QPagedPaintDevice& page, int maxDpi) {
    if (!window) return PageDrawing::NoPicture;
    const int dpi = page.logicalDpiX();
    const QRect paintRect = page.pageLayout().paintRectPixels(dpi);
    const QRect target = printPlacement(window->size(), QRect(QPoint(0, 0), paintRect.size())).toAlignedRect();
    if (target.isEmpty() || dpi <= 0) return PageDrawing::NoPicture;
    // Opaque on white paper: the window paints its whole background anyway.
    const double shrink = std::min(1.0, double(maxDpi) / dpi);
    QImage picture((QSizeF(target.size()) * shrink).toSize(), QImage::Format_RGB32);
    if (picture.isNull()) return PageDrawing::NoPicture;  // not enough memory
    picture.fill(Qt::white);
    QPainter onPicture(&picture);
    onPicture.scale(double(picture.width()) / window->width(), double(picture.height()) / window->height());
    window->render(&onPicture, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    onPicture.end();
    // The painter's origin is the top left of the printable area.
    QPainter painter;
    if (!painter.begin(&page)) return PageDrawing::NotStarted;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture);
    return painter.end() ? PageDrawing::Done : PageDrawing::NotFinished;
}

}  // namespace tarnwell::print
