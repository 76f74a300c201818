#include "custom/custom_solvent.h"

#include "core/numbers.h"
#include "custom/frm_custom_params.h"
#include "ui/events.h"
#include "ui/keyboard.h"
#include "ui/layout.h"

#include <QAbstractItemView>
#include <QPointer>
#include <QWidget>

namespace tarnwell {

std::string customDescription(double molecularWeight, double specificGravity, DescriptionStyle style) {
    if (style == DescriptionStyle::MainScreen)
        return "MW = " + formatTwoDecimalsNoLead(molecularWeight) + "  Spec. Gravity = " + formatTwoDecimals(specificGravity);
    return "MW = " + formatTwoDecimalsThreeInt(molecularWeight) + "  Specific Gravity = " + formatTwoDecimals(specificGravity);
}

CustomSolventService::CustomSolventService(CustomSolventResult& result, ui::Platform& platform)
    : result_(result), platform_(platform) {}

// The screen has no parent (a disabled asking screen would disable it too),
// so it is ours to delete.
CustomSolventService::~CustomSolventService() { delete screen_.data(); }

FrmCustomParams* CustomSolventService::ensureScreen() {
    if (!screen_) screen_ = new FrmCustomParams(result_, platform_);
    return screen_;
}

std::optional<CustomEntry> CustomSolventService::RequestCustomSolvent(QWidget* askingWidget,
                                                                      QAbstractItemView* askingList,
                                                                      DescriptionStyle style) {
    // Guarded: the program may be ending (and its screens going) while the
    // modal loop runs.
    QPointer<QWidget> askingScreen(askingWidget);
    QPointer<QAbstractItemView> list(askingList);
    // The screen is modal, so a second request can only come from code run
    // while it is up; it must not show the screen twice.
    if (busy_) return std::nullopt;
    busy_ = true;

    // Taken before the screen is disabled, which moves its focus away.
    const ui::KeyboardReturn keyboardBack(askingScreen);
    if (askingScreen) askingScreen->setEnabled(false);

    result_.customAccepted = -1;
    FrmCustomParams* screen = ensureScreen();
    ui::centreOn(screen, askingScreen);
    screen->exec();

    std::optional<CustomEntry> entry;
    if (result_.customAccepted < 1) {
        // The asking screen's Click handler sees the emptied list and treats
        // the slot as not chosen.
        if (list) ui::selectRow(list, -1);
    } else {
        entry = CustomEntry{result_.customN, result_.customD, result_.customW,
                            static_cast<double>(result_.customMolarVolume),
                            customDescription(result_.customMW, result_.customSG, style)};
    }

    // A screen closed by its close box is spent: the next request starts
    // from a fresh, initialized one.
    if (screen_ && screen_->discarded()) {
        delete screen_.data();
        screen_ = nullptr;
        ensureScreen();
    }
    if (screen_) screen_->hide();

    if (askingScreen) askingScreen->setEnabled(true);
    busy_ = false;
    return entry;
}

FrmCustomParams* CustomSolventService::screen() { return screen_; }

}  // namespace tarnwell
