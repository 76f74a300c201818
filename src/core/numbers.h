#pragma once
// The program's number rules: reading numbers from text, rounding, and the
// display formats. Every screen and every calculation goes through these, so a
// figure is read, rounded and written the same way everywhere. Nothing here
// depends on the process locale: the decimal separator is always '.'.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwell {

// --- Reading -----------------------------------------------------------------

// True when the whole text, blanks around it allowed, reads as a decimal
// number: optional sign, digits with an optional decimal point (at least one
// digit), optional exponent (e or E, optional sign, digits). Empty or blank
// text is not numeric; neither are commas, currency signs or hex.
bool isNumericText(std::string_view text);

// The value of a numeric text as a double; nullopt when the text is not
// numeric or the value is beyond the double range.
std::optional<double> parseDouble(std::string_view text);

// The value of a numeric text rounded once to a 32-bit float; nullopt when the
// text is not numeric or the value is beyond the float range (a non-zero value
// that underflows to 0 stays representable as 0 and is returned as 0).
std::optional<float> parseSingle(std::string_view text);

// Whole-number conversion: a numeric text, rounded to the nearest whole number
// with halves to the even neighbour, that fits a 16-bit signed integer.
std::optional<std::int16_t> parseWholeNumber(std::string_view text);

// --- Rounding (halves to the even neighbour) ----------------------------------

// R(v): nearest whole number, halves to even (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

// How three values were made whole numbers adding to 100.
enum class RoundingBranch {
    Nearest,          // each to its nearest whole number already adds to 100
    ReduceLargest,    // all fractional parts >= 0.5 (when that lands on 100)
    RaiseSmallest,    // all fractional parts < 0.5 (when that lands on 100)
    LargestFraction,  // the rest: floors, then +1 by largest fractional part
    NotFinite,        // a value could not be computed; left as it is
};

struct HundredRounding {
    RoundingBranch branch = RoundingBranch::NotFinite;
    std::array<double, 3> whole{};  // the values made whole; as given when not finite
    // The fractional parts, where the nearest whole numbers did not add to 100.
    std::optional<std::array<double, 3>> fractions;
};

// Makes three values (an N, D and W) whole numbers that add to 100, as long as
// the values themselves add to 100 up to the noise of 32-bit arithmetic.
HundredRounding roundToHundred(const std::array<double, 3>& values);

// Two decimals, halves to even, on the exact binary value (0.125 -> 0.12,
// 0.045f widened -> 0.05 because the float lies just above 0.045).
double roundTwoDecimalsHalfEven(double value);

// --- Display formats (halves away from zero) ------------------------------------
// The value is first taken to 15 significant digits, as a person reading the
// figure would see it, then rounded with halves away from zero. No format ever
// writes "-0", "inf" or "nan"; a value that is not finite gives "X".

std::string formatWhole(double value);          // "##": no leading zeros; 0 -> ""
std::string formatFraction3(double value);      // "##.000": .322, 1.000, .000
std::string formatOneDecimal(double value);     // "0.0": 0.5, 12.0
std::string formatTwoDecimals(double value);    // "0.00": 0.79, 1.00
std::string formatTwoDecimalsNoLead(double value);  // "###.00": .50, 58.08
std::string formatTwoDecimalsThreeInt(double value);// "000.00": 058.08, 000.50

// A temperature in degrees Celsius: one decimal at most, a whole number without
// ".0", a true minus sign (U+2212) below zero: -20 -> "−20 °C", 56.05 -> "56.1 °C".
std::string formatCelsius(double value);

// The sign-reserving whole-number text: one blank where a minus sign would
// stand (45 -> " 45", -3 -> "-3").
std::string formatSignReserved(std::int64_t value);

// A plain whole number ("45", "-3", "0").
std::string formatPlain(std::int64_t value);

// The shortest decimal text that reads back as the same 32-bit float, never in
// exponent form: 0.46f -> "0.46", 1 -> "1", -0 -> "0".
std::string formatShortestSingle(float value);

}  // namespace tarnwell
