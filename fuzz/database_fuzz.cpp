// The database reader on raw bytes: it gives a table or one of its failure
// numbers, and a table is exactly what the lines of the file say.
#include "core/database.h"
#include "core/numbers.h"
#include "fuzz_check.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace {

using namespace tarnwell;

// The line rule written out a second way, byte by byte: CR LF or a lone CR
// ends a line, an LF alone belongs to the line, a non-empty tail is a line.
std::vector<std::string_view> referenceLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r') continue;
        lines.push_back(bytes.substr(start, i - start));
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start));
    return lines;
}

std::string_view trimRight(std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

bool isValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t extra = b < 0x80 ? 0 : (b >> 5) == 0x6 ? 1 : (b >> 4) == 0xE ? 2 : 3;
        if (extra == 3 || i + extra >= s.size() + (extra == 0 ? 1 : 0)) return false;
        for (std::size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += extra + 1;
    }
    return true;
}

bool positive(std::string_view text) {
    auto v = parseDouble(text);
    return v && *v > 0.0;
}

// What the lines call for: 0 for a table, else the failure number. Records are
// read in order, so the first record that is cut short (62) or holds a field
// that does not convert (13) decides.
int expectedFailure(const std::vector<std::string_view>& lines) {
    if (lines.size() < 5) return 62;
    if (!isNumericText(lines[4])) return 13;
    const auto count = parseDouble(lines[4]);
    if (!count) return 6;
    const double c = roundHalfEven(*count);
    if (c < -32767 || c > 32767) return 6;
    if (c <= 0) return 9;
    const auto records = static_cast<std::size_t>(c);
    // Every record must be there before any of them is checked.
    if (lines.size() < 5 + 12 * records) return 62;
    for (std::size_t i = 0; i < records; ++i) {
        const auto line = [&](int k) { return decodeWindows1252(lines[5 + 12 * i + static_cast<std::size_t>(k)]); };
        if (!parseWholeNumber(line(1))) return 13;
        if (i + 1 < records && !(parseWholeNumber(line(2)) && parseWholeNumber(line(3)) && parseWholeNumber(line(4)) &&
                                 positive(line(7)) && positive(line(8))))
            return 13;
    }
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const LoadResult result = parseSolventDatabase(std::string(bytes));
    const std::vector<std::string_view> lines = referenceLines(bytes);

    const int expected = expectedFailure(lines);
    if (const auto* failure = std::get_if<LoadFailure>(&result)) {
        const int number = static_cast<int>(*failure);
        FUZZ_CHECK(number == expected, "failure %d where the lines say %d", number, expected);
        return 0;
    }
    FUZZ_CHECK(expected == 0, "a table where the lines say failure %d", expected);

    const SolventTable& table = std::get<SolventTable>(result);
    FUZZ_CHECK(lines.size() >= 5, "a table from %zu lines", lines.size());
    const auto count = parseDouble(lines[4]);
    FUZZ_CHECK(count.has_value(), "a table without a count");
    const auto c = static_cast<std::size_t>(roundHalfEven(*count));
    FUZZ_CHECK(c >= 1 && c <= 32767, "count %zu", c);
    FUZZ_CHECK(table.records.size() == c && table.labels.size() == c, "%zu records, %zu labels for count %zu",
               table.records.size(), table.labels.size(), c);
    FUZZ_CHECK(table.lastIndex == static_cast<std::int16_t>(c - 1), "lastIndex %d", table.lastIndex);
    FUZZ_CHECK(lines.size() >= 5 + 12 * c, "a table of %zu records from %zu lines", c, lines.size());

    for (std::size_t i = 0; i < c; ++i) {
        const SolventRecord& r = table.records[i];
        const auto line = [&](int k) { return lines[5 + 12 * i + static_cast<std::size_t>(k)]; };
        const std::string expectedLabel =
            decodeWindows1252(trimRight(line(1))) + ":   " + decodeWindows1252(trimRight(line(0)));
        FUZZ_CHECK(r.label == expectedLabel, "label of record %zu", i);
        FUZZ_CHECK(table.labels[i] == r.label, "labels[%zu]", i);
        FUZZ_CHECK(isValidUtf8(r.label), "label of record %zu is not UTF-8", i);
        FUZZ_CHECK(r.reference == decodeWindows1252(line(1)) && r.n == decodeWindows1252(line(2)) &&
                       r.d == decodeWindows1252(line(3)) && r.w == decodeWindows1252(line(4)) &&
                       r.twaText == decodeWindows1252(line(5)) && r.vhrText == decodeWindows1252(line(6)) &&
                       r.molarVolume == decodeWindows1252(line(7)) &&
                       r.molecularWeight == decodeWindows1252(line(8)) &&
                       r.twaMgText == decodeWindows1252(line(9)) && r.effects == decodeWindows1252(line(10)),
                   "fields of record %zu", i);
        FUZZ_CHECK(parseWholeNumber(r.reference).has_value(), "record %zu: reference", i);
        if (i + 1 < c)
            FUZZ_CHECK(parseWholeNumber(r.n) && parseWholeNumber(r.d) && parseWholeNumber(r.w) &&
                           positive(r.molarVolume) && positive(r.molecularWeight),
                       "record %zu has fields that do not convert", i);
    }
    return 0;
}
