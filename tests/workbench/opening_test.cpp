// The main screen as it opens, its keyboard order and its layout.
#include "workbench_test.h"

#include "ui/colours.h"

#include <QFocusFrame>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>

namespace tarnwell::testing {
namespace {

using Opening = WorkbenchTest;

TEST_F(Opening, SolventListsShowTheWholeTableWithNothingSelected) {
    for (int k = 1; k <= 3; ++k) {
        QListView* list = solventList(k);
        ASSERT_EQ(list->model()->rowCount(), static_cast<int>(state.table.labels.size()));
        EXPECT_EQ(list->model()->index(kAcetone, 0).data().toString(), QStringLiteral("2:   Acetone"));
        EXPECT_EQ(list->model()->index(kCustomRow, 0).data().toString().toStdString(),
                  state.table.labels.back());
        EXPECT_EQ(selected(list), -1);
    }
    EXPECT_EQ(focused(), solventList(1));
    EXPECT_EQ(state.twoSolventMode, 0);
}

TEST_F(Opening, TargetStartsAtFiftyEachWithARedTotalAndLockedFields) {
    for (char letter : {'N', 'D', 'W'}) {
        QListWidget* list = targetList(letter);
        ASSERT_EQ(list->count(), 101);
        EXPECT_EQ(list->item(0)->text(), QStringLiteral("100"));
        EXPECT_EQ(list->item(100)->text(), QStringLiteral("0"));
        EXPECT_EQ(selected(list), 50);
        EXPECT_TRUE(list->visualItemRect(list->item(50)).intersects(list->viewport()->rect()))
            << "row 50 is not scrolled into view in lstTarget" << letter;
    }
    QLabel* total = control<QLabel>(QStringLiteral("lblTotal"));
    EXPECT_EQ(total->text(), QStringLiteral("150"));
    EXPECT_EQ(ui::colours::textColour(total), ui::colours::red());
    for (const QString& name : targetFieldNames()) {
        EXPECT_TRUE(text(name).isEmpty()) << name.toStdString();
        EXPECT_TRUE(field(name)->isReadOnly()) << name.toStdString();
    }
    EXPECT_EQ(state.target.n, 50);
    EXPECT_EQ(state.target.d, 50);
    EXPECT_EQ(state.target.w, 50);
    EXPECT_EQ(state.target.reference, 0);
}

TEST_F(Opening, SlotFieldsAreEmptyReadOnlyAndNeverTakeTheFocus) {
    for (int k = 1; k <= 3; ++k) {
        for (const QString& name : slotFieldNames(k)) {
            QLineEdit* f = field(name);
            EXPECT_TRUE(f->text().isEmpty()) << name.toStdString();
            EXPECT_TRUE(f->isReadOnly()) << name.toStdString();
        }
        EXPECT_EQ(slot(k).n, 0);
        EXPECT_TRUE(slot(k).label.empty());
    }
    // Walk the whole tab order with real Tab presses.
    QStringList visited;
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(focused(), Qt::Key_Tab);
        visited << (focused() ? focused()->objectName() : QStringLiteral("<none>"));
    }
    for (int k = 1; k <= 3; ++k)
        for (const QString& name : slotFieldNames(k))
            EXPECT_FALSE(visited.contains(name)) << name.toStdString() << " is in the tab order";
    EXPECT_TRUE(visited.contains(QStringLiteral("lstSolvent2")));
    EXPECT_TRUE(visited.contains(QStringLiteral("cmdCalculate")));
}

TEST_F(Opening, CaptionsReadAsDesigned) {
    const std::vector<std::pair<const char*, const char*>> captions = {
        {"cmdEnterasTarget", "Enter Current \nSolvent #1 as the Target"},
        {"cmdCalculate", "Calculate Concentrations to Match the Target"},
        {"CommandButton3", "Go to form to calculate solubility paramaters from concentrations"},
        {"CommandButton2", "Help"},
        {"cmdReferences", "References"},
    };
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(control<QPushButton>(QLatin1String(name))->text(), QString::fromUtf8(caption)) << name;
    EXPECT_EQ(control<QCheckBox>(QStringLiteral("CheckBox1"))->text(), QStringLiteral(" Use only 2 solvents"));
    EXPECT_FALSE(control<QCheckBox>(QStringLiteral("CheckBox1"))->isChecked());
    EXPECT_EQ(control<QGroupBox>(QStringLiteral("Frame1"))->title(), QStringLiteral("Target Solvent"));
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Tarnwell - Main Form"));

    // The captions of the three columns and the " Ref" over each list's left edge.
    const char* columnCaptions[] = {"Solvent #1:  ", "Solvent #2", "Solvent #3"};
    QStringList labelTexts;
    for (QLabel* label : screen->findChildren<QLabel*>()) labelTexts << label->text();
    for (const char* caption : columnCaptions) EXPECT_TRUE(labelTexts.contains(QLatin1String(caption))) << caption;
    EXPECT_EQ(labelTexts.count(QStringLiteral(" Ref")), 3);
    EXPECT_TRUE(labelTexts.contains(QStringLiteral("    N + D + W = ")));
    for (QLabel* label : screen->findChildren<QLabel*>()) {
        if (label->text() != QStringLiteral(" Ref")) continue;
        const QRect ref = label->geometry();
        bool overAList = false;
        for (int k = 1; k <= 3; ++k) {
            const QRect list = solventList(k)->geometry();
            if (ref.bottom() <= list.top() && std::abs(ref.left() - list.left()) <= 4) overAList = true;
        }
        EXPECT_TRUE(overAList) << "a \" Ref\" label is not above the left edge of a list";
    }
}

// Nothing overlaps and no caption is cut off, with the fonts the screen uses.
TEST_F(Opening, NoControlOverlapsAnotherOrClipsItsText) {
    auto checkSiblings = [](QWidget* parent) {
        std::vector<QWidget*> children;
        for (QObject* o : parent->children())
            // The keyboard focus mark lies over the control it marks, by design.
            if (auto* w = qobject_cast<QWidget*>(o);
                w && !w->isWindow() && w->isVisible() && !qobject_cast<QFocusFrame*>(w))
                children.push_back(w);
        for (std::size_t i = 0; i < children.size(); ++i)
            for (std::size_t j = i + 1; j < children.size(); ++j) {
                if (children[i]->parentWidget() != parent || children[j]->parentWidget() != parent) continue;
                EXPECT_FALSE(children[i]->geometry().intersects(children[j]->geometry()))
                    << children[i]->objectName().toStdString() << " overlaps "
                    << children[j]->objectName().toStdString();
            }
        for (QWidget* w : children)
            EXPECT_TRUE(parent->rect().contains(w->geometry())) << w->objectName().toStdString() << " sticks out";
    };
    checkSiblings(screen.get());
    checkSiblings(control<QGroupBox>(QStringLiteral("Frame1")));

    for (QLabel* label : screen->findChildren<QLabel*>()) {
        if (label->text().isEmpty() || label->wordWrap()) continue;
        const QFontMetrics metrics(label->font());
        EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width()) << label->objectName().toStdString();
        EXPECT_LE(metrics.height(), label->height()) << label->objectName().toStdString();
    }
    for (QLabel* label : screen->findChildren<QLabel*>()) {
        if (!label->wordWrap()) continue;  // the wrapped button captions
        EXPECT_LE(label->heightForWidth(label->width()), label->height()) << label->objectName().toStdString();
    }
    QPushButton* enter = control<QPushButton>(QStringLiteral("cmdEnterasTarget"));
    const QSize needed = QFontMetrics(enter->font()).size(0, enter->text());
    EXPECT_LE(needed.width() + 8, enter->width());
    EXPECT_LE(needed.height() + 4, enter->height());

    // A picture of the screen for a person to look at, when one is asked for.
    saveScreenshot(QStringLiteral("main-screen-opening.png"));
}

}  // namespace
}  // namespace tarnwell::testing
