#pragma once
// Screens are laid out in points, as their designs give them; these turn
// points into the pixels of the screen's logical resolution (96 dpi gives
// 4/3 pixel per point), so every screen keeps its shape at any scale factor.

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>

class QWidget;
class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QLineEdit;

namespace tarnwell::ui {

int px(double points);
QRect ptRect(double left, double top, double width, double height);
QSize ptSize(double width, double height);

// Fixed-size window with a client area of the given points, no minimise or
// maximise button.
void setFixedClientSize(QWidget* window, double widthPt, double heightPt);

// Centres `window` on `over` (or on the screen when `over` is null or hidden).
void centreOn(QWidget* window, const QWidget* over);

QFont makeFont(const QString& family, double pointSize, bool bold = false, bool italic = false);

// Shrinks a label's font, a quarter point at a time and not below `smallest`
// points, until its text fits: one line within its width, a wrapping label
// within its height. The designs place their captions to the point, and the
// same face can be wider on another system (Wine's Tahoma is): a caption is
// better a little smaller than cut short. Call it once the label's text,
// font and place are set.
void fitText(QLabel* label, double smallest = 6.0);
// The same for a button's one-line caption, within the room its style leaves.
void fitText(QPushButton* button, double smallest = 6.0);

// Small constructors for the controls the designs place by points.
QLabel* addLabel(QWidget* parent, const QString& objectName, const QString& text, QRect geometry);
// A small caption under or over a control: centred, from its top edge.
QLabel* addCaption(QWidget* parent, const QString& objectName, const QString& text, QRect geometry);
// Return on a focused button presses it, as Space does.
QPushButton* addButton(QWidget* parent, const QString& objectName, const QString& text, QRect geometry);
// A button whose press runs `onClick` (its Click handler).
QPushButton* addButton(QWidget* parent, const QString& objectName, const QString& text, QRect geometry,
                       std::function<void()> onClick);
// A check box; every change of its state, by the user or by code, runs `onClick` when one is given.
QCheckBox* addCheckBox(QWidget* parent, const QString& objectName, const QString& text, QRect geometry,
                       std::function<void()> onClick = {});
// A field only the program writes: read-only and out of the tab order.
QLineEdit* addReadOnlyField(QWidget* parent, const QString& objectName, QRect geometry);

// The zone margin's box, the same in the blend finder and the solubility test
// window: its range, step, tooltip and spoken name.
QDoubleSpinBox* makeZoneMarginBox(QWidget* parent, const QString& objectName, double margin);

// Lets a long caption wrap onto more lines inside its button. The button
// keeps the caption as its text (for its accessible name and for tests), but
// draws it transparent under a word-wrapping copy named
// objectName + "_caption". Call it once the button's font and place are set.
void wrapCaption(QPushButton* button);

}  // namespace tarnwell::ui
