#pragma once
// A calculator column for the benchmarks, as a double-click and a typed
// concentration leave it. No Qt here: MixSlot's neighbours in the shared
// state are named `slots`, which Qt's keyword macro would swallow.
#include "core/mixture.h"

namespace tarnwell::bench {

inline MixSlot mixSlot(std::int16_t n, std::int16_t d, std::int16_t w, double molarVolume, float molecularWeight,
                       const char* twaMg, float fraction, const char* label = "") {
    MixSlot s;
    s.n = n;
    s.d = d;
    s.w = w;
    s.reference = 2;
    s.molarVolume = molarVolume;
    s.molecularWeight = molecularWeight;
    s.twaMgText = twaMg;
    s.label = label;
    s.volumeFraction = fraction;
    return s;
}

}  // namespace tarnwell::bench
