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
#include <QFontMetrics>
#include <QHeaderView>
#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>
#include <QItemSelectionModel>
#include <QLabel>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <optional>

namespace tarnwell {

using ui::qs;
using ui::ptRect;

namespace {
constexpr int kTickMs = 50;
constexpr int kSortRole = Qt::UserRole;
constexpr double kWidthPt = 900, kHeightPt = 512, kRoomyWidthPt = 1080;

// The widest text a column shows, bar the solvents' names, which take the
// room the others leave.
QString widestText(FinderColumn c) {
    switch (c) {
    case FinderColumn::Rank: return QStringLiteral("10000");
    case FinderColumn::Solvents: return {};
    case FinderColumn::Volumes: return QStringLiteral(".333 / .333 / .334");
    case FinderColumn::N:
    case FinderColumn::D:
    case FinderColumn::W: return QStringLiteral("100");
    case FinderColumn::Twa: return QStringLiteral("1000.0");
    case FinderColumn::Vhr: return QStringLiteral("100000");
    case FinderColumn::FlashPoint: return QStringLiteral("\u2264 \u221220.5 \u00B0C");
    case FinderColumn::Carcinogen:
    case FinderColumn::Skin:
    case FinderColumn::PhasedOut:
    case FinderColumn::InZone: return QStringLiteral("yes");
    case FinderColumn::Compared: return QStringLiteral("10.0\u00D7 higher TWA, 10.0\u00D7 lower VHR");
    }
    return {};
}

// Figures to the right, the yes-or-no marks in the middle, words to the left.
Qt::Alignment alignmentOf(FinderColumn c) {
    switch (c) {
    case FinderColumn::Rank:
    case FinderColumn::N:
    case FinderColumn::D:
    case FinderColumn::W:
    case FinderColumn::Twa:
    case FinderColumn::Vhr:
    case FinderColumn::FlashPoint: return Qt::AlignRight | Qt::AlignVCenter;
    case FinderColumn::Carcinogen:
    case FinderColumn::Skin:
    case FinderColumn::PhasedOut:
    case FinderColumn::InZone: return Qt::AlignCenter;
    case FinderColumn::Solvents:
    case FinderColumn::Volumes:
    case FinderColumn::Compared: break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// Sorts by each cell's key, a number or a text; ties keep the finder's
// ranking, so that the reverse order is exactly the order reversed.
class FinderOrder : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex& a, const QModelIndex& b) const override {
        const QVariant x = a.data(kSortRole), y = b.data(kSortRole);
        const bool numbers = x.typeId() == QMetaType::Double && y.typeId() == QMetaType::Double;
        if (numbers && x.toDouble() != y.toDouble()) return x.toDouble() < y.toDouble();
        if (!numbers)
            if (const int order = QString::compare(x.toString(), y.toString(), Qt::CaseInsensitive); order != 0)
                return order < 0;
        return a.siblingAtColumn(0).data(kSortRole).toDouble() < b.siblingAtColumn(0).data(kSortRole).toDouble();
    }
};


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
    // The window can be made larger, for longer names: the tables grow with it.
    setMinimumSize(ui::ptSize(kWidthPt, kHeightPt));
    resize(minimumSize());
    setFont(ui::makeFont(QStringLiteral("Tahoma"), 8.25));
    buildFilters();
    buildSolventChoices(solventLabels);
    buildSearchRow();
    buildResults();
    buildSortRow();
    setColumns(false);
    // Where the screen has room, wide enough for three long names side by side.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const int room = screen->availableGeometry().width() * 9 / 10;
        resize(std::clamp(room, width(), ui::ptSize(kRoomyWidthPt, kHeightPt).width()), height());
    }

    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(kTickMs);
    connect(progressTimer_, &QTimer::timeout, this, [this] { showProgress(); });

    ui::onDblClick(tblFoundBlends_, [this] { tblFoundBlends_DblClick(); });
}

