// The blend from the main screen's point of view: real double-clicks on the
// solvent lists, real clicks on the target lists and on Calculate, the real
// modal report read and closed, and the main screen found as it was.

#include "../support/main_screen_test.h"
#include "core/messages.h"
#include "ui/colours.h"

#include <functional>
#include <map>

namespace tarnwell::testing {
namespace {

// Rows of sampleSolvents(), then three solvents whose 16-bit values make a
// concentration just above 1 reachable, then the custom-entry row.
enum Row : int { kAcetone = 0, kEthanol, kHeptane, kTetrahydrofuran, kToluene, kWater, kFarOne, kNearTarget, kFarTwo };

std::vector<TestSolvent> solvents() {
    std::vector<TestSolvent> s = sampleSolvents();
    s.push_back({"Far one", "2", "-11820", "903", "7229"});
    s.push_back({"Near target", "2", "27", "24", "49"});
    s.push_back({"Far two", "2", "-19133", "9171", "-27233"});
    return s;
}

class BlendEndToEnd : public MainScreenTest {
protected:
    void SetUp() override { open(tableOf(solvents())); }

    // Everything the user sees on the main screen, by control name.
    std::map<QString, QString> screenTexts() {
        std::map<QString, QString> out;
        for (QLineEdit* f : screen->findChildren<QLineEdit*>()) out[f->objectName()] = f->text();
        for (QLabel* l : screen->findChildren<QLabel*>()) out[l->objectName()] = l->text();
        for (QAbstractItemView* v : screen->findChildren<QAbstractItemView*>()) {
            const QModelIndexList rows = v->selectionModel()->selectedRows();
            out[v->objectName() + QStringLiteral(".row")] = rows.isEmpty() ? QString() : QString::number(rows[0].row());
        }
        return out;
    }

    // Presses Calculate and reads the report through `read` while it is shown;
    // returns whether a report appeared. Messages go to the platform double.
    bool calculate(const std::function<void(QWidget*)>& read) {
        bool shown = false;
        whenModalAppears(
            [&](QWidget* modal) {
                shown = modal->objectName() == QStringLiteral("frmResults");
                if (shown && read) read(modal);
                if (shown && modal->isVisible()) click(find<QPushButton>(modal, "cmdOk"));
            },
            3000);
        click(control<QPushButton>("cmdCalculate"));
        return shown;
    }
    // Presses Calculate when a message is expected (no modal appears).
    RecordedMessage calculateExpectingMessage() {
        const std::size_t before = platform.messages.size();
        click(control<QPushButton>("cmdCalculate"));
        EXPECT_EQ(platform.messages.size(), before + 1);
        return platform.messages.empty() ? RecordedMessage{} : platform.messages.back();
    }

