#include "finder/frm_find_blends.h"

#include "core/blend_solver.h"
#include "core/messages.h"
#include "core/numbers.h"
#include "finder/blend_search.h"
#include "ui/accessible.h"
#include "ui/events.h"
#include "ui/layout.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <optional>

namespace tarnwell {

using ui::qs;
using ui::ptRect;

namespace {
constexpr int kTickMs = 50;

QString targetText(const TargetPoint& t) {
    QString name = t.label.empty() ? QStringLiteral("set by hand") : qs(t.label);
    return QStringLiteral("Target: %1    N, D, W = %2  %3  %4    TWA %5    VHR %6")
        .arg(name)
        .arg(t.n)
        .arg(t.d)
        .arg(t.w)
        .arg(t.twaText.empty() ? QStringLiteral("X") : qs(t.twaText))
        .arg(t.vhrText.empty() ? QStringLiteral("X") : qs(t.vhrText));
}
}  // namespace

FrmFindBlends::FrmFindBlends(AppState& state, ui::Platform& platform, QAbstractItemModel* solventLabels,
                             QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), platform_(platform) {
    setObjectName(QStringLiteral("frmFindBlends"));
    setWindowTitle(QStringLiteral("Find Safer Blends"));
    ui::setFixedClientSize(this, 600, 456);
    setFont(ui::makeFont(QStringLiteral("Tahoma"), 8.25));
    buildFilters();
    buildSolventChoices(solventLabels);
    buildSearchRow();
    buildResults();

    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(kTickMs);
    connect(progressTimer_, &QTimer::timeout, this, [this] { showProgress(); });

    ui::onDblClick(lstFoundBlends_, [this] { lstFoundBlends_DblClick(); });
}

// The target searched for, and the options above the solvent lists.
void FrmFindBlends::buildFilters() {
    lblTarget_ = ui::addLabel(this, QStringLiteral("lblTarget"), QString(), ptRect(8, 6, 584, 14));
    lblTarget_->setFont(ui::makeFont(QStringLiteral("Tahoma"), 8.25, true));
    ui::describeValue(lblTarget_, QStringLiteral("The target searched for"));

    ui::addLabel(this, QStringLiteral("lblBlendSize"), QStringLiteral("Blends of:"), ptRect(8, 26, 46, 14));
    cboBlendSize_ = new QComboBox(this);
    cboBlendSize_->setObjectName(QStringLiteral("cboBlendSize"));
    cboBlendSize_->addItems({QStringLiteral("Two or three solvents"), QStringLiteral("Two solvents only"),
                             QStringLiteral("Three solvents only")});
    cboBlendSize_->setGeometry(ptRect(56, 23, 120, 18));
    ui::setSpokenName(cboBlendSize_, QStringLiteral("Blends of"));
    chkSameReference_ = ui::addCheckBox(this, QStringLiteral("chkSameReference"), QStringLiteral("Same reference only"),
                                        ptRect(186, 25, 110, 14));
    chkSameReference_->setToolTip(QStringLiteral(
        "Only solvents from one reference table (the target's, when the target was taken from the list)"));
    chkExcludeSkin_ = ui::addCheckBox(this, QStringLiteral("chkExcludeSkin"),
                                      QStringLiteral("Leave out solvents marked [skin]"), ptRect(300, 25, 170, 14));
    chkExcludeCarcinogens_ = ui::addCheckBox(this, QStringLiteral("chkExcludeCarcinogens"),
                                             QStringLiteral("Leave out carcinogens"), ptRect(300, 42, 170, 14));
    chkExcludeCarcinogens_->setAccessibleName(QStringLiteral("Leave out solvents marked [carcinogen]"));
    ui::addLabel(this, QStringLiteral("lblMaxResults"), QStringLiteral("Show at most:"), ptRect(478, 26, 62, 14));
    spnMaxResults_ = new QSpinBox(this);
    spnMaxResults_->setObjectName(QStringLiteral("spnMaxResults"));
    spnMaxResults_->setRange(1, 10000);
    spnMaxResults_->setValue(50);
    spnMaxResults_->setGeometry(ptRect(540, 23, 52, 18));
    ui::setSpokenName(spnMaxResults_, QStringLiteral("Show at most"), QStringLiteral("Blends listed"));
}

// The solvents never to use, and those of which a blend must hold one.
void FrmFindBlends::buildSolventChoices(QAbstractItemModel* solventLabels) {
    ui::addLabel(this, QStringLiteral("lblExclude"), QStringLiteral("Never use these solvents (click to choose):"),
                 ptRect(8, 60, 290, 12));
    ui::addLabel(this, QStringLiteral("lblMustContain"),
                 QStringLiteral("Use at least one of these solvents (none chosen: any):"), ptRect(302, 60, 290, 12));
    lstExclude_ = new ui::SolventListView(this);
    lstExclude_->setObjectName(QStringLiteral("lstExclude"));
    lstMustContain_ = new ui::SolventListView(this);
    lstMustContain_->setObjectName(QStringLiteral("lstMustContain"));
    lstExclude_->setGeometry(ptRect(8, 72, 290, 64));
    ui::setSpokenName(lstExclude_, QStringLiteral("Never use these solvents"),
                      QStringLiteral("Space chooses or clears the current solvent"));
    ui::setSpokenName(lstMustContain_, QStringLiteral("Use at least one of these solvents"),
                      QStringLiteral("None chosen: any. Space chooses or clears the current solvent"));
    lstMustContain_->setGeometry(ptRect(302, 72, 290, 64));
    for (ui::SolventListView* list : {lstExclude_, lstMustContain_}) {
        list->setModel(solventLabels);
        list->setSelectionMode(QAbstractItemView::MultiSelection);
    }
}

// Search and Cancel, the progress bar and the status line.
void FrmFindBlends::buildSearchRow() {
    ui::addButton(this, QStringLiteral("cmdSearch"), QStringLiteral("Search"), ptRect(8, 142, 70, 22),
                  [this] { cmdSearch_Click(); });
    cmdCancelSearch_ = ui::addButton(this, QStringLiteral("cmdCancelSearch"), QStringLiteral("Cancel"),
                                     ptRect(84, 142, 60, 22), [this] { cmdCancelSearch_Click(); });
    prgSearch_ = new QProgressBar(this);
    prgSearch_->setObjectName(QStringLiteral("prgSearch"));
    prgSearch_->setRange(0, 1000);
    prgSearch_->setTextVisible(false);
    prgSearch_->setGeometry(ptRect(150, 146, 120, 14));
    ui::setSpokenName(prgSearch_, QStringLiteral("Search progress"));
    lblStatus_ = ui::addLabel(this, QStringLiteral("lblStatus"), QString(), ptRect(278, 142, 314, 22));
    ui::describeValue(lblStatus_, QStringLiteral("Search status"));
    lblStatus_->setWordWrap(true);
    cmdCancelSearch_->hide();
    prgSearch_->hide();
}

// The blends found and the buttons under them.
void FrmFindBlends::buildResults() {
    lstFoundBlends_ = new QListWidget(this);
    lstFoundBlends_->setObjectName(QStringLiteral("lstFoundBlends"));
    lstFoundBlends_->setGeometry(ptRect(8, 170, 584, 246));
    lstFoundBlends_->setUniformItemSizes(true);
    lstFoundBlends_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    lstFoundBlends_->setFont(ui::makeFont(QStringLiteral("Tahoma"), 8.25));
    ui::setSpokenName(lstFoundBlends_, QStringLiteral("Blends found"),
                      QStringLiteral("Safest first; Return or a double-click uses the selected blend"));

    ui::addButton(this, QStringLiteral("cmdUseBlend"), QStringLiteral("Use this blend"), ptRect(8, 424, 110, 24),
                  [this] { cmdUseBlend_Click(); })
        ->setFont(ui::makeFont(QStringLiteral("Tahoma"), 8.25, true));
    ui::addButton(this, QStringLiteral("cmdPrint"), QStringLiteral("Print"), ptRect(446, 424, 70, 24),
                  [this] { cmdPrint_Click(); });
    ui::addButton(this, QStringLiteral("cmdClose"), QStringLiteral("Close"), ptRect(522, 424, 70, 24),
                  [this] { close(); });
}

FrmFindBlends::~FrmFindBlends() { cancelSearch(); }

FinderOptions FrmFindBlends::readOptions() const {
    FinderOptions o;
    o.size = cboBlendSize_->currentIndex() == 1   ? BlendSize::PairsOnly
             : cboBlendSize_->currentIndex() == 2 ? BlendSize::TriplesOnly
                                                  : BlendSize::PairsAndTriples;
    o.sameReferenceOnly = chkSameReference_->isChecked();
    o.excludeSkin = chkExcludeSkin_->isChecked();
    o.excludeCarcinogens = chkExcludeCarcinogens_->isChecked();
    o.maxResults = spnMaxResults_->value();
    for (const QModelIndex& i : lstExclude_->selectionModel()->selectedRows()) o.excluded.push_back(i.row());
    for (const QModelIndex& i : lstMustContain_->selectionModel()->selectedRows()) o.mustContain.push_back(i.row());
    return o;
}

void FrmFindBlends::startSearch() {
    cancelSearch();
    blends_.clear();
    zoneBlends_.clear();
    solventsInside_.clear();
    lstFoundBlends_->clear();
    if (lstSolventsInside_) lstSolventsInside_->clear();
    if (isZoneMode()) {
        if (!startZoneSearch()) return;
    } else {
        const TargetPoint& target = state_.target;
        lblTarget_->setText(targetText(target));
        if (!target.addsTo100()) {
            lblStatus_->clear();
            const MessageText m = blendMessageText(BlendMessage::TargetNot100);
            platform_.messageBox(this, qs(m.title), qs(m.text));
            return;
        }
        job_ = std::make_unique<ParallelBlendSearch>(prepareSearch(state_.table, target, readOptions()));
    }
    lblStatus_->setText(QStringLiteral("Searching..."));
    watcher_ = new QFutureWatcher<void>(this);
    QFutureWatcher<void>* watcher = watcher_;
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher] {
        // A finished signal of a search replaced in the meantime is not ours.
        if (watcher == watcher_) searchFinished();
        watcher->deleteLater();
    });
    watcher->setFuture(job_->finished());
    elapsedTicks_ = 0;
    progressTimer_->start();
}

