#pragma once
// The finders' results as a table: the columns the window shows and a CSV
// file holds, and each listed blend's cells, worked out from what the finder
// found. Each cell has the text a person reads (and a screen reader says),
// the text a CSV file holds, and the key it sorts by.
//
// Sort keys put a figure that is not known at the unsafe end of an ascending
// order, as the finder ranks it: a TWA shown as "X" below every TWA (lower is
// less safe), a VHR shown as "X" above every VHR (higher is less safe), an
// unknown flash point below every flash point (lower burns more readily).

#include "core/blend_finder.h"
#include "core/zone_finder.h"

#include <string>
#include <variant>
#include <vector>

namespace tarnwell {

enum class FinderColumn {
    Rank,        // the finder's ranking, 1 the safest
    Solvents,    // the labels joined by " + "
    Volumes,     // the volume fractions, ".250 / .750"
    N, D, W,     // whole numbers adding to 100
    Twa,         // ppm, as the report shows it
    Vhr,
    FlashPoint,  // the lowest of the blend's solvents
    Carcinogen, Skin, PhasedOut,  // "yes" when a solvent of the blend carries the mark
    Compared,    // point finder: against the target's TWA and VHR
    InZone,      // zone finder: whether the whole-number point lies in the zone
};

// The point finder's columns end with Compared, the zone finder's with InZone.
std::vector<FinderColumn> finderColumns(bool zoneMode);
// The header as the table shows it.
std::string finderColumnTitle(FinderColumn column);
// The header in a CSV file: the table's, with the unit a number there lacks.
std::string finderColumnCsvTitle(FinderColumn column);
// What the header's tooltip says of the column.
std::string finderColumnTip(FinderColumn column);

struct FinderCell {
    std::string text;  // shown, and what a screen reader says
    std::string csv;   // in a CSV file: numbers with a decimal point, no unit
    std::variant<double, std::string> sortKey;  // a number, or the text
    std::string tip;   // more about the cell, for its tooltip; may be empty
};
using FinderRow = std::vector<FinderCell>;  // one cell per column of finderColumns

// `rank` counts from 1. A zone blend's row has InZone, a found blend's Compared.
FinderRow finderRow(const FoundBlend& blend, int rank, const SolventTable& table);
FinderRow finderRow(const ZoneBlend& blend, int rank, const SolventTable& table);

// A CSV file of the rows: UTF-8 after a byte-order mark (so that spreadsheets
// on Windows read it as UTF-8), a header row, CR LF after every row, fields
// separated by commas. Text fields are quoted, a quote in them doubled;
// numbers are written plain with a decimal point.
std::string finderCsv(const std::vector<FinderColumn>& columns, const std::vector<FinderRow>& rows);

}  // namespace tarnwell
