// Thousands of random clicks, double-clicks and key strokes, with a fixed
// seed, on every screen the program shows; each modal screen gets a few of
// them too and is then closed. Nothing may crash or hang, every message has
// one of the program's titles, and no field ever shows "inf" or "nan".
#include "core/messages.h"
#include "app/application.h"
#include "app/frm_solver_startup.h"
#include "workbench/frm_solvermain.h"
#include "fake_platform.h"
#include "screen_test.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <random>

namespace tarnwell::testing {
namespace {

constexpr int kActions = 5000;
constexpr qint64 kBudgetMs = 150000;  // stops early, with a note, on a slow (sanitized) build

class Monkey {
public:
    explicit Monkey(std::uint32_t seed) : random_(seed) {}

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    // One random action somewhere on `window`.
    void act(QWidget* window) {
        screens << window->objectName();
        QList<QWidget*> targets;
        for (QWidget* w : window->findChildren<QWidget*>())
            if (w->isVisible() && w->isEnabled() &&
                (qobject_cast<QAbstractButton*>(w) || qobject_cast<QAbstractItemView*>(w) ||
                 qobject_cast<QLineEdit*>(w)))
                targets << w;
        if (targets.isEmpty()) return;
        QWidget* target = targets[pick(static_cast<int>(targets.size()))];
        if (auto* list = qobject_cast<QAbstractItemView*>(target)) {
            const int rows = list->model() ? list->model()->rowCount() : 0;
            // Rows near both ends matter most: the first solvent and the custom-entry row.
            int row = rows == 0 ? -1 : pick(3) == 0 ? rows - 1 : pick(rows);
            if (row < 0) return;
            if (pick(3) == 0) doubleClickRow(list, row);
            else clickRow(list, row);
        } else if (auto* field = qobject_cast<QLineEdit*>(target)) {
            static const char* const pieces[] = {"0", "1", ".5", "0.33", "-", "e9", "1e308", "x", " ", "99",
                                                 "0.045", "nan", "inf", "1e-50", "100"};
            QTest::mouseClick(field, Qt::LeftButton);
            if (pick(2) == 0) field->selectAll();
            QTest::keyClicks(field, QString::fromLatin1(pieces[pick(15)]));
            switch (pick(4)) {
            case 0: QTest::keyClick(field, Qt::Key_Return); break;
            case 1: QTest::keyClick(field, Qt::Key_Tab); break;
            case 2: QTest::keyClick(field, Qt::Key_Backspace); break;
            default: break;
            }
        } else {
            QTest::mouseClick(target, Qt::LeftButton);
        }
    }

    QSet<QString> screens;  // every window acted on

private:
    std::mt19937 random_;
};

QSet<QString> programTitles() {
    using namespace messages;
    QSet<QString> titles;
    for (const char* t : {kErrorTitle, kPrintTitle, kM5Title, kM6Title, kM7Title, kM8Title, kM9Title, kSolutionTitle,
                          kCustomHelpTitle, kFinderCsvTitle})
        titles << QString::fromUtf8(t);
    return titles;
}

// Every text the screens show now that reads "inf" or "nan".
QStringList notFiniteTexts() {
    QStringList found;
    auto bad = [](const QString& t) {
        const QString l = t.toLower();
        return l.contains(QStringLiteral("inf")) || l.contains(QStringLiteral("nan"));
    };
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible()) continue;
        for (QLineEdit* f : top->findChildren<QLineEdit*>())
            if (f->isVisible() && f->isReadOnly() && bad(f->text()))
                found << f->objectName() + QStringLiteral(": ") + f->text();
        for (QLabel* l : top->findChildren<QLabel*>())
            if (l->isVisible() && bad(l->text()) && !l->text().contains(QLatin1Char(' ')))
                found << l->objectName() + QStringLiteral(": ") + l->text();
    }
    return found;
}

