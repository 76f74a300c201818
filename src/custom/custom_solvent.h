#pragma once
// Entering a solvent by hand: the custom solvent screen and the request steps
// that both asking screens (the main screen and the calculator) share.

#include "core/state.h"

#include <QPointer>
#include <cstdint>
#include <optional>
#include <string>

class QAbstractItemView;
class QWidget;

namespace tarnwell::ui { class Platform; }

namespace tarnwell {

class FrmCustomParams;

// How the asking screen writes the description of an entered solvent.
enum class DescriptionStyle {
    MainScreen,  // "MW = " "###.00" "  Spec. Gravity = " "0.00"
    Calculator,  // "MW = " "000.00" "  Specific Gravity = " "0.00"
};

std::string customDescription(double molecularWeight, double specificGravity, DescriptionStyle style);

struct CustomEntry : TeasPoint {
    double molarVolume = 0.0;
    std::string description;
};

// Owns the one custom solvent screen of the program and runs requests on it.
class CustomSolventService {
public:
    CustomSolventService(CustomSolventResult& result, ui::Platform& platform);
    ~CustomSolventService();

    // Disables `askingScreen`, shows the custom screen modally, and on a
    // confirmed entry gives it back; otherwise clears `list`'s selection and
    // gives nothing. Re-enables the asking screen in every case.
    std::optional<CustomEntry> RequestCustomSolvent(QWidget* askingScreen, QAbstractItemView* list,
                                                    DescriptionStyle style);

    // The screen as it is now (created on first use); for tests.
    FrmCustomParams* screen();
    // The screen, created (and initialized) now if there is none.
    FrmCustomParams* ensureScreen();

private:
    CustomSolventResult& result_;
    ui::Platform& platform_;
    QPointer<FrmCustomParams> screen_;
    bool busy_ = false;
};

}  // namespace tarnwell
