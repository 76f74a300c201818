#include "chart/frm_teas_chart.h"
#include "core/database.h"
#include "core/messages.h"
#include "../support/fake_platform.h"
#include "../support/screen_test.h"
#include "../support/chart_opener_double.h"

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using namespace tarnwell;
using namespace tarnwell::testing;

namespace {

QColor colourNear(const QImage& image, QPointF at) {
    // The centre pixel of a mark, read from the drawn image.
    return image.pixelColor(at.toPoint());
}

// A chart window opened from a screen double over the sample table.
struct OpenChart {
    OpenChart() {
        window.resize(700, 640);
        window.show();
    }
    FakePlatform platform;
    SolventTable table = tableOf(sampleSolvents());
    SolventPropertiesFile properties = sampleProperties();
    ChartOpenerDouble opener;
    FrmTeasChart window{platform, table, properties, opener};
    TeasChartWidget* chart = window.chart();
};

TEST(TeasChartWindow, DrawsTargetSlotsAndTheTriangleWhereTheMappingSays) {
    OpenChart c;
    ChartMarks marks;
    marks.target = ChartMark{55, 19, 26};
    marks.slotMarks[0] = ChartMark{47, 32, 21};
    marks.slotMarks[1] = ChartMark{36, 18, 46};
    marks.slotMarks[2] = ChartMark{100, 0, 0};
    c.opener.setMarks(marks);
    TeasChartWidget* chart = c.chart;
    const QImage image = chart->grab().toImage();

    EXPECT_EQ(colourNear(image, chart->mapToWidget(55, 19, 26)), QColor(255, 0, 0));   // the target's cross
    EXPECT_EQ(colourNear(image, chart->mapToWidget(47, 32, 21)), TeasChartWidget::slotColour(1));
    EXPECT_EQ(colourNear(image, chart->mapToWidget(36, 18, 46)), TeasChartWidget::slotColour(2));
    // n-Heptane sits in the fd corner, at the lower right of the triangle.
    const QPointF corner = chart->mapToWidget(100, 0, 0);
    const QPointF left = chart->mapToWidget(0, 0, 100), top = chart->mapToWidget(0, 100, 0);
    EXPECT_GT(corner.x(), left.x());
    EXPECT_DOUBLE_EQ(corner.y(), left.y());
    EXPECT_LT(top.y(), corner.y());
    EXPECT_EQ(colourNear(image, corner), TeasChartWidget::slotColour(3));
    // Outside the triangle the page is white.
    EXPECT_EQ(colourNear(image, QPointF(left.x() + 5, top.y() + 5)), QColor(255, 255, 255));
}

TEST(TeasChartWindow, IsToldWhatTheOpenerMarksAndLoadsThePickedSolventThroughItsDoubleClick) {
    OpenChart c;
    TeasChartWidget* chart = c.chart;
    QSignalSpy told(&c.opener.chartNotifier(), &ui::ChartNotifier::marksChanged);
    ChartMarks marks;
    marks.target = ChartMark{60, 20, 20};
    c.opener.setMarks(marks);
    ASSERT_EQ(told.count(), 1);
    EXPECT_EQ(chart->marks(), marks);  // at once: nothing to wait for

    // Click Toluene (row 4: 80, 7, 13) and press 2: slot 2 is the second column.
    QTest::mouseClick(chart, Qt::LeftButton, Qt::NoModifier, chart->mapToWidget(80, 7, 13).toPoint());
    EXPECT_EQ(chart->selectedRow(), 4);
    QTest::keyClick(chart, Qt::Key_2);
    EXPECT_EQ(c.opener.loads, (std::vector<std::pair<int, int>>{{1, 4}}));

    // Typing filters by name; the hidden solvents cannot be picked.
    QTest::keyClicks(chart, "eth");
    EXPECT_EQ(chart->filter(), "eth");
    EXPECT_EQ(chart->selectedRow(), -1);
    EXPECT_EQ(chart->solventAt(chart->mapToWidget(80, 7, 13)), -1);
    EXPECT_EQ(chart->solventAt(chart->mapToWidget(36, 18, 46)), 1);  // Ethanol stays
    QTest::keyClick(chart, Qt::Key_Escape);
    EXPECT_TRUE(chart->filter().isEmpty());

    click(c.window.findChild<QPushButton*>("cmdPrint"));
    EXPECT_EQ(c.platform.printedWindows, std::vector<QString>{"frmTeasChart"});
}

TEST(TeasChartWindow, DrawsTheMarksOfFurtherSourcesWhileTheyLive) {
    OpenChart c;
    ChartMarks own;
    own.target = ChartMark{60, 20, 20};
    own.slotMarks[0] = ChartMark{47, 32, 21};
    c.opener.setMarks(own);

    auto other = std::make_unique<ChartOpenerDouble>();
    ChartMarks more;
    more.target = ChartMark{10, 10, 80};     // the opener's target wins
    more.blend = ChartMark{40, 30, 30};      // the opener has none: drawn
    other->setMarks(more);
    c.window.addSource(*other);
    ChartMarks both = own;
    both.blend = more.blend;
    EXPECT_EQ(c.chart->marks(), both);

    more.slotMarks[2] = ChartMark{100, 0, 0};
    other->setMarks(more);  // told, not looked for
    both.slotMarks[2] = more.slotMarks[2];
    EXPECT_EQ(c.chart->marks(), both);

    other.reset();  // a window that closes takes its marks along
    EXPECT_EQ(c.chart->marks(), own);
}

TEST(TeasChartWindow, DrawsTheEvaporationPathWhereTheCorePutsItAndWhereItLeavesTheZone) {
    OpenChart c;
    TeasChartWidget* chart = c.chart;
    QLabel* line = c.window.evaporationLine();
    ChartMarks marks;
    marks.blend = ChartMark{58.5, 16.8, 24.7};
    marks.evaporation = sampleEvaporationBlend();
    c.opener.setMarks(marks);

    ASSERT_TRUE(chart->evaporation().has_value());
    const EvaporationResult expected = computeEvaporation(sampleEvaporationBlend(), c.properties);
    const EvaporationResult& drawn = *chart->evaporation();
    ASSERT_TRUE(drawn.pathKnown);
    QImage image = chart->grab().toImage();
    std::vector<QPointF> dots;
    for (std::size_t k = 1; k < kTableMarks; ++k) {
        SCOPED_TRACE(expected.marks[k].percent);
        ASSERT_EQ(drawn.marks[k].state, MarkState::Reached);
        EXPECT_EQ(chart->mapToWidget(*drawn.marks[k].point), chart->mapToWidget(*expected.marks[k].point));
        dots.push_back(chart->mapToWidget(*expected.marks[k].point));
        EXPECT_EQ(colourNear(image, dots.back()), TeasChartWidget::pathColour());
    }
    EXPECT_TRUE(line->isVisibleTo(&c.window));
    EXPECT_EQ(line->text(), QString::fromUtf8(messages::kPathCaption));
    // The end, 99 % evaporated, is near the slowest solvent, n-heptane (vapour
    // pressure 35 mmHg against ethanol's 44): right of the blend.
    EXPECT_GT(chart->mapToWidget(drawn.path.back().point).x(), chart->mapToWidget(58.5, 16.8, 24.7).x());

    // A solubility zone around the blend that n-heptane's corner lies outside:
    // the path leaves it, where a diamond marks it and the line says so.
    ui::ZoneOverlay zone;
    zone.outline = {ChartMark{40, 30, 30}, ChartMark{40, 10, 50}, ChartMark{70, 5, 25}, ChartMark{70, 25, 5}};
    marks.zone = zone;
    c.opener.setMarks(marks);
    ASSERT_TRUE(chart->evaporation().has_value());
    const std::vector<ZoneCrossing>& crossings = chart->evaporation()->crossings;
    ASSERT_FALSE(crossings.empty());
    EXPECT_TRUE(crossings.front().leaves);
    image = chart->grab().toImage();
    EXPECT_EQ(colourNear(image, chart->mapToWidget(crossings.front().point)), TeasChartWidget::crossingColour());
    const QString leaves = QStringLiteral("leaves the zone at %1 % evaporated").arg(crossings.front().percent);
    EXPECT_TRUE(line->text().contains(leaves)) << line->text().toStdString();
    EXPECT_TRUE(line->text().endsWith(QString::fromStdString(chart->evaporation()->zoneText)));

    // Cleared with the blend's ring.
    marks.blend.reset();
    c.opener.setMarks(marks);
    EXPECT_FALSE(chart->evaporation().has_value());
    EXPECT_FALSE(line->isVisibleTo(&c.window));
    image = chart->grab().toImage();
    for (const QPointF& dot : dots) EXPECT_NE(colourNear(image, dot), TeasChartWidget::pathColour());
}

// No path drawn, and the line under the chart says why: a solvent without a
// vapour pressure, or the properties file that should have given them.
TEST(TeasChartWindow, SaysWhyThereIsNoEvaporationPath) {
    EvaporationInput byHand = sampleEvaporationBlend();
    byHand.solvents[2].label = kUserEnteredLabel;
    byHand.solvents[2].enteredByHand = true;
    const std::string damaged = "# one line\nlabel\tvp\n";
    struct Case {
        const char* what;
        EvaporationInput blend;
        SolventPropertiesFile properties;
        std::string says;
    };
    const std::vector<Case> cases = {
        {"entered by hand", byHand, sampleProperties(),
         messages::noVapourPressure(messages::handEnteredSolvent(3, 100, 0, 0))},
        {"no file", sampleEvaporationBlend(), SolventPropertiesFile{}, messages::propertiesFileMissing(kPropertiesFileName)},
        {"a damaged file", sampleEvaporationBlend(), parseSolventProperties(damaged), "Line 2: "},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        FakePlatform platform;
        SolventTable table = tableOf(sampleSolvents());
        ChartOpenerDouble opener;
        FrmTeasChart window{platform, table, k.properties, opener};
        window.resize(700, 640);
        window.show();
        ChartMarks marks;
        marks.blend = ChartMark{58.5, 16.8, 24.7};
        marks.evaporation = k.blend;
        opener.setMarks(marks);
        ASSERT_TRUE(window.chart()->evaporation().has_value());
        EXPECT_FALSE(window.chart()->evaporation()->pathKnown);
        const QString said = window.evaporationLine()->text();
        EXPECT_TRUE(said.contains(QString::fromStdString(k.says).replace('\r', ' '))) << said.toStdString();
        const QImage image = window.chart()->grab().toImage();
        // Nothing of the path's colour anywhere on the chart.
        bool pathColoured = false;
        for (int y = 0; y < image.height() && !pathColoured; y += 2)
            for (int x = 0; x < image.width() && !pathColoured; x += 2)
                pathColoured = image.pixelColor(x, y) == TeasChartWidget::pathColour();
        EXPECT_FALSE(pathColoured);
    }
}

}  // namespace