bool FrmFindBlends::startZoneSearch() {
    const ZoneTarget target = zoneOf_(margin());
    lblTarget_->setText(target.heading);
    QString problem;
    if (target.zone.shape == ZoneShape::None) problem = qs(messages::kNoZone);
    else if (target.zone.region.empty()) problem = qs(messages::kZoneEmptyAfterMargin);
    if (!problem.isEmpty()) {
        lblStatus_->setText(problem);
        return false;
    }
    searchedZone_ = target.zone;
    job_ = std::make_unique<ParallelZoneSearch>(prepareZoneSearch(state_.table, searchedZone_, readOptions()));
    return true;
}

void FrmFindBlends::showProgress() {
    if (!job_) return;
    ++elapsedTicks_;
    if (elapsedTicks_ * kTickMs >= kMomentMs) setSearchControlsRunning(true);
    prgSearch_->setValue(static_cast<int>(job_->progress() * 1000));
}

void FrmFindBlends::setSearchControlsRunning(bool running) {
    prgSearch_->setVisible(running);
    cmdCancelSearch_->setVisible(running);
}

void FrmFindBlends::searchFinished() {
    progressTimer_->stop();
    setSearchControlsRunning(false);
    watcher_ = nullptr;
    if (!job_) return;
    if (isZoneMode()) {
        zoneSearchFinished();
        return;
    }
    const FinderOutcome outcome = static_cast<ParallelBlendSearch&>(*job_).outcome();
    job_.reset();
    if (outcome.cancelled) {
        lblStatus_->setText(qs(messages::kFindBlendsCancelled));
        return;
    }
    blends_ = outcome.blends;
    for (const FoundBlend& b : blends_) lstFoundBlends_->addItem(qs(blendRowText(b, state_.table)));
    if (blends_.empty()) {
        lblStatus_->setText(qs(messages::kFindBlendsNoSolution));
    } else if (outcome.totalFound > blends_.size()) {
        lblStatus_->setText(QStringLiteral("%1 blends match; the best %2 are listed, safest first.")
                                .arg(outcome.totalFound)
                                .arg(blends_.size()));
    } else {
        lblStatus_->setText(outcome.totalFound == 1 ? QStringLiteral("1 blend matches.")
                                                    : QStringLiteral("%1 blends match, listed safest first.")
                                                          .arg(outcome.totalFound));
    }
    ui::selectRow(lstFoundBlends_, 0);
}