// The target searched for, and the options above the solvent lists.
void FrmFindBlends::buildFilters() {
    lblTarget_ = ui::addLabel(this, QStringLiteral("lblTarget"), QString(), ptRect(8, 6, 884, 14));
    follow(lblTarget_, {0, 0, 1, 0});
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
                                      QStringLiteral("Leave out solvents marked [skin]"), ptRect(300, 25, 166, 14));
    chkExcludeCarcinogens_ = ui::addCheckBox(this, QStringLiteral("chkExcludeCarcinogens"),
                                             QStringLiteral("Leave out carcinogens"), ptRect(300, 42, 166, 14));
    chkExcludeCarcinogens_->setAccessibleName(QStringLiteral("Leave out solvents marked [carcinogen]"));
    // Solvents no conservator can buy any more stay in every list as
    // something to replace, but are not offered as the answer.
    chkExcludePhasedOut_ = ui::addCheckBox(this, QStringLiteral("chkExcludePhasedOut"),
                                           QStringLiteral("Leave out phased-out solvents"), ptRect(472, 25, 166, 14));
    chkExcludePhasedOut_->setChecked(true);
    chkExcludePhasedOut_->setToolTip(
        QStringLiteral("Ozone-depleting solvents whose production the Montreal Protocol ended: "
                       "CFC-113, 1,1,1-trichloroethane, carbon tetrachloride"));
    chkExcludeHighlyFlammable_ =
        ui::addCheckBox(this, QStringLiteral("chkExcludeHighlyFlammable"),
                        QStringLiteral("Leave out solvents with a flash point below 23 \u00B0C"), ptRect(472, 42, 230, 14));
    lblFlashPointRule_ = ui::addLabel(this, QStringLiteral("lblFlashPointRule"), QString(), ptRect(486, 57, 406, 24));
    lblFlashPointRule_->setWordWrap(true);
    lblFlashPointRule_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ui::describeValue(lblFlashPointRule_, QStringLiteral("Solvents whose flash point is unknown"));
    follow(ui::addLabel(this, QStringLiteral("lblMaxResults"), QStringLiteral("Show at most:"), ptRect(778, 26, 62, 14)),
           {1, 0, 0, 0});
    spnMaxResults_ = new QSpinBox(this);
    spnMaxResults_->setObjectName(QStringLiteral("spnMaxResults"));
    spnMaxResults_->setRange(1, 10000);
    spnMaxResults_->setValue(50);
    spnMaxResults_->setGeometry(ptRect(840, 23, 52, 18));
    follow(spnMaxResults_, {1, 0, 0, 0});
    ui::setSpokenName(spnMaxResults_, QStringLiteral("Show at most"), QStringLiteral("Blends listed"));
    showFlashPointRule();
}

// What becomes of a solvent whose flash point is unknown, or why none is known.
void FrmFindBlends::showFlashPointRule() {
    const SolventPropertiesFile& file = state_.properties;
    QString text = qs(messages::kFinderUnknownFlashPointKept);
    if (file.status != PropertiesFileStatus::Loaded)
        text = qs(messages::finderNoFlashPoints(file.status == PropertiesFileStatus::Damaged, file.error.line,
                                             file.error.message));
    lblFlashPointRule_->setText(text);
    lblFlashPointRule_->setToolTip(text);
    chkExcludeHighlyFlammable_->setToolTip(
        QStringLiteral("Highly flammable solvents (GHS categories 1 and 2). ") + text);
    chkExcludeHighlyFlammable_->setAccessibleDescription(text);
}

// The solvents never to use, and those of which a blend must hold one.
void FrmFindBlends::buildSolventChoices(QAbstractItemModel* solventLabels) {
    // Side by side, each with half of a larger window's extra width.
    follow(ui::addLabel(this, QStringLiteral("lblExclude"), QStringLiteral("Never use these solvents (click to choose):"),
                        ptRect(8, 82, 440, 12)),
           {0, 0, 0.5, 0});
    follow(ui::addLabel(this, QStringLiteral("lblMustContain"),
                        QStringLiteral("Use at least one of these solvents (none chosen: any):"), ptRect(452, 82, 440, 12)),
           {0.5, 0, 0.5, 0});
    lstExclude_ = new ui::SolventListView(this);
    lstExclude_->setObjectName(QStringLiteral("lstExclude"));
    lstMustContain_ = new ui::SolventListView(this);
    lstMustContain_->setObjectName(QStringLiteral("lstMustContain"));
    lstExclude_->setGeometry(ptRect(8, 94, 440, 48));
    ui::setSpokenName(lstExclude_, QStringLiteral("Never use these solvents"),
                      QStringLiteral("Space chooses or clears the current solvent"));
    ui::setSpokenName(lstMustContain_, QStringLiteral("Use at least one of these solvents"),
                      QStringLiteral("None chosen: any. Space chooses or clears the current solvent"));
    lstMustContain_->setGeometry(ptRect(452, 94, 440, 48));
    follow(lstExclude_, {0, 0, 0.5, 0});
    follow(lstMustContain_, {0.5, 0, 0.5, 0});
    for (ui::SolventListView* list : {lstExclude_, lstMustContain_}) {
        list->setModel(solventLabels);
        list->setSelectionMode(QAbstractItemView::MultiSelection);
    }
}

