#include "chart/frm_teas_chart.h"

#include "core/database.h"
#include "core/numbers.h"
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

FrmTeasChart::FrmTeasChart(ui::Platform& platform, const SolventTable& table, ui::ChartOpener& opener,
                           QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform), opener_(&opener) {
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
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chart_, 1);
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
}

}  // namespace tarnwell
