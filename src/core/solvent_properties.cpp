#include "core/solvent_properties.h"

#include "core/messages.h"
#include "core/numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <system_error>

namespace tarnwell {

namespace {

constexpr int kFields = 6;
constexpr double kAbsoluteZeroC = -273.15;
constexpr std::array<std::string_view, kFields> kColumnNames{"label",         "vp_20c_mmhg",        "boiling_point_c",
                                                              "flash_point_c", "flammability_class", "source"};

struct Failure {
    PropertiesFileError error;
};

[[noreturn]] void fail(int line, std::string message) { throw Failure{{line, std::move(message)}}; }

// The offset of the first byte that does not belong to a valid UTF-8
// sequence (overlong forms, surrogates and values past U+10FFFF included), or
// the text's size. ASCII, nearly all of the file, is passed eight bytes at a time.
std::size_t firstNonUtf8(std::string_view s) {
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const std::size_t n = s.size();
    std::size_t i = 0;
    while (i < n) {
        if (i + 8 <= n) {
            std::uint64_t word;
            std::memcpy(&word, p + i, 8);
            if ((word & 0x8080808080808080ull) == 0) {
                i += 8;
                continue;
            }
        }
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t len = 0;
        unsigned lo = 0x80, hi = 0xBF;  // the allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) len = 2;
        else if (c == 0xE0) len = 3, lo = 0xA0;
        else if ((c >= 0xE1 && c <= 0xEC) || c == 0xEE || c == 0xEF) len = 3;
        else if (c == 0xED) len = 3, hi = 0x9F;
        else if (c == 0xF0) len = 4, lo = 0x90;
        else if (c >= 0xF1 && c <= 0xF3) len = 4;
        else if (c == 0xF4) len = 4, hi = 0x8F;
        else return i;
        if (i + len > n || p[i + 1] < lo || p[i + 1] > hi) return i;
        for (std::size_t k = 2; k < len; ++k)
            if (p[i + k] < 0x80 || p[i + k] > 0xBF) return i;
        i += len;
    }
    return n;
}

// A value inside a message: quoted, control characters as blanks, cut short
// (at a character boundary) when long.
std::string quoted(std::string_view value) {
    constexpr std::size_t kShown = 60;
    std::size_t at = 0, chars = 0;
    while (at < value.size() && chars < kShown) {
        ++at;
        while (at < value.size() && (static_cast<unsigned char>(value[at]) & 0xC0) == 0x80) ++at;
        ++chars;
    }
    std::string shown(value.substr(0, at));
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return "\"" + shown + (at < value.size() ? "...\"" : "\"");
}

// The index keeps 32 bits of a label's hash above its row + 1; the places are
// found from those 32 bits too, so growing the index needs no label.
std::uint64_t hashOf(std::string_view label) {
    return static_cast<std::uint32_t>(std::hash<std::string_view>{}(label) >> 16);
}
std::uint64_t indexEntry(std::uint64_t hash, std::size_t row) { return hash << 32 | (row + 1); }
bool indexMatches(const SolventPropertiesTable& table, std::uint64_t entry, std::uint64_t hash, std::string_view label) {
    return (entry >> 32) == hash && table.rows[(entry & 0xFFFFFFFFu) - 1].label == label;
}

// The plain form the file is written in, an optional minus, at most 15
// digits and an optional point, read without the general reader: the digits
// make an exact whole number and a power of ten up to 10^15 is exact, so one
// division rounds once, to the same double the general reader gives.
// Anything else goes to the general reader.
std::optional<double> plainDecimal(std::string_view text) {
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) ++i;
    std::uint64_t digits = 0;
    int count = 0, decimals = -1;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = digits * 10 + static_cast<unsigned>(c - '0');
            if (++count > 15) return std::nullopt;
            if (decimals >= 0) ++decimals;
        } else if (c == '.' && decimals < 0) {
            decimals = 0;
        } else {
            return std::nullopt;
        }
    }
    if (count == 0) return std::nullopt;
    const double value = static_cast<double>(digits) / kPowers[decimals < 0 ? 0 : decimals];
    return negative ? -value : value;
}

std::optional<double> readNumber(std::string_view text, const char* what, int line) {
    if (text == "none") return std::nullopt;
    std::optional<double> value = plainDecimal(text);
    if (!value) value = parseDouble(text);
    if (!value) {
        if (isNumericText(text)) fail(line, messages::propertiesNotFinite(what, quoted(text)));
        fail(line, messages::propertiesNotNumber(what, quoted(text)));
    }
    return *value == 0.0 ? 0.0 : *value;  // no negative zero
}

