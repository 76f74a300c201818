#pragma once
// Whether a committed help picture still shows the screen it was taken of.
// Pixel equality breaks on harmless change: glyph edges shaded a little
// differently by another font renderer, a colour a few levels off, a text
// hinted one pixel to the side. So each pixel is matched with the closest in
// colour of the other picture's pixels within one pixel of its place, and the
// pictures are compared in cells of 4 x 4 pixels: a cell counts as the same
// when its pixels so matched differ on average by no more than kCellTolerance. A
// control added, removed or moved, a changed word or figure, another state or
// another screen changes whole cells and is caught.

#include <QImage>
#include <QString>
#include <algorithm>
#include <cstdlib>

namespace tarnwell::testing {

struct PictureDifference {
    bool sameSize = false;
    int cells = 0;         // cells compared
    int changedCells = 0;  // cells that differ by more than the tolerance
};

inline constexpr int kCell = 4;
inline constexpr int kCellTolerance = 16;   // mean difference per channel, of 255
inline constexpr int kMaxChangedCells = 2;  // stray pixels, not a glyph

// How far pixel (x, y) of `from` is from the nearest-coloured pixel within one
// pixel of the same place in `to`: the sum of the channel differences.
inline int nearestDifference(const QImage& from, const QImage& to, int x, int y) {
    const QRgb p = reinterpret_cast<const QRgb*>(from.constScanLine(y))[x];
    int best = 3 * 255;
    for (int sy = std::max(y - 1, 0); sy <= std::min(y + 1, to.height() - 1); ++sy) {
        const QRgb* line = reinterpret_cast<const QRgb*>(to.constScanLine(sy));
        for (int sx = std::max(x - 1, 0); sx <= std::min(x + 1, to.width() - 1); ++sx) {
            const QRgb q = line[sx];
            best = std::min(best, std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                                      std::abs(qBlue(p) - qBlue(q)));
        }
    }
    return best;
}

inline PictureDifference comparePictures(const QImage& committed, const QImage& fresh) {
    PictureDifference result;
    const QImage a = committed.convertToFormat(QImage::Format_RGB32);
    const QImage b = fresh.convertToFormat(QImage::Format_RGB32);
    result.sameSize = !a.isNull() && a.size() == b.size();
    if (!result.sameSize) return result;
    const int w = a.width(), h = a.height();
    for (int top = 0; top < h; top += kCell) {
        for (int left = 0; left < w; left += kCell) {
            const int right = std::min(left + kCell, w), bottom = std::min(top + kCell, h);
            // Both ways, so that something drawn in only one of the pictures counts.
            int total = 0;
            for (int y = top; y < bottom; ++y)
                for (int x = left; x < right; ++x)
                    total += std::max(nearestDifference(a, b, x, y), nearestDifference(b, a, x, y));
            ++result.cells;
            if (total > kCellTolerance * 3 * (right - left) * (bottom - top)) ++result.changedCells;
        }
    }
    return result;
}

inline bool showsTheSameScreen(const PictureDifference& d) {
    return d.sameSize && d.changedCells <= kMaxChangedCells;
}

inline QString describe(const PictureDifference& d) {
    if (!d.sameSize) return QStringLiteral("the sizes differ");
    return QStringLiteral("%1 of %2 cells of %3 x %3 pixels changed").arg(d.changedCells).arg(d.cells).arg(kCell);
}

}  // namespace tarnwell::testing
