#pragma once
// The second shipped data file: each solvent's vapour pressure, boiling point,
// flash point and flammability class, keyed by its exact list label. The
// database's own format has no room for them and stays as it is.
//
// The format (UTF-8; lines end in LF or CR LF):
//
//   # sources and notes: any line starting with #, anywhere
//   label<TAB>vp_20c_mmhg<TAB>boiling_point_c<TAB>flash_point_c<TAB>flammability_class<TAB>source
//   2:   Acetone<TAB>180<TAB>56<TAB>-20<TAB>IB<TAB>NPG
//
// The first line that is neither a note nor empty is the header: exactly these
// six names, in this order. Every later line that is neither a note nor empty
// is one solvent: six fields separated by tabs. The label is the list label
// byte for byte (reference + ":   " + name). The numbers are decimal numbers
// with a point ("none" when unknown): the vapour pressure at 20 C in mmHg (0
// or more), the normal boiling point and the flash point in C (either may be
// below 0, neither below absolute zero). The class is one of IA, IB, IC, II,
// IIIA, IIIB or none; the source a short code named in the notes, never empty.
//
// A file with a fault is not used at all: the reader names the line and what
// is wrong with it (messages.h), and every figure stays unknown. A missing
// file is not a fault: the figures are unknown and nothing is said at start.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwell {

inline constexpr const char* kPropertiesFileName = "tarnwell solvent properties 1.0.txt";
inline constexpr const char* kPropertiesHeader =
    "label\tvp_20c_mmhg\tboiling_point_c\tflash_point_c\tflammability_class\tsource";
inline constexpr std::size_t kMaxPropertiesFileBytes = 32u << 20;  // 32,767 long rows are about 10 MB

// The Pocket Guide's classes of flammable and combustible liquids.
enum class FlammabilityClass : std::uint8_t { None, IA, IB, IC, II, IIIA, IIIB };
const char* flammabilityClassText(FlammabilityClass c);  // "IB"; "none"

struct SolventProperties {
    std::string_view label;               // as the list shows it
    std::optional<double> vapourPressure; // mmHg at 20 C
    std::optional<double> boilingPoint;   // C
    std::optional<double> flashPoint;     // C
    FlammabilityClass flammabilityClass = FlammabilityClass::None;
    std::string_view source;
};

// The rows of one file, found by label. Copies share the file's bytes, which
// the labels and sources point into.
struct SolventPropertiesTable {
    std::vector<SolventProperties> rows;  // file order
    std::vector<std::uint64_t> index;     // open addressing: hash << 32 | row + 1; 0 for an empty place
    std::shared_ptr<const std::string> bytes;

    // Nothing when the file has no row of this label.
    const SolventProperties* find(std::string_view label) const;
};

struct PropertiesFileError {
    int line = 0;         // 1-based; 0 for the file as a whole
    std::string message;  // what is wrong, in a sentence
    bool operator==(const PropertiesFileError&) const = default;
};

enum class PropertiesFileStatus { Missing, Damaged, Loaded };

struct SolventPropertiesFile {
    PropertiesFileStatus status = PropertiesFileStatus::Missing;
    SolventPropertiesTable table;  // empty unless Loaded
    PropertiesFileError error;     // Damaged: where and why

    // A solvent's row; nothing unless the file was loaded and has the label.
    const SolventProperties* find(std::string_view label) const;
};

// Reads the file's bytes (moved in, as the table keeps them): Loaded or Damaged.
SolventPropertiesFile parseSolventProperties(std::string bytes);

// Reads the file at `path` (UTF-8): Missing when there is no such file.
SolventPropertiesFile loadSolventPropertiesFile(const std::string& path);

// The properties file beside a database file: its folder, the properties name.
std::string propertiesPathBeside(const std::string& databasePath);

// --- Flammability of a liquid, by the GHS categories (EU CLP Annex I, 2.6) ---------------

enum class FlammabilityCategory {
    Unknown,          // no flash point known
    Extremely,        // flash point below 23 C, boiling point 35 C or below (GHS/CLP 1)
    Highly,           // flash point below 23 C, boiling point above 35 C or unknown (GHS/CLP 2)
    Flammable,        // flash point 23 to 60 C (GHS/CLP 3)
    Combustible,      // flash point above 60 C, up to 93 C (GHS 4; CLP has no such category)
    NotClassed,       // flash point above 93 C
};
inline constexpr double kHighlyFlammableBelowC = 23.0;

FlammabilityCategory flammabilityCategory(std::optional<double> flashPoint, std::optional<double> boilingPoint);
// Flash point below 23 C: the finder's "highly flammable" (categories 1 and 2).
bool isHighlyFlammable(std::optional<double> flashPoint);

}  // namespace tarnwell
