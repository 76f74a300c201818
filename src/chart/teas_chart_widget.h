#pragma once
// The Teas triangle drawn with vector graphics: the database's solvents as
// points, the chosen solvents in their slot colours, the region they can
// reach, the target as a cross and the last blend or mixture as a ring, with
// the path its remaining liquid takes as it evaporates; a solubility test's
// liquids by their result, with its zone shaded.

#include "core/evaporation.h"
#include "core/teas_chart.h"
#include "ui/chart_source.h"

#include <QColor>
#include <QPolygonF>
#include <QString>
#include <QWidget>
#include <optional>
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

    // Shows only `box` of the plane, as large as the widget allows, N, D and
    // W to one scale (marks keep their size); nothing shows the whole triangle.
    void setView(std::optional<PlaneBox> box);
    bool isZoomed() const { return view_.has_value(); }

    // How the blend evaporates, drawn while the blend is: the path of the
    // remaining liquid, its marks at 25, 50, 75 and 90 % evaporated, and where
    // it leaves or enters the zone. Nothing, or no path known: none drawn.
    void setEvaporation(std::optional<EvaporationResult> evaporation);
    const std::optional<EvaporationResult>& evaporation() const { return evaporation_; }

    // Where a Teas point, or a point of the plane, is drawn in this widget's coordinates, at either scale.
    QPointF mapToWidget(double n, double d, double w) const;
    QPointF mapToWidget(PlanePoint p) const;
    // The nearest shown solvent within `radius` pixels, or -1.
    int solventAt(QPointF position, double radius = 6.0) const;

    static QColor slotColour(int k);
    // A solubility test: the marks of its liquids by result, the zone's
    // shading and, inside it, the shading of the region within the margin.
    static QColor testColour(ui::TestMarkKind kind);
    static QColor zoneFill();
    static QColor regionFill();
    // The evaporation path with its marks, and the marks where it crosses the zone's edge.
    static QColor pathColour();
    static QColor crossingColour();

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
    // The plane to the widget: x0 + x * scale across, y0 - y * scale down.
    struct Frame {
        double scale = 1, x0 = 0, y0 = 0;
    };
    Frame frame() const;
    QRectF zoomedRoom() const;  // where a zoomed view is drawn
    bool inView(QPointF position) const;
    void paintZoomedGrid(QPainter& p) const;
    QPolygonF mapPolygon(const std::vector<ChartMark>& corners) const;
    bool pathShown() const;
    // The mark of the path (or a crossing of the zone) under `position`, as its tooltip says it.
    QString pathMarkAt(QPointF position) const;
    // The picture, bottom to top.
    void paintZone(QPainter& p) const;
    void paintGrid(QPainter& p) const;
    void paintTriangle(QPainter& p) const;
    void paintReachableRegion(QPainter& p) const;
    void paintSolvents(QPainter& p) const;
    void paintTestLiquids(QPainter& p) const;
    void paintSelection(QPainter& p) const;
    void paintEvaporationLine(QPainter& p) const;
    void paintEvaporationMarks(QPainter& p) const;
    void paintEvaporationKey(QPainter& p) const;
    void paintSlotsBlendAndTarget(QPainter& p) const;

    std::vector<ChartSolvent> solvents_;
    ChartMarks marks_;
    std::optional<EvaporationResult> evaporation_;
    QString filter_;
    int selected_ = -1;
    std::optional<PlaneBox> view_;
};

}  // namespace tarnwell
