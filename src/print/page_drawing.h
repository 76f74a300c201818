#pragma once
// What both print backends draw: the window as a picture at the page's
// resolution, scaled to the printable area (printPlacement), on white paper.
// Drawing a picture first, as Qt's own printing does, gives the same page on
// every printer: the styles' shading would otherwise be half vector, half
// picture.

class QPagedPaintDevice;
class QWidget;

namespace tarnwell::print {

// Screens are printed as a picture made at no more than this resolution:
// sharp on paper, and a quarter of the memory of 1200.
inline constexpr int kPageDpi = 600;

enum class PageDrawing { Done, NoPicture, NotStarted, NotFinished };

// Draws `window` on `page`, as a picture of at most `maxDpi`. NoPicture: the
// window has no size or there is no memory for its picture; NotStarted: the
// page would not take a painter (a printer that refuses the job).
PageDrawing drawWindowOnPage(QWidget* window, QPagedPaintDevice& page, int maxDpi = kPageDpi);

}  // namespace tarnwell::print
