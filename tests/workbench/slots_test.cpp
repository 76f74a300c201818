// Putting solvents into the three columns, emptying them, and the
// two-solvent switch.
#include "workbench_test.h"

#include "core/messages.h"
#include "ui/colours.h"
#include "ui/text.h"

namespace tarnwell::testing {
namespace {

using Slots = WorkbenchTest;

struct FillCase {
    int slot;
    int row;
    QStringList fields;  // N, D, W, TWA, VHR, effects as shown
    std::int16_t n, d, w;
    double molarVolume, molecularWeight;
};

TEST_F(Slots, DoubleClickFillsTheColumnAndTheSlot) {
    const std::vector<FillCase> cases = {
        {1, kAcetone, {" 47", " 32", " 21", "250", "1057", "Eyes, skin, respiratory system"}, 47, 32, 21, 73.93, 58.08},
        {2, kHeptane, {" 100", " 0", " 0", "85", "549", "Skin, respiratory system"}, 100, 0, 0, 146.56, 100.21},
        {3, kWater, {" 21", " 22", " 57", "none", "none", "none listed"}, 21, 22, 57, 18.02, 18.02},
        // Minus signs take the blank's place.
        {1, kOutOfRange, {" 120", "-10", "-10", "50", "7", "Skin"}, 120, -10, -10, 80, 70},
    };
    for (const FillCase& c : cases) {
        SCOPED_TRACE(c.row);
        doubleClickRow(solventList(c.slot), c.row);
        EXPECT_EQ(slotTexts(c.slot), c.fields);
        EXPECT_EQ(selected(solventList(c.slot)), c.row);
        const SolventSlot& s = slot(c.slot);
        EXPECT_EQ(s.label, state.table.labels[static_cast<std::size_t>(c.row)]);
        EXPECT_EQ(s.n, c.n);
        EXPECT_EQ(s.d, c.d);
        EXPECT_EQ(s.w, c.w);
        EXPECT_DOUBLE_EQ(s.molarVolume, c.molarVolume);
        EXPECT_DOUBLE_EQ(s.molecularWeight, c.molecularWeight);
        EXPECT_EQ(QString::fromStdString(s.effects), c.fields.back());
        // A text longer than its field shows from its start, not its end.
        EXPECT_EQ(field(QStringLiteral("txtEffects%1").arg(c.slot))->cursorPosition(), 0);
    }
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Slots, WholeNumbersAreRoundedHalvesToEven) {
    state.table.records[kEthanol].n = " 36.5 ";
    state.table.records[kEthanol].d = "17.5";
    state.table.records[kEthanol].w = "45.51";
    doubleClickRow(solventList(2), kEthanol);
    EXPECT_EQ(slotTexts(2).mid(0, 3), (QStringList{" 36", " 18", " 46"}));
}

TEST_F(Slots, SingleClickEmptiesOnlyThatColumnAndDoubleClickRefillsIt) {
    doubleClickRow(solventList(1), kAcetone);
    doubleClickRow(solventList(2), kToluene);
    const QStringList first = slotTexts(1);
    const QStringList second = slotTexts(2);

    clickRow(solventList(2), kToluene);  // a click on the row already selected
    clickRow(solventList(2), kEthanol);  // and one that changes the selection
    for (const QString& t : slotTexts(2)) EXPECT_TRUE(t.isEmpty());
    EXPECT_EQ(slotTexts(1), first);
    EXPECT_EQ(slot(2).label, state.table.labels[kToluene]) << "a click must not change the stored slot";
    EXPECT_EQ(slot(2).n, 80);

    doubleClickRow(solventList(2), kToluene);
    EXPECT_EQ(slotTexts(2), second);
}

TEST_F(Slots, FillingTheSameSlotTwiceKeepsOnlyTheSecond) {
    doubleClickRow(solventList(3), kAcetone);
    doubleClickRow(solventList(3), kTetrahydrofuran);
    EXPECT_EQ(slotTexts(3), (QStringList{" 55", " 19", " 26", "200", "947", "Eyes, skin [skin]"}));
    EXPECT_EQ(slot(3).label, state.table.labels[kTetrahydrofuran]);
    EXPECT_DOUBLE_EQ(slot(3).molecularWeight, 72.11);
}

// Qt makes row 0 current (not selected) when a list first gets the focus;
// neither that nor a double-click on the empty space below the rows may fill
// a slot or open the custom screen.
TEST_F(Slots, FocusAndDoubleClicksOffTheRowsFillNothing) {
    for (int k = 1; k <= 3; ++k) {
        QListView* list = solventList(k);
        list->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(focused(), list);
        EXPECT_EQ(selected(list), -1);
        const QModelIndex last = list->model()->index(list->model()->rowCount() - 1, 0);
        list->scrollTo(last);
        const QPoint below = list->visualRect(last).bottomLeft() + QPoint(10, 8);
        ASSERT_TRUE(list->viewport()->rect().contains(below)) << "the test table must leave room below its rows";
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, below);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, below);
        EXPECT_EQ(selected(list), -1);
        for (const QString& t : slotTexts(k)) EXPECT_TRUE(t.isEmpty());
        EXPECT_TRUE(slot(k).label.empty());
    }
    EXPECT_EQ(custom->screen(), nullptr) << "the custom screen was opened";
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Slots, RecordThatCannotBeReadShowsAMessageAndLeavesTheSlotEmpty) {
    const std::vector<std::pair<std::string_view SolventRecord::*, std::string_view>> faults = {
        {&SolventRecord::n, "forty"}, {&SolventRecord::w, "1e9"}, {&SolventRecord::molarVolume, ""},
        {&SolventRecord::molecularWeight, "n/a"},
    };
    const SolventRecord original = state.table.records[kEthanol];
    for (const auto& [member, value] : faults) {
        SCOPED_TRACE(std::string(value));
        doubleClickRow(solventList(2), kAcetone);
        state.table.records[kEthanol].*member = value;
        platform.clear();
        doubleClickRow(solventList(2), kEthanol);
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.lastTitle(), QStringLiteral("Tarnwell Error"));
        EXPECT_EQ(platform.lastText(), ui::qs(messages::kUnusableSolventRecord));
        for (const QString& t : slotTexts(2)) EXPECT_TRUE(t.isEmpty());
        EXPECT_EQ(selected(solventList(2)), -1);
        EXPECT_EQ(slot(2).n, 47) << "nothing of the unreadable record may reach the slot";
        state.table.records[kEthanol] = original;
    }
}

