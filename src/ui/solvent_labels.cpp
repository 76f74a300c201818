#include "ui/solvent_labels.h"

#include "ui/text.h"

namespace tarnwell::ui {

SolventLabelModel::SolventLabelModel(const SolventTable& table) : labels_(table.labels), texts_(table.storage) {}

QModelIndex SolventLabelModel::index(int row, int column, const QModelIndex& parent) const {
    const bool inside = row >= 0 && row < static_cast<int>(labels_.size()) && column == 0 && !parent.isValid();
    return inside ? createIndex(row, column) : QModelIndex();
}

int SolventLabelModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(labels_.size());
}

QVariant SolventLabelModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(labels_.size())) return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    return qs(labels_[static_cast<std::size_t>(index.row())]);
}

std::unique_ptr<SolventLabelModel> makeSolventLabelModel(const SolventTable& table) {
    return std::make_unique<SolventLabelModel>(table);
}

}  // namespace tarnwell::ui
