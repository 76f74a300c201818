#pragma once
// What a screen reader is told about the controls of a window, read through
// QAccessible as an assistive technology reads it, and a walk that reaches
// every window the program can show, so that a check runs over each of them
// (also over a window added later, as long as a button opens it).

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include <QPointer>
#include <QWidget>

class QPushButton;

namespace tarnwell::testing {

// What is said for `control`.
struct Spoken {
    QString name;
    QString description;
};
Spoken spokenFor(QWidget* control);

// What is wrong with what `window` tells a screen reader, one line per fault
// (empty when nothing is):
//  - a control that shows or takes a value, or takes the keyboard focus,
//    whose name is empty or only its objectName;
//  - two controls that take a value with the same name;
//  - a label whose name is not what it shows (a name must not replace a value);
//  - a label that shows a figure, or nothing yet, with no description of what
//    the figure is (unless it is the caption of a control, its buddy, or the
//    program hides it while it has nothing to say).
QStringList unspokenControls(QWidget* window);

// Reaches windows by pressing buttons. Every window it enters is visited
// once; then every button of it is pressed (the default button last), and a
// window that comes up is entered in turn: a modal one while it is up (it is
// closed afterwards if still open), a modeless one after the press.
class WindowWalk {
public:
    // `skip`: buttons never to press (one that ends the program).
    WindowWalk(std::function<void(QWidget*)> visit, std::function<bool(QPushButton*)> skip);

    // Runs `action`; a modal window that comes up meanwhile is entered.
    void during(const std::function<void()>& action);
    void enter(QWidget* window);
    // Enters every window shown now, then visits every other top-level
    // window the program holds (hidden ones too).
    void everyWindow();

    // objectNames of the windows visited, in order.
    QStringList visitedNames() const { return names_; }

private:
    bool seen(const QWidget* window) const;
    void enterShownWindows();

    std::function<void(QWidget*)> visit_;
    std::function<bool(QPushButton*)> skip_;
    std::vector<QPointer<QWidget>> seen_;
    QStringList names_;
};

}  // namespace tarnwell::testing
