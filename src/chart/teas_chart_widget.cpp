#include "chart/teas_chart_widget.h"

#include "core/database.h"
#include "core/teas_chart.h"
#include "ui/text.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <cmath>

namespace tarnwell {

std::vector<ChartSolvent> chartSolvents(const SolventTable& table) {
    std::vector<ChartSolvent> out;
    out.reserve(table.records.size());
    for (std::size_t i = 0; i < table.records.size(); ++i) {
        const SolventRecord& r = table.records[i];
        ChartSolvent s;
        s.label = ui::qs(r.label);
        // The custom-entry row, and a row no slot could take, have no place.
        const std::optional<SolventNumbers> numbers =
            static_cast<int>(i) != table.lastIndex ? readSolventNumbers(r) : std::nullopt;
        if (numbers) {
            s.n = numbers->ndw.n;
            s.d = numbers->ndw.d;
            s.w = numbers->ndw.w;
        }
        out.push_back(std::move(s));
    }
    return out;
}

namespace {
const double kHeight = std::sqrt(3.0) / 2.0;
}

TeasChartWidget::TeasChartWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("teasChart"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(320, 300);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

QColor TeasChartWidget::slotColour(int k) {
    static const QColor colours[] = {QColor(0, 102, 204), QColor(230, 120, 0), QColor(150, 0, 160)};
    return colours[(k - 1) % 3];
}

QColor TeasChartWidget::testColour(ui::TestMarkKind kind) {
    switch (kind) {
    case ui::TestMarkKind::Dissolves: return QColor(0, 128, 0);
    case ui::TestMarkKind::Partly: return QColor(255, 176, 0);
    case ui::TestMarkKind::NoEffect: return QColor(255, 0, 0);
    case ui::TestMarkKind::NotTried: break;
    }
    return QColor(120, 120, 120);
}

QColor TeasChartWidget::zoneFill() { return QColor(214, 238, 214); }
QColor TeasChartWidget::regionFill() { return QColor(168, 218, 168); }

void TeasChartWidget::setSolvents(std::vector<ChartSolvent> solvents) {
    solvents_ = std::move(solvents);
    update();
}

void TeasChartWidget::setMarks(const ChartMarks& marks) {
    if (marks == marks_) return;
    marks_ = marks;
    update();
}

void TeasChartWidget::setFilter(const QString& filter) {
    filter_ = filter;
    if (selected_ >= 0 && !shown(selected_)) selected_ = -1;
    update();
}

void TeasChartWidget::selectRow(int row) {
    selected_ = row;
    update();
}

bool TeasChartWidget::shown(int row) const {
    if (filter_.isEmpty()) return true;
    return solvents_[static_cast<std::size_t>(row)].label.contains(filter_, Qt::CaseInsensitive);
}

QRectF TeasChartWidget::plotArea() const {
    // Room for the axis labels around a triangle that keeps its shape.
    const QRectF room = QRectF(rect()).adjusted(48, 28, -48, -44);
    double width = room.width(), height = width * kHeight;
    if (height > room.height()) {
        height = room.height();
        width = height / kHeight;
    }
    return QRectF(room.center().x() - width / 2, room.center().y() - height / 2, width, height);
}

QPointF TeasChartWidget::mapToWidget(double n, double d, double w) const {
    const std::optional<PlanePoint> p = teasToPlane(n, d, w);
    return p ? mapToWidget(*p) : plotArea().bottomLeft();
}

QPointF TeasChartWidget::mapToWidget(PlanePoint p) const {
    const QRectF area = plotArea();
    return {area.left() + p.x * area.width(), area.bottom() - p.y / kHeight * area.height()};
}

int TeasChartWidget::solventAt(QPointF position, double radius) const {
    int best = -1;
    double bestDistance = radius * radius;
    for (std::size_t i = 0; i < solvents_.size(); ++i) {
        const ChartSolvent& s = solvents_[i];
        if (!shown(static_cast<int>(i)) || s.n + s.d + s.w <= 0) continue;
        const QPointF q = mapToWidget(s.n, s.d, s.w);
        const double dx = q.x() - position.x(), dy = q.y() - position.y();
        if (dx * dx + dy * dy <= bestDistance) {
            bestDistance = dx * dx + dy * dy;
            best = static_cast<int>(i);
        }
    }
    return best;
}

QPolygonF TeasChartWidget::mapPolygon(const std::vector<ChartMark>& corners) const {
    QPolygonF polygon;
    for (const ChartMark& c : corners) polygon << mapToWidget(c.n, c.d, c.w);
    return polygon;
}

// Under the grid: the zone, and the region the margin leaves inside it, in
// solid colours so that the grid and every mark stay readable on them.
void TeasChartWidget::paintZone(QPainter& p) const {
    if (!marks_.zone) return;
    const ui::ZoneOverlay& zone = *marks_.zone;
    const QColor border = testColour(ui::TestMarkKind::Dissolves);
    auto shade = [&](const std::vector<ChartMark>& corners, const QColor& fill, Qt::PenStyle line) {
        const QPolygonF polygon = mapPolygon(corners);
        p.setPen(QPen(border, 1.2, line));
        p.setBrush(fill);
        if (polygon.size() >= 3) p.drawPolygon(polygon);
        else if (polygon.size() == 2) p.drawLine(polygon[0], polygon[1]);
        else if (polygon.size() == 1) p.drawEllipse(polygon[0], 3, 3);
    };
    shade(zone.outline, zoneFill(), Qt::SolidLine);
    if (zone.region != zone.outline) shade(zone.region, regionFill(), Qt::DashLine);
}

void TeasChartWidget::paintTestLiquids(QPainter& p) const {
    if (!marks_.zone) return;
    constexpr double r = 5.0;
    for (const ui::TestMark& m : marks_.zone->liquids) {
        const QPointF c = mapToWidget(m.at.n, m.at.d, m.at.w);
        const QColor colour = testColour(m.kind);
        switch (m.kind) {
        case ui::TestMarkKind::Dissolves:
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(colour);
            p.drawEllipse(c, r, r);
            break;
        case ui::TestMarkKind::Partly:
            // The left half filled, the ring whole.
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            p.drawPie(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 90 * 16, 180 * 16);
            p.setPen(QPen(colour.darker(130), 1.6));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(c, r, r);
            break;
        case ui::TestMarkKind::NoEffect:
            p.setPen(QPen(colour, 2));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(c, r, r);
            if (m.insideZone) p.drawEllipse(c, r + 4, r + 4);  // a liquid that breaks the zone
            break;
        case ui::TestMarkKind::NotTried:
            p.setPen(QPen(colour, 1, Qt::DotLine));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(c, r - 1.5, r - 1.5);
            break;
        }
    }
}

void TeasChartWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    paintZone(p);
    paintGrid(p);
    paintTriangle(p);
    paintReachableRegion(p);
    paintSolvents(p);
    paintTestLiquids(p);
    paintSelection(p);
    paintSlotsBlendAndTarget(p);
    if (!filter_.isEmpty()) {
        p.setPen(Qt::black);
        p.drawText(QRectF(6, 4, width() - 12, 18), Qt::AlignLeft, QStringLiteral("Showing names with: ") + filter_);
    }
}

// Grid lines every 10 % with their labels on the axis each parameter is read from.
void TeasChartWidget::paintGrid(QPainter& p) const {
    QFont small = font();
    small.setPointSizeF(7.5);
    p.setFont(small);
    for (int percent = 10; percent < 100; percent += 10) {
        const double f = percent;
        p.setPen(QPen(QColor(215, 215, 215), 0.8));
        for (const TeasAxis axis : {TeasAxis::Dispersion, TeasAxis::Polar, TeasAxis::Hydrogen}) {
            const std::array<PlanePoint, 2> ends = gridLine(axis, f);
            p.drawLine(mapToWidget(ends[0]), mapToWidget(ends[1]));
        }
        p.setPen(QColor(90, 90, 90));
        const QString text = QString::number(percent);
        const QPointF bottom = mapToWidget(f, 0, 100 - f);
        p.drawText(QRectF(bottom.x() - 12, bottom.y() + 3, 24, 12), Qt::AlignCenter, text);
        const QPointF right = mapToWidget(100 - f, f, 0);
        p.drawText(QRectF(right.x() + 4, right.y() - 6, 24, 12), Qt::AlignLeft | Qt::AlignVCenter, text);
        const QPointF left = mapToWidget(0, 100 - f, f);
        p.drawText(QRectF(left.x() - 28, left.y() - 6, 24, 12), Qt::AlignRight | Qt::AlignVCenter, text);
    }
}

// The triangle's outline and the names of its axes.
void TeasChartWidget::paintTriangle(QPainter& p) const {
    const QPointF hydrogen = mapToWidget(0, 0, 100), dispersion = mapToWidget(100, 0, 0), polar = mapToWidget(0, 100, 0);
    p.setPen(QPen(Qt::black, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF({hydrogen, dispersion, polar}));
    QFont axisFont = font();
    axisFont.setBold(true);
    p.setFont(axisFont);
    p.drawText(QRectF(hydrogen.x(), hydrogen.y() + 16, dispersion.x() - hydrogen.x(), 16), Qt::AlignCenter,
               QStringLiteral("fd (N) \u2192 100 at lower right"));
    p.drawText(QPointF((dispersion.x() + polar.x()) / 2 + 18, (dispersion.y() + polar.y()) / 2), QStringLiteral("fp (D)"));
    p.drawText(QPointF((hydrogen.x() + polar.x()) / 2 - 60, (hydrogen.y() + polar.y()) / 2), QStringLiteral("fh (W)"));
}

// The region the chosen solvents can reach.
void TeasChartWidget::paintReachableRegion(QPainter& p) const {
    QPolygonF region;
    for (const auto& s : marks_.slotMarks)
        if (s) region << mapToWidget(s->n, s->d, s->w);
    if (region.size() < 2) return;
    p.setPen(QPen(QColor(0, 140, 70), 1.5, Qt::DashLine));
    p.setBrush(region.size() == 3 ? QColor(0, 160, 80, 40) : Qt::NoBrush);
    if (region.size() == 2) p.drawLine(region[0], region[1]);
    else p.drawPolygon(region);
}

// Every shown solvent as a small point.
void TeasChartWidget::paintSolvents(QPainter& p) const {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 120, 120));
    for (std::size_t i = 0; i < solvents_.size(); ++i) {
        if (!shown(static_cast<int>(i))) continue;
        const ChartSolvent& s = solvents_[i];
        if (s.n + s.d + s.w <= 0) continue;
        p.drawEllipse(mapToWidget(s.n, s.d, s.w), 2.2, 2.2);
    }
}

