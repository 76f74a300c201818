#include "core/numbers.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

using namespace tarnwell;

namespace {

struct TextCase {
    const char* text;
    bool numeric;
};

TEST(NumericText, AcceptsDecimalNumbersWithBlanksSignPointAndExponent) {
    const TextCase cases[] = {
        {"12", true},      {"  12  ", true},  {"\t-3.5\t", true}, {"+4", true},     {".5", true},
        {"5.", true},      {"1e3", true},     {"1E-3", true},     {"-2.5e+2", true}, {"0", true},
        {"", false},       {"   ", false},    {".", false},       {"-", false},      {"e5", false},
        {"1e", false},     {"1e+", false},    {"1,5", false},     {"1 000", false},  {"$5", false},
        {"12abc", false},  {"0x1A", false},   {"&H10", false},    {"1.2.3", false},  {"--1", false},
        {"inf", false},    {"nan", false},    {"3\0 2", false},
    };
    for (const TextCase& c : cases) {
        const std::string text = std::string(c.text) == "3\0 2" ? std::string("3\0 2", 4) : c.text;
        EXPECT_EQ(isNumericText(text), c.numeric) << "text: '" << c.text << "'";
    }
    EXPECT_FALSE(isNumericText(std::string("3\0 2", 4)));
}

TEST(NumberReading, DoubleSingleAndRangeLimits) {
    EXPECT_DOUBLE_EQ(*parseDouble(" 58.08 "), 58.08);
    EXPECT_DOUBLE_EQ(*parseDouble("-1.5e2"), -150.0);
    EXPECT_FALSE(parseDouble("1e400"));                 // beyond double
    EXPECT_EQ(*parseDouble("1e-400"), 0.0);             // underflow reads as 0
    EXPECT_FALSE(parseDouble("abc"));
    EXPECT_EQ(*parseSingle("0.1"), 0.1f);               // rounded once to float
    EXPECT_FALSE(parseSingle("1e39"));                  // beyond float
    EXPECT_FALSE(parseSingle("-3.5e38"));
    EXPECT_EQ(*parseSingle("1e-50"), 0.0f);
}

TEST(NumberReading, WholeNumbersRoundHalvesToEvenAndFit16Bits) {
    const std::pair<const char*, int> good[] = {{" 12 ", 12}, {"2.5", 2}, {"3.5", 4}, {"-2.5", -2},
                                                {"45.4999", 45}, {"32767", 32767}, {"-32768", -32768},
                                                {"1e2", 100}, {"32767.4", 32767}};
    for (auto [text, value] : good) EXPECT_EQ(parseWholeNumber(text), value) << text;
    for (const char* bad : {"32768", "-32769", "32767.5", "x", "", "1e10"})
        EXPECT_FALSE(parseWholeNumber(bad)) << bad;
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(2.5), 2.0);
    EXPECT_EQ(roundHalfEven(3.5), 4.0);
    EXPECT_EQ(roundHalfEven(-2.5), -2.0);
    EXPECT_EQ(roundHalfEven(2.5000001), 3.0);
    EXPECT_FALSE(std::signbit(roundHalfEven(-0.4)));
    // Two decimals on the exact binary value.
    EXPECT_EQ(roundTwoDecimalsHalfEven(0.125), 0.12);
    EXPECT_EQ(roundTwoDecimalsHalfEven(0.375), 0.38);
    EXPECT_EQ(roundTwoDecimalsHalfEven(double(0.045f)), 0.05);   // the float lies above 0.045
    EXPECT_EQ(roundTwoDecimalsHalfEven(double(0.955f)), 0.95);   // ... and this one below 0.955
    EXPECT_EQ(roundTwoDecimalsHalfEven(double(0.456f)), 0.46);
    EXPECT_EQ(roundTwoDecimalsHalfEven(1.0), 1.0);
}

struct FormatCase {
    std::string (*format)(double);
    double value;
    const char* expected;
};

