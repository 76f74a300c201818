#include "core/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace tarnwell {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the number pattern and tells where the digits stand, so that an
// out-of-range result can be told apart as overflow or underflow.
struct NumberShape {
    bool valid = false;
    bool negative = false;
    std::string_view unsignedText;  // the text without its sign
    long long magnitude = 0;        // decimal exponent of the leading non-zero digit
    bool allZero = true;
};

NumberShape shapeOf(std::string_view text) {
    NumberShape shape;
    text = trimBlanks(text);
    if (text.empty()) return shape;
    std::size_t i = 0;
    if (text[0] == '+' || text[0] == '-') {
        shape.negative = text[0] == '-';
        i = 1;
    }
    shape.unsignedText = text.substr(i);
    std::size_t digits = 0;
    long long significantIntegerDigits = 0;  // integer digits from the first non-zero one
    long long leadingFractionZeros = 0;      // zeros after the point before the first non-zero digit
    bool seenPoint = false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (isDigit(c)) {
            ++digits;
            if (c != '0') shape.allZero = false;
            if (!seenPoint && !shape.allZero) ++significantIntegerDigits;
            if (seenPoint && shape.allZero) ++leadingFractionZeros;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (digits == 0) return shape;
    long long exponent = 0;
    if (i < text.size()) {
        if (text[i] != 'e' && text[i] != 'E') return shape;
        ++i;
        bool expNegative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            expNegative = text[i] == '-';
            ++i;
        }
        std::size_t expDigits = 0;
        for (; i < text.size() && isDigit(text[i]); ++i) {
            ++expDigits;
            if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[i] - '0');
        }
        if (expDigits == 0 || i != text.size()) return shape;
        if (expNegative) exponent = -exponent;
    }
    shape.magnitude = (significantIntegerDigits > 0 ? significantIntegerDigits - 1 : -(leadingFractionZeros + 1)) + exponent;
    shape.valid = true;
    return shape;
}

template <typename T>
std::optional<T> parseFloating(std::string_view text) {
    NumberShape shape = shapeOf(text);
    if (!shape.valid) return std::nullopt;
    const T sign = shape.negative ? T(-1) : T(1);
    if (shape.allZero) return sign * T(0);
    T value{};
    const char* first = shape.unsignedText.data();
    const char* last = first + shape.unsignedText.size();
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        if (shape.magnitude < 0) return sign * T(0);  // underflow: the value is 0 at this precision
        return std::nullopt;                           // overflow
    }
    if (ec != std::errc() || ptr != last) return std::nullopt;
    if (!std::isfinite(value)) return std::nullopt;
    return sign * value;
}

// value x 10^decimals rounded half away from zero, as decimal digits, after
// first taking the value to 15 significant digits.
struct Rounded {
    bool negative = false;
    std::string integerDigits;   // no leading zeros; empty for 0
    std::string fractionDigits;  // exactly `decimals` digits
};

Rounded roundForDisplay(double value, int decimals) {
    Rounded out;
    char buffer[64];
    auto res = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    std::string_view text(buffer, static_cast<std::size_t>(res.ptr - buffer));
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    std::string digits;
    std::size_t e = text.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (isDigit(text[i])) digits.push_back(text[i]);
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(), exponent);

    // Digit i of `digits` has place value 10^(exponent - i); keep those with
    // place value >= 10^-decimals.
    const long long keep = static_cast<long long>(exponent) + decimals + 1;
    std::string scaled;  // value x 10^decimals, truncated
    int roundDigit = 0;
    if (keep <= 0) {
        roundDigit = keep == 0 ? digits[0] - '0' : 0;
        scaled = "0";
    } else {
        for (long long i = 0; i < keep; ++i)
            scaled.push_back(i < static_cast<long long>(digits.size()) ? digits[static_cast<std::size_t>(i)] : '0');
        if (keep < static_cast<long long>(digits.size())) roundDigit = digits[static_cast<std::size_t>(keep)] - '0';
    }
    if (roundDigit >= 5) {
        int i = static_cast<int>(scaled.size()) - 1;
        while (i >= 0 && scaled[static_cast<std::size_t>(i)] == '9') scaled[static_cast<std::size_t>(i--)] = '0';
        if (i < 0) scaled.insert(scaled.begin(), '1');
        else ++scaled[static_cast<std::size_t>(i)];
    }
    while (scaled.size() < static_cast<std::size_t>(decimals) + 1) scaled.insert(scaled.begin(), '0');
    out.fractionDigits = scaled.substr(scaled.size() - static_cast<std::size_t>(decimals));
    std::string integer = scaled.substr(0, scaled.size() - static_cast<std::size_t>(decimals));
    std::size_t nz = integer.find_first_not_of('0');
    out.integerDigits = nz == std::string::npos ? std::string() : integer.substr(nz);
    const bool isZero = out.integerDigits.empty() && out.fractionDigits.find_first_not_of('0') == std::string::npos;
    out.negative = negative && !isZero;  // never "-0"
    return out;
}

std::string render(double value, int decimals, std::size_t minIntegerDigits, bool emptyForZero) {
    if (!std::isfinite(value)) return "X";
    Rounded r = roundForDisplay(value, decimals);
    std::string integer = r.integerDigits;
    if (emptyForZero && integer.empty() && r.fractionDigits.find_first_not_of('0') == std::string::npos)
        return std::string();
    while (integer.size() < minIntegerDigits) integer.insert(integer.begin(), '0');
    std::string out = r.negative ? "-" : "";
    out += integer;
    if (decimals > 0) {
        out += '.';
        out += r.fractionDigits;
    }
    return out;
}

}  // namespace

bool isNumericText(std::string_view text) { return shapeOf(text).valid; }

