#pragma once
// Working without a mouse: what Return does where, a focus that jumps with a
// way back, and a focus mark that can be seen on every control.
//  - Return (or Enter) on a list's selected row does what a double-click on
//    it does; with no row selected it does nothing (onDblClick sets this up).
//  - Return on a focused button presses it, as Space does (addButton sets
//    this up).
//  - A field can keep Return to itself, so it never reaches the window's
//    default button (a report's notes are not lost by a Return).

#include <QPointer>
#include <functional>

class QAbstractButton;
class QWidget;

namespace tarnwell::ui {

// Runs `action` on Return or Enter in `widget` (not on a held key's
// repeats). The key goes no further when `action` returns true.
void onReturnKey(QWidget* widget, std::function<bool()> action);

// Return or Enter on the focused button presses it.
void pressOnReturn(QAbstractButton* button);

// Return or Enter in `field` does nothing beyond what the field itself does.
void keepReturn(QWidget* field);

// Moves the focus to `to`, for a focus the program moves while the user is in
// `from`: Shift+Tab in `to` then leads straight back to `from` instead of to
// the control before `to` in the tab order. The way back lasts until the
// focus leaves `to` otherwise. When `from` does not have the focus, this is a
// plain move.
void jumpFocus(QWidget* to, QWidget* from);

// Keeps where the keyboard is while a modal screen or a message is up, and
// gives it back there when the guard ends: the window the user was in (the
// active one, else `asking`'s window) is made active again, as the window
// system may activate another, and the control that had the focus gets it
// back, also when its window was disabled meanwhile.
class KeyboardReturn {
public:
    explicit KeyboardReturn(QWidget* asking);
    ~KeyboardReturn();
    KeyboardReturn(const KeyboardReturn&) = delete;
    KeyboardReturn& operator=(const KeyboardReturn&) = delete;

private:
    QPointer<QWidget> window_;
    QPointer<QWidget> focus_;
};

// Draws a strong mark around whichever control has the keyboard focus, on the
// screen only (not on prints or pictures of a window). Call once after the
// QApplication exists.
void showKeyboardFocus();

// The control the focus mark is around now, or null; for tests.
QWidget* focusMarked();

}  // namespace tarnwell::ui