// The solvent picked on the chart, ringed and named.
void TeasChartWidget::paintSelection(QPainter& p) const {
    if (selected_ < 0 || selected_ >= static_cast<int>(solvents_.size())) return;
    const ChartSolvent& s = solvents_[static_cast<std::size_t>(selected_)];
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(mapToWidget(s.n, s.d, s.w), 6, 6);
    p.drawText(mapToWidget(s.n, s.d, s.w) + QPointF(8, -8), s.label);
}

// The chosen solvents in their slot colours, the blend as a ring, the target as a cross.
void TeasChartWidget::paintSlotsBlendAndTarget(QPainter& p) const {
    for (int k = 0; k < 3; ++k) {
        const auto& s = marks_.slotMarks[static_cast<std::size_t>(k)];
        if (!s) continue;
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(slotColour(k + 1));
        p.drawEllipse(mapToWidget(s->n, s->d, s->w), 5.5, 5.5);
    }
    if (marks_.blend) {
        p.setPen(QPen(QColor(0, 128, 0), 2.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(mapToWidget(marks_.blend->n, marks_.blend->d, marks_.blend->w), 7, 7);
    }
    if (marks_.target) {
        const QPointF c = mapToWidget(marks_.target->n, marks_.target->d, marks_.target->w);
        p.setPen(QPen(QColor(255, 0, 0), 2.5));
        p.drawLine(c + QPointF(-7, -7), c + QPointF(7, 7));
        p.drawLine(c + QPointF(-7, 7), c + QPointF(7, -7));
    }
}

void TeasChartWidget::mousePressEvent(QMouseEvent* event) {
    setFocus();
    const int row = solventAt(event->position());
    if (row >= 0) selectRow(row);
}

void TeasChartWidget::mouseMoveEvent(QMouseEvent* event) {
    const int row = solventAt(event->position());
    if (row < 0) {
        QToolTip::hideText();
        return;
    }
    const ChartSolvent& s = solvents_[static_cast<std::size_t>(row)];
    QToolTip::showText(event->globalPosition().toPoint(),
                       QStringLiteral("%1\nN %2  D %3  W %4").arg(s.label).arg(s.n).arg(s.d).arg(s.w), this);
}

void TeasChartWidget::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key >= Qt::Key_1 && key <= Qt::Key_3 && selected_ >= 0) {
        emit loadRequested(key - Qt::Key_0, selected_);
        return;
    }
    if (key == Qt::Key_Backspace) {
        setFilter(filter_.left(filter_.size() - 1));
        return;
    }
    if (key == Qt::Key_Escape) {
        setFilter(QString());
        return;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isLetter()) {
        setFilter(filter_ + text);
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace tarnwell