std::optional<double> readTemperature(std::string_view text, const char* what, int line) {
    const std::optional<double> t = readNumber(text, what, line);
    if (t && *t < kAbsoluteZeroC) fail(line, messages::propertiesBelowAbsoluteZero(what, quoted(text)));
    return t;
}

FlammabilityClass readClass(std::string_view text, int line) {
    static constexpr std::array<FlammabilityClass, 7> all{FlammabilityClass::None, FlammabilityClass::IA,
                                                          FlammabilityClass::IB,   FlammabilityClass::IC,
                                                          FlammabilityClass::II,   FlammabilityClass::IIIA,
                                                          FlammabilityClass::IIIB};
    for (FlammabilityClass c : all)
        if (text == flammabilityClassText(c)) return c;
    fail(line, messages::propertiesClass(quoted(text)));
}

// Splits a line at its tabs, in one pass; the count is the number of fields
// found, which may exceed the array.
int splitFields(std::string_view line, std::array<std::string_view, kFields>& fields) {
    int count = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i < line.size() && line[i] != '\t') continue;
        if (count < kFields) fields[static_cast<std::size_t>(count)] = line.substr(start, i - start);
        ++count;
        start = i + 1;
    }
    return count;
}

void checkHeader(std::string_view line, int number) {
    if (line == kPropertiesHeader) return;
    std::array<std::string_view, kFields> fields;
    const int count = splitFields(line, fields);
    for (int k = 0; k < std::min(count, kFields); ++k) {
        const auto i = static_cast<std::size_t>(k);
        if (fields[i] != kColumnNames[i])
            fail(number, messages::propertiesHeaderColumn(k + 1, quoted(fields[i]), std::string(kColumnNames[i])));
    }
    fail(number, messages::propertiesHeaderCount(count));
}

class Reader {
public:
    explicit Reader(const std::string& bytes) : bytes_(bytes) {}

    SolventPropertiesTable read() {
        if (bytes_.size() > kMaxPropertiesFileBytes) fail(0, messages::kPropertiesTooLarge);
        std::string_view rest(bytes_);
        if (rest.substr(0, 3) == "\xEF\xBB\xBF") rest.remove_prefix(3);  // a byte order mark
        checkUtf8(rest);
        table_.index.assign(64, 0);
        table_.rows.reserve(rest.size() / 48);  // a shipped row is about 40 to 80 bytes

        int number = 0;
        bool sawHeader = false;
        while (!rest.empty()) {
            const std::size_t end = rest.find('\n');
            std::string_view line = rest.substr(0, end);
            rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
            ++number;
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            if (line.empty() || line.front() == '#') continue;
            if (!sawHeader) {
                checkHeader(line, number);
                sawHeader = true;
                continue;
            }
            readRow(line, number);
        }
        if (!sawHeader) fail(0, messages::kPropertiesNoHeader);
        if (table_.rows.empty()) fail(0, messages::kPropertiesNoRows);
        return std::move(table_);
    }

private:
    void checkUtf8(std::string_view text) {
        const std::size_t bad = firstNonUtf8(text);
        if (bad == text.size()) return;
        const auto line = 1 + std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(bad), '\n');
        fail(static_cast<int>(line), messages::kPropertiesNotUtf8);
    }

    void readRow(std::string_view line, int number) {
        std::array<std::string_view, kFields> f;
        const int count = splitFields(line, f);
        if (count != kFields) fail(number, messages::propertiesFieldCount(count));
        if (f[0].empty()) fail(number, messages::kPropertiesNoLabel);
        SolventProperties row;
        row.label = f[0];
        row.vapourPressure = readNumber(f[1], "vapour pressure", number);
        if (row.vapourPressure && *row.vapourPressure < 0.0)
            fail(number, messages::propertiesNegativePressure(quoted(f[1])));
        row.boilingPoint = readTemperature(f[2], "boiling point", number);
        row.flashPoint = readTemperature(f[3], "flash point", number);
        row.flammabilityClass = readClass(f[4], number);
        if (f[5].empty()) fail(number, messages::kPropertiesNoSource);
        row.source = f[5];
        addToIndex(row, number);
        table_.rows.push_back(row);
        lines_.push_back(number);
    }

    // Open addressing with linear probing, kept at most half full; checked
    // row by row, so that a repeated label is named on its own line. A place
    // holds the label's hash beside its row, so a search touches a row only
    // when the hashes agree.
    void addToIndex(const SolventProperties& row, int number) {
        if (2 * (table_.rows.size() + 1) > table_.index.size()) grow();
        const std::size_t mask = table_.index.size() - 1;
        const std::uint64_t hash = hashOf(row.label);
        std::size_t at = hash & mask;
        while (const std::uint64_t taken = table_.index[at]) {
            if (indexMatches(table_, taken, hash, row.label))
                fail(number, messages::propertiesDuplicate(quoted(row.label), lines_[(taken & 0xFFFFFFFFu) - 1]));
            at = (at + 1) & mask;
        }
        table_.index[at] = indexEntry(hash, table_.rows.size());
    }

    void grow() {
        std::vector<std::uint64_t> index(table_.index.size() * 2, 0);
        const std::size_t mask = index.size() - 1;
        for (const std::uint64_t entry : table_.index) {
            if (!entry) continue;
            std::size_t at = (entry >> 32) & mask;
            while (index[at]) at = (at + 1) & mask;
            index[at] = entry;
        }
        table_.index = std::move(index);
    }

    const std::string& bytes_;
    SolventPropertiesTable table_;
    std::vector<int> lines_;  // the file line of each row
};

}  // namespace

