#pragma once
// Reading a printed page: where the ink is, where a window should have gone,
// and whether a region carries a colour or the window's own picture.

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>

class QWidget;

namespace tarnwell::testing {

// Bounding box of every pixel that is not paper white.
QRect inkBox(const QImage& page);
// Share of the pixels of `region` within `tolerance` of `colour` per channel.
double colourShare(const QImage& page, const QRect& region, const QColor& colour, int tolerance = 40);
// Mean absolute difference per channel (0-255) between the page's `region`
// and the window's screen picture scaled to that region.
double differenceFromScreen(const QImage& page, const QRect& region, QWidget* window);
double differenceFromPicture(const QImage& page, const QRect& region, const QImage& picture);
// The default printer's printable area on a page pictured at `dpi`.
QRectF printableArea(int dpi);
// Where on a page pictured at `dpi` the default printer puts `window`.
QRectF expectedPlacement(QWidget* window, int dpi);
// Where on that page a child control ends up, from its place in the window.
QRect placeOnPage(QWidget* window, QWidget* child, const QRectF& windowOnPage);
// Keeps a picture of a printed page for people to look at; returns its path.
QString keepPage(const QImage& page, const QString& name);

}  // namespace tarnwell::testing
