#include "chart/frm_teas_chart.h"
#include "core/database.h"
#include "../support/fake_platform.h"
#include "../support/screen_test.h"
#include "../support/chart_opener_double.h"

#include <QImage>
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
    ChartOpenerDouble opener;
    FrmTeasChart window{platform, table, opener};
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

}  // namespace
