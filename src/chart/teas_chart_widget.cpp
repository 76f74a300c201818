#include "chart/teas_chart_widget.h"

#include "core/database.h"
#include "core/messages.h"
#include "core/teas_chart.h"
#include "ui/text.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <functional>

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
// Apart from the slot colours, the target's red and the greens of the blend and the zone.
QColor TeasChartWidget::pathColour() { return QColor(0, 118, 118); }
QColor TeasChartWidget::crossingColour() { return QColor(255, 200, 0); }

void TeasChartWidget::setSolvents(std::vector<ChartSolvent> solvents) {
    solvents_ = std::move(solvents);
    update();
}

void TeasChartWidget::setMarks(const ChartMarks& marks) {
    if (marks == marks_) return;
    marks_ = marks;
    update();
}

void TeasChartWidget::setEvaporation(std::optional<EvaporationResult> evaporation) {
    evaporation_ = std::move(evaporation);
    update();
}

bool TeasChartWidget::pathShown() const {
    return marks_.blend && evaporation_ && evaporation_->pathKnown && evaporation_->path.size() >= 2;
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

void TeasChartWidget::setView(std::optional<PlaneBox> box) {
    if (box && !(box->high.x > box->low.x && box->high.y > box->low.y)) box.reset();
    if (box == view_) return;
    view_ = box;
    update();
}

// Room for the border's grid labels, which name their parameter.
QRectF TeasChartWidget::zoomedRoom() const { return QRectF(rect()).adjusted(44, 24, -14, -24); }

TeasChartWidget::Frame TeasChartWidget::frame() const {
    if (!view_) {
        // plotArea keeps the triangle's shape: its height is kHeight times its width.
        const QRectF area = plotArea();
        return {area.width(), area.left(), area.bottom()};
    }
    const QRectF room = zoomedRoom();
    const double width = view_->high.x - view_->low.x, height = view_->high.y - view_->low.y;
    const double scale = std::min(room.width() / width, room.height() / height);
    return {scale, room.center().x() - (view_->low.x + width / 2) * scale,
            room.center().y() + (view_->low.y + height / 2) * scale};
}

QPointF TeasChartWidget::mapToWidget(PlanePoint p) const {
    const Frame f = frame();
    return {f.x0 + p.x * f.scale, f.y0 - p.y * f.scale};
}

bool TeasChartWidget::inView(QPointF position) const { return !view_ || zoomedRoom().contains(position); }

int TeasChartWidget::solventAt(QPointF position, double radius) const {
    if (!inView(position)) return -1;  // a zoomed view's border shows no solvent
    int best = -1;
    double bestDistance = radius * radius;
    for (std::size_t i = 0; i < solvents_.size(); ++i) {
        const ChartSolvent& s = solvents_[i];
        if (!shown(static_cast<int>(i)) || s.n + s.d + s.w <= 0) continue;
        const QPointF q = mapToWidget(s.n, s.d, s.w);
        if (!inView(q)) continue;
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
    if (view_) {
        // Only the box is drawn, framed, its grid labelled at the frame.
        p.save();
        p.setClipRect(zoomedRoom());
        paintZone(p);
        p.restore();
        paintZoomedGrid(p);
        p.setClipRect(zoomedRoom());
    } else {
        paintZone(p);
        paintGrid(p);
    }
    paintTriangle(p);
    paintReachableRegion(p);
    paintSolvents(p);
    paintTestLiquids(p);
    paintSelection(p);
    paintEvaporationLine(p);
    paintSlotsBlendAndTarget(p);
    paintEvaporationMarks(p);
    p.setClipping(false);
    if (view_) {
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(zoomedRoom());
    }
    paintEvaporationKey(p);
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

// A zoomed view's grid: lines every 1, 2, 5 or 10 points, whichever leaves
// room between them, under the zone's shading's edges and the marks; each
// line's value at the frame, by its parameter: N below, W above, D at the left.
void TeasChartWidget::paintZoomedGrid(QPainter& p) const {
    const QRectF room = zoomedRoom();
    const Frame f = frame();
    const double perPoint = f.scale * kHeight / 100.0;  // pixels between lines one point apart
    double step = 10;
    for (const double s : {1.0, 2.0, 5.0, 10.0})
        if (s * perPoint >= 26) {
            step = s;
            break;
        }
    QFont small = font();
    small.setPointSizeF(7.5);
    p.setFont(small);
    const QColor line(215, 215, 215), text(90, 90, 90);
    // Where the line from a to b crosses the horizontal y (widget), or nothing.
    auto crossing = [](QPointF a, QPointF b, double y) -> std::optional<double> {
        if (a.y() == b.y()) return std::nullopt;
        const double t = (y - a.y()) / (b.y() - a.y());
        return a.x() + t * (b.x() - a.x());
    };
    for (double value = step; value < 100; value += step) {
        const QString number = QString::number(value);
        for (const TeasAxis axis : {TeasAxis::Dispersion, TeasAxis::Polar, TeasAxis::Hydrogen}) {
            const std::array<PlanePoint, 2> ends = gridLine(axis, value);
            const QPointF a = mapToWidget(ends[0]), b = mapToWidget(ends[1]);
            p.save();
            p.setClipRect(room);
            p.setPen(QPen(line, 0.8));
            p.drawLine(a, b);
            p.restore();
            p.setPen(text);
            if (axis == TeasAxis::Polar) {
                if (a.y() > room.top() && a.y() < room.bottom())
                    p.drawText(QRectF(room.left() - 42, a.y() - 6, 38, 12), Qt::AlignRight | Qt::AlignVCenter,
                               QStringLiteral("D ") + number);
                continue;
            }
            const bool below = axis == TeasAxis::Dispersion;
            const double edge = below ? room.bottom() : room.top();
            const std::optional<double> x = crossing(a, b, edge);
            if (!x || *x < room.left() + 12 || *x > room.right() - 12) continue;
            p.drawText(QRectF(*x - 20, below ? edge + 3 : edge - 15, 40, 12), Qt::AlignCenter,
                       (below ? QStringLiteral("N ") : QStringLiteral("W ")) + number);
        }
    }
}

// The triangle's outline and the names of its axes.
void TeasChartWidget::paintTriangle(QPainter& p) const {
    const QPointF hydrogen = mapToWidget(0, 0, 100), dispersion = mapToWidget(100, 0, 0), polar = mapToWidget(0, 100, 0);
    p.setPen(QPen(Qt::black, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF({hydrogen, dispersion, polar}));
    if (view_) return;  // a zoomed view names its lines at the frame
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

namespace {

constexpr double kPathMarkRadius = 4.0;
constexpr double kCrossingSize = 6.0;  // half the diamond's diagonal

QPolygonF diamond(QPointF c, double r) {
    return QPolygonF({c + QPointF(0, -r), c + QPointF(r, 0), c + QPointF(0, r), c + QPointF(-r, 0)});
}

}  // namespace

// Under the blend's ring: the line of the remaining liquid. It skips points
// less than two pixels from the last one drawn, so a long path costs the
// redraw no more than a short one.
void TeasChartWidget::paintEvaporationLine(QPainter& p) const {
    if (!pathShown()) return;
    const EvaporationResult& e = *evaporation_;
    QPolygonF line;
    line.reserve(static_cast<qsizetype>(e.path.size()));
    for (std::size_t i = 0; i < e.path.size(); ++i) {
        const QPointF at = mapToWidget(e.path[i].point);
        if (!line.isEmpty() && i + 1 < e.path.size() && (at - line.back()).manhattanLength() < 2.0) continue;
        line << at;
    }
    p.setPen(QPen(pathColour(), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(line);
}

// Over the blend's ring and the target: the marks with their percentages, and
// a diamond where the liquid leaves or enters the zone, so that neither hides
// under the marks of the blend it starts from. A percentage stands beside the
// path on a white ground; one that would cover another is left out (its
// tooltip still says it).
void TeasChartWidget::paintEvaporationMarks(QPainter& p) const {
    if (!pathShown()) return;
    const EvaporationResult& e = *evaporation_;
    const QColor colour = pathColour();
    QFont small = font();
    small.setPointSizeF(7.5);
    small.setBold(true);
    p.setFont(small);
    const QFontMetricsF metrics(small);

    // Where the path is at a share evaporated, for the direction at a mark.
    auto pathAt = [&](double share) {
        const auto after = std::lower_bound(e.path.begin(), e.path.end(), share,
                                            [](const PathPoint& q, double s) { return q.share < s; });
        return mapToWidget((after == e.path.end() ? e.path.back() : *after).point);
    };
    std::vector<QRectF> taken;
    const QPointF start = mapToWidget(e.path.front().point);
    taken.emplace_back(start - QPointF(9, 9), QSizeF(18, 18));  // the blend's ring
    for (std::size_t k = 1; k < kTableMarks; ++k) {
        const EvaporationMark& mark = e.marks[k];
        if (mark.state != MarkState::Reached || !mark.point) continue;
        const QPointF c = mapToWidget(*mark.point);
        p.setPen(QPen(Qt::white, 1.0));
        p.setBrush(colour);
        p.drawEllipse(c, kPathMarkRadius, kPathMarkRadius);
        taken.emplace_back(c - QPointF(kPathMarkRadius, kPathMarkRadius),
                           QSizeF(2 * kPathMarkRadius, 2 * kPathMarkRadius));

        const double share = mark.percent / 100.0;
        QPointF along = pathAt(share + 0.02) - pathAt(std::max(0.0, share - 0.02));
        const double length = std::hypot(along.x(), along.y());
        along = length > 0.5 ? along / length : QPointF(1, 0);
        QPointF across(along.y(), -along.x());  // a right angle to the path, upwards where it can
        if (across.y() > 0 || (across.y() == 0 && across.x() < 0)) across = -across;
        const QString text = QString::number(mark.percent);
        const QSizeF size(metrics.horizontalAdvance(text) + 2, metrics.height());
        QRectF box;
        bool placed = false;
        for (const QPointF side : {across, -across}) {
            const QPointF centre = c + side * (kPathMarkRadius + 2 + size.width() / 2);
            box = QRectF(centre - QPointF(size.width() / 2, size.height() / 2), size);
            if (std::none_of(taken.begin(), taken.end(), [&](const QRectF& r) { return r.intersects(box); })) {
                placed = true;
                break;
            }
        }
        if (!placed) continue;
        taken.push_back(box);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 215));
        p.drawRect(box);
        p.setPen(colour);
        p.drawText(box, Qt::AlignCenter, text);
    }
    for (const ZoneCrossing& crossing : e.crossings) {
        p.setPen(QPen(Qt::black, 1.0));
        p.setBrush(crossingColour());
        p.drawPolygon(diamond(mapToWidget(crossing.point), kCrossingSize));
    }
}

// What the path's line, dots and diamonds are, at the top right.
void TeasChartWidget::paintEvaporationKey(QPainter& p) const {
    if (!pathShown()) return;
    QFont small = font();
    small.setPointSizeF(7.5);
    p.setFont(small);
    const double right = width() - 6, rowHeight = 14, sample = 22;
    const double textWidth = p.fontMetrics().horizontalAdvance(ui::qs(messages::kPathKeyMarks)) + 4;
    const double left = right - textWidth - sample;
    double y = 4;
    auto row = [&](const char* text, const std::function<void(QPointF)>& drawSample) {
        drawSample(QPointF(left + sample / 2, y + rowHeight / 2));
        p.setPen(Qt::black);
        p.drawText(QRectF(left + sample, y, textWidth, rowHeight), Qt::AlignLeft | Qt::AlignVCenter, ui::qs(text));
        y += rowHeight;
    };
    const QColor colour = pathColour();
    row(messages::kPathKeyLine, [&](QPointF c) {
        p.setPen(QPen(colour, 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c - QPointF(8, 0), c + QPointF(8, 0));
    });
    row(messages::kPathKeyMarks, [&](QPointF c) {
        p.setPen(QPen(Qt::white, 1.0));
        p.setBrush(colour);
        p.drawEllipse(c, kPathMarkRadius, kPathMarkRadius);
    });
    if (!evaporation_->crossings.empty())
        row(messages::kPathKeyCrossings, [&](QPointF c) {
            p.setPen(QPen(Qt::black, 1.0));
            p.setBrush(crossingColour());
            p.drawPolygon(diamond(c, kCrossingSize - 1));
        });
}

QString TeasChartWidget::pathMarkAt(QPointF position) const {
    if (!pathShown()) return {};
    const double reach = kCrossingSize + 1;
    auto near = [&](PlanePoint at) {
        const QPointF d = mapToWidget(at) - position;
        return d.x() * d.x() + d.y() * d.y() <= reach * reach;
    };
    for (const ZoneCrossing& crossing : evaporation_->crossings)
        if (near(crossing.point)) return ui::qs(messages::crossingTip(crossing.leaves, crossing.percent));
    for (std::size_t k = 1; k < kTableMarks; ++k) {
        const EvaporationMark& mark = evaporation_->marks[k];
        if (mark.state == MarkState::Reached && mark.point && near(*mark.point))
            return ui::qs(messages::pathMarkTip(mark.percent, mark.ndwText[0], mark.ndwText[1], mark.ndwText[2]));
    }
    return {};
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
    if (const QString tip = pathMarkAt(event->position()); !tip.isEmpty()) {
        QToolTip::showText(event->globalPosition().toPoint(), tip, this);
        return;
    }
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
