// The target: the three percentage lists, the running total, the four
// target fields and taking solvent #1 as the target.
#include "workbench_test.h"

#include "core/messages.h"
#include "ui/colours.h"
#include "ui/text.h"

namespace tarnwell::testing {
namespace {

using Target = WorkbenchTest;

struct TotalCase {
    int n, d, w;
    const char* total;
    bool editable;
};

TEST_F(Target, ListClicksSetTheTotalItsColourAndTheFieldLock) {
    const std::vector<TotalCase> cases = {
        {30, 50, 50, "130", false}, {30, 20, 50, "100", true}, {30, 19, 50, "99", false},
        {30, 21, 50, "101", false}, {0, 0, 100, "100", true},  {100, 0, 0, "100", true},
        {0, 0, 0, "0", false},
    };
    for (const TotalCase& c : cases) {
        SCOPED_TRACE(std::string(c.total) + " from " + std::to_string(c.n) + "/" + std::to_string(c.d) + "/" +
                     std::to_string(c.w));
        for (const auto& [letter, value] : {std::pair{'N', c.n}, std::pair{'D', c.d}, std::pair{'W', c.w}}) {
            const bool moves = selected(targetList(letter)) != 100 - value;
            clickTarget(letter, value);
            // The click that makes a hand-set 100 puts the cursor in the TWA field.
            if (moves && state.target.addsTo100()) {
                EXPECT_EQ(focused(), field(QStringLiteral("txtTargetTLV"))) << letter;
            }
        }
        EXPECT_EQ(state.target.n, c.n);
        EXPECT_EQ(state.target.d, c.d);
        EXPECT_EQ(state.target.w, c.w);
        QLabel* total = control<QLabel>(QStringLiteral("lblTotal"));
        EXPECT_EQ(total->text(), QLatin1String(c.total));
        EXPECT_EQ(ui::colours::textColour(total), c.editable ? ui::colours::green() : ui::colours::red());
        for (const QString& name : targetFieldNames()) EXPECT_EQ(field(name)->isReadOnly(), !c.editable);
    }
}

TEST_F(Target, TypingIsTakenOnlyWhileAHandSetTotalIs100) {
    QLineEdit* name = field(QStringLiteral("txtTargetName"));
    // Locked at the start.
    QTest::mouseClick(name, Qt::LeftButton);
    QTest::keyClicks(name, "Nope");
    EXPECT_TRUE(name->text().isEmpty());
    EXPECT_TRUE(state.target.label.empty());

    clickTarget('N', 30);
    clickTarget('D', 20);
    ASSERT_FALSE(name->isReadOnly());
    state.target.reference = 7;
    clickTarget('W', 49);
    clickTarget('W', 50);
    EXPECT_EQ(state.target.reference, 0) << "a hand-set target has no reference";

    QTest::mouseClick(name, Qt::LeftButton);
    const QString typed = QStringLiteral("My blend");
    for (int i = 0; i < typed.size(); ++i) {
        QTest::keyClick(name, typed.at(i).toLatin1());
        EXPECT_EQ(QString::fromStdString(state.target.label), typed.left(i + 1));
    }
    const std::vector<std::pair<const char*, std::string TargetPoint::*>> others = {
        {"txtTargetTLV", &TargetPoint::twaText}, {"txtTargetVHR", &TargetPoint::vhrText},
        {"txtEffectsTarget", &TargetPoint::effects}};
    for (const auto& [fieldName, member] : others) {
        QLineEdit* f = field(QLatin1String(fieldName));
        QTest::mouseClick(f, Qt::LeftButton);
        QTest::keyClicks(f, "x 1");
        EXPECT_EQ(state.target.*member, "x 1") << fieldName;
    }

    // Leaving 100 empties everything the user typed and locks the fields again.
    clickTarget('D', 21);
    for (const QString& fieldName : targetFieldNames()) {
        EXPECT_TRUE(text(fieldName).isEmpty()) << fieldName.toStdString();
        EXPECT_TRUE(field(fieldName)->isReadOnly()) << fieldName.toStdString();
    }
    EXPECT_TRUE(state.target.label.empty());
    EXPECT_TRUE(state.target.twaText.empty());
    EXPECT_TRUE(state.target.vhrText.empty());
    EXPECT_TRUE(state.target.effects.empty());
}

// Three solvents and a target, by mouse alone.
TEST_F(Target, ABlendIsSetUpByMouseAlone) {
    doubleClickRow(solventList(1), kAcetone);
    doubleClickRow(solventList(2), kHeptane);
    doubleClickRow(solventList(3), kEthanol);
    clickTarget('N', 60);
    clickTarget('D', 15);
    clickTarget('W', 25);
    EXPECT_EQ(control<QLabel>(QStringLiteral("lblTotal"))->text(), QStringLiteral("100"));
    QTest::keyClicks(field(QStringLiteral("txtTargetTLV")), "200");
    EXPECT_EQ(slotTexts(1), (QStringList{" 47", " 32", " 21", "250", "1057", "Eyes, skin, respiratory system"}));
    EXPECT_EQ(slotTexts(2), (QStringList{" 100", " 0", " 0", "85", "549", "Skin, respiratory system"}));
    EXPECT_EQ(slotTexts(3), (QStringList{" 36", " 18", " 46", "1000", "58", "Eyes, skin, respiratory system"}));
    EXPECT_EQ(state.target.twaText, "200");
    EXPECT_EQ(state.target.reference, 0);
    EXPECT_TRUE(platform.messages.empty());
    saveScreenshot(QStringLiteral("main-screen-filled.png"));
}

struct CopyCase {
    int row;
    const char* total;
    bool green;
    const char* twa;
    const char* vhr;
    std::int16_t reference;
};

TEST_F(Target, EnterAsTargetCopiesSolventOneAndEmptiesItsColumn) {
    const std::vector<CopyCase> cases = {
        {kAcetone, "100", true, "250", "1057", 2},
        {kSum99, "99", false, "", "", 4},  // no target row can stand on 99: TWA and VHR stay empty
        {kWater, "100", true, "none", "none", 3},
    };
    QPushButton* enter = control<QPushButton>(QStringLiteral("cmdEnterasTarget"));
    for (const CopyCase& c : cases) {
        SCOPED_TRACE(c.row);
        // Start each copy from a hand-set target with typed text.
        clickTarget('N', 10);
        clickTarget('D', 10);
        clickTarget('W', 80);
        QTest::keyClicks(field(QStringLiteral("txtTargetTLV")), "typed");

        doubleClickRow(solventList(1), c.row);
        doubleClickRow(solventList(2), kToluene);
        const QStringList second = slotTexts(2);
        const SolventRecord& record = state.table.records[static_cast<std::size_t>(c.row)];
        QTest::mouseClick(enter, Qt::LeftButton);

        EXPECT_TRUE(platform.messages.empty());
        EXPECT_EQ(selected(targetList('N')), 100 - std::stoi(std::string(record.n)));
        EXPECT_EQ(selected(targetList('D')), 100 - std::stoi(std::string(record.d)));
        EXPECT_EQ(selected(targetList('W')), 100 - std::stoi(std::string(record.w)));
        QLabel* total = control<QLabel>(QStringLiteral("lblTotal"));
        EXPECT_EQ(total->text(), QLatin1String(c.total));
        EXPECT_EQ(ui::colours::textColour(total), c.green ? ui::colours::green() : ui::colours::red());
        EXPECT_EQ(text(QStringLiteral("txtTargetTLV")), QLatin1String(c.twa));
        EXPECT_EQ(text(QStringLiteral("txtTargetVHR")), QLatin1String(c.vhr));
        EXPECT_EQ(text(QStringLiteral("txtTargetName")).toStdString(), record.label);
        EXPECT_EQ(text(QStringLiteral("txtEffectsTarget")).toStdString(), record.effects);
        for (const QString& name : targetFieldNames()) EXPECT_TRUE(field(name)->isReadOnly()) << name.toStdString();

        EXPECT_EQ(state.target.n, std::stoi(std::string(record.n)));
        EXPECT_EQ(state.target.d, std::stoi(std::string(record.d)));
        EXPECT_EQ(state.target.w, std::stoi(std::string(record.w)));
        EXPECT_EQ(state.target.reference, c.reference);
        EXPECT_EQ(state.target.label, record.label);
        EXPECT_EQ(state.target.twaText, c.twa);
        EXPECT_EQ(state.target.vhrText, c.vhr);
        EXPECT_EQ(state.target.effects, record.effects);

        EXPECT_EQ(selected(solventList(1)), -1);
        for (const QString& t : slotTexts(1)) EXPECT_TRUE(t.isEmpty());
        EXPECT_EQ(slotTexts(2), second);
        EXPECT_EQ(focused(), solventList(1));
        EXPECT_EQ(slot(1).label, record.label) << "slot #1's stored values stay";

        // Slot #1 is empty now, so a second press only says so.
        const TargetPoint before = state.target;
        QTest::mouseClick(enter, Qt::LeftButton);
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.lastText(), ui::qs(messages::kEnterAsTargetNoSolvent));
        EXPECT_EQ(state.target.label, before.label);
        EXPECT_EQ(state.target.reference, before.reference);
        platform.clear();
    }
}

TEST_F(Target, EnterAsTargetRefusesWhatItCannotUseAndChangesNothing) {
    QPushButton* enter = control<QPushButton>(QStringLiteral("cmdEnterasTarget"));
    clickTarget('N', 30);
    clickTarget('D', 20);
    QTest::keyClicks(field(QStringLiteral("txtTargetName")), "kept");

    struct Refusal {
        const char* what;
        std::function<void()> prepare;
        const char* text;
    };
    const std::vector<Refusal> refusals = {
        {"nothing double-clicked", [] {}, messages::kEnterAsTargetNoSolvent},
        {"a row only clicked", [&] { clickRow(solventList(1), kAcetone); }, messages::kEnterAsTargetNoSolvent},
        {"values outside 0..100", [&] { doubleClickRow(solventList(1), kOutOfRange); },
         messages::kEnterAsTargetOutOfRange},
        {"a reference that is no number",
         [&] {
             doubleClickRow(solventList(1), kEthanol);
             state.table.records[kEthanol].reference = "two";
         },
         messages::kUnusableSolventRecord},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.what);
        r.prepare();
        const QStringList slotBefore = slotTexts(1);
        const int rowBefore = selected(solventList(1));
        platform.clear();
        QTest::mouseClick(enter, Qt::LeftButton);
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.lastTitle(), QStringLiteral("Tarnwell Error"));
        EXPECT_EQ(platform.lastText(), QString::fromLatin1(r.text));
        EXPECT_EQ(state.target.n, 30);
        EXPECT_EQ(state.target.d, 20);
        EXPECT_EQ(state.target.w, 50);
        EXPECT_EQ(selected(targetList('N')), 70);
        EXPECT_EQ(text(QStringLiteral("txtTargetName")), QStringLiteral("kept"));
        EXPECT_EQ(state.target.label, "kept");
        EXPECT_FALSE(field(QStringLiteral("txtTargetName"))->isReadOnly());
        EXPECT_EQ(slotTexts(1), slotBefore);
        EXPECT_EQ(selected(solventList(1)), rowBefore);
    }
}

}  // namespace
}  // namespace tarnwell::testing
