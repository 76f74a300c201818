#include "chart/frm_teas_chart.h"

#include "core/database.h"
#include "core/messages.h"
#include "core/numbers.h"
#include "core/solubility_zone.h"
#include "ui/accessible.h"
#include "ui/chart_source.h"
#include "ui/keyboard.h"
#include "ui/layout.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tarnwell {

namespace {

// The zone the chart shades, back on the plane it was drawn from.
SolubilityZone zoneOfOutline(const std::vector<ui::ChartMark>& outline) {
    SolubilityZone zone;
    for (const ui::ChartMark& corner : outline)
        if (const std::optional<PlanePoint> p = teasToPlane(corner.n, corner.d, corner.w)) zone.outline.push_back(*p);
    const std::size_t corners = zone.outline.size();
    zone.shape = corners == 0 ? ZoneShape::None : corners == 1 ? ZoneShape::Point : corners == 2 ? ZoneShape::Segment
                                                                                               : ZoneShape::Area;
    zone.hull = zone.outline;
    return zone;
}

// What the line under the chart says about the path.
QString pathLine(const EvaporationResult& r) {
    QString text;
    if (r.pathKnown) {
        text = ui::qs(messages::kPathCaption);
        if (!r.zoneText.empty()) text += QLatin1Char(' ') + ui::qs(r.zoneText);
    } else {
        // The file that should have given the vapour pressures is the reason, when it failed.
        text = ui::qs(r.propertiesFileText.empty() ? r.unknownText : r.propertiesFileText);
    }
    return text.replace(QLatin1Char('\r'), QLatin1Char(' '));
}

}  // namespace

FrmTeasChart::FrmTeasChart(ui::Platform& platform, const SolventTable& table, const SolventPropertiesFile& properties,
                           ui::ChartOpener& opener, QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform), properties_(properties), opener_(&opener) {
    setObjectName(QStringLiteral("frmTeasChart"));
    setWindowTitle(QStringLiteral("Tarnwell - Teas Chart"));
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumSize(ui::ptSize(300, 300));
    resize(ui::ptSize(480, 460));

    chart_ = new TeasChartWidget(this);
    chart_->setSolvents(chartSolvents(table));
    auto* help = new QLabel(QStringLiteral("Click a solvent, then press 1, 2 or 3 to put it in that slot. "
                                           "Type letters to show only names containing them; Esc shows all."),
                            this);
    help->setObjectName(QStringLiteral("lblChartHelp"));
    help->setWordWrap(true);
    ui::setSpokenName(chart_, QStringLiteral("Teas chart"), help->text());
    auto* print = new QPushButton(QStringLiteral("Print"), this);
    print->setObjectName(QStringLiteral("cmdPrint"));
    auto* test = new QPushButton(QStringLiteral("Solubility Test\u2026"), this);
    test->setObjectName(QStringLiteral("cmdSolubilityTest"));
    // Reached by Tab, never by a click, so a click leaves the keys with the chart.
    for (QPushButton* b : {print, test}) {
        b->setFocusPolicy(Qt::TabFocus);
        ui::pressOnReturn(b);
    }
    auto* row = new QHBoxLayout;
    row->addWidget(help, 1);
    row->addWidget(test);
    row->addWidget(print);
    lblEvaporation_ = new QLabel(this);
    lblEvaporation_->setObjectName(QStringLiteral("lblEvaporation"));
    lblEvaporation_->setWordWrap(true);
    lblEvaporation_->setAccessibleDescription(QStringLiteral("The blend's evaporation path"));
    lblEvaporation_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chart_, 1);
    layout->addWidget(lblEvaporation_);
    layout->addLayout(row);

    connect(print, &QPushButton::clicked, this, [this] { platform_.printWindow(this); });
    connect(test, &QPushButton::clicked, this, &FrmTeasChart::solubilityTestRequested);
    // Slot k on the chart is column k - 1 of the screen; the screen tells the
    // chart about the change itself.
    connect(chart_, &TeasChartWidget::loadRequested, this, [this](int slot, int r) {
        if (opener_) opener_->loadSolventIntoSlot(slot - 1, r);
    });
    addSource(opener);
    connect(&opener.chartNotifier(), &QObject::destroyed, this, [this] { opener_ = nullptr; });
    chart_->setFocus();
}

void FrmTeasChart::addSource(ui::ChartSource& source) {
    if (std::find(sources_.begin(), sources_.end(), &source) != sources_.end()) return;
    sources_.push_back(&source);
    ui::ChartNotifier* notifier = &source.chartNotifier();
    connect(notifier, &ui::ChartNotifier::marksChanged, this, &FrmTeasChart::refresh);
    // The notifier goes with its source: forget the source before anything
    // else of it can be asked.
    connect(notifier, &QObject::destroyed, this, [this, &source] {
        sources_.erase(std::remove(sources_.begin(), sources_.end(), &source), sources_.end());
        refresh();
    });
    refresh();
}

void FrmTeasChart::refresh() {
    ui::ChartMarks marks;
    for (const ui::ChartSource* source : sources_) marks.fillFrom(source->chartMarks());
    chart_->setMarks(marks);
    showEvaporation(marks);
}

void FrmTeasChart::showEvaporation(const ui::ChartMarks& marks) {
    std::optional<EvaporationInput> blend = marks.blend ? marks.evaporation : std::nullopt;
    std::vector<ui::ChartMark> outline = marks.zone ? marks.zone->outline : std::vector<ui::ChartMark>{};
    if (pathFrom_ && pathFrom_->first == blend && pathFrom_->second == outline) return;
    if (!blend) {
        chart_->setEvaporation(std::nullopt);
        lblEvaporation_->clear();
        lblEvaporation_->hide();
    } else {
        const SolubilityZone zone = zoneOfOutline(outline);
        EvaporationResult result = computeEvaporation(*blend, properties_, outline.empty() ? nullptr : &zone);
        lblEvaporation_->setText(pathLine(result));
        lblEvaporation_->show();
        chart_->setEvaporation(std::move(result));
    }
    pathFrom_.emplace(std::move(blend), std::move(outline));
}

}  // namespace tarnwell
