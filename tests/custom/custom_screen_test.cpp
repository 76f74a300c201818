// The custom solvent screen on its own: lists, running total, the OK checks
// and help, driven by real clicks and typing; messages go to FakePlatform.

#include "core/messages.h"
#include "custom/frm_custom_params.h"
#include "../support/fake_platform.h"
#include "../support/screen_test.h"
#include "ui/layout.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace tarnwell {
namespace {

using testing::FakePlatform;
using testing::find;

QString qs(const char* text) { return QString::fromUtf8(text); }

class CustomScreen : public ::testing::Test {
protected:
    void SetUp() override {
        screen = std::make_unique<FrmCustomParams>(result, platform);
        screen->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(screen.get()));
        n = list("lstCustomN");
        d = list("lstCustomD");
        w = list("lstCustomW");
        mw = find<QLineEdit>(screen.get(), "txtMolWeight");
        sg = find<QLineEdit>(screen.get(), "txtSpecGravity");
        total = find<QLabel>(screen.get(), "lblCustomTotal");
        ok = find<QPushButton>(screen.get(), "cmdCustomParamOk");
        ASSERT_TRUE(n && d && w && mw && sg && total && ok);
    }

    QListWidget* list(const char* name) { return find<QListWidget>(screen.get(), name); }

    void choose(int nv, int dv, int wv) {
        testing::clickRow(n, 100 - nv);
        testing::clickRow(d, 100 - dv);
        testing::clickRow(w, 100 - wv);
    }
    static void type(QLineEdit* field, const QString& text) {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }

    FakePlatform platform;
    CustomSolventResult result;
    std::unique_ptr<FrmCustomParams> screen;
    QListWidget *n = nullptr, *d = nullptr, *w = nullptr;
    QLineEdit *mw = nullptr, *sg = nullptr;
    QLabel* total = nullptr;
    QPushButton* ok = nullptr;
};

TEST_F(CustomScreen, OpensWithEveryListAtFiftyAndTheTotal150) {
    EXPECT_EQ(screen->windowTitle(), "Enter a set of solubility parameters");
    EXPECT_EQ(total->text(), "150");
    EXPECT_EQ(result.customAccepted, -1);
    EXPECT_EQ(result.customN, 50);
    EXPECT_EQ(result.customD, 50);
    EXPECT_EQ(result.customW, 50);
    EXPECT_TRUE(mw->text().isEmpty());
    EXPECT_TRUE(sg->text().isEmpty());
    for (QListWidget* l : {n, d, w}) {
        SCOPED_TRACE(l->objectName().toStdString());
        ASSERT_EQ(l->count(), 101);
        EXPECT_EQ(l->item(0)->text(), "100");
        EXPECT_EQ(l->item(100)->text(), "0");
        ASSERT_EQ(l->selectedItems().size(), 1);
        EXPECT_EQ(l->selectedItems().first()->text(), "50");
        // The chosen value is in view without scrolling.
        EXPECT_TRUE(l->viewport()->rect().contains(l->visualItemRect(l->item(50))));
    }
    for (int i = 0; i <= 100; ++i) EXPECT_EQ(screen->percentValues()[static_cast<std::size_t>(i)], 100 - i);
}

