#include "ui/events.h"

#include "ui/keyboard.h"

#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>

namespace tarnwell::ui {

int selectedRow(const QAbstractItemView* list) {
    const QItemSelectionModel* selection = list->selectionModel();
    if (!selection) return -1;
    const QModelIndexList rows = selection->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void selectRow(QAbstractItemView* list, int row) {
    QItemSelectionModel* selection = list->selectionModel();
    if (!selection) return;
    if (row < 0) {
        selection->clearSelection();
        return;
    }
    const QModelIndex index = list->model()->index(row, 0);
    // Rows: a table's row is chosen whole, as a click on it chooses it.
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list->scrollTo(index);
}

void onClick(QAbstractItemView* list, std::function<void()> handler) {
    QObject::connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, list,
                     [handler = std::move(handler)] { handler(); });
}

void onDblClick(QAbstractItemView* list, std::function<void()> handler) {
    QObject::connect(list, &QAbstractItemView::doubleClicked, list, [handler](const QModelIndex& index) {
        if (index.isValid()) handler();
    });
    onReturn(list, handler);
}

void onReturn(QAbstractItemView* list, std::function<void()> handler) {
    // With no row selected Return does nothing, and goes no further (to no
    // default button).
    onReturnKey(list, [list, handler = std::move(handler)] {
        if (selectedRow(list) >= 0) handler();
        return true;
    });
}

void onChange(QLineEdit* field, std::function<void()> handler) {
    QObject::connect(field, &QLineEdit::textChanged, field, [handler = std::move(handler)] { handler(); });
}

void onAfterUpdate(QLineEdit* field, std::function<void()> handler) {
    QObject::connect(field, &QLineEdit::editingFinished, field, [field, handler = std::move(handler)] {
        if (!field->isModified()) return;
        field->setModified(false);
        handler();
    });
}

SolventListView::SolventListView(QWidget* parent) : QListView(parent) {
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void SolventListView::keyboardSearch(const QString& search) {
    if (search.isEmpty() || !model()) return;
    const QChar wanted = search.back().toCaseFolded();
    const int rows = model()->rowCount();
    // In a list of many chosen rows the search only moves the current row:
    // the choice stays the user's, made with Space.
    const bool choosesMany = selectionMode() == QAbstractItemView::MultiSelection;
    const int start = choosesMany ? currentIndex().row() : selectedRow(this);
    for (int step = 1; step <= rows; ++step) {
        const int row = (start + step) % rows;
        const QModelIndex index = model()->index(row, 0);
        const QString label = index.data().toString();
        const int colon = label.indexOf(QLatin1Char(':'));
        const QString name = (colon >= 0 ? label.mid(colon + 1) : label).trimmed();
        if (!name.isEmpty() && name.front().toCaseFolded() == wanted) {
            if (choosesMany) {
                selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
                scrollTo(index);
            } else {
                selectRow(this, row);
            }
            return;
        }
    }
}

QListWidget* makePercentList(QWidget* parent, const QString& objectName) {
    auto* list = new QListWidget(parent);
    list->setObjectName(objectName);
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    QStringList values;
    values.reserve(101);
    for (int i = 0; i <= 100; ++i) values << QString::number(100 - i);
    list->addItems(values);
    return list;
}

bool readPercentList(QListWidget* list, std::int16_t& value) {
    const int row = selectedRow(list);
    if (row < 0) {
        selectRow(list, 100 - value);
        return false;
    }
    value = static_cast<std::int16_t>(100 - row);
    return true;
}

}  // namespace tarnwell::ui
