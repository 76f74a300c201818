// How a blend evaporates, on random solvents, amounts and vapour pressures
// (0, unknown, tiny, huge): it never crashes or hangs; the path's shares rise
// from 0 and never pass what the liquid can reach; a mark is reached only
// below that share, and in order; a reached mark's volume fractions add to 1
// and its N, D, W to 100; no text holds "inf" or "nan".
#include "core/evaporation.h"
#include "fuzz_check.h"

#include <charconv>
#include <cmath>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

namespace {

using namespace tarnwell;

bool clean(const std::string& s) { return s.find("inf") == std::string::npos && s.find("nan") == std::string::npos; }

std::string exactText(double value) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

std::string pressureText(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange<int>(0, 7)) {
    case 0: return "none";
    case 1: return "0";
    case 2: return exactText(in.ConsumeFloatingPointInRange<double>(0.0, 1e-6));
    case 3: return exactText(in.ConsumeFloatingPointInRange<double>(1e3, 1e9));
    default: return exactText(in.ConsumeFloatingPointInRange<double>(0.0, 800.0));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    EvaporationInput input;
    input.count = in.ConsumeBool() ? 2 : 3;
    std::string file = std::string(kPropertiesHeader) + "\n";
    for (std::size_t k = 0; k < input.count; ++k) {
        EvaporationSolvent& s = input.solvents[k];
        s.slot = static_cast<int>(k) + 1;
        s.label = "2:   Solvent " + std::to_string(k);
        s.enteredByHand = in.ConsumeIntegralInRange<int>(0, 15) == 0;
        s.ndw.n = in.ConsumeIntegralInRange<std::int16_t>(0, 100);
        s.ndw.d = in.ConsumeIntegralInRange<std::int16_t>(0, static_cast<std::int16_t>(100 - s.ndw.n));
        s.ndw.w = static_cast<std::int16_t>(100 - s.ndw.n - s.ndw.d);
        s.molarVolume = in.ConsumeFloatingPointInRange<double>(10.0, 500.0);
        s.molecularWeight = in.ConsumeFloatingPointInRange<double>(10.0, 500.0);
        s.twaText = std::to_string(in.ConsumeIntegralInRange<int>(0, 2000));
        s.twaMgText = std::to_string(in.ConsumeIntegralInRange<int>(0, 5000));
        s.vhrText = in.ConsumeBool() ? "none" : std::to_string(in.ConsumeIntegralInRange<int>(0, 100000));
        s.startMoles = in.ConsumeIntegralInRange<int>(0, 100) / 100.0 / s.molarVolume;
        file += s.label + "\t" + pressureText(in) + "\t100\t" + std::to_string(in.ConsumeIntegralInRange<int>(-50, 300)) +
                "\tIB\tx\n";
    }
    const SolventPropertiesFile properties = parseSolventProperties(file);
    FUZZ_CHECK(properties.status == PropertiesFileStatus::Loaded, "%s", properties.error.message.c_str());
    const EvaporationResult r = computeEvaporation(input, properties);
    for (const std::string* t : {&r.unknownText, &r.lastSolventText, &r.runOutText, &r.flammabilityText})
        FUZZ_CHECK(clean(*t), "text: %s", t->c_str());
    if (!r.mixtureKnown) return 0;
    FUZZ_CHECK(r.marks[0].state == MarkState::Reached, "the start is always known");
    if (!r.pathKnown) {
        FUZZ_CHECK(!r.unknownText.empty() && r.path.empty(), "no path, but no reason or a path");
        return 0;
    }
    FUZZ_CHECK(!r.path.empty() && r.path.front().share == 0.0, "the path starts elsewhere");
    for (std::size_t i = 1; i < r.path.size(); ++i) {
        FUZZ_CHECK(r.path[i].share > r.path[i - 1].share, "share falls at point %zu", i);
        FUZZ_CHECK(r.path[i].share <= r.reachableShare + 1e-12, "share %g past %g", r.path[i].share, r.reachableShare);
        FUZZ_CHECK(std::isfinite(r.path[i].point.x) && std::isfinite(r.path[i].point.y), "a point off the plane");
    }
    bool stopped = false;
    for (const EvaporationMark& m : r.marks) {
        FUZZ_CHECK(m.state != MarkState::Unknown, "mark %d unknown with a path", m.percent);
        if (m.state == MarkState::NotReached) {
            stopped = true;
            FUZZ_CHECK(m.percent / 100.0 >= r.reachableShare - 1e-6, "mark %d not reached below %g", m.percent,
                       r.reachableShare);
            continue;
        }
        FUZZ_CHECK(!stopped, "mark %d reached after one that was not", m.percent);
        FUZZ_CHECK(m.percent / 100.0 < r.reachableShare + 1e-12, "mark %d reached past %g", m.percent, r.reachableShare);
        double sum = 0.0;
        for (std::size_t k = 0; k < input.count; ++k) sum += m.volumeFraction[k];
        FUZZ_CHECK(std::fabs(sum - 1.0) < 1e-9, "volume fractions add to %.12g at %d", sum, m.percent);
        if (m.ndw) FUZZ_CHECK(m.ndw->n + m.ndw->d + m.ndw->w == 100, "N + D + W = %d", m.ndw->n + m.ndw->d + m.ndw->w);
        FUZZ_CHECK(clean(m.twaText) && clean(m.vhrText), "figures %s / %s", m.twaText.c_str(), m.vhrText.c_str());
    }
    return 0;
}
