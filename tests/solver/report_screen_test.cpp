// The report screen built from a prepared state: what each control shows, its
// font and colour, the reference warning, the long-name rules, and its buttons.

#include "core/state.h"

#include "../support/fake_platform.h"
#include "../support/screen_test.h"
#include "solver/frm_results.h"
#include "ui/colours.h"
#include "ui/layout.h"
#include "../support/navigator_double.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace tarnwell::testing {
namespace {

class NoteNavigator final : public NavigatorDouble {
public:
    void showNoteOnMixturesModal(QWidget* from) override {
        ++noteCalls;
        noteFrom = from;
        if (watched) reportVisibleDuringNote = watched->isVisible();
    }
    int noteCalls = 0;
    QWidget* noteFrom = nullptr;
    QWidget* watched = nullptr;
    bool reportVisibleDuringNote = true;
};

// Toluene, acetone, ethanol of the shipped database at 0.2 / 0.3 / 0.5; the
// figures (volume .292/.305/.403, 269 ppm, VHR 368) are worked out by hand in
// the core tests.
AppState preparedState() {
    AppState s;
    s.twoSolventMode = 1;
    struct Row { const char* label; std::int16_t n, d, w; double mv, mw; const char* twa; const char* mg; const char* vhr;
                 const char* effects; double c; };
    const Row rows[] = {
        {"2:   Toluene", 84, 7, 9, 105.86, 92.1, "100", "375", "276", "Eyes, skin, liver, kidneys", 0.2},
        {"2:   Acetone", 47, 32, 21, 73.54, 58.1, "250", "590", "947", "Eyes, skin, respiratory system", 0.3},
        {"2:   Ethanol", 36, 20, 44, 58.35, 46.1, "1000", "1900", "58", "Eyes, liver, blood", 0.5},
    };
    for (int k = 0; k < 3; ++k) {
        const Row& r = rows[k];
        s.solventSlots[static_cast<std::size_t>(k)] = {{r.n, r.d, r.w}, r.label, r.mv, r.mw, r.effects};
        s.blendResult.slotResults[static_cast<std::size_t>(k)] = {r.c, 2, r.twa, r.mg, r.vhr};
    }
    s.target = {49, 21, 30, 2, "2:   Xylene", "300", "368", "Eyes, skin"};
    s.blendResult.mixN = 49.1, s.blendResult.mixD = 20.9, s.blendResult.mixW = 0.3;
    return s;
}

class ReportScreen : public ::testing::Test {
protected:
    FakePlatform platform;
    NoteNavigator navigator;
    AppState state = preparedState();

