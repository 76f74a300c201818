// Every text-to-number conversion on arbitrary text, checked against the C
// library's own reading of the same digits.
#include "core/numbers.h"
#include "fuzz_check.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace tarnwell;

bool blank(char c) { return c == ' ' || c == '\t'; }
bool digit(char c) { return c >= '0' && c <= '9'; }

// The number pattern: blanks, sign, digits with at most one point (one digit
// at least), an exponent with digits, blanks.
bool referenceNumeric(std::string_view s) {
    std::size_t i = 0, n = s.size();
    while (i < n && blank(s[i])) ++i;
    while (n > i && blank(s[n - 1])) --n;
    if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < n && digit(s[i])) ++i, ++digits;
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && digit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t exp = 0;
        while (i < n && digit(s[i])) ++i, ++exp;
        if (exp == 0) return false;
    }
    return i == n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const bool numeric = isNumericText(text);
    FUZZ_CHECK(numeric == referenceNumeric(text), "isNumericText(\"%s\") = %d", text.c_str(), numeric);
    FUZZ_CHECK(isNumericText(" \t" + text + "\t ") == numeric, "blanks around \"%s\"", text.c_str());

    const auto d = parseDouble(text);
    const auto f = parseSingle(text);
    const auto w = parseWholeNumber(text);
    if (!numeric) {
        FUZZ_CHECK(!d && !f && !w, "a value from the non-number \"%s\"", text.c_str());
        return 0;
    }
    if (text.find('\0') != std::string::npos) return 0;  // strtod stops at a NUL; the pattern already rejects it

    std::string trimmed = text;
    while (!trimmed.empty() && blank(trimmed.back())) trimmed.pop_back();
    const double cd = std::strtod(trimmed.c_str(), nullptr);
    if (std::isinf(cd)) {
        FUZZ_CHECK(!d, "\"%s\" beyond the double range gave %g", text.c_str(), *d);
    } else {
        FUZZ_CHECK(d.has_value(), "\"%s\" gave no double", text.c_str());
        FUZZ_CHECK(std::isfinite(*d), "\"%s\" gave %g", text.c_str(), *d);
        const bool underflow = std::fabs(cd) < DBL_MIN;
        FUZZ_CHECK(*d == cd || (underflow && *d == 0.0), "\"%s\": %.17g, C library %.17g", text.c_str(), *d, cd);
    }
    const float cf = std::strtof(trimmed.c_str(), nullptr);
    if (std::isinf(cf)) {
        FUZZ_CHECK(!f, "\"%s\" beyond the float range gave %g", text.c_str(), static_cast<double>(*f));
    } else {
        FUZZ_CHECK(f.has_value(), "\"%s\" gave no float", text.c_str());
        const bool underflow = std::fabs(cf) < FLT_MIN;
        FUZZ_CHECK(*f == cf || (underflow && *f == 0.0f), "\"%s\": float %.9g, C library %.9g", text.c_str(),
                   static_cast<double>(*f), static_cast<double>(cf));
    }
    if (d) {
        const double whole = roundHalfEven(*d);
        FUZZ_CHECK(whole == std::nearbyint(*d), "roundHalfEven(%.17g) = %.17g", *d, whole);
        FUZZ_CHECK(!std::signbit(whole) || whole != 0.0, "roundHalfEven(%.17g) is -0", *d);
        if (whole >= -32768.0 && whole <= 32767.0)
            FUZZ_CHECK(w && *w == static_cast<std::int16_t>(whole), "parseWholeNumber(\"%s\")", text.c_str());
        else
            FUZZ_CHECK(!w, "parseWholeNumber(\"%s\") out of range gave %d", text.c_str(), *w);
    } else {
        FUZZ_CHECK(!w, "a whole number without a double from \"%s\"", text.c_str());
    }
    return 0;
}
