// The two main jobs by keyboard alone: real key events delivered through the
// window that has the focus, no mouse, from the startup screen to the report
// of a blend and to the print question of a mixture. On the way: Return on a
// list row is its double-click, the tab orders, Shift+Tab back to the target
// list after the program moved the focus, Return and Escape in the modal
// screens, and a visible focus mark on every control reached.
#include "app/application.h"
#include "app/frm_solver_startup.h"
#include "../support/fake_platform.h"
#include "../support/screen_test.h"
#include "mixcalc/frm_calculate_params_from_mix.h"
#include "ui/events.h"
#include "ui/keyboard.h"
#include "ui/platform.h"
#include "workbench/frm_solvermain.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

// Readable names in test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

using namespace tarnwell;
using namespace tarnwell::testing;

namespace {

enum Row : int { kAcetone = 0, kEthanol, kHeptane, kCustom = 6 };

QString focusName() {
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QStringLiteral("<nothing>");
}

// One key as the window system delivers it: to the window with the focus,
// and in it to the focused control (or whatever filters the key first). The
// focus mark must be around the control the key leaves the focus on.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWindow* window = QGuiApplication::focusWindow();
    ASSERT_NE(window, nullptr) << "no window has the focus";
    QTest::keyClick(window, key, modifiers);
    if (QWidget* focused = QApplication::focusWidget(); focused && focused->window()->isVisible()) {
        EXPECT_EQ(ui::focusMarked(), focused) << "no focus mark on " << focused->objectName().toStdString();
    }
}

void type(const QString& text) {
    for (const QChar c : text) {
        QWindow* window = QGuiApplication::focusWindow();
        ASSERT_NE(window, nullptr);
        QTest::keyClick(window, c.toLatin1());
    }
}

void pressTimes(Qt::Key key, int times) {
    for (int i = 0; i < times; ++i) press(key);
}

// Tabs on until `name` has the focus; fails after `most` Tabs.
void tabTo(const QString& name, int most = 30) {
    for (int i = 0; i < most && focusName() != name; ++i) press(Qt::Key_Tab);
    ASSERT_EQ(focusName(), name);
}

// The focus names met by `count` Tabs.
QStringList tabs(int count) {
    QStringList met;
    for (int i = 0; i < count; ++i) {
        press(Qt::Key_Tab);
        met << focusName();
    }
    return met;
}

// Runs `keys` (which open a modal screen) and, on that screen, `inside`;
// fails when no modal comes up or when `inside` leaves it open.
void inModal(const std::function<void()>& keys, const QString& expected, const std::function<void(QWidget*)>& inside) {
    QString seen;
    const bool up = duringModal(keys, [&](QWidget* modal) {
        seen = modal->objectName();
        if (!QTest::qWaitForWindowActive(modal)) {
            ADD_FAILURE() << "the modal screen is not active";
        }
        inside(modal);
    });
    EXPECT_TRUE(up) << "no modal screen came up";
    EXPECT_EQ(seen, expected);
}

// A picture of `window` as the screen shows it (with the focus mark, which
// is never drawn into prints), when TARNWELL_SCREENSHOT_DIR names a folder.
void saveScreenshot(QWidget* window, const char* fileName) {
    const QString folder = qEnvironmentVariable("TARNWELL_SCREENSHOT_DIR");
    if (folder.isEmpty()) return;
    QTest::qWait(50);  // let the mark be painted
    const QPixmap picture = window->screen()->grabWindow(window->winId());
    EXPECT_TRUE(picture.save(folder + QLatin1Char('/') + QLatin1String(fileName)));
}

QString description(QWidget* control) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    return face ? face->text(QAccessible::Description) : QString();
}

class KeyboardWalk : public ::testing::Test {
protected:
    KeyboardWalk() : folder(databaseText(sampleSolvents())), app(platform) {}

