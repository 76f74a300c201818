#pragma once
// The solvent database file and the in-memory table read from it.
//
// The file is 8-bit text (Windows-1252), one value per line: four header
// lines, the record count on line 5, then that many records of 12 lines each.
// Every field is kept as the text of its line; numbers are converted where
// they are used. The last record is the custom-entry row ("Enter N, D, W").
//
// A table keeps the file's bytes once and its records are views into them
// (and into the decoded labels), so that even the largest file loads in a
// few milliseconds. Copies of a table share those bytes; a field set after
// loading must be kept by the table with own().

#include "core/teas_point.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tarnwell {

inline constexpr const char* kDatabaseFileName = "tarnwell database 1.0.txt";

// Every field is UTF-8 text.
struct SolventRecord {
    std::string_view label;  // reference + ":   " + name, each with trailing blanks removed
    std::string_view reference;
    std::string_view n, d, w;
    std::string_view twaText;
    std::string_view vhrText;
    std::string_view molarVolume;
    std::string_view molecularWeight;
    std::string_view twaMgText;
    std::string_view effects;
};

struct SolventTable {
    std::vector<SolventRecord> records;    // file order
    std::vector<std::string_view> labels;  // the exact rows of every solvent list
    std::int16_t lastIndex = -1;           // the custom-entry row

    // Keeps `text` for as long as any copy of this table lives; the view
    // stays valid that long.
    std::string_view own(std::string text);

    // The texts the views point into, shared by every copy of the table.
    struct Storage {
        std::string fileBytes;        // the file as read
        std::unique_ptr<char[]> decoded;  // labels, and fields that needed decoding
        std::deque<std::string> kept; // texts given to own()
    };
    std::shared_ptr<Storage> storage;
};

// A record's numbers as a double-click, Calculate and the finders read them.
struct SolventNumbers {
    TeasPoint ndw;
    std::int16_t reference = 0;
    double molarVolume = 0.0;
    double molecularWeight = 0.0;
    float molecularWeightSingle = 0.0f;  // the text read once to 32 bits, as the calculator keeps it
};

// Nothing when one of them is no number (or the molecular weight does not fit
// a 32-bit float): such a record cannot be put into a slot anywhere.
std::optional<SolventNumbers> readSolventNumbers(const SolventRecord& record);

// Failure numbers reported in the database message.
enum class LoadFailure : int {
    FileNotFound = 53,
    InputPastEnd = 62,    // the file ends before the last record is complete
    TypeMismatch = 13,    // the count is no number, or a record holds an unusable number
    Overflow = 6,         // the count is outside -32767 .. 32767
    CountNotPositive = 9, // the count is 0 or negative
    AccessDenied = 70,    // the file exists but cannot be opened for reading
    PathAccess = 75,      // the name is a folder, not a file
    DeviceError = 57,     // reading failed part-way
};

using LoadResult = std::variant<SolventTable, LoadFailure>;

// Splits the bytes into lines as the file format defines them: CR LF ends a
// line, a CR alone ends a line, an LF not after a CR is part of the line; text
// after the last line end is a line when it has at least one character.
// Decodes Windows-1252 to UTF-8, builds the labels and checks the records.
// The table keeps `bytes` (move them in to spare a copy).
LoadResult parseSolventDatabase(std::string bytes);

// Reads the file at `path` and parses it.
LoadResult loadSolventDatabaseFile(const std::string& path);

// Windows-1252 bytes to UTF-8 (bytes 0x81, 0x8D, 0x8F, 0x90, 0x9D, undefined
// there, become the control characters of the same number, as Windows does).
std::string decodeWindows1252(std::string_view bytes);

}  // namespace tarnwell