// Search and Cancel, the progress bar and the status line.
void FrmFindBlends::buildSearchRow() {
    ui::addButton(this, QStringLiteral("cmdSearch"), QStringLiteral("Search"), ptRect(8, 148, 70, 22),
                  [this] { cmdSearch_Click(); });
    cmdCancelSearch_ = ui::addButton(this, QStringLiteral("cmdCancelSearch"), QStringLiteral("Cancel"),
                                     ptRect(84, 148, 60, 22), [this] { cmdCancelSearch_Click(); });
    prgSearch_ = new QProgressBar(this);
    prgSearch_->setObjectName(QStringLiteral("prgSearch"));
    prgSearch_->setRange(0, 1000);
    prgSearch_->setTextVisible(false);
    prgSearch_->setGeometry(ptRect(150, 152, 120, 14));
    ui::setSpokenName(prgSearch_, QStringLiteral("Search progress"));
    lblStatus_ = ui::addLabel(this, QStringLiteral("lblStatus"), QString(), ptRect(278, 148, 614, 22));
    ui::describeValue(lblStatus_, QStringLiteral("Search status"));
    lblStatus_->setWordWrap(true);
    follow(lblStatus_, {0, 0, 1, 0});
    cmdCancelSearch_->hide();
    prgSearch_->hide();
}

// A results table: rows chosen whole, one at a time, read as a table with
// each cell's text; sorted through its proxy by each cell's sort key.
QTableView* FrmFindBlends::makeTable(const QString& name, const QString& spokenName, QStandardItemModel*& model,
                                     QSortFilterProxyModel*& proxy) {
    model = new QStandardItemModel(this);
    proxy = new FinderOrder(this);
    proxy->setSourceModel(model);
    auto* table = new QTableView(this);
    table->setObjectName(name);
    table->setModel(proxy);
    table->setFont(ui::makeFont(QStringLiteral("Tahoma"), 8.25));
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(false);  // Tab leaves the table for the next control
    table->setWordWrap(false);
    table->setTextElideMode(Qt::ElideMiddle);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    table->horizontalHeader()->setHighlightSections(false);
    table->horizontalHeader()->setSectionsClickable(true);
    table->horizontalHeader()->setSortIndicatorShown(true);
    ui::setSpokenName(table, spokenName,
                      QStringLiteral("Safest first until sorted; Return or a double-click uses the selected row"));
    // A click on a header sorts both tables by that column; a second click reverses.
    connect(table->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        sortBy(column, column == sortColumn_ && sortOrder_ == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                                 : Qt::AscendingOrder);
    });
    return table;
}

// The blends found and the buttons under them.
void FrmFindBlends::buildResults() {
    tblFoundBlends_ = makeTable(QStringLiteral("tblFoundBlends"), QStringLiteral("Blends found"), foundModel_, foundOrder_);
    tblFoundBlends_->setGeometry(ptRect(8, 176, 884, 300));
    follow(tblFoundBlends_, {0, 0, 1, 1});

    QPushButton* use = ui::addButton(this, QStringLiteral("cmdUseBlend"), QStringLiteral("Use this blend"),
                                     ptRect(8, 482, 110, 24), [this] { cmdUseBlend_Click(); });
    use->setFont(ui::makeFont(QStringLiteral("Tahoma"), 8.25, true));
    follow(use, {0, 1, 0, 0});
    follow(ui::addButton(this, QStringLiteral("cmdSaveCsv"), QStringLiteral("Save as CSV\u2026"),
                         ptRect(124, 482, 84, 24), [this] { cmdSaveCsv_Click(); }),
           {0, 1, 0, 0});
}