    std::unique_ptr<FrmResults> build() { return std::make_unique<FrmResults>(state, platform, navigator, nullptr); }
    static QString text(QWidget* root, const char* name) {
        QLabel* l = find<QLabel>(root, QLatin1String(name));
        EXPECT_NE(l, nullptr) << name;
        return l ? l->text() : QString();
    }
    static QColor colour(QWidget* root, const char* name) {
        return ui::colours::textColour(find<QLabel>(root, QLatin1String(name)));
    }
};

TEST_F(ReportScreen, ShowsEveryFigure) {
    auto report = build();
    EXPECT_EQ(report->objectName(), "frmResults");
    EXPECT_EQ(report->windowTitle(), "Tarnwell Solution");
    EXPECT_EQ(report->size(), ui::ptSize(564, 408));
    EXPECT_EQ(report->parent(), nullptr);
    struct Expect { const char* name; const char* text; };
    for (const Expect e : {Expect{"lblSolvent1", "2:   Toluene"}, Expect{"lblsolvent3", "2:   Ethanol"},
                           Expect{"lblVolume1", ".292"}, Expect{"lblVolume2", ".305"}, Expect{"lblVolume3", ".403"},
                           Expect{"lblSolvent2NDW", "47  32  21"}, Expect{"lblNDWtextfor3", "N, D, W ="},
                           Expect{"lblEffects1", "Eyes, skin, liver, kidneys"}, Expect{"lbleffects3", "Eyes, liver, blood"},
                           Expect{"lblTLV2", "250"}, Expect{"lblVHR_3", "58"},
                           Expect{"lblTargetN", "49"}, Expect{"lblTargetW", "30"},
                           Expect{"lblMixtureN", "49"}, Expect{"lblMixtureD", "21"}, Expect{"lblMixtureW", "0"},
                           Expect{"lblTLVTarget", "300"}, Expect{"lblVHRTarget", "368"},
                           Expect{"lblTargetName", "2:   Xylene"}, Expect{"lblTargetEffects", "Eyes, skin"},
                           Expect{"lblTLVMixPPM", "269"}, Expect{"lblVHRMixture", "368"},
                           Expect{"Label21", "REL/PEL TWA (ppm)"}, Expect{"Label29", "TWA"}})
        EXPECT_EQ(text(report.get(), e.name), QString::fromUtf8(e.text)) << e.name;
    // Target 300 >= 269: the target is safer by TWA; VHR 368 = 368.
    EXPECT_EQ(colour(report.get(), "lblTLVTarget"), ui::colours::green());
    EXPECT_EQ(colour(report.get(), "lblTLVMixPPM"), ui::colours::red());
    EXPECT_EQ(colour(report.get(), "lblVHRTarget"), ui::colours::windowFrame());
    EXPECT_EQ(colour(report.get(), "lblVHRMixture"), ui::colours::windowFrame());
    // Same references everywhere: no warning, "Reference" in the button-text colour.
    EXPECT_TRUE(find<QLabel>(report.get(), "lblWarning")->isHidden());
    EXPECT_EQ(colour(report.get(), "lblRef"), ui::colours::buttonText());
    EXPECT_EQ(find<QLineEdit>(report.get(), "TextBox1")->toolTip(),
              "Use this box to enter notes about this combination of solvents");
}

TEST_F(ReportScreen, PlacesAndFonts) {
    auto report = build();
    // A caption with text of its own keeps its points where the text fits at
    // them; where a wider face would cut it, it is smaller (the walk over
    // every window checks that no text is cut).
    struct Place { const char* name; double left, top, width; double points; bool bold; bool caption = false; };
    for (const Place p : {Place{"lblSolvent1", 18, 60, 222, 11, true}, Place{"lblVolume2", 249, 120, 36, 11, true},
                          Place{"lblTLV3", 318, 180, 114, 11, true}, Place{"lblVHR_1", 456, 60, 84, 11, true},
                          Place{"lblSolvent3NDW", 84, 198, -1, 9, false}, Place{"lblEffects2", 30, 156, 285, 9, false},
                          Place{"lblWarning", 18, 234, 510, 10, false, true}, Place{"lblTargetName", 54, 282, 204, 11, true},
                          Place{"lblTargetN", 264, 282, -1, 11, false}, Place{"lblTLVMixPPM", 348, 330, -1, 11, true},
                          Place{"lblTargetEffects", 48, 300, 204, 9, false}, Place{"lblRef", 18, 24, -1, 9, false, true}}) {
        QLabel* l = find<QLabel>(report.get(), QLatin1String(p.name));
        ASSERT_NE(l, nullptr) << p.name;
        EXPECT_EQ(l->pos(), QPoint(ui::px(p.left), ui::px(p.top))) << p.name;
        if (p.width > 0) {
            EXPECT_EQ(l->width(), ui::px(p.width)) << p.name;
        }
        if (p.caption) {
            EXPECT_LE(l->font().pointSizeF(), p.points) << p.name;
            EXPECT_GE(l->font().pointSizeF(), 6.0) << p.name;
        } else {
            EXPECT_DOUBLE_EQ(l->font().pointSizeF(), p.points) << p.name;
        }
        EXPECT_EQ(l->font().bold(), p.bold) << p.name;
    }
    for (const char* name : {"cmdOk", "cmdPrint"}) {
        QPushButton* b = find<QPushButton>(report.get(), QLatin1String(name));
        EXPECT_EQ(b->size(), ui::ptSize(54, 36)) << name;
        EXPECT_DOUBLE_EQ(b->font().pointSizeF(), 12);
    }
    EXPECT_EQ(find<QPushButton>(report.get(), "cmdNoteOnMixtures")->geometry(), ui::ptRect(228, 354, 270, 20));
    EXPECT_EQ(find<QLineEdit>(report.get(), "TextBox1")->geometry().width(), ui::px(498));
    EXPECT_EQ(ui::colours::background(find<QLabel>(report.get(), "lblWarning")), ui::colours::lightPink());
}

TEST_F(ReportScreen, WarningWhenReferencesDiffer) {
    state.target.reference = 0;  // a target set by hand
    auto report = build();
    EXPECT_FALSE(find<QLabel>(report.get(), "lblWarning")->isHidden());
    EXPECT_EQ(colour(report.get(), "lblRef"), ui::colours::red());
}

TEST_F(ReportScreen, TwoSolventsLeaveTheThirdRowEmpty) {
    state.twoSolventMode = -1;
    state.blendResult.slotResults[2] = {0.0, 7, "", "375", ""};  // what Calculate leaves there
    state.blendResult.slotResults[0].concentration = 0.5;
    auto report = build();
    for (const char* name : {"lblsolvent3", "lblVolume3", "lblSolvent3NDW", "lbleffects3", "lblNDWtextfor3",
                             "lblTLV3", "lblVHR_3"})
        EXPECT_EQ(text(report.get(), name), "") << name;
    // A differing reference in the unused slot raises no warning.
    EXPECT_TRUE(find<QLabel>(report.get(), "lblWarning")->isHidden());
}

TEST_F(ReportScreen, LongTargetTexts) {
    struct Case { int nameLength, effectsLength; double points; int extraWidth; };
    for (const Case c : {Case{35, 45, 11, 0}, Case{36, 46, 9, 50}}) {
        state.target.label = std::string(static_cast<std::size_t>(c.nameLength), 'n');
        state.target.effects = std::string(static_cast<std::size_t>(c.effectsLength), 'e');
        auto report = build();
        EXPECT_DOUBLE_EQ(find<QLabel>(report.get(), "lblTargetName")->font().pointSizeF(), c.points);
        EXPECT_EQ(find<QLabel>(report.get(), "lblTargetEffects")->width(), ui::px(204) + ui::px(c.extraWidth));
    }
}

TEST_F(ReportScreen, MissingHazardDataShowsX) {
    state.target.twaText.clear();
    state.target.effects.clear();
    state.blendResult.slotResults[1].twaMgText = "none";
    state.blendResult.slotResults[2].vhrText = "none";
    auto report = build();
    EXPECT_EQ(text(report.get(), "lblTLVTarget"), "X");
    EXPECT_EQ(text(report.get(), "lblTLVMixPPM"), "X");
    EXPECT_EQ(text(report.get(), "lblVHRMixture"), "X");
    EXPECT_EQ(text(report.get(), "lblTargetEffects"), "     X");
    // Uncoloured: the fields keep the system text colour.
    EXPECT_EQ(colour(report.get(), "lblTLVMixPPM"), ui::colours::windowText());
    EXPECT_EQ(colour(report.get(), "lblVHRTarget"), ui::colours::windowText());
}

TEST_F(ReportScreen, PrintsTheWholeWindowWithNotes) {
    auto report = build();
    report->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(report.get()));
    const QImage before = report->grab().toImage();
    QTest::keyClicks(find<QLineEdit>(report.get(), "TextBox1"), "Tried on the varnish sample");
    click(find<QPushButton>(report.get(), "cmdPrint"));
    ASSERT_EQ(platform.printedWindows.size(), 1u);
    EXPECT_EQ(platform.printedWindows[0], "frmResults");
    const QImage printed = platform.printedImages[0];
    EXPECT_EQ(printed.size(), before.size());
    EXPECT_NE(printed, before);  // the notes are on the page
    EXPECT_TRUE(report->isVisible());  // printing leaves the report open
    if (const QByteArray dir = qgetenv("TARNWELL_SCREENSHOT_DIR"); !dir.isEmpty())
        printed.save(QDir(QString::fromLocal8Bit(dir)).filePath(QStringLiteral("frmResults.png")));
}

