// The mixture calculation on random solvents and concentrations: for solvents
// whose own N + D + W are 100 the shown N, D, W are whole numbers adding to
// 100, and no figure it shows ever holds "inf", "nan" or a negative zero.
#include "core/mixture.h"
#include "core/numbers.h"
#include "fuzz_check.h"

#include <cmath>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

namespace {

using namespace tarnwell;

bool clean(const std::string& s) {
    const bool negativeZero = !s.empty() && s[0] == '-' && s.find_first_of("123456789") == std::string::npos;
    return s.find("inf") == std::string::npos && s.find("nan") == std::string::npos && !negativeZero;
}

std::string figureText(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: return in.ConsumeRandomLengthString(12);
    case 1: return "none";
    default: return std::to_string(in.ConsumeIntegralInRange<int>(0, 20000));
    }
}

double positiveOrAny(FuzzedDataProvider& in) {
    if (in.ConsumeIntegralInRange<int>(0, 15) == 0) return in.ConsumeFloatingPoint<double>();
    return in.ConsumeFloatingPointInRange<double>(1.0, 1000.0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const bool two = in.ConsumeBool();
    const bool wholeHundred = in.ConsumeIntegralInRange<int>(0, 7) != 0;
    std::array<MixSlot, 3> slots;
    MixtureInputs inputs;
    inputs.twoSolventMode = two;
    // Two-decimal volume fractions that add to 1.00.
    const int a = in.ConsumeIntegralInRange<int>(0, 100);
    const int b = in.ConsumeIntegralInRange<int>(0, 100 - a);
    const int parts[3] = {a, two ? 100 - a : b, two ? 0 : 100 - a - b};
    for (std::size_t k = 0; k < 3; ++k) {
        MixSlot& s = slots[k];
        if (wholeHundred) {
            s.n = in.ConsumeIntegralInRange<std::int16_t>(0, 100);
            s.d = in.ConsumeIntegralInRange<std::int16_t>(0, static_cast<std::int16_t>(100 - s.n));
            s.w = static_cast<std::int16_t>(100 - s.n - s.d);
        } else {
            s.n = in.ConsumeIntegral<std::int16_t>();
            s.d = in.ConsumeIntegral<std::int16_t>();
            s.w = in.ConsumeIntegral<std::int16_t>();
        }
        s.reference = in.ConsumeIntegralInRange<std::int16_t>(0, 3);
        s.molarVolume = positiveOrAny(in);
        s.molecularWeight = static_cast<float>(positiveOrAny(in));
        s.twaMgText = figureText(in);
        s.volumeFraction = readConcentration(std::to_string(parts[k] / 100.0)).value;
        inputs.selectedRow[k] = 0;
        inputs.loaded[k] = true;
        inputs.concentrationEntered[k] = true;
        inputs.twaText[k] = figureText(in);
        inputs.vhrText[k] = figureText(in);
    }
    MixtureCalculation calc;
    calc.total = concentrationTotal(slots[0].volumeFraction, slots[1].volumeFraction,
                                    two ? 0.0f : slots[2].volumeFraction);
    const MixtureOutcome out = calculateMixture(slots, calc, inputs);
    FUZZ_CHECK(out.check == MixCheck::Passed, "check %d with fractions %d %d %d", static_cast<int>(out.check),
               parts[0], parts[1], parts[2]);

    for (const std::string& t : out.ndwText) FUZZ_CHECK(clean(t), "N/D/W text \"%s\"", t.c_str());
    FUZZ_CHECK(clean(out.twa.text) && clean(out.vhr.text), "TWA \"%s\" VHR \"%s\"", out.twa.text.c_str(),
               out.vhr.text.c_str());
    if (!wholeHundred) return 0;

    // Positive molar volumes always give a mixture.
    bool sensible = true;
    for (std::size_t k = 0; k < (two ? 2u : 3u); ++k)
        sensible &= slots[k].molarVolume >= 1.0 && slots[k].molarVolume <= 1000.0;
    if (!sensible) return 0;
    FUZZ_CHECK(out.ndwAvailable, "no N/D/W for positive molar volumes");
    int total = 0;
    for (const std::string& t : out.ndwText) {
        const auto v = parseWholeNumber(t.empty() ? "0" : t);
        FUZZ_CHECK(v && *v >= 0 && *v <= 100, "N/D/W text \"%s\"", t.c_str());
        total += *v;
    }
    FUZZ_CHECK(total == 100, "N + D + W = %d (\"%s\" \"%s\" \"%s\")", total, out.ndwText[0].c_str(),
               out.ndwText[1].c_str(), out.ndwText[2].c_str());
    return 0;
}
