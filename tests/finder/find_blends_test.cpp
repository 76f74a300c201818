// The safer-blend finder from the main screen, with the shipped database:
// toluene as the target, one click to search, a double-click on a result to
// get the normal report of that blend; filters, cancel, close and print.

#include "../support/fake_platform.h"
#include "../support/screen_test.h"
#include "app/application.h"
#include "core/blend_finder.h"
#include "core/messages.h"
#include "finder/frm_find_blends.h"
#include "ui/events.h"
#include "ui/navigator.h"
#include "ui/text.h"
#include "workbench/frm_solvermain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QProgressBar>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace tarnwell::testing {
namespace {

// The shipped solvents copied over and over, each copy moved a little, so a
// full search takes long enough to watch and to cancel: a database file.
std::string largeDatabase(const SolventTable& base, int solvents) {
    std::vector<TestSolvent> out;
    const int distinct = base.lastIndex;
    for (int i = 0; i < solvents; ++i) {
        const SolventRecord& r = base.records[static_cast<std::size_t>(i % distinct)];
        const int n = std::clamp(std::stoi(std::string(r.n)) + (i * 7) % 5 - 2, 0, 100);
        const int d = std::clamp(std::stoi(std::string(r.d)) + (i * 3) % 5 - 2, 0, 100 - n);
        const std::string_view label = r.label;
        const std::string name(label.substr(label.find(":   ") + 4));
        out.push_back({name + " #" + std::to_string(i), std::string(r.reference), std::to_string(n),
                       std::to_string(d), std::to_string(100 - n - d), std::string(r.twaText), std::string(r.vhrText),
                       std::string(r.molarVolume), std::string(r.molecularWeight), std::string(r.twaMgText),
                       std::string(r.effects)});
    }
    return databaseText(out);
}

// The finder from the main screen of the whole program, which owns both.
class FindBlendsTest : public ::testing::Test {
protected:
    void SetUp() override { open(shippedDatabase()); }
    void TearDown() override {
        while (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        app.reset();
    }

    static std::string shippedDatabase() {
        QFile file(QStringLiteral(TARNWELL_SOURCE_DIR "/resources/tarnwell database 1.0.txt"));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll().toStdString();
    }

    // The program started afresh on `database`, its main screen shown and active.
    void open(const std::string& database) {
        app.reset();
        folder.reset();  // back in the first folder before the next is made the current one
        folder = std::make_unique<DatabaseFolder>(database);
        app = std::make_unique<Application>(platform);
        app->showMainScreen();
        screen = app->mainScreen();
        ASSERT_NE(screen, nullptr) << platform.lastText().toStdString();
        screen->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(screen));
    }
    AppState& state() { return app->state(); }
    template <typename T>
    T* control(const QString& name) { return find<T>(screen, name); }
    void chooseSolvent(int k, int row) {
        doubleClickRow(control<QListView>(QStringLiteral("lstSolvent%1").arg(k)), row);
    }

    // The first row whose label is `label` or begins with it and " #".
    int rowOf(const std::string& label) {
        for (std::size_t i = 0; i < state().table.labels.size(); ++i)
            if (state().table.labels[i] == label || state().table.labels[i].rfind(label + " #", 0) == 0)
                return static_cast<int>(i);
        ADD_FAILURE() << "no row " << label;
        return -1;
    }

    // Toluene into slot 1 by a double-click, then "Enter as the target".
    void tolueneAsTarget() {
        chooseSolvent(1, rowOf("2:   Toluene"));
        click(control<QPushButton>(QStringLiteral("cmdEnterasTarget")));
        ASSERT_EQ(state().target.n + state().target.d + state().target.w, 100);
        ASSERT_EQ(state().target.label.rfind("2:   Toluene", 0), 0u);
    }

    // Presses "Find Safer Blends..." and waits for the search to end.
    FrmFindBlends* findBlends() {
        auto* button = find<QPushButton>(screen, QStringLiteral("cmdFindBlends"));
        EXPECT_NE(button, nullptr);
        if (!button) return nullptr;
        EXPECT_EQ(button->text(), QStringLiteral("Find Safer Blends..."));
        click(button);
        FrmFindBlends* finder = app->finder(ui::FinderMode::Target);
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

    FakePlatform platform;
    std::unique_ptr<DatabaseFolder> folder;
    std::unique_ptr<Application> app;
    FrmSolvermain* screen = nullptr;
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
                      ui::qs(state().table.labels[static_cast<std::size_t>(b.rows[static_cast<std::size_t>(k)])]);
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
                      row < 0 ? std::string() : state().table.labels[static_cast<std::size_t>(row)]);
        }
        EXPECT_EQ(shownTwa.toStdString(), b.twaText);
        EXPECT_EQ(shownVhr.toStdString(), b.vhrText);
        EXPECT_EQ(shownVolume1.toStdString(), b.volumeText[0]);
        EXPECT_EQ(find<QCheckBox>(screen, QStringLiteral("CheckBox1"))->isChecked(), b.size == 2);
        EXPECT_EQ(ui::selectedRow(find<QListView>(screen, QStringLiteral("lstSolvent1"))), b.rows[0]);
        EXPECT_TRUE(platform.messages.empty()) << platform.lastText().toStdString();
    }

    // Return with no blend selected opens nothing and says nothing.
    ui::selectRow(list, -1);
    list->setFocus();
    EXPECT_FALSE(duringModal([&] { QTest::keyClick(list, Qt::Key_Return); }, [](QWidget* m) { m->close(); }));
    EXPECT_TRUE(platform.messages.empty()) << platform.lastText().toStdString();
}

TEST_F(FindBlendsTest, TheProgramKeepsOneFinderWindowAndShowsItAgain) {
    tolueneAsTarget();
    FrmFindBlends* first = findBlends();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->parentWidget(), nullptr) << "a window of the program's, not of the main screen";
    first->close();
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(findBlends(), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isZoneMode());
    EXPECT_EQ(app->finder(ui::FinderMode::Zone), nullptr);
    int shown = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("frmFindBlends") && w->isVisible()) ++shown;
    EXPECT_EQ(shown, 1);
}

TEST_F(FindBlendsTest, ATargetThatDoesNotAddUpTo100SaysSoAndOpensNothing) {
    // The main screen opens with N = D = W = 50.
    auto* button = find<QPushButton>(screen, QStringLiteral("cmdFindBlends"));
    ASSERT_NE(button, nullptr);
    click(button);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.lastTitle(), ui::qs(messages::kErrorTitle));
    EXPECT_EQ(platform.lastText(), ui::qs(messages::kM1));
    EXPECT_EQ(app->finder(ui::FinderMode::Target), nullptr);
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
            EXPECT_EQ(state().table.records[static_cast<std::size_t>(row)].effects.find("[skin]"), std::string::npos);
            EXPECT_EQ(state().table.records[static_cast<std::size_t>(row)].effects.find("[carcinogen]"), std::string::npos);
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
    open(largeDatabase(shippedTable(), 900));
    tolueneAsTarget();
    auto* button = find<QPushButton>(screen, QStringLiteral("cmdFindBlends"));
    click(button);
    FrmFindBlends* finder = app->finder(ui::FinderMode::Target);
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
