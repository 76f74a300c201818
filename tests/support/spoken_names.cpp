#include "spoken_names.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <map>

namespace tarnwell::testing {

Spoken spokenFor(QWidget* control) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    if (!face) return {};
    return {face->text(QAccessible::Name), face->text(QAccessible::Description)};
}

namespace {

// Parts of Qt's own controls (a spin box's field, a list's viewport), which
// a screen reader meets as their control.
bool isPartOfAControl(const QWidget* w) {
    if (w->objectName().startsWith(QLatin1String("qt_"))) return true;
    for (const QWidget* p = w->parentWidget(); p && !p->isWindow(); p = p->parentWidget())
        if (qobject_cast<const QAbstractSpinBox*>(p) || qobject_cast<const QComboBox*>(p)) return true;
    // A table's headers are read through the table.
    return qobject_cast<const QScrollBar*>(w) || qobject_cast<const QHeaderView*>(w);
}

bool takesAValue(const QWidget* w) {
    if (auto* b = qobject_cast<const QAbstractButton*>(w)) return b->isCheckable();
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QTextEdit*>(w) ||
           qobject_cast<const QProgressBar*>(w) || qobject_cast<const QAbstractSlider*>(w);
}

// What a label shows, as a screen reader would read it if nothing replaced it:
// rich text as plain text, and on a control's caption (a buddy label) the
// mnemonic's "&" left out ("&&" is one "&").
QString shownText(const QLabel* label) {
    QString text = label->text();
    if (label->textFormat() == Qt::RichText ||
        (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
        QTextDocument document;
        document.setHtml(text);
        text = document.toPlainText();
    }
    if (!label->buddy()) return text;
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('&')) shown += text.at(++i);
            continue;
        }
        shown += text.at(i);
    }
    return shown;
}

// A figure the program fills in: a number or numbers ("47  32  21", ".459"),
// or nothing yet.
bool showsAFigure(const QLabel* label) {
    static const QRegularExpression figures(QStringLiteral("^[-+0-9.,\\s]*$"));
    return figures.match(label->text()).hasMatch();
}

QString named(const QWidget* w) {
    return (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName());
}

}  // namespace

QStringList unspokenControls(QWidget* window) {
    QStringList faults;
    const QString windowName = spokenFor(window).name;
    if (windowName.trimmed().isEmpty()) faults << QStringLiteral("the window has no name");

    std::map<QString, QString> valueNames;  // name -> the control that has it
    QList<QWidget*> controls = window->findChildren<QWidget*>();
    for (QWidget* w : controls) {
        if (w->window() != window || isPartOfAControl(w)) continue;
        const Spoken said = spokenFor(w);
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (said.name != shownText(label))
                faults << named(w) + QStringLiteral(": a name \"") + said.name +
                              QStringLiteral("\" replaces what it shows, \"") + label->text() + QLatin1Char('"');
            // A caption of a control (its buddy) names it; a label the
            // program hides while it has nothing to say is never met.
            else if (!label->buddy() && label->isVisibleTo(window) && showsAFigure(label) &&
                     said.description.trimmed().isEmpty())
                faults << named(w) + QStringLiteral(": shows \"") + label->text() +
                              QStringLiteral("\" and nothing says what it is");
            continue;
        }
        const bool value = takesAValue(w);
        if (!value && !(w->focusPolicy() & Qt::TabFocus)) continue;
        const QString name = said.name.trimmed();
        if (name.isEmpty() || name == w->objectName()) {
            faults << named(w) + QStringLiteral(": no spoken name") +
                          (name.isEmpty() ? QString() : QStringLiteral(" but its objectName"));
            continue;
        }
        if (!value) continue;
        const auto [it, added] = valueNames.emplace(name, named(w));
        if (!added) faults << named(w) + QStringLiteral(" and ") + it->second + QStringLiteral(" are both \"") + name +
                                  QLatin1Char('"');
    }
    return faults;
}

WindowWalk::WindowWalk(std::function<void(QWidget*)> visit, std::function<bool(QPushButton*)> skip)
    : visit_(std::move(visit)), skip_(std::move(skip)) {}

bool WindowWalk::seen(const QWidget* window) const {
    return std::any_of(seen_.begin(), seen_.end(), [window](const QPointer<QWidget>& w) { return w == window; });
}

void WindowWalk::during(const std::function<void()>& action) {
    QPointer<QWidget> before = QApplication::activeModalWidget();
    QTimer timer;
    timer.setInterval(20);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == before) return;
        timer.stop();
        QPointer<QWidget> up = modal;
        enter(modal);
        if (up && QApplication::activeModalWidget() == up) up->close();
        if (up && QApplication::activeModalWidget() == up) up->hide();
    });
    timer.start();
    action();
    timer.stop();
}

void WindowWalk::enter(QWidget* window) {
    if (!window || seen(window)) return;
    seen_.emplace_back(window);
    names_ << window->objectName();
    visit_(window);

    const QPointer<QWidget> here = window;
    const bool modal = window->isModal();
    QList<QPointer<QPushButton>> buttons;
    for (QPushButton* b : window->findChildren<QPushButton*>())
        if (b->window() == window) buttons << b;
    std::stable_partition(buttons.begin(), buttons.end(), [](const QPointer<QPushButton>& b) { return !b->isDefault(); });
    for (const QPointer<QPushButton>& b : buttons) {
        if (!here || !b) return;
        if (!here->isVisible()) {
            if (modal) return;  // its showing is over
            here->show();
        }
        if (!b->isVisible() || !b->isEnabled() || skip_(b)) continue;
        during([&] { b->click(); });
        // Windows under a modal one wait until it is gone.
        if (!QApplication::activeModalWidget()) enterShownWindows();
    }
}

void WindowWalk::enterShownWindows() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && !(w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip) && !seen(w)) enter(w);
}

void WindowWalk::everyWindow() {
    enterShownWindows();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (seen(w) || w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip ||
            w->windowType() == Qt::Desktop)
            continue;
        seen_.emplace_back(w);
        names_ << w->objectName();
        visit_(w);
    }
}

}  // namespace tarnwell::testing
