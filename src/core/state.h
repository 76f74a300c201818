#pragma once
// The state the screens share. The application owns one AppState and hands it
// to each screen by reference, so tests can build a fresh one.

#include "core/database.h"
#include "core/solvent_properties.h"
#include "core/teas_point.h"

#include <array>
#include <cstdint>
#include <string>

namespace tarnwell {

// One of the main screen's three solvent columns: its N, D, W and the rest.
struct SolventSlot : TeasPoint {
    std::string label;
    double molarVolume = 0.0;
    double molecularWeight = 0.0;
    std::string effects;
};

// The blend solver's target point.
struct TargetPoint : TeasPoint {
    std::int16_t reference = 0;  // 0 for a target set by hand
    std::string label;
    std::string twaText;
    std::string vhrText;
    std::string effects;
};

// Per slot: what the last solve found and the hazard texts of its record.
struct BlendSlotResult {
    double concentration = 0.0;  // mole fraction
    std::int16_t reference = 0;
    std::string twaText;
    std::string twaMgText;
    std::string vhrText;
};

struct BlendResult {
    double mixN = 0.0, mixD = 0.0, mixW = 0.0;
    std::array<BlendSlotResult, 3> slotResults;
};

// What the custom solvent screen leaves behind for the screen that asked.
struct CustomSolventResult {
    std::int16_t customAccepted = -1;  // 1 or more: a valid entry was confirmed
    std::int16_t customN = 0, customD = 0, customW = 0;  // as the custom screen's lists set them
    TeasPoint customPoint() const { return {customN, customD, customW}; }
    double customMW = 0.0;
    double customSG = 0.0;
    float customMolarVolume = 0.0f;
};

struct AppState {
    SolventTable table;
    std::array<SolventSlot, 3> solventSlots;  // not "slots": Qt defines that word as a macro
    TargetPoint target;
    std::int16_t twoSolventMode = 0;  // -1 two solvents; 0 and 1 three
    BlendResult blendResult;
    CustomSolventResult custom;
    // Vapour pressures, boiling and flash points, read beside the database when
    // the main screen opens; missing or damaged leaves them unknown.
    SolventPropertiesFile properties;
};

}  // namespace tarnwell