TEST_F(CustomScreen, ControlsSitWhereTheDesignPutsThem) {
    struct Place {
        const char* name;
        double left, top, width, height, fontSize;
        const char* text;  // nullptr: not checked
    };
    const Place places[] = {
        {"Label2", 48, 6, 12, 12, 11, "N"},
        {"Label3", 94.2, 6, 12, 12, 11, "D"},
        {"Label4", 136.2, 6, 24, 12, 11, " W "},
        {"lstCustomN", 30, 22.8, 50.7, 153.2, 11, nullptr},
        {"lstCustomD", 76.2, 22.8, 50.8, 153.2, 11, nullptr},
        {"lstCustomW", 121.8, 22.8, 50.8, 153.2, 11, nullptr},
        {"Label5", 49.5, 192, 69.8, 12, 11, "N + D + W ="},
        {"lblCustomTotal", 122.2, 192.8, 27, 12, 11, nullptr},
        {"Label6", 186, 30, 102, 18, 11, " Molecular Weight"},
        {"Label8", 207, 44, 72, 14, 10, " (grams/mole)"},
        {"txtMolWeight", 198, 60, 78, 24, 11, nullptr},
        {"Label7", 198, 102, 90, 30, 11, "Specific Gravity \n   @20 C (68F)"},
        {"txtSpecGravity", 198, 138, 78, 24, 11, nullptr},
        {"cmdCustomParamOk", 60, 228, 78, 21.8, 12, nullptr},
        {"cmdCustomHelp", 168, 228, 78, 21.8, 12, nullptr},
    };
    EXPECT_EQ(screen->size(), ui::ptSize(297, 256.5));
    for (const Place& p : places) {
        SCOPED_TRACE(p.name);
        QWidget* widget = find<QWidget>(screen.get(), p.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), ui::ptRect(p.left, p.top, p.width, p.height));
        EXPECT_EQ(widget->font().family(), "Arial");
        EXPECT_TRUE(widget->font().bold());
        EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), p.fontSize);
        if (p.text) {
            auto* label = qobject_cast<QLabel*>(widget);
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->text(), p.text);
        }
    }
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_EQ(find<QPushButton>(screen.get(), "cmdCustomHelp")->text(), "Help");
    EXPECT_TRUE(mw->alignment() & Qt::AlignHCenter);
}

TEST_F(CustomScreen, TabGoesThroughTheControlsInOrder) {
    screen->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(screen.get()));
    n->setFocus();
    const char* order[] = {"lstCustomD", "lstCustomW", "txtMolWeight", "txtSpecGravity",
                           "cmdCustomParamOk", "cmdCustomHelp", "lstCustomN"};
    for (const char* name : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), name);
    }
}

