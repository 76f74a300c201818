// What a screen reader says, read through QAccessible: every window the
// program can show is reached (the state-dependent ones set up first, the
// rest by pressing every button) and every control that shows or takes a
// value must have a name of its own; the main screen's names word for word.
#include "app/application.h"
#include "app/frm_solver_startup.h"
#include "../support/fake_platform.h"
#include "../support/screen_test.h"
#include "../support/spoken_names.h"
#include "../support/clipped_text.h"
#include "mixcalc/frm_calculate_params_from_mix.h"
#include "ui/events.h"
#include "ui/layout.h"
#include "workbench/frm_solvermain.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <iostream>

using namespace tarnwell;
using namespace tarnwell::testing;

namespace {

struct Started {
    explicit Started(const std::string& database) : folder(database), app(platform) { app.start(); }
    DatabaseFolder folder;
    FakePlatform platform;
    Application app;
};

enum Row : int { kAcetone = 0, kEthanol, kHeptane, kCustom = 6 };

// Each window is also read for text its controls cut short.
void expectSpoken(QWidget* window) {
    for (const QString& fault : unspokenControls(window))
        ADD_FAILURE() << window->objectName().toStdString() << ": " << fault.toStdString();
    for (const QString& fault : clippedTexts(window))
        ADD_FAILURE() << window->objectName().toStdString() << ", text cut short: " << fault.toStdString();
}

// The two calculations, set up directly (the keyboard walks do it by keys):
// a blend that has a solution, and a mixture that adds up to 1.
void setUpBlend(FrmSolvermain* main) {
    main->loadSolventIntoSlot(0, kHeptane);
    main->loadSolventIntoSlot(1, kAcetone);
    main->loadSolventIntoSlot(2, kEthanol);
    for (const auto& [letter, value] : {std::pair{'N', 60}, std::pair{'D', 20}, std::pair{'W', 20}})
        ui::selectRow(find<QListWidget>(main, QStringLiteral("lstTarget") + QLatin1Char(letter)), 100 - value);
}

void setUpMixture(FrmCalculateParamsfromMix* calculator) {
    calculator->loadSolventIntoSlot(0, kAcetone);
    calculator->loadSolventIntoSlot(1, kEthanol);
    calculator->loadSolventIntoSlot(2, kHeptane);
    calculator->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(calculator));
    for (const auto& [k, value] : {std::pair{1, "0.5"}, std::pair{2, "0.3"}, std::pair{3, "0.2"}}) {
        QLineEdit* field = find<QLineEdit>(calculator, QStringLiteral("txtInputCon%1").arg(k));
        field->setFocus();
        QTest::keyClicks(field, value);
        QTest::keyClick(field, Qt::Key_Tab);
    }
    ASSERT_EQ(find<QLabel>(calculator, QStringLiteral("lblTotalInputCon"))->text(), QStringLiteral("1.00"));
}

TEST(SpokenNames, EveryWindowTheProgramCanShow) {
    Started s(databaseText(sampleSolvents()));
    // Exit on the startup screen ends the program, and with it the walk.
    WindowWalk walk(expectSpoken, [](QPushButton* b) {
        return b->window()->objectName() == QLatin1String("frmSolverStartup") &&
               b->objectName() == QLatin1String("cmdExit");
    });

    find<QPushButton>(s.app.startupScreen(), QStringLiteral("cmdContinue"))->click();
    FrmSolvermain* main = s.app.mainScreen();
    ASSERT_NE(main, nullptr);
    setUpBlend(main);
    walk.during([&] { find<QPushButton>(main, QStringLiteral("cmdCalculate"))->click(); });
    // The custom-entry row opens the custom solvent screen.
    walk.during([&] { main->loadSolventIntoSlot(0, kCustom); });

    find<QPushButton>(main, QStringLiteral("CommandButton3"))->click();
    FrmCalculateParamsfromMix* calculator = s.app.calculator();
    ASSERT_NE(calculator, nullptr);
    setUpMixture(calculator);
    walk.during([&] { find<QPushButton>(calculator, QStringLiteral("cmdCalculate"))->click(); });

    walk.everyWindow();

    // Printed so that a window added to the program shows up here.
    const QStringList visited = walk.visitedNames();
    std::cout << "windows checked: " << visited.join(QStringLiteral(", ")).toStdString() << "\n";
    for (const char* name :
         {"frmSolverStartup", "frmSolvermain", "frmResults", "frmCustomParams", "frmCalculateParamsfromMix",
          "frmPrintResults", "frmFindBlends", "frmTeasChart", "frmReadDatabase", "frmHelp1", "frmHelp1A", "frmHelp2",
          "frmHelp2added", "frmHelp2addedMore", "frmHelp4", "frmHelp4a", "frmHelp5", "frmHelp5a", "frmHelp6",
          "frmHelpConcentration", "frmHelpConcentration2", "frmReferences1", "frmReferences2", "frmSolubilityTest",
          "frmHelpSolubilityTest", "frmEvaporation", "frmHelpEvaporation"})
        EXPECT_TRUE(visited.contains(QLatin1String(name))) << name << " was never reached";
}

