#include "chart/frm_teas_chart.h"

#include "core/database.h"
#include "core/numbers.h"
#include "ui/layout.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace tarnwell {

std::vector<ChartSolvent> chartSolvents(const SolventTable& table) {
    std::vector<ChartSolvent> out;
    out.reserve(table.records.size());
    for (std::size_t i = 0; i < table.records.size(); ++i) {
        const SolventRecord& r = table.records[i];
        ChartSolvent s;
        s.label = ui::qs(r.label);
        if (static_cast<int>(i) != table.lastIndex) {
            s.n = parseWholeNumber(r.n).value_or(0);
            s.d = parseWholeNumber(r.d).value_or(0);
            s.w = parseWholeNumber(r.w).value_or(0);
        }
        out.push_back(std::move(s));
    }
    return out;
}

FrmTeasChart::FrmTeasChart(ui::Platform& platform, const SolventTable& table, MarksReader readMarks,
                           SlotLoader loadSlot, QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform), readMarks_(std::move(readMarks)) {
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
    auto* print = new QPushButton(QStringLiteral("Print"), this);
    print->setObjectName(QStringLiteral("cmdPrint"));
    print->setFocusPolicy(Qt::NoFocus);
    auto* row = new QHBoxLayout;
    row->addWidget(help, 1);
    row->addWidget(print);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chart_, 1);
    layout->addLayout(row);

    connect(print, &QPushButton::clicked, this, [this] { platform_.printWindow(this); });
    connect(chart_, &TeasChartWidget::loadRequested, this,
            [this, loadSlot = std::move(loadSlot)](int slot, int r) {
                loadSlot(slot, r);
                refresh();
            });
    // The opener's handlers do not know about the chart; looking again a few
    // times a second keeps it current at no cost when nothing changed.
    follow_ = new QTimer(this);
    follow_->setInterval(100);
    connect(follow_, &QTimer::timeout, this, &FrmTeasChart::refresh);
    follow_->start();
    refresh();
    chart_->setFocus();
}

void FrmTeasChart::refresh() {
    if (readMarks_) chart_->setMarks(readMarks_());
}

}  // namespace tarnwell