    // The program as started, then the terms accepted with Return.
    FrmSolvermain* startAndAccept() {
        app.start();
        QWidget* startup = app.startupScreen();
        EXPECT_TRUE(QTest::qWaitForWindowActive(startup));
        EXPECT_EQ(focusName(), QStringLiteral("cmdContinue"));
        press(Qt::Key_Return);
        FrmSolvermain* main = app.mainScreen();
        EXPECT_NE(main, nullptr);
        if (!main) return nullptr;
        EXPECT_FALSE(startup->isVisible());
        EXPECT_TRUE(QTest::qWaitForWindowActive(main));
        return main;
    }

    template <typename T>
    T* on(QWidget* screen, const QString& name) {
        T* w = find<T>(screen, name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QString text(QWidget* screen, const QString& name) { return on<QLineEdit>(screen, name)->text(); }

    DatabaseFolder folder;
    FakePlatform platform;
    Application app;
};

TEST_F(KeyboardWalk, StartupScreenTabsThroughEveryControlFromTheAcceptanceButton) {
    app.start();
    ASSERT_TRUE(QTest::qWaitForWindowActive(app.startupScreen()));
    ASSERT_EQ(focusName(), QStringLiteral("cmdContinue"));
    // The text blocks take their turns, so the terms can be read and scrolled.
    EXPECT_EQ(tabs(6), QStringList({"Text1", "cmdPrint", "cmdExit", "Text2", "Text3", "cmdContinue"}));
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focusName(), QStringLiteral("Text3"));
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focusName(), QStringLiteral("Text2"));
    saveScreenshot(app.startupScreen(), "keyboard-startup-terms.png");
    tabTo(QStringLiteral("cmdPrint"));
    press(Qt::Key_Return);
    EXPECT_EQ(platform.printedWindows, std::vector<QString>{"frmSolverStartup"});
    EXPECT_EQ(app.mainScreen(), nullptr);
    press(Qt::Key_Tab);
    press(Qt::Key_Return);  // Exit
    EXPECT_EQ(platform.endCalls, std::vector<int>{0});
}

