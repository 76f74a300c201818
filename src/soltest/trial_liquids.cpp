#include "soltest/trial_liquids.h"

#include "ui/text.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <QTimer>
#include <set>

namespace tarnwell {

namespace {

constexpr TestResult kResults[] = {TestResult::Dissolves, TestResult::Partly, TestResult::NoEffect,
                                   TestResult::NotTried};

QColor resultBackground(TestResult result) {
    switch (result) {
    case TestResult::Dissolves: return QColor(214, 238, 214);
    case TestResult::Partly: return QColor(255, 236, 179);
    case TestResult::NoEffect: return QColor(255, 214, 214);
    case TestResult::NotTried: break;
    }
    return QColor(255, 255, 255);
}

// The result cell's editor: a list of the four results, open at once, whose
// choice is taken as soon as it is made.
class ResultDelegate final : public QStyledItemDelegate {
public:
    explicit ResultDelegate(TestLiquidTable* table) : QStyledItemDelegate(table), table_(table) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
        auto* box = new QComboBox(parent);
        box->setObjectName(QStringLiteral("cboResult"));
        box->setAccessibleName(QStringLiteral("Result of ") + index.siblingAtColumn(TestLiquidTable::Name).data().toString());
        for (TestResult r : kResults) box->addItem(ui::qs(testResultText(r)));
        connect(box, &QComboBox::activated, box, [this, box] {
            auto* self = const_cast<ResultDelegate*>(this);
            emit self->commitData(box);
            emit self->closeEditor(box, QAbstractItemDelegate::NoHint);
        });
        QTimer::singleShot(0, box, &QComboBox::showPopup);
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* box = static_cast<QComboBox*>(editor);
        const int at = box->findText(index.data().toString());
        box->setCurrentIndex(at < 0 ? 0 : at);
    }
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
        const int at = static_cast<QComboBox*>(editor)->currentIndex();
        if (at >= 0 && at < 4) table_->chooseResult(index.row(), kResults[at]);
    }

private:
    TestLiquidTable* table_;
};

QTableWidgetItem* cell(const QString& text, Qt::Alignment alignment, bool editable) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editable) flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
    return item;
}

}  // namespace

TestLiquidTable::TestLiquidTable(QWidget* parent) : QTableWidget(0, ColumnCount, parent) {
    setHorizontalHeaderLabels({QStringLiteral("Liquid"), QStringLiteral("N"), QStringLiteral("D"), QStringLiteral("W"),
                               QStringLiteral("Result")});
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    setTabKeyNavigation(false);  // Tab leaves the table for the next control
    setWordWrap(false);
    setItemDelegateForColumn(Result, new ResultDelegate(this));
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(Name, QHeaderView::Stretch);
    for (int c : {N, D, W}) {
        horizontalHeader()->setSectionResizeMode(c, QHeaderView::Fixed);
        setColumnWidth(c, 38);
    }
    horizontalHeader()->setSectionResizeMode(Result, QHeaderView::Fixed);
    setColumnWidth(Result, 84);
}

void TestLiquidTable::showTest(const SolubilityTest& test) {
    const int current = currentRow();
    setRowCount(static_cast<int>(test.liquids.size()));
    for (int row = 0; row < rowCount(); ++row) {
        const TestLiquid& liquid = test.liquids[static_cast<std::size_t>(row)];
        setItem(row, Name, cell(ui::qs(liquid.name), Qt::AlignLeft, false));
        setItem(row, N, cell(ui::qs(liquidValueText(liquid.n)), Qt::AlignRight, false));
        setItem(row, D, cell(ui::qs(liquidValueText(liquid.d)), Qt::AlignRight, false));
        setItem(row, W, cell(ui::qs(liquidValueText(liquid.w)), Qt::AlignRight, false));
        setItem(row, Result, cell(QString(), Qt::AlignLeft, true));
        showResult(row, liquid.result);
    }
    if (current >= 0 && current < rowCount()) setCurrentCell(current, Name, QItemSelectionModel::NoUpdate);
}

void TestLiquidTable::showResult(int row, TestResult result) {
    QTableWidgetItem* item = this->item(row, Result);
    if (!item) return;
    item->setText(ui::qs(testResultText(result)));
    item->setBackground(resultBackground(result));
}

void TestLiquidTable::setRowNote(int row, const QString& note) {
    for (int c = 0; c < ColumnCount; ++c)
        if (QTableWidgetItem* i = item(row, c)) i->setToolTip(note);
    if (QTableWidgetItem* name = item(row, Name)) name->setText(name->text() + QStringLiteral("  (see note)"));
}

std::vector<int> TestLiquidTable::chosenRows() const {
    std::set<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) rows.insert(index.row());
    return {rows.begin(), rows.end()};
}

void TestLiquidTable::chooseResult(int row, TestResult result) {
    if (row >= 0 && row < rowCount()) emit resultChosen(row, result);
}

void TestLiquidTable::keyPressEvent(QKeyEvent* event) {
    if (state() != QAbstractItemView::EditingState && event->modifiers() == Qt::NoModifier) {
        std::optional<TestResult> result;
        switch (event->key()) {
        case Qt::Key_D: result = TestResult::Dissolves; break;
        case Qt::Key_P: result = TestResult::Partly; break;
        case Qt::Key_N: result = TestResult::NoEffect; break;
        case Qt::Key_T: result = TestResult::NotTried; break;
        case Qt::Key_Delete:
            emit removeRequested();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // As a double-click on the row's result: its list of results.
            if (currentRow() >= 0) edit(model()->index(currentRow(), Result));
            return;
        default: break;
        }
        if (result) {
            for (int row : chosenRows()) chooseResult(row, *result);
            return;
        }
    }
    QTableWidget::keyPressEvent(event);
}

}  // namespace tarnwell