// The order of the tables by keyboard: a column to sort by, and Reverse.
void FrmFindBlends::buildSortRow() {
    QLabel* caption = ui::addLabel(this, QStringLiteral("lblSortBy"), QStringLiteral("Sort by:"), ptRect(232, 487, 38, 14));
    cboSortBy_ = new QComboBox(this);
    cboSortBy_->setObjectName(QStringLiteral("cboSortBy"));
    cboSortBy_->setGeometry(ptRect(270, 484, 150, 18));
    caption->setBuddy(cboSortBy_);
    follow(caption, {0, 1, 0, 0});
    follow(cboSortBy_, {0, 1, 0, 0});
    ui::setSpokenName(cboSortBy_, QStringLiteral("Sort by"),
                      QStringLiteral("The column the tables are sorted by; Rank is the finder's order"));
    connect(cboSortBy_, &QComboBox::activated, this, [this] { cboSortBy_Click(); });
    QPushButton* reverse = ui::addButton(this, QStringLiteral("cmdReverseSort"), QStringLiteral("Reverse"),
                                         ptRect(426, 482, 60, 24), [this] { cmdReverseSort_Click(); });
    reverse->setToolTip(QStringLiteral("Reverses the order of the tables"));
    follow(reverse, {0, 1, 0, 0});
    follow(ui::addButton(this, QStringLiteral("cmdPrint"), QStringLiteral("Print"), ptRect(746, 482, 70, 24),
                         [this] { cmdPrint_Click(); }),
           {1, 1, 0, 0});
    follow(ui::addButton(this, QStringLiteral("cmdClose"), QStringLiteral("Close"), ptRect(822, 482, 70, 24),
                         [this] { close(); }),
           {1, 1, 0, 0});
}

void FrmFindBlends::follow(QWidget* control, Follow how) {
    std::erase_if(followers_, [control](const Follower& f) { return f.control == control; });
    followers_.push_back({control, control->geometry(), how});
    placeFollowers();
}

void FrmFindBlends::placeFollowers() {
    const QSize least = minimumSize();
    const int dx = std::max(0, width() - least.width()), dy = std::max(0, height() - least.height());
    for (const Follower& f : followers_) {
        QRect r = f.base.translated(static_cast<int>(f.how.moveX * dx), static_cast<int>(f.how.moveY * dy));
        r.setSize(r.size() + QSize(static_cast<int>(f.how.growX * dx), static_cast<int>(f.how.growY * dy)));
        f.control->setGeometry(r);
    }
}

void FrmFindBlends::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeFollowers();
}

void FrmFindBlends::setColumns(bool zoneMode) {
    columns_ = finderColumns(zoneMode);
    QStringList titles;
    for (FinderColumn c : columns_) titles << qs(finderColumnTitle(c));
    {
        const QSignalBlocker quiet(cboSortBy_);
        cboSortBy_->clear();
        cboSortBy_->addItems(titles);
    }
    for (QStandardItemModel* model : {foundModel_, insideModel_}) {
        if (!model) continue;
        model->clear();
        model->setHorizontalHeaderLabels(titles);
        for (int i = 0; i < static_cast<int>(columns_.size()); ++i) {
            model->setHeaderData(i, Qt::Horizontal, qs(finderColumnTip(columns_[static_cast<std::size_t>(i)])),
                                 Qt::ToolTipRole);
            model->setHeaderData(i, Qt::Horizontal, Qt::AscendingOrder, Qt::InitialSortOrderRole);
        }
    }
    for (QTableView* table : {tblFoundBlends_, tblSolventsInside_})
        if (table) fitColumns(table);
    sortBy(sortColumn_ < static_cast<int>(columns_.size()) ? sortColumn_ : 0, sortOrder_);
}

// Each column as wide as its heading (with room for the sort mark) or its
// widest figure, and each can be widened by hand; the solvents' names get the
// rest of the width, and a name longer than that is cut in the middle, whole
// in its tooltip.
void FrmFindBlends::fitColumns(QTableView* table) {
    const QFontMetrics metrics(table->font());
    QHeaderView* header = table->horizontalHeader();
    for (int i = 0; i < static_cast<int>(columns_.size()); ++i) {
        const FinderColumn c = columns_[static_cast<std::size_t>(i)];
        if (c == FinderColumn::Solvents) {
            header->setSectionResizeMode(i, QHeaderView::Stretch);
            continue;
        }
        header->setSectionResizeMode(i, QHeaderView::Interactive);
        table->setColumnWidth(i, std::max(metrics.horizontalAdvance(qs(finderColumnTitle(c))) + 24,
                                          metrics.horizontalAdvance(widestText(c)) + 12));
    }
}