TEST_F(CustomScreen, TotalFollowsEveryList) {
    struct Case { int n, d, w; const char* shown; };
    const Case cases[] = {
        {34, 33, 33, "100"}, {0, 0, 100, "100"}, {100, 0, 0, "100"},
        {0, 0, 0, "0"},      {100, 100, 100, "300"}, {50, 50, 49, "149"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        choose(c.n, c.d, c.w);
        EXPECT_EQ(total->text(), c.shown);
        EXPECT_EQ(result.customN, c.n);
        EXPECT_EQ(result.customD, c.d);
        EXPECT_EQ(result.customW, c.w);
    }
}

TEST_F(CustomScreen, ControlClickOnTheChosenRowKeepsTheValue) {
    choose(34, 33, 33);
    const QPoint point = d->visualItemRect(d->item(100 - 33)).center();
    QTest::mouseClick(d->viewport(), Qt::LeftButton, Qt::ControlModifier, point);
    EXPECT_EQ(result.customD, 33);
    EXPECT_EQ(total->text(), "100");
    ASSERT_EQ(d->selectedItems().size(), 1);
    EXPECT_EQ(d->selectedItems().first()->text(), "33");
}

// OK with the given entries: either one error message, leaving everything as
// it was, or an accepted entry.
struct OkCase {
    const char* what;
    int n, d, w;
    const char* mw;
    const char* sg;
    const char* message;  // nullptr: accepted
    float molarVolume = 0;
};

void PrintTo(const OkCase& c, std::ostream* os) { *os << c.what; }

const OkCase kOkCases[] = {
    // The sum is checked first, whatever the fields hold.
    {"total 150, fields empty", 50, 50, 50, "", "", messages::kCustomSum},
    {"total 99, good fields", 33, 33, 33, "78.11", "0.879", messages::kCustomSum},
    {"total 101, bad fields", 34, 34, 33, "x", "0", messages::kCustomSum},
    // Not numeric, molecular weight before specific gravity.
    {"empty weight", 34, 33, 33, "", "0.879", messages::kCustomMW},
    {"blank weight", 34, 33, 33, "   ", "0.879", messages::kCustomMW},
    {"both empty", 34, 33, 33, "", "", messages::kCustomMW},
    {"decimal comma", 34, 33, 33, "78,11", "0.879", messages::kCustomMW},
    {"thousands separator", 34, 33, 33, "1,000", "1", messages::kCustomMW},
    {"currency sign", 34, 33, 33, "$78", "1", messages::kCustomMW},
    {"two points", 34, 33, 33, "7.8.1", "1", messages::kCustomMW},
    {"weight not numeric beats zero gravity", 34, 33, 33, "abc", "0", messages::kCustomMW},
    {"empty gravity", 34, 33, 33, "78.11", "", messages::kCustomSG},
    {"gravity with comma", 34, 33, 33, "78.11", "0,879", messages::kCustomSG},
    {"gravity text beats huge weight", 34, 33, 33, "1e39", "heavy", messages::kCustomSG},
    // Beyond the float range.
    {"huge weight", 34, 33, 33, "1e39", "1", messages::kCustomMWTooLarge},
    {"huge negative weight", 34, 33, 33, "-1e39", "1", messages::kCustomMWTooLarge},
    {"weight beyond double", 34, 33, 33, "1e400", "1", messages::kCustomMWTooLarge},
    {"huge gravity", 34, 33, 33, "78.11", "4e38", messages::kCustomSGTooLarge},
    {"huge weight beats zero gravity", 34, 33, 33, "1e39", "0", messages::kCustomMWTooLarge},
    // Zero gravity, also when it only reads as zero.
    {"zero gravity", 34, 33, 33, "78.11", "0", messages::kCustomSGZero},
    {"zero gravity with exponent", 34, 33, 33, "78.11", " 0.0E5 ", messages::kCustomSGZero},
    {"negative zero gravity", 34, 33, 33, "78.11", "-0", messages::kCustomSGZero},
    {"gravity too small for a float", 34, 33, 33, "78.11", "1e-50", messages::kCustomSGZero},
    {"zero gravity beats negative weight", 34, 33, 33, "-5", "0", messages::kCustomSGZero},
    // The quotient itself out of range.
    {"molar volume overflows", 34, 33, 33, "1e38", "0.01", messages::kCustomMolarVolume},
    {"molar volume underflows", 34, 33, 33, "1e-30", "1e30", messages::kCustomMolarVolume},
    {"overflow beats negative sign", 34, 33, 33, "-1e38", "0.01", messages::kCustomMolarVolume},
    // Positivity last.
    {"zero weight", 34, 33, 33, "0", "0.879", messages::kCustomPositive},
    {"negative weight", 34, 33, 33, "-78.11", "0.879", messages::kCustomPositive},
    {"negative gravity", 34, 33, 33, "78.11", "-0.879", messages::kCustomPositive},
    {"both negative", 34, 33, 33, "-78.11", "-0.879", messages::kCustomPositive},
    // Accepted.
    {"benzene", 34, 33, 33, "78.11", "0.879", nullptr, 78.11f / 0.879f},
    {"blanks and exponent", 0, 0, 100, " 7.811E1 ", "+.879", nullptr, 78.11f / 0.879f},
    {"half a gram", 100, 0, 0, "0.5", "1", nullptr, 0.5f},
};

class OkChecks : public CustomScreen, public ::testing::WithParamInterface<OkCase> {};

TEST_P(OkChecks, FirstFailureIsReportedOrTheEntryIsTaken) {
    const OkCase& c = GetParam();
    choose(c.n, c.d, c.w);
    type(mw, qs(c.mw));
    type(sg, qs(c.sg));
    const QString totalBefore = total->text();
    testing::click(ok);

    if (c.message) {
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.lastTitle(), "Tarnwell Error");
        EXPECT_EQ(platform.lastText(), qs(c.message));
        EXPECT_TRUE(screen->isVisible());
        EXPECT_EQ(result.customAccepted, -1);
        EXPECT_EQ(mw->text(), qs(c.mw));
        EXPECT_EQ(sg->text(), qs(c.sg));
        EXPECT_EQ(total->text(), totalBefore);
        EXPECT_EQ(d->selectedItems().first()->text(), QString::number(c.d));
        // No rejected entry ever leaves an unusable molar volume behind.
        EXPECT_TRUE(std::isfinite(result.customMolarVolume));
    } else {
        EXPECT_TRUE(platform.messages.empty()) << platform.lastText().toStdString();
        EXPECT_EQ(result.customAccepted, 1);
        EXPECT_FALSE(screen->isVisible());
        EXPECT_TRUE(mw->text().isEmpty());
        EXPECT_TRUE(sg->text().isEmpty());
        EXPECT_EQ(result.customN, c.n);
        EXPECT_EQ(result.customD, c.d);
        EXPECT_EQ(result.customW, c.w);
        EXPECT_EQ(result.customMolarVolume, c.molarVolume);
        EXPECT_FALSE(screen->discarded());
    }
}

