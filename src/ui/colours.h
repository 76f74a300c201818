#pragma once
// The program's colours. Green and red mark right/wrong totals and the safer
// and less safe of two figures; the rest are the desktop's classic named
// system colours, fixed here so every screen and every print looks the same.

#include <QColor>

class QPushButton;
class QWidget;

namespace tarnwell::ui::colours {

inline QColor green() { return QColor(0, 128, 0); }
inline QColor red() { return QColor(255, 0, 0); }
inline QColor blue() { return QColor(0, 0, 255); }
inline QColor lightPink() { return QColor(255, 192, 192); }  // &H00C0C0FF&, the startup buttons' light red
inline QColor salmon() { return QColor(255, 128, 128); }
// The mark around the control that has the keyboard focus: dark enough to
// stand out on every face and field colour of the screens.
inline QColor focusMark() { return QColor(0, 0, 128); }

inline QColor windowBackground() { return QColor(255, 255, 255); }  // system colour 5
inline QColor windowFrame() { return QColor(100, 100, 100); }      // system colour 6
inline QColor windowText() { return QColor(0, 0, 0); }             // system colour 8
inline QColor scrollBar() { return QColor(212, 208, 200); }        // system colour 0
inline QColor activeBorder() { return QColor(212, 208, 200); }     // system colour 10
inline QColor inactiveBorder() { return QColor(192, 192, 192); }   // system colour 11, a grey
inline QColor buttonFace() { return QColor(212, 208, 200); }       // system colour 15
inline QColor buttonText() { return QColor(0, 0, 0); }             // system colour 18

// Sets a widget's text colour (labels, fields) through its palette.
void setTextColour(QWidget* widget, const QColor& colour);
QColor textColour(const QWidget* widget);
// Sets the background of a field, list or window.
void setBackground(QWidget* widget, const QColor& colour);
// Gives a button a coloured face that holds under the platform's style too.
void setButtonFace(QPushButton* button, const QColor& colour);
QColor background(const QWidget* widget);

}  // namespace tarnwell::ui::colours
