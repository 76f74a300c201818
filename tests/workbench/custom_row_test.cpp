// The custom-entry row: the custom solvent screen driven by real clicks and
// typing, accepted, cancelled, and refused as a target.
#include "workbench_test.h"

#include "core/messages.h"
#include "ui/text.h"

#include <cmath>

namespace tarnwell::testing {
namespace {

struct Entry {
    int n, d, w;
    const char* molecularWeight;
    const char* specificGravity;
};

// Sets the entry on the custom screen and presses its OK button.
void confirm(QWidget* customScreen, const Entry& e) {
    const std::pair<const char*, int> lists[] = {{"lstCustomN", e.n}, {"lstCustomD", e.d}, {"lstCustomW", e.w}};
    for (const auto& [name, value] : lists) {
        auto* list = find<QAbstractItemView>(customScreen, QLatin1String(name));
        ASSERT_NE(list, nullptr) << name;
        clickRow(list, 100 - value);
    }
    auto* mw = find<QLineEdit>(customScreen, QStringLiteral("txtMolWeight"));
    auto* sg = find<QLineEdit>(customScreen, QStringLiteral("txtSpecGravity"));
    auto* ok = find<QPushButton>(customScreen, QStringLiteral("cmdCustomParamOk"));
    ASSERT_TRUE(mw && sg && ok);
    QTest::keyClicks(mw, e.molecularWeight);
    QTest::keyClicks(sg, e.specificGravity);
    QTest::mouseClick(ok, Qt::LeftButton);
}

class CustomRowTest : public WorkbenchTest {
protected:
    // Double-clicks the custom-entry row of slot k and runs `onScreen` on the
    // custom screen. Returns false when no custom screen came up.
    bool request(int k, const std::function<void(QWidget*)>& onScreen) {
        return duringModal([&] { doubleClickRow(solventList(k), kCustomRow); },
                           [&](QWidget* modal) {
                               mainEnabledWhileOpen = screen->isEnabled();
                               onScreen(modal);
                           });
    }
    bool mainEnabledWhileOpen = true;
};

TEST_F(CustomRowTest, AcceptedEntryFillsTheSlotWithItsDescription) {
    slot(2).molecularWeight = 12.5;  // a custom entry leaves it alone
    ASSERT_TRUE(request(2, [&](QWidget* modal) {
        // The main screen takes no clicks meanwhile.
        clickRow(solventList(1), kAcetone);
        confirm(modal, {40, 30, 30, "58.08", "0.79"});
    }));
    EXPECT_FALSE(mainEnabledWhileOpen);
    EXPECT_TRUE(screen->isEnabled());
    EXPECT_EQ(selected(solventList(1)), -1);
    EXPECT_TRUE(platform.messages.empty()) << platform.lastText().toStdString();

    EXPECT_EQ(slotTexts(2),
              (QStringList{" 40", " 30", " 30", "", "", "MW = 58.08  Spec. Gravity = 0.79"}));
    EXPECT_EQ(selected(solventList(2)), kCustomRow);
    const SolventSlot& s = slot(2);
    EXPECT_EQ(s.label, "0:  User entered N, D, W: ");
    EXPECT_EQ(s.n, 40);
    EXPECT_EQ(s.d, 30);
    EXPECT_EQ(s.w, 30);
    EXPECT_EQ(s.effects, "MW = 58.08  Spec. Gravity = 0.79");
    EXPECT_DOUBLE_EQ(s.molarVolume, static_cast<double>(state.custom.customMolarVolume));
    EXPECT_NEAR(s.molarVolume, 58.08 / 0.79, 1e-4);
    EXPECT_DOUBLE_EQ(s.molecularWeight, 12.5);
}

TEST_F(CustomRowTest, AcceptedEntryReplacesADatabaseSolventsHazardTexts) {
    doubleClickRow(solventList(1), kAcetone);
    ASSERT_TRUE(request(1, [&](QWidget* modal) { confirm(modal, {0, 0, 100, "0.5", "1"}); }));
    EXPECT_EQ(slotTexts(1), (QStringList{" 0", " 0", " 100", "", "", "MW = .50  Spec. Gravity = 1.00"}));
}

TEST_F(CustomRowTest, ClosingTheCustomScreenLeavesTheSlotEmpty) {
    for (int k = 1; k <= 3; ++k) {
        SCOPED_TRACE(k);
        doubleClickRow(solventList(k), kToluene);
        ASSERT_TRUE(request(k, [](QWidget* modal) { modal->close(); }));
        EXPECT_EQ(selected(solventList(k)), -1);
        for (const QString& t : slotTexts(k)) EXPECT_TRUE(t.isEmpty());
        EXPECT_TRUE(slot(k).label.empty());
        EXPECT_TRUE(screen->isEnabled());
    }
    // A closed screen cancels even after an accepted entry.
    ASSERT_TRUE(request(3, [](QWidget* modal) { confirm(modal, {34, 33, 33, "78.11", "0.879"}); }));
    EXPECT_EQ(text(QStringLiteral("txtEffects3")), QStringLiteral("MW = 78.11  Spec. Gravity = 0.88"));
    ASSERT_TRUE(request(3, [](QWidget* modal) { modal->close(); }));
    EXPECT_EQ(selected(solventList(3)), -1);
    for (const QString& t : slotTexts(3)) EXPECT_TRUE(t.isEmpty());
}

TEST_F(CustomRowTest, CustomSolventOneIsRefusedAsTheTarget) {
    ASSERT_TRUE(request(1, [](QWidget* modal) { confirm(modal, {40, 30, 30, "58.08", "0.79"}); }));
    const QStringList slotBefore = slotTexts(1);
    QTest::mouseClick(control<QPushButton>(QStringLiteral("cmdEnterasTarget")), Qt::LeftButton);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.lastTitle(), QStringLiteral("Tarnwell Error"));
    EXPECT_EQ(platform.lastText(), ui::qs(messages::kEnterAsTargetCustomRow));
    EXPECT_EQ(state.target.n, 50);
    EXPECT_EQ(state.target.d, 50);
    EXPECT_EQ(state.target.w, 50);
    EXPECT_EQ(selected(targetList('N')), 50);
    EXPECT_EQ(slotTexts(1), slotBefore);
}

}  // namespace
}  // namespace tarnwell::testing
