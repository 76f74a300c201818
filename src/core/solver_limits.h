#pragma once
// The numbers that decide what the blend solver accepts. The solver, the
// finders' pruning and the help texts that explain a match all use these.

namespace tarnwell {

// A blend matches its target when each of N, D and W lies within this of the
// target's; a difference of exactly this passes.
inline constexpr double kMatchTolerance = 0.5;

// A pivot of the elimination smaller than this is taken as zero: the solvents
// give no unique blend (the same solvent twice, or three on one line).
inline constexpr double kPivotLimit = 0.00001;

// A concentration below this is negative: the solvent is left out and the
// blend solved again without it. Between this and 0 it counts as 0.
inline constexpr double kNegativeLimit = -0.00001;

// A concentration above this is more than the whole blend.
inline constexpr double kUpperLimit = 1.00001;

// A share within +/- this is no share at all: the solvent is not in the blend.
inline constexpr double kZeroBand = -kNegativeLimit;

}  // namespace tarnwell
