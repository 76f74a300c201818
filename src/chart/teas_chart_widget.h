#pragma once
// The Teas triangle drawn with vector graphics: the database's solvents as
// points, the chosen solvents in their slot colours, the region they can
// reach, the target as a cross and the last blend or mixture as a ring; a
// solubility test's liquids by their result, with its zone shaded.

#include "core/teas_chart.h"
#include "ui/chart_source.h"

#include <QColor>
#include <QPolygonF>
#include <QString>
#include <QWidget>
#include <vector>

class QPainter;

namespace tarnwell {

struct ChartSolvent {
    QString label;
    double n = 0, d = 0, w = 0;
};

struct SolventTable;

// The chart's points for a table: every solvent but the custom-entry row.
std::vector<ChartSolvent> chartSolvents(const SolventTable& table);

using ui::ChartMark;
using ui::ChartMarks;

class TeasChartWidget : public QWidget {
    Q_OBJECT
public:
    explicit TeasChartWidget(QWidget* parent = nullptr);

    void setSolvents(std::vector<ChartSolvent> solvents);  // row i = table row i
    void setMarks(const ChartMarks& marks);
    const ChartMarks& marks() const { return marks_; }
    // Only solvents whose name contains the filter are drawn (case-insensitive).
    void setFilter(const QString& filter);
    QString filter() const { return filter_; }
    int selectedRow() const { return selected_; }
    void selectRow(int row);

    // Where a Teas point is drawn in this widget's coordinates.
    QPointF mapToWidget(double n, double d, double w) const;
    // The nearest shown solvent within `radius` pixels, or -1.
    int solventAt(QPointF position, double radius = 6.0) const;

    static QColor slotColour(int k);
    // A solubility test: the marks of its liquids by result, the zone's
    // shading and, inside it, the shading of the region within the margin.
    static QColor testColour(ui::TestMarkKind kind);
    static QColor zoneFill();
    static QColor regionFill();

signals:
    // The user asked to load solvent `row` into slot k (1..3).
    void loadRequested(int slot, int row);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool shown(int row) const;
    QRectF plotArea() const;
    QPolygonF mapPolygon(const std::vector<ChartMark>& corners) const;
    QPointF mapToWidget(PlanePoint p) const;
    // The picture, bottom to top.
    void paintZone(QPainter& p) const;
    void paintGrid(QPainter& p) const;
    void paintTriangle(QPainter& p) const;
    void paintReachableRegion(QPainter& p) const;
    void paintSolvents(QPainter& p) const;
    void paintTestLiquids(QPainter& p) const;
    void paintSelection(QPainter& p) const;
    void paintSlotsBlendAndTarget(QPainter& p) const;

    std::vector<ChartSolvent> solvents_;
    ChartMarks marks_;
    QString filter_;
    int selected_ = -1;
};

}  // namespace tarnwell
