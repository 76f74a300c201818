#pragma once
// The one model of solvent labels that every solvent list of the program shows.

#include "core/database.h"

#include <QStringListModel>
#include <memory>

namespace tarnwell::ui {

std::unique_ptr<QStringListModel> makeSolventLabelModel(const SolventTable& table);

}  // namespace tarnwell::ui