void FrmFindBlends::showRows(QStandardItemModel* model, const std::vector<FinderRow>& rows) {
    model->removeRows(0, model->rowCount());
    for (const FinderRow& row : rows) {
        QList<QStandardItem*> items;
        for (std::size_t i = 0; i < row.size() && i < columns_.size(); ++i) {
            const FinderCell& cell = row[i];
            auto* item = new QStandardItem(qs(cell.text));
            item->setEditable(false);
            if (!cell.tip.empty()) item->setToolTip(qs(cell.tip));
            if (const double* key = std::get_if<double>(&cell.sortKey)) item->setData(*key, kSortRole);
            else item->setData(qs(std::get<std::string>(cell.sortKey)), kSortRole);
            item->setTextAlignment(alignmentOf(columns_[i]));
            items << item;
        }
        model->appendRow(items);
    }
}

void FrmFindBlends::sortBy(int column, Qt::SortOrder order) {
    sortColumn_ = column;
    sortOrder_ = order;
    {
        const QSignalBlocker quiet(cboSortBy_);
        cboSortBy_->setCurrentIndex(column);
    }
    for (QTableView* table : {tblFoundBlends_, tblSolventsInside_}) {
        if (!table) continue;
        table->horizontalHeader()->setSortIndicator(column, order);
        table->sortByColumn(column, order);
        if (const int chosen = ui::selectedRow(table); chosen >= 0) table->scrollTo(table->model()->index(chosen, 0));
    }
}

void FrmFindBlends::cboSortBy_Click() { sortBy(std::max(0, cboSortBy_->currentIndex()), Qt::AscendingOrder); }

void FrmFindBlends::cmdReverseSort_Click() {
    sortBy(sortColumn_, sortOrder_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder);
}

