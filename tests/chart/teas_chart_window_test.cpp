#include "chart/frm_teas_chart.h"
#include "core/database.h"
#include "../support/fake_platform.h"
#include "../support/screen_test.h"

#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace tarnwell;
using namespace tarnwell::testing;

namespace {

SolventTable sampleTable() { return std::get<SolventTable>(parseSolventDatabase(databaseText(sampleSolvents()))); }

QColor colourNear(const QImage& image, QPointF at) {
    // The centre pixel of a mark, read from the drawn image.
    return image.pixelColor(at.toPoint());
}

TEST(TeasChartWindow, DrawsTargetSlotsAndTheTriangleWhereTheMappingSays) {
    FakePlatform platform;
    const SolventTable table = sampleTable();
    ChartMarks marks;
    marks.target = ChartMark{55, 19, 26};
    marks.slotMarks[0] = ChartMark{47, 32, 21};
    marks.slotMarks[1] = ChartMark{36, 18, 46};
    marks.slotMarks[2] = ChartMark{100, 0, 0};
    FrmTeasChart window(platform, table, [&] { return marks; }, [](int, int) {});
    window.resize(700, 640);
    window.show();
    TeasChartWidget* chart = window.chart();
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

TEST(TeasChartWindow, FollowsTheOpenerAndLoadsTheChosenSolventIntoASlot) {
    FakePlatform platform;
    const SolventTable table = sampleTable();
    ChartMarks marks;
    std::vector<std::pair<int, int>> loads;
    FrmTeasChart window(platform, table, [&] { return marks; }, [&](int slot, int row) { loads.push_back({slot, row}); });
    window.resize(700, 640);
    window.show();
    TeasChartWidget* chart = window.chart();

    marks.target = ChartMark{60, 20, 20};
    QTest::qWait(250);  // the opener changed; the chart catches up by itself
    EXPECT_EQ(chart->marks().target, marks.target);

    // Click Toluene (row 4: 80, 7, 13) and press 2.
    QTest::mouseClick(chart, Qt::LeftButton, Qt::NoModifier, chart->mapToWidget(80, 7, 13).toPoint());
    EXPECT_EQ(chart->selectedRow(), 4);
    QTest::keyClick(chart, Qt::Key_2);
    ASSERT_EQ(loads.size(), 1u);
    EXPECT_EQ(loads[0], std::make_pair(2, 4));

    // Typing filters by name; the hidden solvents cannot be picked.
    QTest::keyClicks(chart, "eth");
    EXPECT_EQ(chart->filter(), "eth");
    EXPECT_EQ(chart->selectedRow(), -1);
    EXPECT_EQ(chart->solventAt(chart->mapToWidget(80, 7, 13)), -1);
    EXPECT_EQ(chart->solventAt(chart->mapToWidget(36, 18, 46)), 1);  // Ethanol stays
    QTest::keyClick(chart, Qt::Key_Escape);
    EXPECT_TRUE(chart->filter().isEmpty());

    click(window.findChild<QPushButton*>("cmdPrint"));
    EXPECT_EQ(platform.printedWindows, std::vector<QString>{"frmTeasChart"});
}

}  // namespace

namespace {
// With TARNWELL_SCREENSHOT_DIR set, saves a picture of the chart there.
TEST(TeasChartWindow, Screenshot) {
    const QByteArray dir = qgetenv("TARNWELL_SCREENSHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "TARNWELL_SCREENSHOT_DIR not set";
    FakePlatform platform;
    QFile file(QStringLiteral(TARNWELL_SOURCE_DIR "/resources/tarnwell database 1.0.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const SolventTable table = std::get<SolventTable>(parseSolventDatabase(std::string(bytes.data(), static_cast<std::size_t>(bytes.size()))));
    ChartMarks marks;
    marks.target = ChartMark{55, 19, 26};
    marks.slotMarks[0] = ChartMark{47, 32, 21};
    marks.slotMarks[1] = ChartMark{36, 18, 46};
    marks.slotMarks[2] = ChartMark{100, 0, 0};
    marks.blend = ChartMark{55.2, 19.1, 25.7};
    FrmTeasChart window(platform, table, [&] { return marks; }, [](int, int) {});
    window.resize(640, 620);
    window.show();
    window.grab().save(QString::fromUtf8(dir) + "/chart.png");
}
}  // namespace