TEST_F(ReportScreen, NoteOnMixturesHidesTheReportFirst) {
    QWidget mainScreen;
    FrmResults report(state, platform, navigator, &mainScreen);
    navigator.watched = &report;
    whenModalAppears([](QWidget* modal) { click(find<QPushButton>(modal, "cmdNoteOnMixtures")); });
    report.exec();
    EXPECT_EQ(navigator.noteCalls, 1);
    EXPECT_EQ(navigator.noteFrom, &mainScreen);
    EXPECT_FALSE(navigator.reportVisibleDuringNote);
    EXPECT_FALSE(report.isVisible());
}

TEST_F(ReportScreen, OkEscapeAndCloseBoxAllLeave) {
    const std::function<void(QWidget*)> ways[] = {
        [](QWidget* m) { click(find<QPushButton>(m, "cmdOk")); },
        [](QWidget* m) { QTest::keyClick(m, Qt::Key_Escape); },
        [](QWidget* m) { m->close(); },
    };
    for (const auto& leave : ways) {
        FrmResults report(state, platform, navigator, nullptr);
        bool okHadFocus = false;
        whenModalAppears([&](QWidget* m) {
            okHadFocus = QApplication::focusWidget() == find<QPushButton>(m, "cmdOk");
            leave(m);
            EXPECT_FALSE(m->isVisible());
        });
        report.exec();
        EXPECT_TRUE(okHadFocus);
        EXPECT_FALSE(report.isVisible());
    }
}

}  // namespace
}  // namespace tarnwell::testing
