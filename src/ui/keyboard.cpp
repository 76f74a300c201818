#include "ui/keyboard.h"

#include "ui/colours.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBackingStore>
#include <QFocusFrame>
#include <QKeyEvent>
#include <QPainter>
#include <QPaintEngine>

namespace tarnwell::ui {

namespace {

bool isReturn(const QKeyEvent* key) {
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           !(key->modifiers() & ~Qt::KeypadModifier);
}

bool isBacktab(const QKeyEvent* key) {
    return key->key() == Qt::Key_Backtab || (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier));
}

class ReturnKey final : public QObject {
public:
    ReturnKey(QWidget* widget, std::function<bool()> action) : QObject(widget), action_(std::move(action)) {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!isReturn(key)) return false;
        // A held Return would repeat the action while its first outcome
        // (a modal screen, a report) is still coming up.
        if (key->isAutoRepeat()) return true;
        return action_();
    }

private:
    std::function<bool()> action_;
};

// Shift+Tab back to where the user was before the program moved the focus.
class WayBack final : public QObject {
public:
    explicit WayBack(QWidget* to) : QObject(to) { to->installEventFilter(this); }

    void setBack(QWidget* from) { back_ = from; }

    bool eventFilter(QObject*, QEvent* event) override {
        if (!back_) return false;
        if (event->type() == QEvent::KeyPress && isBacktab(static_cast<QKeyEvent*>(event))) {
            QWidget* back = back_;
            back_.clear();
            if (!back->isVisible() || !back->isEnabled()) return false;
            back->setFocus(Qt::BacktabFocusReason);
            return true;
        }
        if (event->type() == QEvent::FocusOut) {
            // A message box or a menu coming up takes the focus for a while;
            // anything else means the user went elsewhere.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) back_.clear();
        }
        return false;
    }

private:
    QPointer<QWidget> back_;
};

// The mark around the focused control. A QFocusFrame follows its control as
// it moves, hides and shows, and screen readers pass it over.
class FocusMark final : public QFocusFrame {
public:
    explicit FocusMark(QWidget* parent) : QFocusFrame(parent) { setObjectName(QStringLiteral("focusMark")); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        // Only what goes to the screen: a print or a picture of the window
        // paints into a device of its own and shows no mark.
        QBackingStore* store = window()->backingStore();
        if (!store || !painter.paintEngine() || painter.paintEngine()->paintDevice() != store->paintDevice()) return;
        QPen pen(colours::focusMark(), kWidth);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(kWidth / 2.0, kWidth / 2.0, -kWidth / 2.0, -kWidth / 2.0));
    }

private:
    static constexpr int kWidth = 2;
};

QPointer<FocusMark>& focusMark() {
    static QPointer<FocusMark> mark;
    return mark;
}

void markFocus(QWidget* now) {
    QPointer<FocusMark>& mark = focusMark();
    if (!now || now->isWindow()) {
        if (mark) mark->setWidget(nullptr);
        return;
    }
    // Made in the first window that has a focused control (never a window of
    // its own); made again when the window it lived in is gone.
    if (!mark) mark = new FocusMark(now->window());
    mark->setWidget(now);
}

}  // namespace

void onReturnKey(QWidget* widget, std::function<bool()> action) { new ReturnKey(widget, std::move(action)); }

void pressOnReturn(QAbstractButton* button) {
    onReturnKey(button, [button] {
        if (button->isEnabled()) button->click();
        return true;
    });
}

void keepReturn(QWidget* field) {
    onReturnKey(field, [] { return true; });
}

void jumpFocus(QWidget* to, QWidget* from) {
    const bool userWasThere = from && from->hasFocus();
    to->setFocus(Qt::OtherFocusReason);
    if (!userWasThere || !to->hasFocus()) return;
    // WayBack has no meta-object of its own, so findChild would take any child for it.
    WayBack* wayBack = nullptr;
    for (QObject* child : to->children())
        if ((wayBack = dynamic_cast<WayBack*>(child))) break;
    if (!wayBack) wayBack = new WayBack(to);
    wayBack->setBack(from);
}

KeyboardReturn::KeyboardReturn(QWidget* asking) {
    window_ = QApplication::activeWindow();
    if (!window_ && asking) window_ = asking->window();
    if (window_) focus_ = window_->focusWidget();
}

KeyboardReturn::~KeyboardReturn() {
    if (!window_ || !window_->isVisible() || !window_->isEnabled()) return;
    window_->activateWindow();
    if (focus_ && focus_->isVisible() && focus_->isEnabled()) focus_->setFocus(Qt::ActiveWindowFocusReason);
}

void showKeyboardFocus() {
    static bool shown = false;
    if (shown) return;
    shown = true;
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget* now) { markFocus(now); });
    markFocus(QApplication::focusWidget());
}

QWidget* focusMarked() {
    const QPointer<FocusMark>& mark = focusMark();
    return mark && mark->isVisible() ? mark->widget() : nullptr;
}

}  // namespace tarnwell::ui