const char* flammabilityClassText(FlammabilityClass c) {
    switch (c) {
    case FlammabilityClass::None: return "none";
    case FlammabilityClass::IA: return "IA";
    case FlammabilityClass::IB: return "IB";
    case FlammabilityClass::IC: return "IC";
    case FlammabilityClass::II: return "II";
    case FlammabilityClass::IIIA: return "IIIA";
    case FlammabilityClass::IIIB: return "IIIB";
    }
    return "none";
}

const SolventProperties* SolventPropertiesTable::find(std::string_view label) const {
    if (index.empty()) return nullptr;
    const std::size_t mask = index.size() - 1;
    const std::uint64_t hash = hashOf(label);
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const std::uint64_t entry = index[at];
        if (entry == 0) return nullptr;
        if (indexMatches(*this, entry, hash, label)) return &rows[(entry & 0xFFFFFFFFu) - 1];
    }
}

const SolventProperties* SolventPropertiesFile::find(std::string_view label) const {
    return status == PropertiesFileStatus::Loaded ? table.find(label) : nullptr;
}

SolventPropertiesFile parseSolventProperties(std::string bytes) {
    SolventPropertiesFile file;
    auto kept = std::make_shared<const std::string>(std::move(bytes));
    try {
        file.table = Reader(*kept).read();
        file.table.bytes = std::move(kept);
        file.status = PropertiesFileStatus::Loaded;
    } catch (const Failure& f) {
        file.status = PropertiesFileStatus::Damaged;
        file.error = f.error;
    }
    return file;
}

SolventPropertiesFile loadSolventPropertiesFile(const std::string& path) {
    namespace fs = std::filesystem;
    // The path is UTF-8 on every system; char8_t tells the library so.
    const fs::path where(std::u8string(path.begin(), path.end()));
    std::error_code ec;
    const fs::file_status status = fs::status(where, ec);
    SolventPropertiesFile file;
    if (!fs::exists(status)) return file;  // Missing
    auto unreadable = [&file] {
        file.status = PropertiesFileStatus::Damaged;
        file.error = {0, messages::kPropertiesUnreadable};
        return file;
    };
    if (!fs::is_regular_file(status)) return unreadable();
    const std::uintmax_t size = fs::file_size(where, ec);
    if (ec) return unreadable();
    if (size > kMaxPropertiesFileBytes) {
        file.status = PropertiesFileStatus::Damaged;
        file.error = {0, messages::kPropertiesTooLarge};
        return file;
    }
    std::ifstream in(where, std::ios::binary);
    if (!in) return unreadable();
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    if (in.gcount() != static_cast<std::streamsize>(size)) return unreadable();
    return parseSolventProperties(std::move(bytes));
}

std::string propertiesPathBeside(const std::string& databasePath) {
    const std::size_t slash = databasePath.find_last_of("/\\");
    if (slash == std::string::npos) return kPropertiesFileName;
    return databasePath.substr(0, slash + 1) + kPropertiesFileName;
}

FlammabilityCategory flammabilityCategory(std::optional<double> flashPoint, std::optional<double> boilingPoint) {
    if (!flashPoint || !std::isfinite(*flashPoint)) return FlammabilityCategory::Unknown;
    const double fp = *flashPoint;
    if (fp < kHighlyFlammableBelowC)
        return boilingPoint && *boilingPoint <= 35.0 ? FlammabilityCategory::Extremely : FlammabilityCategory::Highly;
    if (fp <= 60.0) return FlammabilityCategory::Flammable;
    if (fp <= 93.0) return FlammabilityCategory::Combustible;
    return FlammabilityCategory::NotClassed;
}

bool isHighlyFlammable(std::optional<double> flashPoint) {
    return flashPoint && *flashPoint < kHighlyFlammableBelowC;
}

}  // namespace tarnwell
