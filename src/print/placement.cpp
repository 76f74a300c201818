#include "print/print.h"

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

}  // namespace tarnwell::print