void FrmFindBlends::zoneSearchFinished() {
    const ZoneOutcome outcome = static_cast<ParallelZoneSearch&>(*job_).outcome();
    job_.reset();
    if (outcome.cancelled) {
        lblStatus_->setText(qs(messages::kFindBlendsCancelled));
        return;
    }
    zoneBlends_ = outcome.blends;
    solventsInside_ = outcome.solventsInside;
    for (const ZoneBlend& b : zoneBlends_) lstFoundBlends_->addItem(qs(zoneBlendRowText(b, state_.table)));
    for (const ZoneBlend& b : solventsInside_) lstSolventsInside_->addItem(qs(zoneBlendRowText(b, state_.table)));
    lblStatus_->setText(zoneBlends_.empty() ? qs(messages::kZoneNoBlend)
                                            : qs(messages::zoneBlendsFound(outcome.totalFound, zoneBlends_.size())));
    if (!zoneBlends_.empty()) ui::selectRow(lstFoundBlends_, 0);
    else if (!solventsInside_.empty()) ui::selectRow(lstSolventsInside_, 0);
}

void FrmFindBlends::cancelSearch() {
    if (!job_) return;
    progressTimer_->stop();
    job_->cancel();
    watcher_ = nullptr;  // its finished signal no longer counts
    job_.reset();        // waits for the tasks, which stop within a few thousand combinations
    setSearchControlsRunning(false);
}