    static QString labelText(QWidget* root, const char* name) {
        QLabel* l = find<QLabel>(root, QLatin1String(name));
        return l ? l->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
    }
};

TEST_F(BlendEndToEnd, ThreeSolventsFromClickToReportAndBack) {
    chooseSolvent(1, kHeptane);
    chooseSolvent(2, kAcetone);
    chooseSolvent(3, kEthanol);
    setTarget(60, 20, 20);
    QTest::keyClicks(control<QLineEdit>("txtTargetTLV"), "200");
    QTest::keyClicks(control<QLineEdit>("txtTargetVHR"), "300");
    QTest::keyClicks(control<QLineEdit>("txtTargetName"), "Varnish remover");
    const auto before = screenTexts();

    // Exact concentrations .287020 / .511883 / .201097; volume fractions
    // 146.56*.287020/mmv = .459, .413, .129 (mmv = 91.711); TWA 177.95 ppm
    // (worked out with fractions from the sample figures); VHR by mole
    // fraction .287020*549 + .511883*1057 + .201097*58 = 710.30.
    std::map<QString, QString> seen;
    QColor twaTarget, twaMix, vhrTarget, vhrMix;
    bool warning = false;
    QString title;
    ASSERT_TRUE(calculate([&](QWidget* r) {
        title = r->windowTitle();
        for (const char* name : {"lblVolume1", "lblVolume2", "lblVolume3", "lblTLVMixPPM", "lblVHRMixture",
                                 "lblMixtureN", "lblMixtureD", "lblMixtureW", "lblTargetName", "lblTLV1", "lblVHR_3",
                                 "lblSolvent2NDW", "lblsolvent3"})
            seen[QLatin1String(name)] = labelText(r, name);
        twaTarget = ui::colours::textColour(find<QLabel>(r, "lblTLVTarget"));
        twaMix = ui::colours::textColour(find<QLabel>(r, "lblTLVMixPPM"));
        vhrTarget = ui::colours::textColour(find<QLabel>(r, "lblVHRTarget"));
        vhrMix = ui::colours::textColour(find<QLabel>(r, "lblVHRMixture"));
        warning = !find<QLabel>(r, "lblWarning")->isHidden();
    }));
    EXPECT_EQ(title, "Solver found a solution");
    EXPECT_EQ(seen["lblVolume1"], ".459");
    EXPECT_EQ(seen["lblVolume2"], ".413");
    EXPECT_EQ(seen["lblVolume3"], ".129");
    EXPECT_EQ(seen["lblTLVMixPPM"], "178");
    EXPECT_EQ(seen["lblVHRMixture"], "710");
    EXPECT_EQ(seen["lblMixtureN"], "60");
    EXPECT_EQ(seen["lblMixtureD"], "20");
    EXPECT_EQ(seen["lblMixtureW"], "20");
    EXPECT_EQ(seen["lblTargetName"], "Varnish remover");
    EXPECT_EQ(seen["lblTLV1"], "85");
    EXPECT_EQ(seen["lblVHR_3"], "58");
    EXPECT_EQ(seen["lblSolvent2NDW"], "47  32  21");
    EXPECT_EQ(seen["lblsolvent3"], "2:   Ethanol");
    // Target TWA 200 >= 178: target safer. Target VHR 300 <= 710: target safer.
    EXPECT_EQ(twaTarget, ui::colours::green());
    EXPECT_EQ(twaMix, ui::colours::red());
    EXPECT_EQ(vhrTarget, ui::colours::green());
    EXPECT_EQ(vhrMix, ui::colours::red());
    EXPECT_TRUE(warning);  // a target set by hand has reference 0
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(screenTexts(), before);
    for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_NE(w->objectName(), "frmResults");
}

TEST_F(BlendEndToEnd, TwoSolvents) {
    click(control<QCheckBox>("CheckBox1"));
    chooseSolvent(1, kHeptane);
    chooseSolvent(2, kAcetone);
    setTarget(74, 16, 10);
    // Exact K .507168 / .492832, mixture (73.88, 15.77, 10.35): within 0.5.
    // Volume fractions .671 / .329; TWA 126.32 ppm; VHR .507168*549 + .492832*1057 = 799.36.
    std::map<QString, QString> seen;
    ASSERT_TRUE(calculate([&](QWidget* r) {
        for (const char* name : {"lblVolume1", "lblVolume2", "lblVolume3", "lblTLVMixPPM", "lblVHRMixture",
                                 "lblMixtureN", "lblMixtureD", "lblMixtureW", "lblsolvent3", "lblNDWtextfor3",
                                 "lblTLV3"})
            seen[QLatin1String(name)] = labelText(r, name);
    }));
    EXPECT_EQ(seen["lblVolume1"], ".671");
    EXPECT_EQ(seen["lblVolume2"], ".329");
    EXPECT_EQ(seen["lblVolume3"], "");
    EXPECT_EQ(seen["lblTLVMixPPM"], "126");
    EXPECT_EQ(seen["lblVHRMixture"], "799");
    EXPECT_EQ(seen["lblMixtureN"], "74");
    EXPECT_EQ(seen["lblMixtureD"], "16");
    EXPECT_EQ(seen["lblMixtureW"], "10");
    EXPECT_EQ(seen["lblsolvent3"], "");
    EXPECT_EQ(seen["lblNDWtextfor3"], "");
    EXPECT_EQ(seen["lblTLV3"], "");
}

TEST_F(BlendEndToEnd, OneMessagePerFailure) {
    using namespace messages;
    struct Case {
        const char* name;
        std::function<void()> setUp;
        std::string title, text;
    };
    auto three = [this](int a, int b, int c) { chooseSolvent(1, a), chooseSolvent(2, b), chooseSolvent(3, c); };
    const Case cases[] = {
        {"M1 at the start (150)", [] {}, kErrorTitle, kM1},
        {"M2", [this] { setTarget(60, 20, 20); }, kErrorTitle, kM2},
        {"M3", [this] { setTarget(60, 20, 20), chooseSolvent(1, kHeptane); }, kErrorTitle, kM3},
        {"M4", [this] { setTarget(60, 20, 20), chooseSolvent(1, kHeptane), chooseSolvent(2, kAcetone); },
         kErrorTitle, kM4},
        {"M5 same solvent in 1 and 2", [&] { setTarget(60, 20, 20), three(kAcetone, kAcetone, kEthanol); }, kM5Title, kM5},
        {"M6 same solvent in 1 and 3", [&] { setTarget(60, 20, 20), three(kAcetone, kEthanol, kAcetone); }, kM6Title, kM6},
        // First pass K1 -0.28; acetone and ethanol alone still give a negative.
        {"M7", [&] { setTarget(0, 0, 100), three(kHeptane, kAcetone, kEthanol); }, kM7Title, m7()},
        // First pass -3.1e-6 / 1.000013 / -1.0e-5.
        {"M8", [&] { setTarget(26, 24, 50), three(kFarOne, kNearTarget, kFarTwo); }, kM8Title, m8()},
        {"M9", [this] {
             click(control<QCheckBox>("CheckBox1"));
             setTarget(50, 40, 10), chooseSolvent(1, kHeptane), chooseSolvent(2, kToluene);
         }, kM9Title, m9()},
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        c.setUp();
        const auto before = screenTexts();
        const RecordedMessage m = calculateExpectingMessage();
        EXPECT_EQ(m.title.toStdString(), c.title) << c.name;
        EXPECT_EQ(m.text.toStdString(), c.text) << c.name;
        EXPECT_EQ(screenTexts(), before) << c.name;
    }
}

TEST_F(BlendEndToEnd, ReportRebuiltOnEverySolve) {
    chooseSolvent(1, kHeptane);
    chooseSolvent(2, kAcetone);
    chooseSolvent(3, kEthanol);
    setTarget(60, 20, 20);
    ASSERT_TRUE(calculate([](QWidget* r) {
        QTest::keyClicks(find<QLineEdit>(r, "TextBox1"), "first try");
    }));
    // Round the loop: change a solvent and solve again, twice.
    QString notes = QStringLiteral("unread"), solvent3;
    chooseSolvent(3, kTetrahydrofuran);
    setTarget(70, 15, 15);
    ASSERT_TRUE(calculate([&](QWidget* r) {
        notes = find<QLineEdit>(r, "TextBox1")->text();
        solvent3 = labelText(r, "lblsolvent3");
    }));
    EXPECT_EQ(notes, "");
    EXPECT_EQ(solvent3, "2:   Tetrahydrofuran");
    chooseSolvent(3, kEthanol);
    setTarget(60, 20, 20);
    ASSERT_TRUE(calculate([&](QWidget* r) { solvent3 = labelText(r, "lblsolvent3"); }));
    EXPECT_EQ(solvent3, "2:   Ethanol");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(BlendEndToEnd, PrintFromTheShownReport) {
    chooseSolvent(1, kHeptane);
    chooseSolvent(2, kAcetone);
    chooseSolvent(3, kEthanol);
    setTarget(60, 20, 20);
    QSize reportSize;
    ASSERT_TRUE(calculate([&](QWidget* r) {
        reportSize = r->size();
        click(find<QPushButton>(r, "cmdPrint"));
        EXPECT_TRUE(r->isVisible());
    }));
    ASSERT_EQ(platform.printedWindows.size(), 1u);
    EXPECT_EQ(platform.printedWindows[0], "frmResults");
    EXPECT_EQ(platform.printedImages[0].size(), reportSize);
}

}  // namespace
}  // namespace tarnwell::testing
