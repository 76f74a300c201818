#include "ui/solvent_labels.h"

namespace tarnwell::ui {

std::unique_ptr<QStringListModel> makeSolventLabelModel(const SolventTable& table) {
    QStringList labels;
    labels.reserve(static_cast<qsizetype>(table.labels.size()));
    for (const std::string& label : table.labels) labels << QString::fromStdString(label);
    return std::make_unique<QStringListModel>(labels);
}

}  // namespace tarnwell::ui