TEST_F(KeyboardWalk, ABlendFromTheStartupScreenToItsReport) {
    FrmSolvermain* main = startAndAccept();
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(focusName(), QStringLiteral("lstSolvent1"));
    // The whole tab cycle: the columns, the target from the left, the
    // right-hand column, the help at the bottom left; no slot field.
    EXPECT_EQ(tabs(19), QStringList({"lstSolvent2", "lstSolvent3", "cmdEnterasTarget", "lstTargetN", "lstTargetD",
                                     "lstTargetW", "txtTargetTLV", "txtTargetVHR", "txtTargetName",
                                     "txtEffectsTarget", "CheckBox1", "cmdCalculate", "CommandButton3",
                                     "cmdFindBlends", "cmdTeasChart", "cmdSolubilityTest", "CommandButton2",
                                     "cmdReferences", "lstSolvent1"}));

    // Return with no row selected does nothing.
    press(Qt::Key_Return);
    EXPECT_TRUE(text(main, "txtSolvent1_N").isEmpty());
    EXPECT_TRUE(platform.messages.empty());

    // Typing a letter selects the next solvent starting with it; Return loads it.
    const std::pair<char, int> choices[] = {{'N', kHeptane}, {'A', kAcetone}, {'E', kEthanol}};
    for (int k = 1; k <= 3; ++k) {
        const auto [letter, row] = choices[k - 1];
        if (k > 1) press(Qt::Key_Tab);
        ASSERT_EQ(focusName(), QStringLiteral("lstSolvent%1").arg(k));
        press(Qt::Key(letter));
        EXPECT_EQ(ui::selectedRow(on<QListView>(main, focusName())), row);
        // The keypad's Enter is Return too.
        if (k == 2) press(Qt::Key_Enter, Qt::KeypadModifier);
        else press(Qt::Key_Return);
    }
    EXPECT_EQ(text(main, "txtSolvent1_N"), " 100");
    EXPECT_EQ(text(main, "txtSolvent2_N"), " 47");
    EXPECT_EQ(text(main, "txtSolvent3_W"), " 46");
    EXPECT_EQ(text(main, "txtTLV_3"), "1000");

    // The target, 60 / 20 / 20, with the arrow keys from the starting 50s,
    // staying above 100 until the last step, which is in N.
    EXPECT_EQ(tabs(2), QStringList({"cmdEnterasTarget", "lstTargetN"}));
    pressTimes(Qt::Key_Up, 11);
    press(Qt::Key_Tab);
    pressTimes(Qt::Key_Down, 30);
    press(Qt::Key_Tab);
    pressTimes(Qt::Key_Down, 30);
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(focusName(), QStringLiteral("lstTargetN"));
    EXPECT_EQ(on<QLabel>(main, "lblTotal")->text(), "101");
    EXPECT_EQ(description(on<QLabel>(main, "lblTotal")), "N + D + W, does not add up to 100");
    press(Qt::Key_Down);
    EXPECT_EQ(on<QLabel>(main, "lblTotal")->text(), "100");
    EXPECT_EQ(description(on<QLabel>(main, "lblTotal")), "N + D + W, adds up to 100");
    // The program moved the focus to the TWA field; Shift+Tab goes straight
    // back to the list the user was in, not to the list before the field.
    EXPECT_EQ(focusName(), QStringLiteral("txtTargetTLV"));
    saveScreenshot(main, "keyboard-target-100.png");
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focusName(), QStringLiteral("lstTargetN"));
    EXPECT_EQ(app.state().target.n, 60);
    // From there the tab order is the screen's again.
    EXPECT_EQ(tabs(3), QStringList({"lstTargetD", "lstTargetW", "txtTargetTLV"}));
    EXPECT_EQ(app.state().target.d, 20);
    EXPECT_EQ(app.state().target.w, 20);
    ASSERT_EQ(focusName(), QStringLiteral("txtTargetTLV"));
    type("200");
    press(Qt::Key_Tab);
    type("300");
    press(Qt::Key_Tab);
    type("Varnish remover");
    EXPECT_EQ(tabs(3), QStringList({"txtEffectsTarget", "CheckBox1", "cmdCalculate"}));
    EXPECT_EQ(app.state().target.label, "Varnish remover");

    inModal([] { press(Qt::Key_Return); }, QStringLiteral("frmResults"), [&](QWidget* report) {
        EXPECT_EQ(focusName(), QStringLiteral("cmdOk"));
        EXPECT_EQ(on<QLabel>(report, "lblTLVMixPPM")->text(), "178");
        // Colour is not the only carrier: each compared figure says how it stands.
        EXPECT_EQ(description(on<QLabel>(report, "lblTLVMixPPM")), "Mixture TWA, less safe than the target");
        EXPECT_EQ(description(on<QLabel>(report, "lblTLVTarget")), "Target TWA, safer than the mixture");
        EXPECT_EQ(description(on<QLabel>(report, "lblVHRMixture")), "Mixture VHR, less safe than the target");
        EXPECT_EQ(description(on<QLabel>(report, "lblVHRTarget")), "Target VHR, safer than the mixture");
        EXPECT_EQ(tabs(4), QStringList({"cmdPrint", "cmdEvaporation", "cmdNoteOnMixtures", "TextBox1"}));
        // Return in the notes keeps the report and its notes.
        type("Test on a corner");
        saveScreenshot(report, "keyboard-report-notes.png");
        press(Qt::Key_Return);
        EXPECT_TRUE(report->isVisible());
        EXPECT_EQ(on<QLineEdit>(report, "TextBox1")->text(), "Test on a corner");
        tabTo(QStringLiteral("cmdPrint"));
        press(Qt::Key_Return);
        EXPECT_EQ(platform.printedWindows, std::vector<QString>{"frmResults"});
        EXPECT_TRUE(report->isVisible());
        // Alt+E opens the Evaporation window over the report: its table and
        // buttons take the Tab in turn, Return on Print prints it, Escape
        // closes it and leaves the report as it was.
        // (A mnemonic presses its button a moment later, as a click shows.)
        inModal(
            [] {
                press(Qt::Key_E, Qt::AltModifier);
                QTest::qWait(400);
            },
            QStringLiteral("frmEvaporation"), [&](QWidget* evaporation) {
            EXPECT_EQ(focusName(), QStringLiteral("cmdClose"));
            EXPECT_EQ(tabs(4), QStringList({"tblEvaporation", "cmdPrint", "cmdHelp", "cmdClose"}));
            saveScreenshot(evaporation, "keyboard-evaporation.png");
            tabTo(QStringLiteral("cmdPrint"));
            press(Qt::Key_Return);
            press(Qt::Key_Escape);
            EXPECT_FALSE(evaporation->isVisible());
        });
        EXPECT_EQ(platform.printedWindows, (std::vector<QString>{"frmResults", "frmEvaporation"}));
        EXPECT_TRUE(report->isVisible());
        EXPECT_EQ(on<QLineEdit>(report, "TextBox1")->text(), "Test on a corner");
        // Escape leaves the report as Ok does.
        press(Qt::Key_Escape);
        EXPECT_FALSE(report->isVisible());
    });
    EXPECT_TRUE(platform.messages.empty()) << platform.lastText().toStdString();
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(text(main, "txtSolvent1_N"), " 100");  // the screen as it was
    EXPECT_EQ(focusName(), QStringLiteral("cmdCalculate"));
}