// The check itself: each fault it must find, alone on a window, and the
// same window with the fault mended.
TEST(SpokenNames, TheCheckFindsWhatAScreenReaderCannotSay) {
    struct Case {
        const char* fault;
        std::function<void(QWidget*)> build, mend;
    };
    auto field = [](QWidget* w, const char* name) {
        auto* f = new QLineEdit(w);
        f->setObjectName(QLatin1String(name));
        return f;
    };
    auto label = [](QWidget* w, const char* text) {
        auto* l = new QLabel(QLatin1String(text), w);
        l->setObjectName(QStringLiteral("lblFigure"));
        return l;
    };
    const std::vector<Case> cases = {
        {"a field without a name", [&](QWidget* w) { field(w, "txtA"); },
         [](QWidget* w) { w->findChild<QLineEdit*>()->setAccessibleName(QStringLiteral("A")); }},
        {"a field named only by its objectName",
         [&](QWidget* w) { field(w, "txtA")->setAccessibleName(QStringLiteral("txtA")); },
         [](QWidget* w) { w->findChild<QLineEdit*>()->setAccessibleName(QStringLiteral("A")); }},
        {"two fields of one name",
         [&](QWidget* w) {
             field(w, "txtA")->setAccessibleName(QStringLiteral("Same"));
             field(w, "txtB")->setAccessibleName(QStringLiteral("Same"));
         },
         [](QWidget* w) { w->findChild<QLineEdit*>(QStringLiteral("txtB"))->setAccessibleName(QStringLiteral("B")); }},
        {"a button with no caption", [](QWidget* w) { (new QPushButton(w))->setObjectName(QStringLiteral("cmdA")); },
         [](QWidget* w) { w->findChild<QPushButton*>()->setText(QStringLiteral("Go")); }},
        {"a figure without a caption", [&](QWidget* w) { label(w, "42"); },
         [](QWidget* w) { w->findChild<QLabel*>()->setAccessibleDescription(QStringLiteral("Total")); }},
        {"an empty value label without a caption", [&](QWidget* w) { label(w, ""); },
         [](QWidget* w) { w->findChild<QLabel*>()->setAccessibleDescription(QStringLiteral("Total")); }},
        {"a figure that is a caption, once it names its field",
         [&](QWidget* w) {
             label(w, "1.");
             field(w, "txtA")->setAccessibleName(QStringLiteral("Solvent 1"));
         },
         [](QWidget* w) { w->findChild<QLabel*>()->setBuddy(w->findChild<QLineEdit*>()); }},
        {"a caption with a mnemonic, named over",
         [&](QWidget* w) {
             QLabel* caption = label(w, "&Material:");
             caption->setAccessibleName(QStringLiteral("Other"));
             QLineEdit* material = field(w, "txtMaterial");
             material->setAccessibleName(QStringLiteral("Material"));
             caption->setBuddy(material);
         },
         [](QWidget* w) { w->findChild<QLabel*>()->setAccessibleName(QString()); }},
        {"a name over a value",
         [&](QWidget* w) {
             QLabel* l = label(w, "42");
             l->setAccessibleName(QStringLiteral("Total"));
             l->setAccessibleDescription(QStringLiteral("Total"));
         },
         [](QWidget* w) { w->findChild<QLabel*>()->setAccessibleName(QString()); }},
    };
    for (const Case& c : cases) {
        QWidget window;
        window.setWindowTitle(QStringLiteral("Window"));
        c.build(&window);
        EXPECT_EQ(unspokenControls(&window).size(), 1) << c.fault;
        c.mend(&window);
        EXPECT_EQ(unspokenControls(&window), QStringList()) << c.fault;
    }
}

