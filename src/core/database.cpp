#include "core/database.h"

#include "core/numbers.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace tarnwell {
namespace {

constexpr int kLinesPerRecord = 12;
constexpr int kHeaderLines = 4;

// Splits lines lazily: the file is read in one go and cut in memory.
class LineReader {
public:
    explicit LineReader(std::string_view bytes) : bytes_(bytes) {}

    bool next(std::string_view& line) {
        if (pos_ >= bytes_.size()) return false;
        std::size_t cr = bytes_.find('\r', pos_);
        if (cr == std::string_view::npos) {
            line = bytes_.substr(pos_);
            pos_ = bytes_.size();
            return true;
        }
        line = bytes_.substr(pos_, cr - pos_);
        pos_ = cr + 1;
        if (pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
        return true;
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string toText(std::string_view line) {
    for (char c : line)
        if (static_cast<unsigned char>(c) >= 0x80) return decodeWindows1252(line);
    return std::string(line);
}

std::string_view trimTrailingBlanks(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

bool isPositiveNumber(const std::string& text) {
    std::optional<double> v = parseDouble(text);
    return v && *v > 0.0;
}

bool recordIsUsable(const SolventRecord& r, bool isCustomEntryRow) {
    if (!parseWholeNumber(r.reference)) return false;
    if (isCustomEntryRow) return true;
    return parseWholeNumber(r.n) && parseWholeNumber(r.d) && parseWholeNumber(r.w) &&
           isPositiveNumber(r.molarVolume) && isPositiveNumber(r.molecularWeight);
}

}  // namespace

std::string decodeWindows1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        if (b < 0x80) out.push_back(c);
        else if (b < 0xA0) appendUtf8(out, kHighControls[b - 0x80]);
        else appendUtf8(out, b);
    }
    return out;
}

LoadResult parseSolventDatabase(std::string_view bytes) {
    LineReader reader(bytes);
    std::string_view line;
    for (int i = 0; i < kHeaderLines; ++i)
        if (!reader.next(line)) return LoadFailure::InputPastEnd;
    if (!reader.next(line)) return LoadFailure::InputPastEnd;

    std::optional<double> count = parseDouble(line);
    if (!count) return isNumericText(line) ? LoadFailure::Overflow : LoadFailure::TypeMismatch;
    const double whole = roundHalfEven(*count);
    if (whole < -32767.0 || whole > 32767.0) return LoadFailure::Overflow;
    if (whole <= 0.0) return LoadFailure::CountNotPositive;
    const auto recordCount = static_cast<std::size_t>(whole);

    SolventTable table;
    table.records.resize(recordCount);
    table.labels.reserve(recordCount);
    std::array<std::string_view, kLinesPerRecord> lines;
    for (std::size_t i = 0; i < recordCount; ++i) {
        for (auto& l : lines)
            if (!reader.next(l)) return LoadFailure::InputPastEnd;
        SolventRecord& r = table.records[i];
        const std::string_view name = trimTrailingBlanks(lines[0]);
        const std::string_view reference = trimTrailingBlanks(lines[1]);
        std::string label;
        label.reserve(reference.size() + 4 + name.size());
        label.append(reference).append(":   ").append(name);
        r.label = toText(label);
        r.reference = toText(lines[1]);
        r.n = toText(lines[2]);
        r.d = toText(lines[3]);
        r.w = toText(lines[4]);
        r.twaText = toText(lines[5]);
        r.vhrText = toText(lines[6]);
        r.molarVolume = toText(lines[7]);
        r.molecularWeight = toText(lines[8]);
        r.twaMgText = toText(lines[9]);
        r.effects = toText(lines[10]);
        table.labels.push_back(r.label);
    }
    // Checked only once every record is there: a file cut short is reported
    // as cut short even when the last record present is the custom-entry row.
    for (std::size_t i = 0; i < recordCount; ++i)
        if (!recordIsUsable(table.records[i], i + 1 == recordCount)) return LoadFailure::TypeMismatch;
    table.lastIndex = static_cast<std::int16_t>(recordCount - 1);
    return table;
}

LoadResult loadSolventDatabaseFile(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path p(path);
    if (!std::filesystem::exists(p, ec)) return LoadFailure::FileNotFound;
    if (std::filesystem::is_directory(p, ec)) return LoadFailure::PathAccess;

    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return errno == ENOENT ? LoadFailure::FileNotFound : LoadFailure::AccessDenied;
    std::string bytes;
    const auto size = std::filesystem::file_size(p, ec);
    if (!ec) bytes.reserve(static_cast<std::size_t>(size));
    char buffer[1 << 16];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return LoadFailure::DeviceError;
    return parseSolventDatabase(bytes);
}

}  // namespace tarnwell