int FrmFindBlends::chosenIndex(QTableView* table) const {
    if (!table) return -1;
    const int row = ui::selectedRow(table);
    if (row < 0) return -1;
    const auto* proxy = static_cast<const QSortFilterProxyModel*>(table->model());
    return proxy->mapToSource(proxy->index(row, 0)).row();
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
    o.excludePhasedOut = chkExcludePhasedOut_->isChecked();
    o.excludeHighlyFlammable = chkExcludeHighlyFlammable_->isChecked();
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
    foundRows_.clear();
    insideRows_.clear();
    showRows(foundModel_, foundRows_);
    if (insideModel_) showRows(insideModel_, insideRows_);
    showFlashPointRule();
    if (isZoneMode()) {
        if (!startZoneSearch()) return;
    } else {
        const TargetPoint& target = state_.target;
        lblTarget_->setText(targetText(target));
        const std::string& label = target.label;
        const std::size_t name = label.find(":   ");
        csvName_ = label.empty() ? QStringLiteral("blends for N %1 D %2 W %3").arg(target.n).arg(target.d).arg(target.w)
                                 : QStringLiteral("blends for ") + qs(name == std::string::npos ? label : label.substr(name + 4));
        if (!target.addsTo100()) {
            lblStatus_->clear();
            const MessageText m = blendMessageText(BlendMessage::TargetNot100);
            platform_.messageBox(this, qs(m.title), qs(m.text));
            return;
        }
        job_ = std::make_unique<ParallelBlendSearch>(
            prepareSearch(state_.table, target, readOptions(), state_.properties));
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
    csvName_ = QStringLiteral("blends - ") + target.heading.section(QLatin1Char(':'), 0, 0);
    QString problem;
    if (target.zone.shape == ZoneShape::None) problem = qs(messages::kNoZone);
    else if (target.zone.region.empty()) problem = qs(messages::kZoneEmptyAfterMargin);
    if (!problem.isEmpty()) {
        lblStatus_->setText(problem);
        return false;
    }
    searchedZone_ = target.zone;
    job_ = std::make_unique<ParallelZoneSearch>(
        prepareZoneSearch(state_.table, searchedZone_, readOptions(), state_.properties));
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
    for (std::size_t i = 0; i < blends_.size(); ++i)
        foundRows_.push_back(finderRow(blends_[i], static_cast<int>(i) + 1, state_.table));
    showRows(foundModel_, foundRows_);
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
    ui::selectRow(tblFoundBlends_, 0);
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
    for (std::size_t i = 0; i < zoneBlends_.size(); ++i)
        foundRows_.push_back(finderRow(zoneBlends_[i], static_cast<int>(i) + 1, state_.table));
    for (std::size_t i = 0; i < solventsInside_.size(); ++i)
        insideRows_.push_back(finderRow(solventsInside_[i], static_cast<int>(i) + 1, state_.table));
    showRows(foundModel_, foundRows_);
    showRows(insideModel_, insideRows_);
    lblStatus_->setText(zoneBlends_.empty() ? qs(messages::kZoneNoBlend)
                                            : qs(messages::zoneBlendsFound(outcome.totalFound, zoneBlends_.size())));
    if (!zoneBlends_.empty()) ui::selectRow(tblFoundBlends_, 0);
    else if (!solventsInside_.empty()) ui::selectRow(tblSolventsInside_, 0);
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
        const int row = chosenIndex(tblFoundBlends_), alone = chosenIndex(tblSolventsInside_);
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
    const int row = chosenIndex(tblFoundBlends_);
    if (row < 0 || static_cast<std::size_t>(row) >= blends_.size()) {
        platform_.messageBox(this, qs(messages::kErrorTitle), qs(messages::kFindBlendsNoSelection));
        return;
    }
    // A copy: the handler may start a new search that replaces the list.
    const FoundBlend blend = blends_[static_cast<std::size_t>(row)];
    if (useBlend_) useBlend_(blend);
}

void FrmFindBlends::tblFoundBlends_DblClick() { cmdUseBlend_Click(); }

void FrmFindBlends::cmdSaveCsv_Click() {
    if (foundRows_.empty() && insideRows_.empty()) {
        platform_.messageBox(this, qs(messages::kErrorTitle), qs(messages::kFinderCsvNothing));
        return;
    }
    const QString path = platform_.chooseFile(this, {true, QStringLiteral("Save the Blends as CSV"),
                                                     QStringLiteral("CSV files (*.csv);;All files (*)"),
                                                     ui::fileNameFrom(csvName_, QStringLiteral("blends"), QStringLiteral("csv")), QStringLiteral("csv")});
    if (path.isEmpty()) return;
    // The rows in the order the tables show them: the blends, then the solvents alone.
    std::vector<FinderRow> rows;
    auto listed = [&rows](QTableView* table, const std::vector<FinderRow>& ranked) {
        if (!table) return;
        const auto* proxy = static_cast<const QSortFilterProxyModel*>(table->model());
        for (int r = 0; r < proxy->rowCount(); ++r) {
            const int at = proxy->mapToSource(proxy->index(r, 0)).row();
            if (at >= 0 && static_cast<std::size_t>(at) < ranked.size()) rows.push_back(ranked[static_cast<std::size_t>(at)]);
        }
    };
    listed(tblFoundBlends_, foundRows_);
    listed(tblSolventsInside_, insideRows_);
    if (const QString why = ui::writeWholeFile(path, finderCsv(columns_, rows)); !why.isEmpty()) {
        platform_.messageBox(this, qs(messages::kFinderCsvTitle),
                             qs(messages::finderCsvNotSaved(path.toStdString(), why.toStdString())));
        return;
    }
    lblStatus_->setText(qs(messages::finderCsvSaved(path.toStdString())));
}

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

    // The blends get two thirds of a larger window's height, the solvents alone a third.
    tblFoundBlends_->setGeometry(ptRect(8, 176, 884, 196));
    follow(tblFoundBlends_, {0, 0, 1, 2.0 / 3});
    follow(ui::addLabel(this, QStringLiteral("lblSolventsInside"), qs(messages::kSolventsInsideCaption),
                        ptRect(8, 376, 884, 12)),
           {0, 2.0 / 3, 1, 0});
    tblSolventsInside_ = makeTable(QStringLiteral("tblSolventsInside"), qs(messages::kSolventsInsideCaption),
                                   insideModel_, insideOrder_);
    tblSolventsInside_->setGeometry(ptRect(8, 388, 884, 88));
    follow(tblSolventsInside_, {0, 2.0 / 3, 1, 1.0 / 3});
    ui::setSpokenName(tblFoundBlends_, QStringLiteral("Blends that reach the zone"),
                      tblFoundBlends_->accessibleDescription());
    setTabOrder(tblFoundBlends_, tblSolventsInside_);
    setColumns(true);
    // One choice between the two tables: a row chosen in one leaves the other.
    ui::onClick(tblFoundBlends_, [this] {
        if (ui::selectedRow(tblFoundBlends_) >= 0) ui::selectRow(tblSolventsInside_, -1);
    });
    ui::onClick(tblSolventsInside_, [this] {
        if (ui::selectedRow(tblSolventsInside_) >= 0) ui::selectRow(tblFoundBlends_, -1);
    });
    // Return on either table is its double-click (onDblClick).
    ui::onDblClick(tblSolventsInside_, [this] { cmdUseBlend_Click(); });
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
