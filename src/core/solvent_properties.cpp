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

std::size_t hashOf(std::string_view label) { return std::hash<std::string_view>{}(label); }

std::optional<double> readNumber(std::string_view text, const char* what, int line) {
    if (text == "none") return std::nullopt;
    const std::optional<double> value = parseDouble(text);
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

// Splits a line at its tabs; the count is the number of fields found, which
// may exceed the array.
int splitFields(std::string_view line, std::array<std::string_view, kFields>& fields) {
    int count = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        const std::size_t end = tab == std::string_view::npos ? line.size() : tab;
        if (count < kFields) fields[static_cast<std::size_t>(count)] = line.substr(start, end - start);
        ++count;
        if (tab == std::string_view::npos) return count;
        start = tab + 1;
    }
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
        // Room for every line, so that a repeated label is found on its own line.
        std::size_t size = 16;
        while (size < 2 * static_cast<std::size_t>(std::count(rest.begin(), rest.end(), '\n') + 1)) size *= 2;
        table_.index.assign(size, 0);

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

    // Open addressing with linear probing: one allocation for the whole index.
    void addToIndex(const SolventProperties& row, int number) {
        const std::size_t mask = table_.index.size() - 1;
        std::size_t at = hashOf(row.label) & mask;
        while (const std::uint32_t taken = table_.index[at]) {
            if (table_.rows[taken - 1].label == row.label)
                fail(number, messages::propertiesDuplicate(quoted(row.label), lines_[taken - 1]));
            at = (at + 1) & mask;
        }
        table_.index[at] = static_cast<std::uint32_t>(table_.rows.size() + 1);
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
    for (std::size_t at = hashOf(label) & mask;; at = (at + 1) & mask) {
        const std::uint32_t r = index[at];
        if (r == 0) return nullptr;
        if (rows[r - 1].label == label) return &rows[r - 1];
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
