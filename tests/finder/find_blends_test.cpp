// The safer-blend finder from the main screen, with the shipped database:
// toluene as the target, one click to search, a double-click on a result to
// get the normal report of that blend; filters, cancel, close and print.

#include "../support/main_screen_test.h"
#include "core/blend_finder.h"
#include "core/messages.h"
#include "finder/frm_find_blends.h"
#include "ui/events.h"
#include "ui/text.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QSpinBox>

namespace tarnwell::testing {
namespace {

// The shipped solvents copied over and over, each copy moved a little, so a
// full search takes long enough to watch and to cancel.
SolventTable largeTable(const SolventTable& base, int solvents) {
    SolventTable t;
    t.storage = base.storage;  // the copied records still point into the base's texts
    const int distinct = base.lastIndex;
    for (int i = 0; i < solvents; ++i) {
        SolventRecord r = base.records[static_cast<std::size_t>(i % distinct)];
        const int n = std::clamp(std::stoi(std::string(r.n)) + (i * 7) % 5 - 2, 0, 100);
        const int d = std::clamp(std::stoi(std::string(r.d)) + (i * 3) % 5 - 2, 0, 100 - n);
        r.n = t.own(std::to_string(n));
        r.d = t.own(std::to_string(d));
        r.w = t.own(std::to_string(100 - n - d));
        r.label = t.own(std::string(r.label) + " #" + std::to_string(i));
        t.records.push_back(r);
    }
    t.records.push_back(base.records.back());
    for (const SolventRecord& r : t.records) t.labels.push_back(r.label);
    t.lastIndex = static_cast<std::int16_t>(t.records.size() - 1);
    return t;
}

class FindBlendsTest : public MainScreenTest {
protected:
    void SetUp() override { open(shippedTable()); }

    // The first row whose label is `label` or begins with it and " #".
    int rowOf(const std::string& label) {
        for (std::size_t i = 0; i < state.table.labels.size(); ++i)
            if (state.table.labels[i] == label || state.table.labels[i].rfind(label + " #", 0) == 0)
                return static_cast<int>(i);
        ADD_FAILURE() << "no row " << label;
        return -1;
    }

    // Toluene into slot 1 by a double-click, then "Enter as the target".
    void tolueneAsTarget() {
        chooseSolvent(1, rowOf("2:   Toluene"));
        click(control<QPushButton>(QStringLiteral("cmdEnterasTarget")));
        ASSERT_EQ(state.target.n + state.target.d + state.target.w, 100);
        ASSERT_EQ(state.target.label.rfind("2:   Toluene", 0), 0u);
    }

    // Presses "Find Safer Blends..." and waits for the search to end.
    FrmFindBlends* findBlends() {
        auto* button = find<QPushButton>(screen.get(), QStringLiteral("cmdFindBlends"));
        EXPECT_NE(button, nullptr);
        if (!button) return nullptr;
        EXPECT_EQ(button->text(), QStringLiteral("Find Safer Blends..."));
        click(button);
        auto* finder = screen->findChild<FrmFindBlends*>(QStringLiteral("frmFindBlends"));
        if (finder) waitForSearch(finder);
        return finder;
    }

    static void waitForSearch(FrmFindBlends* finder, int timeoutMs = 30000) {
        QElapsedTimer t;
        t.start();
        while (finder->isSearching() && t.elapsed() < timeoutMs) QTest::qWait(10);
        EXPECT_FALSE(finder->isSearching()) << "the search did not end";
    }

