#pragma once
// The one model of solvent labels that every solvent list of the program shows.
//
// A row's text is made when a view asks for it: the lists draw only the rows
// in sight, so even the largest database costs nothing to show.

#include "core/database.h"

#include <QAbstractListModel>
#include <memory>
#include <string_view>
#include <vector>

namespace tarnwell::ui {

class SolventLabelModel final : public QAbstractListModel {
public:
    explicit SolventLabelModel(const SolventTable& table);

    // Asked for every row each time a list lays itself out; answered without
    // the base class's round of virtual calls.
    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::vector<std::string_view> labels_;
    std::shared_ptr<const SolventTable::Storage> texts_;  // keeps the labels' bytes alive
};

std::unique_ptr<SolventLabelModel> makeSolventLabelModel(const SolventTable& table);

}  // namespace tarnwell::ui