// The other check: text cut short, alone on a window, and mended.
TEST(SpokenNames, TheCheckFindsTextCutShort) {
    const QString longText = QStringLiteral("Vapor Hazard Ratio (VHR)");
    struct Case {
        const char* fault;
        std::function<void(QWidget*)> build, mend;
    };
    auto label = [&](QWidget* w, int width) {
        auto* l = new QLabel(longText, w);
        l->setObjectName(QStringLiteral("lblHeading"));
        l->setFont(ui::makeFont(QStringLiteral("Tahoma"), 11, true));
        l->setGeometry(0, 0, width, 20);
        return l;
    };
    const std::vector<Case> cases = {
        {"a heading wider than its place, made smaller to fit", [&](QWidget* w) { label(w, 140); },
         [](QWidget* w) { ui::fitText(w->findChild<QLabel*>()); }},
        {"a wrapping label taller than its place, made smaller to fit",
         [&](QWidget* w) { label(w, 100)->setWordWrap(true); },
         [](QWidget* w) { ui::fitText(w->findChild<QLabel*>()); }},
        {"a button caption wider than the button, made smaller to fit",
         [&](QWidget* w) {
             ui::addButton(w, QStringLiteral("cmdGo"), longText, QRect(0, 0, 150, 24))
                 ->setFont(ui::makeFont(QStringLiteral("Tahoma"), 11, true));
         },
         [](QWidget* w) { ui::fitText(w->findChild<QPushButton*>()); }},
    };
    for (const Case& c : cases) {
        QWidget window;
        c.build(&window);
        EXPECT_EQ(clippedTexts(&window).size(), 1) << c.fault;
        c.mend(&window);
        EXPECT_EQ(clippedTexts(&window), QStringList()) << c.fault;
    }
    // A label that fits keeps its size; one that cannot fit stops at the smallest size.
    QWidget window;
    QLabel* fits = label(&window, 400);
    ui::fitText(fits);
    EXPECT_EQ(fits->font().pointSizeF(), 11.0);
    QLabel* cannot = label(&window, 10);
    ui::fitText(cannot, 7.0);
    EXPECT_EQ(cannot->font().pointSizeF(), 7.0);
}

