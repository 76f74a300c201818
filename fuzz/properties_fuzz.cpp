// The solvent properties reader on any bytes: it never crashes; a file it
// refuses names a line of the file and a reason and gives no rows; a file it
// accepts finds every row by its label, with figures that are numbers, a
// vapour pressure of 0 or more and temperatures above absolute zero.
#include "core/solvent_properties.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

using namespace tarnwell;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    // Half the inputs start with a sound header, so the rows get read.
    if (size > 0 && data[0] % 2 == 0) bytes = std::string(kPropertiesHeader) + "\n" + bytes.substr(1);
    const auto lines = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
    const SolventPropertiesFile file = parseSolventProperties(bytes);
    if (file.status == PropertiesFileStatus::Damaged) {
        FUZZ_CHECK(file.error.line >= 0 && file.error.line <= lines, "error on line %d of %d", file.error.line, lines);
        FUZZ_CHECK(!file.error.message.empty(), "an error without a message on line %d", file.error.line);
        FUZZ_CHECK(file.table.rows.empty() && file.find("") == nullptr, "a damaged file gave rows");
        return 0;
    }
    FUZZ_CHECK(file.status == PropertiesFileStatus::Loaded, "neither loaded nor damaged");
    FUZZ_CHECK(!file.table.rows.empty(), "a file without rows was accepted");
    for (const SolventProperties& row : file.table.rows) {
        FUZZ_CHECK(file.find(row.label) == &row, "a row not found by its label (%zu bytes)", row.label.size());
        FUZZ_CHECK(!row.label.empty() && !row.source.empty(), "an empty label or source");
        if (row.vapourPressure)
            FUZZ_CHECK(std::isfinite(*row.vapourPressure) && *row.vapourPressure >= 0.0 && !std::signbit(*row.vapourPressure),
                       "vapour pressure %g", *row.vapourPressure);
        for (const auto& t : {row.boilingPoint, row.flashPoint})
            if (t) FUZZ_CHECK(std::isfinite(*t) && *t >= -273.15, "temperature %g", *t);
    }
    return 0;
}
