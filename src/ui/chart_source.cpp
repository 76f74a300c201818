#include "ui/chart_source.h"

namespace tarnwell::ui {

void ChartMarks::fillFrom(const ChartMarks& other) {
    for (std::size_t k = 0; k < slotMarks.size(); ++k)
        if (!slotMarks[k]) slotMarks[k] = other.slotMarks[k];
    if (!target) target = other.target;
    if (!blend) {
        blend = other.blend;
        evaporation = other.evaporation;
    }
    if (!zone) zone = other.zone;
}

}  // namespace tarnwell::ui
