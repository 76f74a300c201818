#pragma once
// Text a window cannot show whole: screens are placed by points, as their
// designs give them, and a wider font (another system's, or a larger one)
// can push a caption past its control's edge.

#include <QStringList>

class QWidget;

namespace tarnwell::testing {

// One line per control of `window` whose text its font cannot fit in the
// control: a one-line label, button or check box wider than its room, a
// wrapping label taller than its room. Hidden controls are left out.
QStringList clippedTexts(QWidget* window);

}  // namespace tarnwell::testing
