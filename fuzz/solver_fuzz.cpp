// The blend solver on random solvents and targets: a solution always has
// concentrations in [-0.00001, 1.00001] adding to 1, and a mixture within
// +/- 0.5 of the target; nothing it reports is ever not finite.
#include "core/blend_solver.h"
#include "fuzz_check.h"

#include <cmath>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

using namespace tarnwell;

// Mostly solvents as the database holds them (N + D + W = 100), sometimes any
// 16-bit values, as a damaged record or a hand-set target can give.
TeasPoint triple(FuzzedDataProvider& in) {
    if (in.ConsumeIntegralInRange<int>(0, 7) == 0)
        return {in.ConsumeIntegral<std::int16_t>(), in.ConsumeIntegral<std::int16_t>(),
                in.ConsumeIntegral<std::int16_t>()};
    const auto n = in.ConsumeIntegralInRange<std::int16_t>(0, 100);
    const auto d = in.ConsumeIntegralInRange<std::int16_t>(0, static_cast<std::int16_t>(100 - n));
    return {n, d, static_cast<std::int16_t>(100 - n - d)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const bool two = in.ConsumeBool();
    const std::array<TeasPoint, 3> slots{triple(in), triple(in), triple(in)};
    const TeasPoint target = triple(in);
    const SolveResult r = solveConcentrations(slots, target, two);

    FUZZ_CHECK(r.message == BlendMessage::Solved || r.message == BlendMessage::GammaZero ||
                   r.message == BlendMessage::DenominatorZero || r.message == BlendMessage::Negative ||
                   r.message == BlendMessage::AboveOne || r.message == BlendMessage::OutsideTolerance,
               "message %d", static_cast<int>(r.message));
    if (r.passesEnded) {
        for (double k : r.concentration) FUZZ_CHECK(std::isfinite(k), "concentration %g", k);
        FUZZ_CHECK(std::isfinite(r.mixN) && std::isfinite(r.mixD) && std::isfinite(r.mixW), "mixture %g %g %g",
                   r.mixN, r.mixD, r.mixW);
    }
    if (r.message != BlendMessage::Solved) return 0;

    FUZZ_CHECK(r.passesEnded, "solved without a mixture");
    double sum = 0, n = 0, d = 0, w = 0;
    for (int k = 0; k < 3; ++k) {
        const double c = r.concentration[static_cast<std::size_t>(k)];
        FUZZ_CHECK(c >= -0.00001 && c <= 1.00001, "slot %d concentration %.17g", k + 1, c);
        sum += c;
        // In two-solvent mode slot 3 takes part as N = D = W = 0.
        const TeasPoint s = two && k == 2 ? TeasPoint{} : slots[static_cast<std::size_t>(k)];
        n += c * s.n;
        d += c * s.d;
        w += c * s.w;
    }
    FUZZ_CHECK(std::fabs(sum - 1.0) < 1e-9, "concentrations add to %.17g", sum);
    // The mixture recomputed here from the concentrations, not taken on trust.
    const double tol = 0.5 + 1e-9;
    FUZZ_CHECK(std::fabs(n - target.n) <= tol && std::fabs(d - target.d) <= tol && std::fabs(w - target.w) <= tol,
               "mixture %.6f %.6f %.6f for target %d %d %d", n, d, w, target.n, target.d, target.w);
    FUZZ_CHECK(std::fabs(n - r.mixN) < 1e-6 && std::fabs(d - r.mixD) < 1e-6 && std::fabs(w - r.mixW) < 1e-6,
               "reported mixture %.9f %.9f %.9f, recomputed %.9f %.9f %.9f", r.mixN, r.mixD, r.mixW, n, d, w);
    return 0;
}