INSTANTIATE_TEST_SUITE_P(Entries, OkChecks, ::testing::ValuesIn(kOkCases),
                         [](const ::testing::TestParamInfo<OkCase>& info) {
                             std::string name;
                             for (const char* p = info.param.what; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

TEST_F(CustomScreen, AcceptedValuesAreHeldAtSinglePrecision) {
    choose(34, 33, 33);
    type(mw, "78.11");
    type(sg, "0.879");
    testing::click(ok);
    EXPECT_EQ(result.customMW, static_cast<double>(78.11f));
    EXPECT_EQ(result.customSG, static_cast<double>(0.879f));
    EXPECT_NEAR(result.customMolarVolume, 88.86, 0.005);
}

TEST_F(CustomScreen, ARejectionKeepsTheValuesAlreadyRead) {
    choose(34, 33, 33);
    type(mw, "-78.11");
    type(sg, "0.879");
    testing::click(ok);
    ASSERT_EQ(platform.lastText(), qs(messages::kCustomPositive));
    EXPECT_EQ(result.customMW, static_cast<double>(-78.11f));
    EXPECT_EQ(result.customSG, static_cast<double>(0.879f));
    EXPECT_EQ(result.customMolarVolume, -78.11f / 0.879f);

    // Corrected and pressed again: now taken.
    type(mw, "78.11");
    testing::click(ok);
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(result.customAccepted, 1);
}

TEST_F(CustomScreen, HelpShowsNineLinesAndChangesNothing) {
    choose(34, 33, 33);
    type(mw, "78");
    testing::click(find<QPushButton>(screen.get(), "cmdCustomHelp"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.lastTitle(), "Entering solubility parameters");
    const QStringList lines = platform.lastText().split('\r');
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[0], "This feature allows you to enter the solubility parameters for a solvent that is not listed");
    EXPECT_EQ(lines[2], "N, D, and W must add up to 100.");
    EXPECT_TRUE(lines[3].isEmpty());
    EXPECT_TRUE(lines[5].endsWith("NIOSH Pocket Guide to Chemical"));
    EXPECT_TRUE(lines[6].startsWith("Hazards,"));
    EXPECT_TRUE(lines[7].startsWith("https://"));
    EXPECT_TRUE(lines[7].endsWith("The program uses the specific gravity measured at 20 C (68 F) with respect"));
    EXPECT_EQ(lines[8], "to water at 4 C (39.2 F).");
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(mw->text(), "78");
    EXPECT_EQ(total->text(), "100");
    EXPECT_EQ(result.customAccepted, -1);
}

TEST_F(CustomScreen, EscapeCancelsLikeTheCloseBox) {
    choose(34, 33, 33);
    QTest::keyClick(screen.get(), Qt::Key_Escape);
    EXPECT_FALSE(screen->isVisible());
    EXPECT_TRUE(screen->discarded());
    EXPECT_EQ(result.customAccepted, -1);
}

TEST_F(CustomScreen, ReturnInAFieldDoesNotEndTheScreen) {
    choose(34, 33, 33);
    type(mw, "78.11");
    QTest::keyClick(mw, Qt::Key_Return);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_FALSE(screen->discarded());
    EXPECT_EQ(result.customAccepted, -1);
}

}  // namespace
}  // namespace tarnwell