    static QListWidget* results(FrmFindBlends* finder) {
        return find<QListWidget>(finder, QStringLiteral("lstFoundBlends"));
    }
};

TEST_F(FindBlendsTest, DoubleClickOrReturnOnAResultShowsItsReport) {
    tolueneAsTarget();
    FrmFindBlends* finder = findBlends();
    ASSERT_NE(finder, nullptr);
    EXPECT_TRUE(finder->isVisible());
    EXPECT_FALSE(finder->isModal());
    QListWidget* list = results(finder);
    ASSERT_NE(list, nullptr);
    const std::vector<FoundBlend> blends = finder->blends();
    ASSERT_EQ(list->count(), 50);  // toluene has far more matches than the default 50
    ASSERT_EQ(blends.size(), 50u);
    EXPECT_TRUE(std::is_sorted(blends.begin(), blends.end(), ranksBefore));
    // The best blend is kinder than toluene (TWA 100 ppm) to breathe.
    ASSERT_TRUE(blends.front().twaPpm);
    EXPECT_GT(*blends.front().twaPpm, 100.0);

    if (const QString dir = qEnvironmentVariable("TARNWELL_SCREENSHOT_DIR"); !dir.isEmpty()) {
        EXPECT_TRUE(finder->grab().save(dir + QStringLiteral("/find-safer-blends.png")));
    }

    // The best pair loaded by a double-click, the second triple by Return on
    // its row, which is the same.
    auto* size = find<QComboBox>(finder, QStringLiteral("cboBlendSize"));
    for (int sizeChoice : {1, 2}) {
        size->setCurrentIndex(sizeChoice);
        click(find<QPushButton>(finder, QStringLiteral("cmdSearch")));
        waitForSearch(finder);
        ASSERT_FALSE(finder->blends().empty());
        const int pick = sizeChoice == 1 ? 0 : 1;  // the second triple, to show it is not always row 0
        const FoundBlend b = finder->blends()[static_cast<std::size_t>(pick)];
        EXPECT_EQ(b.size, sizeChoice == 1 ? 2 : 3);
        SCOPED_TRACE(list->item(pick)->text().toStdString());
        QString joined;
        for (int k = 0; k < b.size; ++k)
            joined += (k ? QStringLiteral(" + ") : QString()) +
                      ui::qs(state.table.labels[static_cast<std::size_t>(b.rows[static_cast<std::size_t>(k)])]);
        EXPECT_TRUE(list->item(pick)->text().startsWith(joined + QStringLiteral("   ")));

        QStringList shownSolvents;
        QString shownTwa, shownVhr, shownVolume1;
        bool reportSeen = false;
        whenModalAppears([&](QWidget* report) {
            reportSeen = report->objectName() == QStringLiteral("frmResults");
            for (const char* name : {"lblSolvent1", "lblsolvent2", "lblsolvent3"})
                shownSolvents << find<QLabel>(report, QLatin1String(name))->text();
            shownTwa = find<QLabel>(report, QStringLiteral("lblTLVMixPPM"))->text();
            shownVhr = find<QLabel>(report, QStringLiteral("lblVHRMixture"))->text();
            shownVolume1 = find<QLabel>(report, QStringLiteral("lblVolume1"))->text();
            click(find<QPushButton>(report, QStringLiteral("cmdOk")));
        });
        if (sizeChoice == 1) {
            doubleClickRow(list, pick);
        } else {
            finder->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(finder));
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Down);
            ASSERT_EQ(ui::selectedRow(list), pick);
            QTest::keyClick(list, Qt::Key_Return);
        }
        EXPECT_TRUE(reportSeen) << (platform.messages.empty() ? std::string("no report")
                                                              : platform.lastText().toStdString());
        for (int k = 0; k < 3; ++k) {
            const int row = b.rows[static_cast<std::size_t>(k)];
            EXPECT_EQ(shownSolvents.value(k).toStdString(),
                      row < 0 ? std::string() : state.table.labels[static_cast<std::size_t>(row)]);
        }
        EXPECT_EQ(shownTwa.toStdString(), b.twaText);
        EXPECT_EQ(shownVhr.toStdString(), b.vhrText);
        EXPECT_EQ(shownVolume1.toStdString(), b.volumeText[0]);
        EXPECT_EQ(find<QCheckBox>(screen.get(), QStringLiteral("CheckBox1"))->isChecked(), b.size == 2);
        EXPECT_EQ(ui::selectedRow(find<QListView>(screen.get(), QStringLiteral("lstSolvent1"))), b.rows[0]);
        EXPECT_TRUE(platform.messages.empty()) << platform.lastText().toStdString();
    }

    // Return with no blend selected opens nothing and says nothing.
    ui::selectRow(list, -1);
    list->setFocus();
    EXPECT_FALSE(duringModal([&] { QTest::keyClick(list, Qt::Key_Return); }, [](QWidget* m) { m->close(); }));
    EXPECT_TRUE(platform.messages.empty()) << platform.lastText().toStdString();
}

TEST_F(FindBlendsTest, ATargetThatDoesNotAddUpTo100SaysSoAndOpensNothing) {
    // The main screen opens with N = D = W = 50.
    auto* button = find<QPushButton>(screen.get(), QStringLiteral("cmdFindBlends"));
    ASSERT_NE(button, nullptr);
    click(button);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.lastTitle(), ui::qs(messages::kErrorTitle));
    EXPECT_EQ(platform.lastText(), ui::qs(messages::kM1));
    EXPECT_EQ(screen->findChild<FrmFindBlends*>(QStringLiteral("frmFindBlends")), nullptr);
}