TEST(DisplayFormats, RoundHalvesAwayFromZeroAndNeverShowMinusZero) {
    const FormatCase cases[] = {
        {formatWhole, 70.0, "70"},          {formatWhole, 2.5, "3"},           {formatWhole, 0.3, ""},
        {formatWhole, -0.4, ""},            {formatWhole, 0.5, "1"},           {formatWhole, -2.5, "-3"},
        {formatWhole, 1234567.4, "1234567"}, {formatWhole, 37.6, "38"}, {formatWhole, 640.4, "640"},
        {formatFraction3, 0.322, ".322"},   {formatFraction3, 1.0, "1.000"},   {formatFraction3, 0.0, ".000"},
        {formatFraction3, 0.0004, ".000"},  {formatFraction3, 0.0005, ".001"}, {formatFraction3, -0.0001, ".000"},
        {formatFraction3, 12.3456, "12.346"},
        {formatOneDecimal, 0.46, "0.5"},    {formatOneDecimal, 0.8, "0.8"},    {formatOneDecimal, 1.0, "1.0"},
        {formatOneDecimal, 0.35, "0.4"},    {formatOneDecimal, -0.04, "0.0"},
        {formatTwoDecimals, 0.79, "0.79"},  {formatTwoDecimals, 1.0, "1.00"},  {formatTwoDecimals, 0.879, "0.88"},
        {formatTwoDecimals, 0.125, "0.13"},
        {formatTwoDecimalsNoLead, 58.08, "58.08"}, {formatTwoDecimalsNoLead, 0.5, ".50"},
        {formatTwoDecimalsNoLead, 120.0, "120.00"}, {formatTwoDecimalsNoLead, 78.11, "78.11"},
        {formatTwoDecimalsThreeInt, 58.08, "058.08"}, {formatTwoDecimalsThreeInt, 0.5, "000.50"},
        {formatTwoDecimalsThreeInt, 1234.5, "1234.50"}, {formatTwoDecimalsThreeInt, 999.999, "1000.00"},
        // A true minus sign, no ".0", and no minus on a value that shows as 0.
        {formatCelsius, -20.0, "\u221220 \u00B0C"}, {formatCelsius, 56.05, "56.1 \u00B0C"},
        {formatCelsius, 12.96, "13 \u00B0C"},        {formatCelsius, -17.78, "\u221217.8 \u00B0C"},
        {formatCelsius, -0.04, "0 \u00B0C"},         {formatCelsius, 0.0, "0 \u00B0C"},
    };
    for (const FormatCase& c : cases) EXPECT_EQ(c.format(c.value), c.expected) << "value " << c.value;
}

TEST(DisplayFormats, FloatNoiseDoesNotTipAHalf) {
    // 0.1 + 0.2 is 0.30000000000000004 in binary; a person reads 0.3.
    EXPECT_EQ(formatOneDecimal(0.1 + 0.2), "0.3");
    // A single-precision 37.5 stays a half and rounds up.
    EXPECT_EQ(formatWhole(double(37.5f)), "38");
}

TEST(DisplayFormats, NonFiniteValuesNeverReachTheScreen) {
    for (auto f : {formatWhole, formatFraction3, formatOneDecimal, formatTwoDecimals, formatCelsius})
        for (double v : {INFINITY, -INFINITY, NAN}) EXPECT_EQ(f(v), "X");
}

TEST(DisplayFormats, SignReservedAndShortestSingle) {
    EXPECT_EQ(formatSignReserved(45), " 45");
    EXPECT_EQ(formatSignReserved(0), " 0");
    EXPECT_EQ(formatSignReserved(-3), "-3");
    EXPECT_EQ(formatPlain(150), "150");
    EXPECT_EQ(formatShortestSingle(0.46f), "0.46");
    EXPECT_EQ(formatShortestSingle(0.5f), "0.5");
    EXPECT_EQ(formatShortestSingle(1.0f), "1");
    EXPECT_EQ(formatShortestSingle(-0.0f), "0");
    EXPECT_EQ(formatShortestSingle(0.01f), "0.01");
    EXPECT_EQ(formatShortestSingle(0.33f), "0.33");
}

// The texts must not change with the user's locale (Qt sets the process
// locale from the environment at start).
TEST(NumberRules, IgnoreACommaDecimalLocale) {
#if defined(_WIN32)
    // Windows names its locales by language and code page.
    if (!std::setlocale(LC_ALL, "German_Germany.1252")) GTEST_SKIP() << "no German locale here";
#else
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tarnwell-locale-test";
    std::filesystem::create_directories(dir);
    const std::string command = "localedef -i de_DE -f UTF-8 '" + (dir / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0 && !std::filesystem::exists(dir / "de_DE.UTF-8"))
        GTEST_SKIP() << "cannot build a German locale here (localedef missing)";
    setenv("LOCPATH", dir.c_str(), 1);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
#endif
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_EQ(formatTwoDecimals(0.79), "0.79");
    EXPECT_EQ(formatFraction3(0.322), ".322");
    EXPECT_EQ(roundTwoDecimalsHalfEven(0.125), 0.12);
    EXPECT_EQ(*parseDouble("58.08"), 58.08);
    EXPECT_FALSE(isNumericText("58,08"));
    EXPECT_EQ(formatShortestSingle(0.46f), "0.46");
    std::setlocale(LC_ALL, "C");
#if !defined(_WIN32)
    unsetenv("LOCPATH");
#endif
}

}  // namespace