// What a screen reader says for each control of the main screen: its name,
// and the description said after it where the caption alone is unclear.
TEST(SpokenNames, TheMainScreenWordForWord) {
    Started s(databaseText(sampleSolvents()));
    find<QPushButton>(s.app.startupScreen(), QStringLiteral("cmdContinue"))->click();
    FrmSolvermain* main = s.app.mainScreen();
    ASSERT_NE(main, nullptr);

    const QString twa = QStringLiteral("Exposure limit, time-weighted average in ppm; a higher limit is safer");
    const QString vhr = QStringLiteral("Vapor hazard ratio; a lower ratio is safer");
    const QString total = QStringLiteral("; N + D + W must add up to 100");
    const QString meaning[] = {QStringLiteral("Dispersion forces, percent"), QStringLiteral("Polar forces, percent"),
                               QStringLiteral("Hydrogen bonding forces, percent")};
    struct Said {
        QString control, name, description;
    };
    std::vector<Said> expected;
    for (int k = 1; k <= 3; ++k) {
        const QString n = QString::number(k), solvent = QStringLiteral("Solvent ") + n;
        expected.push_back({QStringLiteral("lstSolvent") + n, solvent,
                            QStringLiteral("Return or a double-click puts the selected solvent in this column; the "
                                           "last row enters a solvent by hand")});
        const char* letters[] = {"N", "D", "W"};
        for (int i = 0; i < 3; ++i)
            expected.push_back({QStringLiteral("txtSolvent%1_%2").arg(n, QLatin1String(letters[i])),
                                solvent + QLatin1Char(' ') + QLatin1String(letters[i]), meaning[i]});
        expected.push_back({QStringLiteral("txtTLV_") + n, solvent + QStringLiteral(" TWA"), twa});
        expected.push_back({QStringLiteral("txtVHR_") + n, solvent + QStringLiteral(" VHR"), vhr});
        expected.push_back({QStringLiteral("txtEffects") + n, solvent + QStringLiteral(" critical effects"), {}});
    }
    expected.push_back({QStringLiteral("lstTargetN"), QStringLiteral("Target N"), meaning[0] + total});
    expected.push_back({QStringLiteral("lstTargetD"), QStringLiteral("Target D"), meaning[1] + total});
    expected.push_back({QStringLiteral("lstTargetW"), QStringLiteral("Target W"), meaning[2] + total});
    // The total keeps its value as what is said; its caption and whether it
    // is right come after it.
    expected.push_back({QStringLiteral("lblTotal"), QStringLiteral("150"),
                        QStringLiteral("N + D + W, does not add up to 100")});
    expected.push_back({QStringLiteral("txtTargetTLV"), QStringLiteral("Target TWA"), twa});
    expected.push_back({QStringLiteral("txtTargetVHR"), QStringLiteral("Target VHR"), vhr});
    expected.push_back({QStringLiteral("txtTargetName"), QStringLiteral("Target name"), {}});
    expected.push_back({QStringLiteral("txtEffectsTarget"), QStringLiteral("Target critical effects"), {}});
    expected.push_back({QStringLiteral("CheckBox1"), QStringLiteral(" Use only 2 solvents"), {}});
    expected.push_back({QStringLiteral("cmdEnterasTarget"), QStringLiteral("Enter Current Solvent #1 as the Target"), {}});
    expected.push_back({QStringLiteral("cmdCalculate"), QStringLiteral("Calculate Concentrations to Match the Target"), {}});
    expected.push_back({QStringLiteral("CommandButton3"),
                        QStringLiteral("Go to form to calculate solubility paramaters from concentrations"), {}});
    expected.push_back({QStringLiteral("cmdFindBlends"), QStringLiteral("Find Safer Blends..."), {}});
    expected.push_back({QStringLiteral("cmdTeasChart"), QStringLiteral("Teas Chart"), {}});
    expected.push_back({QStringLiteral("cmdSolubilityTest"), QStringLiteral("Solubility Test\u2026"), {}});
    expected.push_back({QStringLiteral("CommandButton2"), QStringLiteral("Help"), {}});
    expected.push_back({QStringLiteral("cmdReferences"), QStringLiteral("References"), {}});

    for (const Said& e : expected) {
        QWidget* control = find<QWidget>(main, e.control);
        ASSERT_NE(control, nullptr) << e.control.toStdString();
        const Spoken said = spokenFor(control);
        EXPECT_EQ(said.name, e.name) << e.control.toStdString();
        EXPECT_EQ(said.description, e.description) << e.control.toStdString();
        std::cout << e.control.toStdString() << ": \"" << said.name.toStdString() << "\""
                  << (said.description.isEmpty() ? std::string() : ", \"" + said.description.toStdString() + "\"")
                  << "\n";
    }

    // Once the target adds up to 100 the total says so.
    ui::selectRow(find<QListWidget>(main, QStringLiteral("lstTargetN")), 100);
    ui::selectRow(find<QListWidget>(main, QStringLiteral("lstTargetD")), 100);
    const Spoken right = spokenFor(find<QLabel>(main, QStringLiteral("lblTotal")));
    EXPECT_EQ(right.name, QStringLiteral("50"));  // 0 + 0 + 50
    ui::selectRow(find<QListWidget>(main, QStringLiteral("lstTargetW")), 0);
    EXPECT_EQ(spokenFor(find<QLabel>(main, QStringLiteral("lblTotal"))).description,
              QStringLiteral("N + D + W, adds up to 100"));
}

}  // namespace
