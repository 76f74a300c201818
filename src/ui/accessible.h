#pragma once
// What a screen reader says for the controls.
//  - A control's name comes from its visible caption ("Solvent 1 N",
//    "Target name"), with a description where the caption alone is unclear.
//  - A label that shows a value keeps the value as what is said; its caption
//    goes into its description ("Mixture VHR"), never into a name that would
//    take the value's place.
//  - Colour never carries meaning alone: whatever colours a total or one of
//    two compared figures also says in words what the colour means.

#include <QString>

class QLabel;
class QWidget;

namespace tarnwell::ui {

// What the screens' short captions stand for, said after them.
enum class Figure { N, D, W, Twa, Vhr };
inline constexpr Figure kNdwFigures[3] = {Figure::N, Figure::D, Figure::W};
QString meaningOf(Figure figure);

// The name a screen reader says for `control`, and a description when given.
void setSpokenName(QWidget* control, const QString& name, const QString& description = QString());

// `label` shows a value; `caption` says what the value is.
void describeValue(QLabel* label, const QString& caption);
// A total that must come to one value: green with `rightRemark` when it
// does, red with `wrongRemark` when it does not.
void showTotalState(QLabel* total, bool right, const QString& rightRemark, const QString& wrongRemark);

// How one of two compared health figures stands against the other.
enum class Safety {
    Unrated,   // not compared (a figure is missing): no colour, no remark
    Safer,     // green
    LessSafe,  // red
    Same,      // the window-frame colour
};
// Colours a compared figure and says the comparison with `other`
// ("safer than the target").
void showSafety(QLabel* figure, Safety safety, const QString& other);

}  // namespace tarnwell::ui