void FrmFindBlends::cmdSearch_Click() { startSearch(); }

void FrmFindBlends::cmdCancelSearch_Click() {
    if (!job_) return;
    cancelSearch();
    lblStatus_->setText(qs(messages::kFindBlendsCancelled));
}

void FrmFindBlends::cmdUseBlend_Click() {
    if (isZoneMode()) {
        const int row = ui::selectedRow(lstFoundBlends_), alone = ui::selectedRow(lstSolventsInside_);
        std::optional<ZoneBlend> chosen;
        if (row >= 0 && static_cast<std::size_t>(row) < zoneBlends_.size()) chosen = zoneBlends_[static_cast<std::size_t>(row)];
        else if (alone >= 0 && static_cast<std::size_t>(alone) < solventsInside_.size())
            chosen = solventsInside_[static_cast<std::size_t>(alone)];
        if (!chosen) {
            platform_.messageBox(this, qs(messages::kErrorTitle), qs(messages::kFindBlendsNoSelection));
            return;
        }
        // A copy, with the zone it was found for: the handler may search again.
        const SolubilityZone zone = searchedZone_;
        if (useZoneBlend_) useZoneBlend_(*chosen, zone);
        return;
    }
    const int row = ui::selectedRow(lstFoundBlends_);
    if (row < 0 || static_cast<std::size_t>(row) >= blends_.size()) {
        platform_.messageBox(this, qs(messages::kErrorTitle), qs(messages::kFindBlendsNoSelection));
        return;
    }
    // A copy: the handler may start a new search that replaces the list.
    const FoundBlend blend = blends_[static_cast<std::size_t>(row)];
    if (useBlend_) useBlend_(blend);
}