TEST_F(FindBlendsTest, FiltersNarrowTheListAndUseWithoutAChoiceSaysSo) {
    tolueneAsTarget();
    FrmFindBlends* finder = findBlends();
    ASSERT_NE(finder, nullptr);
    find<QComboBox>(finder, QStringLiteral("cboBlendSize"))->setCurrentIndex(1);  // two solvents only
    click(find<QCheckBox>(finder, QStringLiteral("chkExcludeSkin")));
    click(find<QCheckBox>(finder, QStringLiteral("chkExcludeCarcinogens")));
    auto* spin = find<QSpinBox>(finder, QStringLiteral("spnMaxResults"));
    spin->setValue(7);
    // Never use acetone; must contain heptane or ethanol.
    auto* never = find<QListView>(finder, QStringLiteral("lstExclude"));
    auto* must = find<QListView>(finder, QStringLiteral("lstMustContain"));
    const int acetone = rowOf("2:   Acetone"), heptane = rowOf("2:   n-Heptane"), ethanol = rowOf("2:   Ethanol");
    for (auto [list, row] : {std::pair{never, acetone}, std::pair{must, heptane}, std::pair{must, ethanol}}) {
        list->scrollTo(list->model()->index(row, 0));
        clickRow(list, row);
    }
    click(find<QPushButton>(finder, QStringLiteral("cmdSearch")));
    waitForSearch(finder);
    const std::vector<FoundBlend>& blends = finder->blends();
    ASSERT_FALSE(blends.empty()) << find<QLabel>(finder, QStringLiteral("lblStatus"))->text().toStdString();
    EXPECT_LE(blends.size(), 7u);
    EXPECT_EQ(results(finder)->count(), static_cast<int>(blends.size()));
    for (const FoundBlend& b : blends) {
        EXPECT_EQ(b.size, 2);
        bool required = false;
        for (int k = 0; k < b.size; ++k) {
            const int row = b.rows[static_cast<std::size_t>(k)];
            EXPECT_EQ(state.table.records[static_cast<std::size_t>(row)].effects.find("[skin]"), std::string::npos);
            EXPECT_EQ(state.table.records[static_cast<std::size_t>(row)].effects.find("[carcinogen]"), std::string::npos);
            EXPECT_NE(row, acetone);
            required = required || row == heptane || row == ethanol;
        }
        EXPECT_TRUE(required);
    }

    ui::selectRow(results(finder), -1);
    click(find<QPushButton>(finder, QStringLiteral("cmdUseBlend")));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.lastText(), ui::qs(messages::kFindBlendsNoSelection));

    click(find<QPushButton>(finder, QStringLiteral("cmdPrint")));
    ASSERT_EQ(platform.printedWindows.size(), 1u);
    EXPECT_EQ(platform.printedWindows.front(), QStringLiteral("frmFindBlends"));
}

TEST_F(FindBlendsTest, ALongSearchShowsProgressAndCanBeCancelledOrClosed) {
    open(largeTable(shippedTable(), 900));
    tolueneAsTarget();
    auto* button = find<QPushButton>(screen.get(), QStringLiteral("cmdFindBlends"));
    click(button);
    auto* finder = screen->findChild<FrmFindBlends*>(QStringLiteral("frmFindBlends"));
    ASSERT_NE(finder, nullptr);
    ASSERT_TRUE(finder->isSearching()) << "the search should still run";
    auto* cancel = find<QPushButton>(finder, QStringLiteral("cmdCancelSearch"));
    auto* progress = find<QProgressBar>(finder, QStringLiteral("prgSearch"));
    // The screen keeps answering meanwhile: the progress shows after a moment.
    // (Qt's painting uses the global thread pool; a search there froze repaints.)
    QElapsedTimer waited;
    waited.start();
    qint64 longestStep = 0;
    while (!(cancel->isVisible() && progress->isVisible()) && finder->isSearching() && waited.elapsed() < 5000) {
        const qint64 before = waited.elapsed();
        QTest::qWait(10);
        longestStep = std::max(longestStep, waited.elapsed() - before);
    }
    ASSERT_TRUE(cancel->isVisible() && progress->isVisible()) << "after " << waited.elapsed() << " ms";
    EXPECT_LT(longestStep, 1000) << "the window stopped answering while it searched";
    ASSERT_TRUE(finder->isSearching());
    click(cancel);
    EXPECT_FALSE(finder->isSearching());
    EXPECT_FALSE(cancel->isVisible());
    EXPECT_EQ(find<QLabel>(finder, QStringLiteral("lblStatus"))->text(),
              ui::qs(messages::kFindBlendsCancelled));
    EXPECT_EQ(results(finder)->count(), 0);

    // Searching again, then closing the window, stops that search too.
    click(find<QPushButton>(finder, QStringLiteral("cmdSearch")));
    ASSERT_TRUE(finder->isSearching());
    finder->close();
    EXPECT_FALSE(finder->isSearching());
    EXPECT_FALSE(finder->isVisible());
    EXPECT_TRUE(platform.messages.empty()) << platform.lastText().toStdString();
}

}  // namespace
}  // namespace tarnwell::testing
