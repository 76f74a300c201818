#include "core/database.h"

#include "core/file_access.h"
#include "core/line_ends.h"
#include "core/numbers.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace tarnwell {
namespace {

constexpr int kHeaderLines = 4;
constexpr std::string_view kLabelSeparator = ":   ";

// Cuts the bytes into lines. Lines average about ten bytes, so the line ends
// are found 64 bytes at a time rather than with a search per line.
class LineReader {
public:
    explicit LineReader(std::string_view bytes) : data_(bytes.data()), size_(bytes.size()) {}

    bool next(std::string_view& line) {
        if (pos_ >= size_) return false;
        while (ends_ == 0) {
            if (blockEnd_ >= size_) {  // no line end left: the rest is the last line
                line = std::string_view(data_ + pos_, size_ - pos_);
                pos_ = size_;
                return true;
            }
            blockStart_ = blockEnd_;
            blockEnd_ += 64;
            ends_ = carriageReturnMask(data_ + blockStart_, size_ - blockStart_);
        }
        const std::size_t cr = blockStart_ + static_cast<std::size_t>(std::countr_zero(ends_));
        ends_ &= ends_ - 1;
        line = std::string_view(data_ + pos_, cr - pos_);
        pos_ = cr + 1;
        if (pos_ < size_ && data_[pos_] == '\n') ++pos_;  // CR LF is one line end
        return true;
    }

private:
    const char* data_;
    std::size_t size_;
    std::size_t pos_ = 0;         // start of the next line
    std::size_t blockStart_ = 0;  // the block `ends_` describes
    std::size_t blockEnd_ = 0;
    std::uint64_t ends_ = 0;      // line ends in the block not yet handed out
};

constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// A byte of the 8-bit text takes at most this many bytes in UTF-8.
constexpr std::size_t kMaxUtf8PerByte = 3;

char* putUtf8(char* out, char32_t cp) {
    if (cp < 0x80) {
        *out++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
        *out++ = static_cast<char>(0xC0 | (cp >> 6));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        *out++ = static_cast<char>(0xE0 | (cp >> 12));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

// Writes the UTF-8 of `bytes` at `out` (room for kMaxUtf8PerByte per byte);
// returns the end.
char* decodeInto(std::string_view bytes, char* out) {
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) *out++ = c;
        else if (b < 0xA0) out = putUtf8(out, kHighControls[b - 0x80]);
        else out = putUtf8(out, b);
    }
    return out;
}

// Eight bytes at a time: this runs over the whole file, and a byte loop was a
// third of the parse.
bool hasHighBytes(std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t n = bytes.size();
    std::uint64_t all = 0;
    for (; n >= 8; p += 8, n -= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        all |= word;
    }
    for (; n > 0; ++p, --n) all |= static_cast<unsigned char>(*p);
    return (all & 0x8080808080808080ULL) != 0;
}

std::string_view trimTrailingBlanks(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// The number checks take a shortcut for the plain texts nearly every record
// holds; anything else goes to the full number rules.
bool isWholeNumber(std::string_view text) {
    if (!text.empty() && text.size() <= 4 &&
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return true;  // at most 9999: inside the 16-bit range
    return parseWholeNumber(text).has_value();
}

bool isPositiveNumber(std::string_view text) {
    if (!text.empty() && text.size() <= 20) {
        bool point = false, digit = false, nonZero = false, plain = true;
        for (char c : text) {
            if (c >= '0' && c <= '9') {
                digit = true;
                nonZero = nonZero || c != '0';
            } else if (c == '.' && !point) {
                point = true;
            } else {
                plain = false;
                break;
            }
        }
        if (plain && digit) return nonZero;
    }
    const std::optional<double> v = parseDouble(text);
    return v && *v > 0.0;
}

bool recordIsUsable(const SolventRecord& r, bool isCustomEntryRow) {
    if (!isWholeNumber(r.reference)) return false;
    if (isCustomEntryRow) return true;
    return isWholeNumber(r.n) && isWholeNumber(r.d) && isWholeNumber(r.w) && isPositiveNumber(r.molarVolume) &&
           isPositiveNumber(r.molecularWeight);
}

// The record's fields in line order after the name (line 0) and before the
// separator line (11).
std::array<std::string_view*, 10> fieldsOf(SolventRecord& r) {
    return {&r.reference, &r.n,           &r.d,               &r.w,         &r.twaText,
            &r.vhrText,   &r.molarVolume, &r.molecularWeight, &r.twaMgText, &r.effects};
}

}  // namespace

std::string_view SolventTable::own(std::string text) {
    if (!storage) storage = std::make_shared<Storage>();
    return storage->kept.emplace_back(std::move(text));
}

std::string decodeWindows1252(std::string_view bytes) {
    std::string out(bytes.size() * kMaxUtf8PerByte, '\0');
    out.resize(static_cast<std::size_t>(decodeInto(bytes, out.data()) - out.data()));
    return out;
}

LoadResult parseSolventDatabase(std::string bytes) {
    auto storage = std::make_shared<SolventTable::Storage>();
    storage->fileBytes = std::move(bytes);
    LineReader reader(storage->fileBytes);
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

    // First the lines: the record's views point into the file's bytes, its
    // name waits in the label until the labels are built. A record with a
    // byte beyond ASCII is decoded on its own; the rest are copied as they are.
    SolventTable table;
    table.records.reserve(recordCount);
    std::vector<bool> decodeRecord(recordCount);
    std::size_t room = 0;
    for (std::size_t i = 0; i < recordCount; ++i) {
        SolventRecord r;
        std::string_view name, separator;
        if (!reader.next(name)) return LoadFailure::InputPastEnd;
        for (std::string_view* field : fieldsOf(r))
            if (!reader.next(*field)) return LoadFailure::InputPastEnd;
        if (!reader.next(separator)) return LoadFailure::InputPastEnd;
        r.label = trimTrailingBlanks(name);
        const std::size_t labelBytes =
            trimTrailingBlanks(r.reference).size() + kLabelSeparator.size() + r.label.size();
        const std::string_view recordText(name.data(),
                                          static_cast<std::size_t>(separator.data() + separator.size() - name.data()));
        const bool decode = hasHighBytes(recordText);
        decodeRecord[i] = decode;
        room += decode ? kMaxUtf8PerByte * (labelBytes + recordText.size()) : labelBytes;
        table.records.push_back(r);
    }
    // Checked only once every record is there: a file cut short is reported
    // as cut short even when the last record present is the custom-entry row.
    for (std::size_t i = 0; i < recordCount; ++i)
        if (!recordIsUsable(table.records[i], i + 1 == recordCount)) return LoadFailure::TypeMismatch;

    // Then the labels, and the decoded text of any field beyond ASCII, in one
    // block sized for the most they can take.
    storage->decoded.reset(new char[room]);  // not cleared: every byte used is written first
    char* out = storage->decoded.get();
    auto put = [&out](std::string_view text, bool decode) {
        if (decode) {
            out = decodeInto(text, out);
        } else {
            std::memcpy(out, text.data(), text.size());
            out += text.size();
        }
    };
    table.labels.resize(recordCount);
    for (std::size_t i = 0; i < recordCount; ++i) {
        SolventRecord& r = table.records[i];
        const bool decode = decodeRecord[i];
        char* const start = out;
        put(trimTrailingBlanks(r.reference), decode);
        put(kLabelSeparator, false);
        put(r.label, decode);
        r.label = table.labels[i] = std::string_view(start, static_cast<std::size_t>(out - start));
        if (!decode) continue;
        for (std::string_view* field : fieldsOf(r)) {
            if (!hasHighBytes(*field)) continue;
            char* const fieldStart = out;
            put(*field, true);
            *field = std::string_view(fieldStart, static_cast<std::size_t>(out - fieldStart));
        }
    }
    table.lastIndex = static_cast<std::int16_t>(recordCount - 1);
    table.storage = std::move(storage);
    return table;
}

LoadResult loadSolventDatabaseFile(const std::string& path) {
    std::string bytes;
    switch (readWholeFile(path, bytes)) {
        case FileReadFailure::None: return parseSolventDatabase(std::move(bytes));
        case FileReadFailure::NotFound: return LoadFailure::FileNotFound;
        case FileReadFailure::IsFolder: return LoadFailure::PathAccess;
        case FileReadFailure::Denied: return LoadFailure::AccessDenied;
        case FileReadFailure::ReadError: break;
    }
    return LoadFailure::DeviceError;
}

}  // namespace tarnwell

namespace tarnwell {

std::optional<SolventNumbers> readSolventNumbers(const SolventRecord& record) {
    const std::optional<std::int16_t> n = parseWholeNumber(record.n);
    const std::optional<std::int16_t> d = parseWholeNumber(record.d);
    const std::optional<std::int16_t> w = parseWholeNumber(record.w);
    const std::optional<std::int16_t> reference = parseWholeNumber(record.reference);
    const std::optional<double> molarVolume = parseDouble(record.molarVolume);
    const std::optional<double> molecularWeight = parseDouble(record.molecularWeight);
    const std::optional<float> molecularWeightSingle = parseSingle(record.molecularWeight);
    if (!n || !d || !w || !reference || !molarVolume || !molecularWeight || !molecularWeightSingle) return std::nullopt;
    return SolventNumbers{{*n, *d, *w}, *reference, *molarVolume, *molecularWeight, *molecularWeightSingle};
}

}  // namespace tarnwell
