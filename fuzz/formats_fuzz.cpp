// The display formats on any double, float and integer: the right shape,
// the right value, and never "inf", "nan" or a negative zero.
#include "core/numbers.h"
#include "fuzz_check.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>

namespace {

using namespace tarnwell;

bool negativeZero(const std::string& s) {
    return !s.empty() && s[0] == '-' && s.find_first_of("123456789") == std::string::npos;
}

struct Format {
    const char* name;
    std::string (*fn)(double);
    int decimals;
    std::regex shape;
};

const Format* formats() {
    static const Format list[] = {
        {"##", formatWhole, 0, std::regex("|-?[1-9][0-9]*")},
        {"##.000", formatFraction3, 3, std::regex("-?([1-9][0-9]*)?\\.[0-9]{3}")},
        {"0.0", formatOneDecimal, 1, std::regex("-?(0|[1-9][0-9]*)\\.[0-9]")},
        {"0.00", formatTwoDecimals, 2, std::regex("-?(0|[1-9][0-9]*)\\.[0-9]{2}")},
        {"###.00", formatTwoDecimalsNoLead, 2, std::regex("-?([1-9][0-9]*)?\\.[0-9]{2}")},
        {"000.00", formatTwoDecimalsThreeInt, 2, std::regex("-?([0-9]{3}|[1-9][0-9]{3,})\\.[0-9]{2}")},
        {nullptr, nullptr, 0, std::regex()},
    };
    return list;
}

void checkDouble(double v) {
    for (const Format* f = formats(); f->name; ++f) {
        const std::string out = f->fn(v);
        if (!std::isfinite(v)) {
            FUZZ_CHECK(out == "X", "%s of %g gave \"%s\"", f->name, v, out.c_str());
            continue;
        }
        FUZZ_CHECK(out.find("inf") == std::string::npos && out.find("nan") == std::string::npos,
                   "%s of %.17g gave \"%s\"", f->name, v, out.c_str());
        FUZZ_CHECK(!negativeZero(out), "%s of %.17g gave \"%s\"", f->name, v, out.c_str());
        if (std::fabs(v) > 1e20) continue;  // the regex on 300-digit texts is slow, and nothing new
        FUZZ_CHECK(std::regex_match(out, f->shape), "%s of %.17g gave \"%s\"", f->name, v, out.c_str());
        const double shown = out.empty() ? 0.0 : std::strtod(out.c_str(), nullptr);
        const double half = 0.5 * std::pow(10.0, -f->decimals);
        FUZZ_CHECK(std::fabs(shown - v) <= half * (1 + 1e-9) + std::fabs(v) * 1e-14,
                   "%s of %.17g gave \"%s\"", f->name, v, out.c_str());
    }
}

void checkFloat(float v) {
    const std::string out = formatShortestSingle(v);
    if (!std::isfinite(v)) {
        FUZZ_CHECK(out == "X", "formatShortestSingle(%g) gave \"%s\"", static_cast<double>(v), out.c_str());
        return;
    }
    FUZZ_CHECK(out.find_first_of("eEin") == std::string::npos && !negativeZero(out),
               "formatShortestSingle(%.9g) gave \"%s\"", static_cast<double>(v), out.c_str());
    FUZZ_CHECK(std::strtof(out.c_str(), nullptr) == v, "formatShortestSingle(%.9g) gave \"%s\"",
               static_cast<double>(v), out.c_str());
}

void checkInteger(std::int64_t v) {
    const std::string plain = formatPlain(v);
    FUZZ_CHECK(plain == std::to_string(v), "formatPlain(%lld) gave \"%s\"", static_cast<long long>(v), plain.c_str());
    const std::string reserved = formatSignReserved(v);
    FUZZ_CHECK(reserved == (v < 0 ? plain : " " + plain), "formatSignReserved(%lld) gave \"%s\"",
               static_cast<long long>(v), reserved.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 8) return 0;
    double bits;
    std::int64_t whole;
    std::memcpy(&bits, data, 8);
    std::memcpy(&whole, data, 8);
    checkDouble(bits);
    checkInteger(whole);
    // Decimal values near the rounding points: whole / 10^k for a small k.
    const int k = size > 8 ? data[8] % 8 : 3;
    checkDouble(static_cast<double>(whole % 100000000000LL) / std::pow(10.0, k));
    float single;
    std::memcpy(&single, data, 4);
    checkFloat(single);
    checkFloat(static_cast<float>(whole % 10000000) / static_cast<float>(std::pow(10.0, k)));
    return 0;
}
