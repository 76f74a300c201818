#include "ui/solvent_labels.h"

#include "ui/text.h"

namespace tarnwell::ui {

SolventLabelModel::SolventLabelModel(const SolventTable& table) : labels_(table.labels), texts_(table.storage) {}

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