std::optional<double> parseDouble(std::string_view text) { return parseFloating<double>(text); }

std::optional<float> parseSingle(std::string_view text) { return parseFloating<float>(text); }

std::optional<std::int16_t> parseWholeNumber(std::string_view text) {
    std::optional<double> value = parseDouble(text);
    if (!value) return std::nullopt;
    double whole = roundHalfEven(*value);
    if (whole < -32768.0 || whole > 32767.0) return std::nullopt;
    return static_cast<std::int16_t>(whole);
}

double roundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    double lower = std::floor(value);
    double diff = value - lower;  // exact for every double
    double result;
    if (diff < 0.5) result = lower;
    else if (diff > 0.5) result = lower + 1.0;
    else result = std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
    return result == 0.0 ? 0.0 : result;  // no negative zero
}

namespace {

using Three = std::array<double, 3>;

double sumOf(const Three& v) { return v[0] + v[1] + v[2]; }

// The value whose fractional part is the largest (`largest`) or the smallest;
// any tie for it falls to the last of N, D, W.
int uniqueExtreme(const Three& frac, bool largest) {
    auto beats = [largest](double a, double b) { return largest ? a > b : a < b; };
    if (beats(frac[0], frac[1]) && beats(frac[0], frac[2])) return 0;
    if (beats(frac[1], frac[0]) && beats(frac[1], frac[2])) return 1;
    return 2;
}

// Floors all three, then gives the missing units to the largest fractional
// parts (later of N, D, W first on ties). Each value moves by less than 1, so
// the sum reaches 100 whenever the values' own sum is 100.
Three largestFractionsRaised(const Three& whole, const Three& frac) {
    Three out = whole;
    std::array<int, 3> order{0, 1, 2};
    std::sort(order.begin(), order.end(),
              [&frac](int a, int b) { return frac[a] > frac[b] || (frac[a] == frac[b] && a > b); });
    for (int k : order) {
        if (sumOf(out) >= 100.0) break;
        out[k] += 1.0;
    }
    return out;
}

}  // namespace

HundredRounding roundToHundred(const Three& v) {
    HundredRounding r;
    r.whole = v;
    for (double x : v)
        if (!std::isfinite(x)) return r;

    Three nearest{};
    for (int i = 0; i < 3; ++i) nearest[i] = roundHalfEven(v[i]);
    if (sumOf(nearest) == 100.0) {
        r.branch = RoundingBranch::Nearest;
        r.whole = nearest;
        return r;
    }

    Three floors{}, frac{};
    for (int i = 0; i < 3; ++i) {
        floors[i] = std::floor(v[i]);
        frac[i] = v[i] - floors[i];
    }
    r.fractions = frac;

    // Values of solvents whose own N + D + W are 100 add to 100 up to the
    // noise of 32-bit mole fractions; only for them must the result be 100.
    const bool meantHundred = std::fabs(sumOf(v) - 100.0) < 0.5;
    if (frac[0] >= 0.5 && frac[1] >= 0.5 && frac[2] >= 0.5) {
        Three reduced = nearest;
        reduced[static_cast<std::size_t>(uniqueExtreme(frac, true))] -= 1.0;
        // Two exact halves that go to their even neighbours, with the third
        // value a hair below whole (32-bit mole fractions), round to 99, not
        // 101: reducing then would give 98, so the last rule decides instead.
        if (sumOf(reduced) == 100.0 || !meantHundred) {
            r.branch = RoundingBranch::ReduceLargest;
            r.whole = reduced;
            return r;
        }
    }
    if (frac[0] < 0.5 && frac[1] < 0.5 && frac[2] < 0.5) {
        Three raised = floors;
        raised[static_cast<std::size_t>(uniqueExtreme(frac, false))] += 1.0;
        if (sumOf(raised) == 100.0 || !meantHundred) {
            r.branch = RoundingBranch::RaiseSmallest;
            r.whole = raised;
            return r;
        }
    }
    // Mixed parts, or a rule above that missed 100.
    r.branch = RoundingBranch::LargestFraction;
    r.whole = largestFractionsRaised(floors, frac);
    return r;
}

double roundTwoDecimalsHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    // to_chars with a precision rounds the exact binary value, ties to even.
    char buffer[512];
    auto res = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    if (res.ec != std::errc()) return value;
    double out = 0.0;
    std::from_chars(buffer, res.ptr, out);
    return out == 0.0 ? 0.0 : out;
}

std::string formatWhole(double value) { return render(value, 0, 0, true); }
std::string formatFraction3(double value) { return render(value, 3, 0, false); }
std::string formatOneDecimal(double value) { return render(value, 1, 1, false); }
std::string formatTwoDecimals(double value) { return render(value, 2, 1, false); }
std::string formatTwoDecimalsNoLead(double value) { return render(value, 2, 0, false); }
std::string formatTwoDecimalsThreeInt(double value) { return render(value, 2, 3, false); }

std::string formatCelsius(double value) {
    std::string text = formatOneDecimal(value);
    if (text == "X") return text;
    if (text.size() > 2 && text.compare(text.size() - 2, 2, ".0") == 0) text.resize(text.size() - 2);
    if (text.front() == '-') text.replace(0, 1, "\u2212");
    return text + " \u00B0C";
}

std::string formatSignReserved(std::int64_t value) {
    return value < 0 ? formatPlain(value) : " " + formatPlain(value);
}

std::string formatPlain(std::int64_t value) {
    char buffer[32];
    auto res = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, res.ptr);
}

std::string formatShortestSingle(float value) {
    if (!std::isfinite(value)) return "X";
    if (value == 0.0f) return "0";
    char buffer[64];
    auto res = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, res.ptr);
}

}  // namespace tarnwell