void FrmFindBlends::lstFoundBlends_DblClick() { cmdUseBlend_Click(); }

void FrmFindBlends::setZoneMode(std::function<ZoneTarget(double)> zoneOf, std::function<void(double)> marginChanged,
                                std::function<void(const ZoneBlend&, const SolubilityZone&)> useZoneBlend) {
    zoneOf_ = std::move(zoneOf);
    marginChanged_ = std::move(marginChanged);
    useZoneBlend_ = std::move(useZoneBlend);
    if (spnZoneMargin_) return;
    setWindowTitle(QStringLiteral("Find Safer Blends in the Zone"));
    chkSameReference_->setToolTip(QStringLiteral("Only blends of solvents from one reference table"));
    QLabel* caption = ui::addLabel(this, QStringLiteral("lblZoneMargin"), QStringLiteral("Margin (Teas points):"),
                                   ptRect(8, 44, 96, 14));
    spnZoneMargin_ = ui::makeZoneMarginBox(this, QStringLiteral("spnZoneMargin"), kDefaultZoneMargin);
    spnZoneMargin_->setGeometry(ptRect(106, 41, 52, 18));
    caption->setBuddy(spnZoneMargin_);
    connect(spnZoneMargin_, &QDoubleSpinBox::valueChanged, this, [this](double value) {
        if (marginChanged_) marginChanged_(value);
    });
    setTabOrder(chkExcludeCarcinogens_, spnZoneMargin_);

    lstFoundBlends_->setGeometry(ptRect(8, 170, 584, 160));
    ui::addLabel(this, QStringLiteral("lblSolventsInside"), qs(messages::kSolventsInsideCaption),
                 ptRect(8, 334, 584, 12));
    lstSolventsInside_ = new QListWidget(this);
    lstSolventsInside_->setObjectName(QStringLiteral("lstSolventsInside"));
    lstSolventsInside_->setAccessibleName(qs(messages::kSolventsInsideCaption));
    lstSolventsInside_->setGeometry(ptRect(8, 346, 584, 70));
    lstSolventsInside_->setUniformItemSizes(true);
    lstSolventsInside_->setFont(lstFoundBlends_->font());
    lstFoundBlends_->setAccessibleName(QStringLiteral("Blends that reach the zone"));
    setTabOrder(lstFoundBlends_, lstSolventsInside_);
    // One choice between the two lists: a row chosen in one leaves the other.
    ui::onClick(lstFoundBlends_, [this] {
        if (ui::selectedRow(lstFoundBlends_) >= 0) ui::selectRow(lstSolventsInside_, -1);
    });
    ui::onClick(lstSolventsInside_, [this] {
        if (ui::selectedRow(lstSolventsInside_) >= 0) ui::selectRow(lstFoundBlends_, -1);
    });
    // Return on either list is its double-click (onDblClick).
    ui::onDblClick(lstSolventsInside_, [this] { cmdUseBlend_Click(); });
}

double FrmFindBlends::margin() const { return spnZoneMargin_ ? spnZoneMargin_->value() : kDefaultZoneMargin; }

void FrmFindBlends::setMargin(double margin) {
    if (!spnZoneMargin_) return;
    const QSignalBlocker quiet(spnZoneMargin_);
    spnZoneMargin_->setValue(margin);
}

void FrmFindBlends::showStatus(const QString& text) { lblStatus_->setText(text); }

void FrmFindBlends::cmdPrint_Click() { platform_.printWindow(this); }

void FrmFindBlends::closeEvent(QCloseEvent* event) {
    cancelSearch();
    lblStatus_->clear();
    event->accept();
}

}  // namespace tarnwell