TEST_F(Slots, TwoSolventSwitchGreysAndEmptiesTheThirdColumnBothWays) {
    QCheckBox* box = control<QCheckBox>(QStringLiteral("CheckBox1"));
    QListView* third = solventList(3);
    doubleClickRow(third, kEthanol);
    doubleClickRow(solventList(2), kAcetone);
    const QStringList second = slotTexts(2);

    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
    ASSERT_TRUE(box->isChecked());
    EXPECT_EQ(state.twoSolventMode, -1);
    EXPECT_FALSE(third->isEnabled());
    EXPECT_EQ(selected(third), -1);
    EXPECT_EQ(ui::colours::background(third), ui::colours::inactiveBorder());
    EXPECT_NE(third->palette().color(QPalette::Disabled, QPalette::Text).lightness(),
              ui::colours::inactiveBorder().lightness())
        << "the switched-off list's rows must stay readable on its grey";
    for (const QString& name : slotFieldNames(3)) {
        EXPECT_TRUE(text(name).isEmpty()) << name.toStdString();
        EXPECT_EQ(ui::colours::background(field(name)), ui::colours::inactiveBorder()) << name.toStdString();
    }
    EXPECT_EQ(slot(3).label, state.table.labels[kEthanol]) << "the stored slot stays as it was";
    EXPECT_EQ(slotTexts(2), second);
    saveScreenshot(QStringLiteral("main-screen-two-solvents.png"));

    // A disabled list takes no double-click.
    doubleClickRow(third, kWater);
    EXPECT_EQ(selected(third), -1);
    EXPECT_TRUE(text(QStringLiteral("txtSolvent3_N")).isEmpty());

    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
    ASSERT_FALSE(box->isChecked());
    EXPECT_EQ(state.twoSolventMode, 1);
    EXPECT_TRUE(third->isEnabled());
    EXPECT_EQ(selected(third), -1);
    EXPECT_EQ(ui::colours::background(third), ui::colours::windowBackground());
    for (const QString& name : slotFieldNames(3)) {
        EXPECT_TRUE(text(name).isEmpty()) << name.toStdString();
        EXPECT_EQ(ui::colours::background(field(name)), ui::colours::windowBackground()) << name.toStdString();
    }
    doubleClickRow(third, kWater);
    EXPECT_EQ(text(QStringLiteral("txtSolvent3_W")), QStringLiteral(" 57"));
}

}  // namespace
}  // namespace tarnwell::testing