TEST(Monkey, RandomInputOnEveryScreenNeverCrashesHangsOrShowsNotFiniteFigures) {
    DatabaseFolder folder(databaseText(sampleSolvents()));
    FakePlatform platform;
    Application app(platform);
    app.start();
    click(find<QPushButton>(app.startupScreen(), QStringLiteral("cmdContinue")));
    ASSERT_NE(app.mainScreen(), nullptr);
    ASSERT_TRUE(app.mainScreen()->isVisible());

    Monkey monkey(20240611);
    int modalsClosed = 0;
    QWidget* actingOn = nullptr;  // the modal the watchdog is acting on
    auto closeModal = [&modalsClosed](QWidget* modal) {
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        modal->hide();
        ++modalsClosed;
    };
    // The watchdog: a modal gets a few random actions, then is closed, so no
    // exec() can keep the test waiting. A timer does not fire again while its
    // own handler runs, so a second one closes any modal that those actions open.
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || actingOn) return;
        monkey.screens << modal->objectName();
        actingOn = modal;
        for (int i = monkey.pick(6); i > 0 && QApplication::activeModalWidget() == modal; --i) monkey.act(modal);
        actingOn = nullptr;
        if (QApplication::activeModalWidget() == modal) closeModal(modal);
    });
    QTimer nestedCloser;
    QObject::connect(&nestedCloser, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !actingOn || modal == actingOn) return;
        monkey.screens << modal->objectName();
        closeModal(modal);
    });
    watchdog.start(5);
    nestedCloser.start(7);

    QElapsedTimer clock;
    clock.start();
    const QSet<QString> titles = programTitles();
    std::size_t messagesSeen = 0;
    int done = 0;
    for (; done < kActions && clock.elapsed() < kBudgetMs; ++done) {
        QList<QWidget*> windows;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && top->isEnabled() && top->isWindow()) windows << top;
        if (windows.isEmpty() || !platform.endCalls.empty()) {
            // The user ended the program or hid the last screen: start over from the main screen.
            platform.endCalls.clear();
            app.showMainScreen();
            continue;
        }
        QWidget* main = app.mainScreen();
        if (monkey.pick(150) == 0 && main->isVisible() && main->isEnabled()) {
            // Now and then a whole blend, which random clicks alone seldom complete:
            // a solvent as the target (which empties slot 1), three solvents, Calculate.
            auto list = [main](const char* name) { return find<QAbstractItemView>(main, QString::fromLatin1(name)); };
            auto press = [main](const char* name) {
                if (auto* b = find<QPushButton>(main, QString::fromLatin1(name)); b && b->isEnabled()) click(b);
            };
            const int solvents = list("lstSolvent1")->model()->rowCount() - 1;  // not the custom-entry row
            const int target = monkey.pick(solvents);
            doubleClickRow(list("lstSolvent1"), target);
            press("cmdEnterasTarget");
            for (const char* name : {"lstSolvent1", "lstSolvent2", "lstSolvent3"})
                if (QAbstractItemView* l = list(name); l->isEnabled())
                    doubleClickRow(l, name[10] == '1' ? target : monkey.pick(solvents));
            press("cmdCalculate");
        } else {
            monkey.act(windows[monkey.pick(static_cast<int>(windows.size()))]);
        }
        for (; messagesSeen < platform.messages.size(); ++messagesSeen)
            EXPECT_TRUE(titles.contains(platform.messages[messagesSeen].title))
                << "unknown title \"" << platform.messages[messagesSeen].title.toStdString() << "\" after "
                << done << " actions";
        const QStringList bad = notFiniteTexts();
        ASSERT_TRUE(bad.isEmpty()) << bad.join(QStringLiteral("; ")).toStdString() << " after " << done
                                   << " actions";
    }
    watchdog.stop();
    nestedCloser.stop();
    if (done < kActions) std::printf("monkey: time budget reached after %d actions\n", done);
    std::printf("monkey: %d actions, %zu messages, %d modals closed, %lld ms\n", done, platform.messages.size(),
                modalsClosed, static_cast<long long>(clock.elapsed()));
    QStringList reached(monkey.screens.begin(), monkey.screens.end());
    reached.sort();
    std::printf("monkey: screens reached: %s\n", reached.join(QStringLiteral(", ")).toUtf8().constData());
    EXPECT_GE(done, 500) << "too few actions in the time budget to mean anything";
    // The seed is fixed, so these are reached on every run; a screen that stops
    // being reachable means a button or list stopped working.
    for (const char* screen : {"frmSolvermain", "frmCalculateParamsfromMix", "frmCustomParams", "frmResults"})
        EXPECT_TRUE(monkey.screens.contains(QString::fromLatin1(screen))) << screen << " never reached";
}

}  // namespace
}  // namespace tarnwell::testing