TEST_F(KeyboardWalk, AMixtureFromTheStartupScreenToThePrintQuestion) {
    FrmSolvermain* main = startAndAccept();
    ASSERT_NE(main, nullptr);
    tabTo(QStringLiteral("CommandButton3"));
    press(Qt::Key_Return);
    FrmCalculateParamsfromMix* calculator = app.calculator();
    ASSERT_NE(calculator, nullptr);
    EXPECT_FALSE(main->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(calculator));
    ASSERT_EQ(focusName(), QStringLiteral("lstSolvent1"));
    // The calculator's tab order as designed, the Teas chart and the evaporation last.
    EXPECT_EQ(tabs(13), QStringList({"lstSolvent2", "lstSolvent3", "txtInputCon1", "txtInputCon2", "txtInputCon3",
                                     "cmdCalculate", "chkUse2Solvents", "cmdHelpConcentrationForm",
                                     "cmdGoToSolvermain", "cmdReferences", "cmdTeasChart", "cmdEvaporation",
                                     "lstSolvent1"}));

    press(Qt::Key_A);
    press(Qt::Key_Return);
    press(Qt::Key_Tab);
    press(Qt::Key_E);
    press(Qt::Key_Return);
    EXPECT_EQ(text(calculator, "txtSolvent1_N"), "47");
    EXPECT_EQ(text(calculator, "txtSolvent2_W"), "46");

    // Solvent 3 entered by hand: End reaches the custom-entry row, Return
    // opens the custom screen. Escape there is its close box: nothing entered.
    press(Qt::Key_Tab);
    ASSERT_EQ(focusName(), QStringLiteral("lstSolvent3"));
    press(Qt::Key_End);
    inModal([] { press(Qt::Key_Return); }, QStringLiteral("frmCustomParams"), [&](QWidget*) {
        EXPECT_EQ(focusName(), QStringLiteral("lstCustomN"));
        EXPECT_EQ(tabs(7), QStringList({"lstCustomD", "lstCustomW", "txtMolWeight", "txtSpecGravity",
                                        "cmdCustomParamOk", "cmdCustomHelp", "lstCustomN"}));
        press(Qt::Key_Escape);
    });
    QListView* list3 = on<QListView>(calculator, "lstSolvent3");
    EXPECT_EQ(ui::selectedRow(list3), -1);
    EXPECT_TRUE(text(calculator, "txtSolvent3_N").isEmpty());
    // With no row selected Return opens nothing.
    ASSERT_EQ(focusName(), QStringLiteral("lstSolvent3"));
    EXPECT_FALSE(duringModal([] { press(Qt::Key_Return); }, [](QWidget* m) { m->close(); }));

    press(Qt::Key_End);
    press(Qt::Key_Space);  // selects the row the cursor is on
    ASSERT_EQ(ui::selectedRow(list3), kCustom);
    inModal([] { press(Qt::Key_Return); }, QStringLiteral("frmCustomParams"), [&](QWidget* custom) {
        // N stays at 50; D and W go down to 25 each.
        EXPECT_EQ(tabs(1), QStringList{"lstCustomD"});
        pressTimes(Qt::Key_Down, 25);
        press(Qt::Key_Tab);
        pressTimes(Qt::Key_Down, 25);
        EXPECT_EQ(on<QLabel>(custom, "lblCustomTotal")->text(), "100");
        press(Qt::Key_Tab);
        ASSERT_EQ(focusName(), QStringLiteral("txtMolWeight"));
        type("78.11");
        press(Qt::Key_Tab);
        type("0.879");
        saveScreenshot(custom, "keyboard-custom.png");
        // Return on the screen is its OK.
        press(Qt::Key_Return);
        EXPECT_FALSE(custom->isVisible());
    });
    EXPECT_EQ(text(calculator, "txtSolvent3_N"), "50");
    EXPECT_EQ(text(calculator, "txtEffects3"), "MW = 078.11  Specific Gravity = 0.88");
    EXPECT_EQ(focusName(), QStringLiteral("lstSolvent3"));

    press(Qt::Key_Tab);
    for (const char* value : {"0.5", "0.3", "0.2"}) {
        type(QLatin1String(value));
        press(Qt::Key_Tab);
    }
    QLabel* total = on<QLabel>(calculator, "lblTotalInputCon");
    EXPECT_EQ(total->text(), "1.00");
    EXPECT_EQ(description(total), "Total of concentrations, adds up to 1.00");
    ASSERT_EQ(focusName(), QStringLiteral("cmdCalculate"));
    saveScreenshot(calculator, "keyboard-calculator.png");

    // The print question, three times: Return at once answers "No"; Escape
    // is "No" too; Tab to "Yes" and Return prints the calculator.
    const std::function<void()> answers[] = {[] { press(Qt::Key_Return); },
                                             [] {
                                                 EXPECT_EQ(tabs(2), QStringList({"cmdPrint", "cmdNoPrint"}));
                                                 press(Qt::Key_Escape);
                                             },
                                             [] {
                                                 press(Qt::Key_Tab);
                                                 EXPECT_EQ(focusName(), QStringLiteral("cmdPrint"));
                                                 press(Qt::Key_Return);
                                             }};
    for (const auto& answer : answers) {
        inModal([] { press(Qt::Key_Return); }, QStringLiteral("frmPrintResults"), [&](QWidget* question) {
            EXPECT_EQ(focusName(), QStringLiteral("cmdNoPrint"));
            saveScreenshot(question, "keyboard-print-question.png");
            // The result under the question, in words.
            EXPECT_TRUE(description(question).startsWith(QStringLiteral("Mixture N ")))
                << description(question).toStdString();
            answer();
            EXPECT_FALSE(question->isVisible());
        });
        EXPECT_EQ(focusName(), QStringLiteral("cmdCalculate"));
    }
    EXPECT_EQ(platform.printedWindows, std::vector<QString>{"frmCalculateParamsfromMix"});
    EXPECT_TRUE(platform.messages.empty()) << platform.lastText().toStdString();
}

// A real message box (not the test double) answers Return and Escape.
TEST(MessageBoxKeys, ReturnAndEscapeBothCloseIt) {
    ui::DesktopPlatform desktop;
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        bool closed = false;
        const bool up = duringModal([&] { desktop.messageBox(nullptr, QStringLiteral("Tarnwell Error"), QStringLiteral("Text")); closed = true; },
                                    [&](QWidget* box) {
                                        ASSERT_TRUE(QTest::qWaitForWindowActive(box));
                                        press(key);
                                    });
        EXPECT_TRUE(up);
        EXPECT_TRUE(closed);
    }
}

}  // namespace
