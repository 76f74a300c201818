// The solubility test window in the whole program over the shipped database:
// a test built by mouse and keyboard, its zone on both Teas charts at mapped
// pixels, the zone's centre as the main screen's target, the finder in its
// zone mode loading a blend into the main screen, a test saved and opened
// again, a damaged file, and the keyboard and screen reader bar.

#include "app/application.h"
#include "app/frm_solver_startup.h"
#include "chart/frm_teas_chart.h"
#include "chart/teas_chart_widget.h"
#include "core/messages.h"
#include "core/trial_file.h"
#include "core/teas_chart.h"
#include "finder/frm_find_blends.h"
#include "help/help_pages.h"
#include "soltest/trial_window.h"
#include "soltest/trial_liquids.h"
#include "ui/events.h"
#include "ui/navigator.h"
#include "ui/text.h"
#include "workbench/frm_solvermain.h"
#include "../support/fake_platform.h"
#include "../support/screen_test.h"
#include "../support/spoken_names.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <set>

namespace tarnwell::testing {
namespace {

QByteArray shippedDatabase() {
    QFile file(QStringLiteral(TARNWELL_SOURCE_DIR "/resources/tarnwell database 1.0.txt"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// How many pixels of exactly `colour` lie within `radius` of `at`.
int pixelsOf(const QImage& image, QPointF at, const QColor& colour, int radius = 3) {
    int count = 0;
    for (int dx = -radius; dx <= radius; ++dx)
        for (int dy = -radius; dy <= radius; ++dy)
            if (image.pixelColor(at.toPoint() + QPoint(dx, dy)) == colour) ++count;
    return count;
}

class SolubilityTestWindow : public ::testing::Test {
protected:
    void SetUp() override {
        copyShippedProperties(folder);
        app.start();
        ASSERT_NE(app.startupScreen(), nullptr);
        click(find<QPushButton>(app.startupScreen(), QStringLiteral("cmdContinue")));
        main = app.mainScreen();
        ASSERT_NE(main, nullptr);
        auto* open = find<QPushButton>(main, QStringLiteral("cmdSolubilityTest"));
        ASSERT_NE(open, nullptr);
        EXPECT_EQ(open->text(), QStringLiteral("Solubility Test\u2026"));
        click(open);
        window = app.solubilityTest();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(window->isVisible());
        window->resize(1180, 700);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        solvents = control<QListView>("lstTestSolvent");
        liquids = control<TestLiquidTable>("tblTestLiquids");
    }
    void TearDown() override {
        while (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    }

    template <typename T>
    T* control(const char* name, QWidget* in = nullptr) {
        T* w = find<T>(in ? in : window, QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    int rowOf(const std::string& label) {
        const auto& labels = app.state().table.labels;
        const auto at = std::find(labels.begin(), labels.end(), label);
        EXPECT_NE(at, labels.end()) << label;
        return static_cast<int>(at - labels.begin());
    }
    // A listed solvent added by a double-click, its result set with the keyboard.
    void add(const std::string& label, char resultKey) {
        doubleClickRow(solvents, rowOf("2:   " + label));
        liquids->setFocus();
        QTest::keyClick(liquids, resultKey);
    }
    // Acetone, ethanol and tetrahydrofuran dissolve; toluene does not.
    void triangleTest() {
        add("Acetone", 'd');
        add("Ethanol", 'd');
        add("Tetrahydrofuran", 'd');
        add("Toluene", 'n');
    }
    // An aged dammar varnish: aromatic and ester solvents dissolve it, alkanes
    // and acetone partly, alcohols not at all (eleven liquids).
    void dammarTest() {
        control<QLineEdit>("txtMaterial")->setText(QStringLiteral("Dammar, aged"));
        for (const auto& [name, key] : {std::pair{"n-Heptane", 'p'}, std::pair{"Cyclohexane", 'p'},
                                        std::pair{"Toluene", 'd'}, std::pair{"m-Xylene", 'd'},
                                        std::pair{"Diisopropyl ether", 'd'}, std::pair{"Ethyl acetate", 'd'},
                                        std::pair{"Chlorobenzene", 'd'}, std::pair{"Acetone", 'p'},
                                        std::pair{"Isopropanol (2-propanol)", 'n'}, std::pair{"Ethanol", 'n'},
                                        std::pair{"Methanol", 'n'}})
            add(name, key);
        ASSERT_EQ(test().liquids.size(), 11u);
    }
    // The controls of `window` that Tab never reaches from `start`, and
    // those a screen reader cannot name.
    static QStringList unreachedOrUnspoken(QWidget* window, QWidget* start) {
        std::set<QWidget*> reached;
        start->setFocus();
        QWidget* at = start;
        for (int i = 0; i < 100; ++i) {
            reached.insert(at);
            QTest::keyClick(at, Qt::Key_Tab);
            at = QApplication::focusWidget();
            if (!at || at == start) break;
        }
        QStringList faults = unspokenControls(window);
        if (at != start) faults << QStringLiteral("Tab does not come round again");
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(window) || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus) || w->focusProxy()) continue;
            if (qobject_cast<QAbstractScrollArea*>(w->parentWidget())) continue;  // a list's own viewport
            if (!reached.count(w)) faults << w->objectName() + QStringLiteral(" is not reached by Tab");
        }
        return faults;
    }
    static void saveScreenshot(QWidget* w, const char* name) {
        if (const QString dir = qEnvironmentVariable("TARNWELL_SCREENSHOT_DIR"); !dir.isEmpty())
            EXPECT_TRUE(w->grab().save(dir + QLatin1Char('/') + QLatin1String(name)));
    }
    const SolubilityTest& test() { return window->test(); }
    void waitForSearch(FrmFindBlends* finder) {
        QElapsedTimer t;
        t.start();
        while (finder->isSearching() && t.elapsed() < 30000) QTest::qWait(10);
        ASSERT_FALSE(finder->isSearching()) << "the search did not end";
    }

    DatabaseFolder folder{shippedDatabase().toStdString()};
    FakePlatform platform;
    Application app{platform};
    FrmSolvermain* main = nullptr;
    FrmSolubilityTest* window = nullptr;
    QListView* solvents = nullptr;
    TestLiquidTable* liquids = nullptr;
};

TEST_F(SolubilityTestWindow, ATestIsBuiltByMouseAndKeyboardAndBadInputChangesNothing) {
    // A solvent by a double-click; another chosen with the keyboard and Return.
    doubleClickRow(solvents, rowOf("2:   Acetone"));
    solvents->setFocus();
    ui::selectRow(solvents, rowOf("2:   Ethanol"));
    QTest::keyClick(solvents, Qt::Key_Return);
    ASSERT_EQ(test().liquids.size(), 2u);
    EXPECT_EQ(test().liquids[1].name, "2:   Ethanol");
    EXPECT_EQ(liquids->item(1, TestLiquidTable::N)->text(), QStringLiteral("36"));
    EXPECT_EQ(liquids->item(1, TestLiquidTable::Result)->text(), QStringLiteral("Not tried"));

    // The same solvent twice, and the "Enter N, D, W" row: a message, no row.
    QTest::keyClick(solvents, Qt::Key_Return);
    EXPECT_EQ(platform.lastText().toStdString(), messages::liquidAlreadyInTest("2:   Ethanol"));
    doubleClickRow(solvents, app.state().table.lastIndex);
    EXPECT_EQ(platform.lastText(), ui::qs(messages::kLiquidCustomRow));
    EXPECT_EQ(test().liquids.size(), 2u);

    // A mixture: fractions that do not add up to 1 are refused, then mended.
    control<QComboBox>("cboMixSolvent1")->setCurrentIndex(rowOf("2:   n-Heptane"));
    control<QComboBox>("cboMixSolvent2")->setCurrentIndex(rowOf("2:   Acetone"));
    QLineEdit* first = control<QLineEdit>("txtMixFraction1");
    QLineEdit* second = control<QLineEdit>("txtMixFraction2");
    QTest::keyClicks(first, "0.70");
    QTest::keyClicks(second, "0.20");
    click(control<QPushButton>("cmdAddMixture"));
    EXPECT_EQ(platform.lastText(), ui::qs(messages::kLiquidFractionsNotOne));
    EXPECT_EQ(test().liquids.size(), 2u);
    second->clear();
    QTest::keyClicks(second, "0.30");
    click(control<QPushButton>("cmdAddMixture"));
    ASSERT_EQ(test().liquids.size(), 3u);
    EXPECT_EQ(test().liquids[2].name, "n-Heptane 70 % + Acetone 30 %");
    EXPECT_EQ(test().liquids[2].components.size(), 2u);

    // A series from heptane to acetone in 25 % steps: acetone is there already.
    control<QComboBox>("cboSeriesFrom")->setCurrentIndex(rowOf("2:   n-Heptane"));
    control<QComboBox>("cboSeriesTo")->setCurrentIndex(rowOf("2:   Acetone"));
    control<QSpinBox>("spnSeriesStep")->setValue(25);
    click(control<QPushButton>("cmdAddSeries"));
    EXPECT_EQ(test().liquids.size(), 7u);  // 100/0, 75/25, 50/50, 25/75; 0/100 is row 1
    EXPECT_EQ(control<QLabel>("lblStatus")->text().toStdString(),
              messages::seriesAdded(4) + " " + messages::seriesSkipped(1));

    // Results by keyboard: several rows at once, then one by mouse from the list.
    liquids->setFocus();
    liquids->clearSelection();
    liquids->selectRow(0);
    QTest::keyClick(liquids, Qt::Key_D);
    liquids->clearSelection();
    liquids->setRangeSelected(QTableWidgetSelectionRange(3, 0, 4, TestLiquidTable::ColumnCount - 1), true);
    QTest::keyClick(liquids, Qt::Key_N);
    const TestResult expected[] = {TestResult::Dissolves, TestResult::NotTried, TestResult::NotTried,
                                   TestResult::NoEffect, TestResult::NoEffect};
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(test().liquids[i].result, expected[i]) << i;
    EXPECT_EQ(liquids->item(3, TestLiquidTable::Result)->text(), QStringLiteral("No effect"));

    QTableWidgetItem* resultCell = liquids->item(1, TestLiquidTable::Result);
    const QPoint at = liquids->visualItemRect(resultCell).center();
    QTest::mouseClick(liquids->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(liquids->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    auto* box = liquids->findChild<QComboBox*>(QStringLiteral("cboResult"));
    ASSERT_NE(box, nullptr);
    // A screen reader hears the box's value: Qt speaks it as the box's name on
    // Linux (its own name is the fallback), as its value on Windows.
    EXPECT_EQ(box->accessibleName(), QStringLiteral("Result of 2:   Ethanol"));
#if defined(Q_OS_WIN)
    EXPECT_EQ(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Value), QStringLiteral("Not tried"));
#else
    EXPECT_EQ(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name), QStringLiteral("Not tried"));
#endif
    box->setCurrentIndex(1);
    emit box->activated(1);
    QTest::qWait(0);
    EXPECT_EQ(test().liquids[1].result, TestResult::Partly);
    // Return on a row opens the same list, as the double-click does.
    liquids->setFocus();
    liquids->setCurrentCell(2, TestLiquidTable::Name);
    QTest::keyClick(liquids, Qt::Key_Return);
    box = liquids->findChild<QComboBox*>(QStringLiteral("cboResult"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->accessibleName().toStdString(), "Result of " + test().liquids[2].name);
    box->setCurrentIndex(0);
    emit box->activated(0);
    QTest::qWait(0);
    EXPECT_EQ(test().liquids[2].result, TestResult::Dissolves);
    EXPECT_EQ(liquids->findChild<QComboBox*>(QStringLiteral("cboResult")), nullptr);

    // Delete removes the chosen rows; Remove Liquid with none chosen says so.
    liquids->clearSelection();
    liquids->selectRow(2);
    liquids->setFocus();
    QTest::keyClick(liquids, Qt::Key_Delete);
    EXPECT_EQ(test().liquids.size(), 6u);
    EXPECT_EQ(test().liquids[2].name, "2:   n-Heptane");
    liquids->clearSelection();
    click(control<QPushButton>("cmdRemoveLiquid"));
    EXPECT_EQ(platform.lastText(), ui::qs(messages::kNoLiquidSelected));
    EXPECT_EQ(test().liquids.size(), 6u);
}

TEST_F(SolubilityTestWindow, TheZoneShowsOnBothChartsAtItsMappedPixelsWhileTheWindowIsOpen) {
    add("Acetone", 'd');
    EXPECT_EQ(control<QLabel>("lblZoneStatus")->text().toStdString(),
              messages::zoneSummary(1, true, false));  // a dot, and how many points a zone needs
    add("Ethanol", 'd');
    add("Tetrahydrofuran", 'd');
    add("Toluene", 'n');
    add("n-Heptane", 'p');
    // A liquid that did not dissolve, inside the zone: shown and counted.
    control<QComboBox>("cboMixSolvent1")->setCurrentIndex(rowOf("2:   Acetone"));
    control<QComboBox>("cboMixSolvent2")->setCurrentIndex(rowOf("2:   Ethanol"));
    control<QCheckBox>("chkMixThree")->setChecked(true);
    control<QComboBox>("cboMixSolvent3")->setCurrentIndex(rowOf("2:   Tetrahydrofuran"));
    for (const char* name : {"txtMixFraction1", "txtMixFraction2", "txtMixFraction3"})
        control<QLineEdit>(name)->setText(name[14] == '3' ? "0.34" : "0.33");
    click(control<QPushButton>("cmdAddMixture"));
    ASSERT_EQ(test().liquids.size(), 6u);
    liquids->setFocus();
    QTest::keyClick(liquids, Qt::Key_N);
    EXPECT_EQ(control<QLabel>("lblZoneWarning")->text().toStdString(), messages::noEffectInsideZone(1));
    ASSERT_EQ(window->zone().shape, ZoneShape::Area);

    // The main screen's Teas chart, opened now, shows the same test.
    click(control<QPushButton>("cmdTeasChart", main));
    FrmTeasChart* chartWindow = app.teasChart();
    ASSERT_NE(chartWindow, nullptr);
    chartWindow->resize(700, 660);
    for (TeasChartWidget* chart : {window->chart(), chartWindow->chart()}) {
        SCOPED_TRACE(chart->objectName().toStdString());
        ASSERT_TRUE(chart->marks().zone.has_value());
        const QImage image = chart->grab().toImage();
        const TeasFractions centre = planeToTeas(*window->zone().centroid);
        EXPECT_GT(pixelsOf(image, chart->mapToWidget(centre.fd, centre.fp, centre.fh), TeasChartWidget::regionFill()), 0);
        // One Teas point inside the hull, in the margin's band: the paler
        // shade. At the edge farthest from the mixture's marks.
        const ConvexPolygon& hull = window->zone().hull;
        const PlanePoint mixture = *liquidPoint(test().liquids[5]);
        PlanePoint mid{};
        double farthest = -1;
        for (std::size_t i = 0; i < hull.size(); ++i) {
            const PlanePoint m{(hull[i].x + hull[(i + 1) % hull.size()].x) / 2, (hull[i].y + hull[(i + 1) % hull.size()].y) / 2};
            if (const double away = std::hypot(m.x - mixture.x, m.y - mixture.y); away > farthest) {
                farthest = away;
                mid = m;
            }
        }
        const PlanePoint c = *window->zone().centroid;
        const double length = std::hypot(c.x - mid.x, c.y - mid.y);
        const double step = 1.0 * teasPointSpacing() / length;
        const TeasFractions band = planeToTeas({mid.x + (c.x - mid.x) * step, mid.y + (c.y - mid.y) * step});
        EXPECT_GT(pixelsOf(image, chart->mapToWidget(band.fd, band.fp, band.fh), TeasChartWidget::zoneFill(), 1), 0);
        // Acetone filled green, toluene a red ring, heptane half amber.
        auto at = [&](std::size_t i) {
            const TestLiquid& l = test().liquids[i];
            return chart->mapToWidget(l.n, l.d, l.w);
        };
        EXPECT_EQ(image.pixelColor(at(0).toPoint()), TeasChartWidget::testColour(ui::TestMarkKind::Dissolves));
        EXPECT_GT(pixelsOf(image, at(3) + QPointF(5, 0), TeasChartWidget::testColour(ui::TestMarkKind::NoEffect), 1), 0);
        EXPECT_EQ(pixelsOf(image, at(3), TeasChartWidget::testColour(ui::TestMarkKind::NoEffect), 1), 0);  // a ring
        EXPECT_GT(pixelsOf(image, at(4) + QPointF(-2.5, 0), TeasChartWidget::testColour(ui::TestMarkKind::Partly), 1), 0);
        EXPECT_EQ(pixelsOf(image, at(4) + QPointF(2.5, 0), TeasChartWidget::testColour(ui::TestMarkKind::Partly), 1), 0);
    }
    const auto inside = std::count_if(window->chart()->marks().zone->liquids.begin(),
                                      window->chart()->marks().zone->liquids.end(),
                                      [](const ui::TestMark& m) { return m.insideZone; });
    EXPECT_EQ(inside, 1);

    // A larger margin than the zone leaves no region, and says so.
    control<QDoubleSpinBox>("spnMargin")->setValue(20.0);
    EXPECT_TRUE(window->zone().region.empty());
    EXPECT_TRUE(control<QLabel>("lblZoneStatus")->text().contains(ui::qs(messages::kZoneEmptyAfterMargin)));

    // Closing the window takes the test off the main chart.
    window->close();
    EXPECT_FALSE(chartWindow->chart()->marks().zone.has_value());
}

TEST_F(SolubilityTestWindow, TheZoneCentreBecomesTheMainScreensTargetAsClicksOnItsLists) {
    click(control<QPushButton>("cmdZoneCentreAsTarget"));
    EXPECT_EQ(platform.lastText(), ui::qs(messages::kNoZone));
    EXPECT_FALSE(app.state().target.addsTo100());

    control<QLineEdit>("txtMaterial")->setText(QStringLiteral("Dammar"));
    triangleTest();
    const std::optional<TeasPoint> centre = zoneCentreTarget(window->zone());
    ASSERT_TRUE(centre);
    EXPECT_TRUE(centre->addsTo100());
    click(control<QPushButton>("cmdZoneCentreAsTarget"));
    EXPECT_EQ(static_cast<const TeasPoint&>(app.state().target), *centre);
    const std::pair<const char*, int> lists[] = {{"lstTargetN", centre->n}, {"lstTargetD", centre->d}, {"lstTargetW", centre->w}};
    for (const auto& [name, value] : lists) EXPECT_EQ(ui::selectedRow(control<QListWidget>(name, main)), 100 - value) << name;
    EXPECT_EQ(control<QLabel>("lblTotal", main)->text(), QStringLiteral("100"));
    EXPECT_EQ(control<QLineEdit>("txtTargetName", main)->text(), QStringLiteral("Zone centre: Dammar"));
    EXPECT_FALSE(control<QLineEdit>("txtTargetTLV", main)->isReadOnly());
    EXPECT_EQ(control<QLabel>("lblStatus")->text().toStdString(), messages::targetTaken(centre->n, centre->d, centre->w));
}

TEST_F(SolubilityTestWindow, FindInZoneListsBlendsAndUseThisBlendLoadsOneIntoTheMainScreen) {
    triangleTest();
    click(control<QPushButton>("cmdFindInZone"));
    FrmFindBlends* finder = app.finder(ui::FinderMode::Zone);
    ASSERT_NE(finder, nullptr);
    EXPECT_TRUE(finder->isZoneMode());
    waitForSearch(finder);
    EXPECT_DOUBLE_EQ(control<QDoubleSpinBox>("spnZoneMargin", finder)->value(), 2.0);
    const std::vector<ZoneBlend> blends = finder->zoneBlends();
    ASSERT_FALSE(blends.empty()) << control<QLabel>("lblStatus", finder)->text().toStdString();
    auto* list = control<QTableView>("tblFoundBlends", finder);
    ASSERT_EQ(list->model()->rowCount(), static_cast<int>(blends.size()));
    const FinderRow first = finderRow(blends[0], 1, app.state().table);
    for (int c = 0; c < list->model()->columnCount(); ++c)
        EXPECT_EQ(list->model()->index(0, c).data().toString().toStdString(), first[static_cast<std::size_t>(c)].text) << c;
    // Every listed composition lies in the region within the margin.
    for (const ZoneBlend& b : blends) {
        const auto p = teasToPlane(b.mixN, b.mixD, b.mixW);
        ASSERT_TRUE(p);
        EXPECT_TRUE(insideConvex(window->zone().region, *p)) << b.mixNText << " " << b.mixDText << " " << b.mixWText;
    }

    // A margin set in the window is the finder's; one set in the finder is the
    // window's, and searches again.
    control<QDoubleSpinBox>("spnMargin")->setValue(2.5);
    EXPECT_DOUBLE_EQ(finder->margin(), 2.5);
    control<QDoubleSpinBox>("spnZoneMargin", finder)->setValue(3.0);
    EXPECT_DOUBLE_EQ(window->margin(), 3.0);
    EXPECT_DOUBLE_EQ(control<QDoubleSpinBox>("spnMargin")->value(), 3.0);
    click(control<QPushButton>("cmdSearch", finder));
    waitForSearch(finder);
    ASSERT_FALSE(finder->zoneBlends().empty());

    // The program keeps one zone finder, apart from the main screen's finder.
    click(control<QPushButton>("cmdFindInZone"));
    EXPECT_EQ(app.finder(ui::FinderMode::Zone), finder);
    EXPECT_EQ(app.finder(ui::FinderMode::Target), nullptr);
    waitForSearch(finder);

    // Return on the first blend: its solvents into the slots, the target its
    // rounded mixture point, then the report or a plain reason.
    const ZoneBlend chosen = finder->zoneBlends()[0];
    const ZoneBlendCheck check = checkZoneBlend(app.state().table, chosen, window->zone());
    ui::selectRow(list, 0);
    list->setFocus();
    QString seen;
    const bool modal = duringModal([&] { QTest::keyClick(list, Qt::Key_Return); },
                                   [&](QWidget* report) {
                                       seen = report->objectName();
                                       report->close();
                                   });
    for (int k = 0; k < chosen.size; ++k) {
        const QString slotList = QStringLiteral("lstSolvent") + QString::number(k + 1);
        EXPECT_EQ(ui::selectedRow(find<QListView>(main, slotList)), chosen.rows[static_cast<std::size_t>(k)]) << k;
    }
    EXPECT_EQ(static_cast<const TeasPoint&>(app.state().target), check.target);
    EXPECT_EQ(control<QLabel>("lblStatus", finder)->text().toStdString(), zoneCheckText(check));
    if (check.verdict == ZoneCheck::Fine) {
        EXPECT_TRUE(modal);
        EXPECT_EQ(seen, QStringLiteral("frmResults"));
    } else {
        EXPECT_EQ(platform.lastText().toStdString(), zoneCheckText(check));
    }
}

TEST_F(SolubilityTestWindow, TheDammarZoneFinderListsBlendsThatCanBeBoughtInATableReadByKeyboard) {
    dammarTest();
    click(control<QPushButton>("cmdFindInZone"));
    FrmFindBlends* finder = app.finder(ui::FinderMode::Zone);
    ASSERT_NE(finder, nullptr);
    waitForSearch(finder);
    EXPECT_TRUE(control<QCheckBox>("chkExcludePhasedOut", finder)->isChecked());
    EXPECT_FALSE(control<QCheckBox>("chkExcludeHighlyFlammable", finder)->isChecked());
    EXPECT_EQ(control<QLabel>("lblFlashPointRule", finder)->text(), ui::qs(messages::kFinderUnknownFlashPointKept));
    auto* blends = control<QTableView>("tblFoundBlends", finder);
    auto* alone = control<QTableView>("tblSolventsInside", finder);
    const std::vector<FinderColumn> columns = finderColumns(true);
    ASSERT_EQ(columns.back(), FinderColumn::InZone);
    auto column = [&](FinderColumn c) { return static_cast<int>(std::find(columns.begin(), columns.end(), c) - columns.begin()); };
    for (QTableView* table : {blends, alone}) {
        SCOPED_TRACE(table->objectName().toStdString());
        ASSERT_EQ(table->model()->columnCount(), static_cast<int>(columns.size()));
        EXPECT_EQ(table->model()->headerData(column(FinderColumn::InZone), Qt::Horizontal).toString(),
                  QStringLiteral("Stays in zone"));
        for (int r = 0; r < table->model()->rowCount(); ++r) {
            auto text = [&](FinderColumn c) { return table->model()->index(r, column(c)).data().toString(); };
            EXPECT_EQ(text(FinderColumn::PhasedOut), QStringLiteral("no")) << text(FinderColumn::Solvents).toStdString();
            EXPECT_EQ(text(FinderColumn::N).toInt() + text(FinderColumn::D).toInt() + text(FinderColumn::W).toInt(), 100);
            // Each cell is read as it is shown.
            const QModelIndex cell = table->model()->index(r, column(FinderColumn::Solvents));
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(table);
            ASSERT_NE(face, nullptr);
            ASSERT_NE(face->tableInterface(), nullptr) << "read as a table";
            QAccessibleInterface* spoken = face->tableInterface()->cellAt(r, column(FinderColumn::Solvents));
            ASSERT_NE(spoken, nullptr);
            EXPECT_EQ(spoken->text(QAccessible::Name), cell.data().toString());
        }
    }
    ASSERT_GT(blends->model()->rowCount(), 0);
    // The first blend names no ozone-depleting solvent, and its solvents can be bought.
    EXPECT_FALSE(blends->model()->index(0, column(FinderColumn::Solvents)).data().toString().contains(QStringLiteral("Trichloro")));
    const ZoneBlend first = finder->zoneBlends().front();
    for (int k = 0; k < first.size; ++k) EXPECT_FALSE(first.notes[static_cast<std::size_t>(k)].phasedOut);
    finder->resize(finder->minimumSize());
    saveScreenshot(finder, "finder-zone.png");

    // Highly flammable solvents left out: what is listed burns less readily, or its flash point is unknown.
    click(control<QCheckBox>("chkExcludeHighlyFlammable", finder));
    click(control<QPushButton>("cmdSearch", finder));
    waitForSearch(finder);
    for (const auto* list : {&finder->zoneBlends(), &finder->solventsInside()})
        for (const ZoneBlend& b : *list)
            for (int k = 0; k < b.size; ++k) {
                const std::optional<double> flash = b.notes[static_cast<std::size_t>(k)].flashPoint;
                EXPECT_TRUE(!flash || *flash >= 23.0) << *flash;
            }

    finder->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(finder));
    EXPECT_EQ(unreachedOrUnspoken(finder, control<QComboBox>("cboBlendSize", finder)), QStringList());
}

TEST_F(SolubilityTestWindow, ZoomToZoneShowsTheZoneLargeAndTheChartStaysTrueAtBothScales) {
    auto* zoom = control<QPushButton>("cmdZoomToZone");
    click(zoom);
    EXPECT_EQ(platform.lastText(), ui::qs(messages::kNoZone));
    EXPECT_FALSE(zoom->isChecked());
    dammarTest();
    TeasChartWidget* chart = window->chart();
    EXPECT_FALSE(chart->isZoomed());
    // The chart takes the larger share of the window's width, and the triangle fills it across or down.
    EXPECT_GT(chart->width(), window->width() * 2 / 5);
    EXPECT_GT(chart->width(), liquids->width());
    const QPointF left = chart->mapToWidget(0, 0, 100), right = chart->mapToWidget(100, 0, 0),
                  top = chart->mapToWidget(0, 100, 0);
    EXPECT_TRUE(right.x() - left.x() > 0.75 * chart->width() || left.y() - top.y() > 0.75 * chart->height());
    saveScreenshot(window, "solubility-test.png");

    const int toluene = rowOf("2:   Toluene");
    const TestLiquid& tolueneLiquid = test().liquids[2];
    ASSERT_EQ(tolueneLiquid.name, "2:   Toluene");
    const TestLiquid& ester = test().liquids[5];
    auto spread = [&] {
        const QPointF a = chart->mapToWidget(tolueneLiquid.n, tolueneLiquid.d, tolueneLiquid.w);
        const QPointF b = chart->mapToWidget(ester.n, ester.d, ester.w);
        return std::hypot(a.x() - b.x(), a.y() - b.y());
    };
    // At each scale: the region at the zone's centre, a test mark where the
    // core puts it, and a click on a solvent's point choosing that solvent.
    auto checkScale = [&](const char* scale) {
        SCOPED_TRACE(scale);
        const QImage image = chart->grab().toImage();
        const TeasFractions centre = planeToTeas(*window->zone().centroid);
        EXPECT_GT(pixelsOf(image, chart->mapToWidget(centre.fd, centre.fp, centre.fh), TeasChartWidget::regionFill()), 0);
        const QPointF at = chart->mapToWidget(tolueneLiquid.n, tolueneLiquid.d, tolueneLiquid.w);
        EXPECT_TRUE(QRectF(chart->rect()).contains(at));
        EXPECT_EQ(image.pixelColor(at.toPoint()), TeasChartWidget::testColour(ui::TestMarkKind::Dissolves));
        chart->selectRow(-1);
        QTest::mouseClick(chart, Qt::LeftButton, Qt::NoModifier, (at + QPointF(1.5, -1.5)).toPoint());
        EXPECT_EQ(chart->selectedRow(), toluene);
    };
    checkScale("whole chart");
    const QPointF wholeAt = chart->mapToWidget(tolueneLiquid.n, tolueneLiquid.d, tolueneLiquid.w);
    const double wholeSpread = spread();

    click(zoom);
    EXPECT_TRUE(zoom->isChecked());
    EXPECT_TRUE(chart->isZoomed());
    EXPECT_GT(spread(), 2.5 * wholeSpread) << "the zone's neighbourhood is shown larger";
    checkScale("zoomed");
    // The margin's band, one Teas point inside the outline, is wide enough to see.
    const ConvexPolygon& hull = window->zone().hull;
    const PlanePoint c = *window->zone().centroid;
    const PlanePoint mid{(hull[0].x + hull[1].x) / 2, (hull[0].y + hull[1].y) / 2};
    const double step = teasPointSpacing() / std::hypot(c.x - mid.x, c.y - mid.y);
    const TeasFractions band = planeToTeas({mid.x + (c.x - mid.x) * step, mid.y + (c.y - mid.y) * step});
    EXPECT_GE(pixelsOf(chart->grab().toImage(), chart->mapToWidget(band.fd, band.fp, band.fh), TeasChartWidget::zoneFill(), 2), 9);
    saveScreenshot(window, "solubility-test-zoomed.png");

    // A liquid added while zoomed moves the view with the zone; pressed again, the whole chart.
    click(zoom);
    EXPECT_FALSE(chart->isZoomed());
    EXPECT_EQ(chart->mapToWidget(tolueneLiquid.n, tolueneLiquid.d, tolueneLiquid.w), wholeAt);
    checkScale("whole chart again");
}

TEST_F(SolubilityTestWindow, ATestIsSavedAndOpenedAgainThroughTheWindowAndADamagedFileLoadsNothing) {
    control<QLineEdit>("txtMaterial")->setText(QStringLiteral("Shellac, aged"));
    triangleTest();
    add("Methanol", 'p');
    const SolubilityTest saved = test();

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shellac.txt"));
    platform.chosenFiles = {path};
    click(control<QPushButton>("cmdSaveTest"));
    ASSERT_EQ(platform.fileChoices.size(), 1u);
    EXPECT_TRUE(platform.fileChoices[0].saving);
    EXPECT_EQ(platform.fileChoices[0].suggestedName, QStringLiteral("Shellac, aged.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), writeSolubilityTest(saved));
    file.close();

    // Cancelling the choice changes nothing; a fresh window state, then Open.
    click(control<QPushButton>("cmdOpenTest"));
    EXPECT_EQ(test(), saved);
    control<QLineEdit>("txtMaterial")->clear();
    liquids->selectAll();
    click(control<QPushButton>("cmdRemoveLiquid"));
    ASSERT_TRUE(test().liquids.empty());
    platform.chosenFiles = {path};
    click(control<QPushButton>("cmdOpenTest"));
    EXPECT_FALSE(platform.fileChoices.back().saving);
    EXPECT_EQ(test(), saved);
    EXPECT_EQ(control<QLineEdit>("txtMaterial")->text(), QStringLiteral("Shellac, aged"));
    EXPECT_EQ(liquids->rowCount(), 5);
    EXPECT_EQ(window->zone().shape, ZoneShape::Area);

    // A damaged file: the exact fault, and the test stays as it was.
    const std::pair<const char*, const char*> damaged[] = {
        {"not a test\n", "first line"},
        {"Tarnwell solubility test 1\nMaterial: x\nLiquid: 2:   Acetone\nN D W: 47 32\nResult: Dissolves\n", "line 4"},
    };
    for (const auto& [text, where] : damaged) {
        QFile bad(dir.filePath(QStringLiteral("bad.txt")));
        ASSERT_TRUE(bad.open(QIODevice::WriteOnly | QIODevice::Truncate));
        bad.write(text);
        bad.close();
        platform.chosenFiles = {bad.fileName()};
        click(control<QPushButton>("cmdOpenTest"));
        const TestFileOutcome outcome = readSolubilityTest(text);
        ASSERT_TRUE(std::holds_alternative<TestFileError>(outcome)) << where;
        EXPECT_EQ(platform.lastText().toStdString(),
                  messages::testFileNotRead(testFileErrorText(std::get<TestFileError>(outcome))));
        EXPECT_EQ(test(), saved) << where;
    }

    // A solvent the list no longer has opens with its stored values and a note.
    QFile gone(dir.filePath(QStringLiteral("gone.txt")));
    ASSERT_TRUE(gone.open(QIODevice::WriteOnly));
    const char* longName = "9:   Unobtainium, a resin solvent of an old recipe, long since out of trade";
    gone.write((std::string("Tarnwell solubility test 1\nMaterial: x\nLiquid: 2:   Acetone\nN D W: 47 32 21\n"
                            "Result: Dissolves\n\nLiquid: ") +
                longName + "\nN D W: 50 25 25\nResult: Dissolves\n")
                   .c_str());
    gone.close();
    platform.chosenFiles = {gone.fileName()};
    const std::size_t before = platform.messages.size();
    click(control<QPushButton>("cmdOpenTest"));
    ASSERT_EQ(test().liquids.size(), 2u);
    EXPECT_EQ(test().liquids[1].n, 50.0);
    ASSERT_EQ(platform.messages.size(), before + 1);
    EXPECT_TRUE(platform.lastText().startsWith(ui::qs(messages::kTestFileOpenedWithNotes)));
    const QString note = platform.lastText().section(QLatin1Char('\r'), 1);
    ASSERT_FALSE(note.isEmpty());
    // The note stays with its liquid while the test is open: marked after the
    // whole name, in the tooltip with the name, and under the table for the
    // chosen row; also after the table is filled again and a row above it goes.
    const QString name = QString::fromUtf8(longName);
    auto noteShown = [&](int row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(liquids->item(row, TestLiquidTable::Name)->text(), name + QStringLiteral("  (see note)"));
        EXPECT_EQ(liquids->item(row, TestLiquidTable::Name)->toolTip(), name + QLatin1Char('\n') + note);
        liquids->clearSelection();
        liquids->selectRow(row);
        auto* shown = control<QLabel>("lblLiquidNote");
        EXPECT_TRUE(shown->isVisibleTo(window));
        EXPECT_EQ(shown->text(), name + QStringLiteral(": ") + note);
    };
    noteShown(1);
    EXPECT_EQ(liquids->textElideMode(), Qt::ElideMiddle) << "a long name keeps its start and its end";
    EXPECT_EQ(liquids->item(0, TestLiquidTable::Name)->toolTip(), QStringLiteral("2:   Acetone"));
    liquids->clearSelection();
    liquids->selectRow(0);
    EXPECT_FALSE(control<QLabel>("lblLiquidNote")->isVisibleTo(window));
    add("Ethanol", 'n');
    noteShown(1);
    liquids->clearSelection();
    liquids->selectRow(0);
    click(control<QPushButton>("cmdRemoveLiquid"));
    ASSERT_EQ(test().liquids.size(), 2u);
    noteShown(0);
    EXPECT_EQ(liquids->item(1, TestLiquidTable::Name)->text(), QStringLiteral("2:   Ethanol"));
}

TEST_F(SolubilityTestWindow, EveryControlIsReachedByTabAndNamedFromItsCaptionAndHelpAndPrintWork) {
    triangleTest();
    EXPECT_EQ(unreachedOrUnspoken(window, control<QLineEdit>("txtMaterial")), QStringList());

    click(control<QPushButton>("cmdHelp"));
    HelpPage* page = app.helpPages().page(QStringLiteral("frmHelpSolubilityTest"));
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->isVisible());
    EXPECT_EQ(page->windowTitle(), QStringLiteral("Help - Solubility Test"));
    page->close();

    click(control<QPushButton>("cmdPrint"));
    ASSERT_EQ(platform.printedWindows, std::vector<QString>{QStringLiteral("frmSolubilityTest")});
    // The print is the window with its chart and the zone on it.
    const QImage printed = platform.printedImages.back();
    const QPoint chartAt = window->chart()->mapTo(window, QPoint(0, 0));
    const TeasFractions centre = planeToTeas(*window->zone().centroid);
    const QPointF inPrint = window->chart()->mapToWidget(centre.fd, centre.fp, centre.fh) + chartAt;
    EXPECT_GT(pixelsOf(printed, inPrint * printed.devicePixelRatio(), TeasChartWidget::regionFill()), 0);
}

}  // namespace
}  // namespace tarnwell::testing
