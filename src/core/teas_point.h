#pragma once
// A point of the Teas system as the program holds it: N, D and W as whole
// percentages (16-bit, as read from the database or chosen in a list). Every
// solvent, slot, target and custom entry is one of these.

#include <cstdint>

namespace tarnwell {

struct TeasPoint {
    std::int16_t n = 0, d = 0, w = 0;

    // Only a point whose three parameters add up to exactly 100 can be a
    // target, a custom solvent or a mixture's result.
    bool addsTo100() const { return n + d + w == 100; }

    bool operator==(const TeasPoint&) const = default;
};

}  // namespace tarnwell
