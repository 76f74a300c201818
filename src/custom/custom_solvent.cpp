#include "custom/custom_solvent.h"

#include "core/numbers.h"

#include <QAbstractItemView>
#include <QWidget>

namespace tarnwell {

class FrmCustomParams : public QWidget {};

std::string customDescription(double molecularWeight, double specificGravity, DescriptionStyle style) {
    if (style == DescriptionStyle::MainScreen)
        return "MW = " + formatTwoDecimalsNoLead(molecularWeight) + "  Spec. Gravity = " + formatTwoDecimals(specificGravity);
    return "MW = " + formatTwoDecimalsThreeInt(molecularWeight) + "  Specific Gravity = " + formatTwoDecimals(specificGravity);
}

CustomSolventService::CustomSolventService(CustomSolventResult& result, ui::Platform& platform)
    : result_(result), platform_(platform) {}
CustomSolventService::~CustomSolventService() = default;

// Placeholder until the custom solvent screen lands: every request is cancelled.
std::optional<CustomEntry> CustomSolventService::RequestCustomSolvent(QWidget*, QAbstractItemView* list,
                                                                      DescriptionStyle) {
    result_.customAccepted = -1;
    list->clearSelection();
    return std::nullopt;
}

FrmCustomParams* CustomSolventService::screen() { return screen_; }

}  // namespace tarnwell
