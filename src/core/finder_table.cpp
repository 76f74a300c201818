#include "core/finder_table.h"

#include "core/mixture_hazards.h"
#include "core/numbers.h"

#include <cmath>
#include <limits>

namespace tarnwell {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// What a row is made from, whichever finder listed it.
struct RowSource {
    std::array<int, 3> rows{};
    int size = 0;
    std::array<std::string, 3> volumeText;
    std::array<std::string, 3> ndwText;
    std::string twaText, vhrText;
    std::optional<double> twaShown, vhrShown;  // the figures as shown, for sorting
    std::array<SolventNotes, 3> notes;
};

std::string labelOf(const SolventTable& table, int row) {
    return row >= 0 && static_cast<std::size_t>(row) < table.labels.size()
               ? std::string(table.labels[static_cast<std::size_t>(row)])
               : std::string();
}

FinderCell textCell(std::string text, std::string tip = {}) {
    FinderCell c;
    c.text = text;
    c.csv = text;
    c.sortKey = text;
    c.tip = std::move(tip);
    return c;
}

FinderCell numberCell(std::string text, double key) {
    FinderCell c;
    c.text = text;
    c.csv = std::move(text);
    c.sortKey = key;
    return c;
}

std::string yesNo(bool yes) { return yes ? "yes" : "no"; }

// "yes", and which solvents carry the mark.
FinderCell markCell(const RowSource& s, const SolventTable& table, bool SolventNotes::*mark, const char* what) {
    std::string names;
    for (int k = 0; k < s.size; ++k)
        if (s.notes[static_cast<std::size_t>(k)].*mark) {
            names += names.empty() ? std::string(what) + ": " : std::string("; ");
            names += labelOf(table, s.rows[static_cast<std::size_t>(k)]);
        }
    return textCell(yesNo(!names.empty()), names);
}

FinderCell flashPointCell(const RowSource& s, const SolventTable& table) {
    const auto notes = std::span(s.notes).first(static_cast<std::size_t>(s.size));
    const LowestFlashPoint lowest = lowestFlashPoint(notes);
    FinderCell c;
    c.text = lowestFlashPointText(lowest);
    if (lowest.celsius) {
        std::string number = formatOneDecimal(*lowest.celsius);
        if (number.size() > 2 && number.ends_with(".0")) number.resize(number.size() - 2);
        c.csv = lowest.complete ? number : std::string("\u2264 ") + number;
        c.sortKey = *lowest.celsius;
    } else {
        c.csv = c.text;
        c.sortKey = -kInfinity;
    }
    for (int k = 0; k < s.size; ++k) {
        const std::optional<double>& f = notes[static_cast<std::size_t>(k)].flashPoint;
        if (k) c.tip += '\n';
        c.tip += labelOf(table, s.rows[static_cast<std::size_t>(k)]);
        c.tip += ": ";
        c.tip += f ? formatCelsius(*f) : std::string("flash point unknown");
    }
    return c;
}

FinderRow commonRow(const RowSource& s, int rank, const SolventTable& table) {
    FinderRow row;
    row.push_back(numberCell(formatPlain(rank), rank));
    std::string labels, volumes;
    for (int k = 0; k < s.size; ++k) {
        if (k) {
            labels += " + ";
            volumes += " / ";
        }
        labels += labelOf(table, s.rows[static_cast<std::size_t>(k)]);
        volumes += s.volumeText[static_cast<std::size_t>(k)];
    }
    row.push_back(textCell(labels, labels));
    row.push_back(textCell(volumes));
    for (const std::string& v : s.ndwText) {
        const std::optional<double> value = parseDouble(v);
        row.push_back(numberCell(v, value.value_or(-kInfinity)));
    }
    row.push_back(numberCell(s.twaText, s.twaShown.value_or(-kInfinity)));
    row.push_back(numberCell(s.vhrText, s.vhrShown.value_or(kInfinity)));
    row.push_back(flashPointCell(s, table));
    row.push_back(markCell(s, table, &SolventNotes::carcinogen, "Carcinogen"));
    row.push_back(markCell(s, table, &SolventNotes::skin, "Skin notation"));
    row.push_back(markCell(s, table, &SolventNotes::phasedOut, "Phased out"));
    return row;
}

}  // namespace

std::vector<FinderColumn> finderColumns(bool zoneMode) {
    using C = FinderColumn;
    std::vector<C> columns{C::Rank, C::Solvents, C::Volumes, C::N, C::D, C::W, C::Twa, C::Vhr,
                           C::FlashPoint, C::Carcinogen, C::Skin, C::PhasedOut};
    columns.push_back(zoneMode ? C::InZone : C::Compared);
    return columns;
}

std::string finderColumnTitle(FinderColumn column) {
    switch (column) {
    case FinderColumn::Rank: return "Rank";
    case FinderColumn::Solvents: return "Solvents";
    case FinderColumn::Volumes: return "Volume fractions";
    case FinderColumn::N: return "N";
    case FinderColumn::D: return "D";
    case FinderColumn::W: return "W";
    case FinderColumn::Twa: return "TWA (ppm)";
    case FinderColumn::Vhr: return "VHR";
    case FinderColumn::FlashPoint: return "Lowest flash point";
    case FinderColumn::Carcinogen: return "Carcinogen";
    case FinderColumn::Skin: return "Skin";
    case FinderColumn::PhasedOut: return "Phased out";
    case FinderColumn::Compared: return "Compared with the target";
    case FinderColumn::InZone: return "Stays in zone";
    }
    return {};
}

std::string finderColumnCsvTitle(FinderColumn column) {
    return column == FinderColumn::FlashPoint ? finderColumnTitle(column) + " (\u00B0C)" : finderColumnTitle(column);
}

std::string finderColumnTip(FinderColumn column) {
    switch (column) {
    case FinderColumn::Rank: return "The finder's order: the highest TWA first, then the lowest VHR";
    case FinderColumn::Solvents: return "The solvents of the blend, as the solvent lists name them";
    case FinderColumn::Volumes: return "The share of each solvent by volume, in the same order";
    case FinderColumn::N:
    case FinderColumn::D:
    case FinderColumn::W: return "The mixture's N, D and W as whole numbers adding to 100";
    case FinderColumn::Twa: return "The mixture's exposure limit; a higher limit is safer. X: not computable";
    case FinderColumn::Vhr: return "The mixture's vapour hazard ratio; a lower ratio is safer. X: not computable";
    case FinderColumn::FlashPoint:
        return "The lowest flash point of the blend's solvents. \u2264: a solvent's flash point is unknown, "
               "and it may lie lower";
    case FinderColumn::Carcinogen: return "A solvent of the blend is marked [carcinogen]";
    case FinderColumn::Skin: return "A solvent of the blend is marked [skin]: it passes through the skin";
    case FinderColumn::PhasedOut:
        return "A solvent of the blend is ozone-depleting: the Montreal Protocol ended its production";
    case FinderColumn::Compared: return "The blend's TWA and VHR against the target's";
    case FinderColumn::InZone:
        return "Whether the blend's point, as whole numbers adding to 100 (the target \"Use this blend\" sets), "
               "still lies in the zone";
    }
    return {};
}

FinderRow finderRow(const FoundBlend& blend, int rank, const SolventTable& table) {
    const RowSource s{blend.rows,    blend.size,    blend.volumeText, {blend.mixNText, blend.mixDText, blend.mixWText},
                      blend.twaText, blend.vhrText, blend.twaPpm,     blend.vhr,
                      blend.notes};
    FinderRow row = commonRow(s, rank, table);
    std::string compared = ratioText(blend.twaRatio, "TWA");
    if (const std::string vhr = ratioText(blend.vhrRatio, "VHR"); !vhr.empty())
        compared += compared.empty() ? vhr : ", " + vhr;
    // Sorted by the TWA's ratio, as the finder ranks; without one at the unsafe end.
    FinderCell cell = textCell(compared);
    cell.sortKey = blend.twaRatio.value_or(-kInfinity);
    row.push_back(std::move(cell));
    return row;
}

FinderRow finderRow(const ZoneBlend& blend, int rank, const SolventTable& table) {
    const RowSource s{blend.rows,    blend.size,    blend.volumeText,        {blend.mixNText, blend.mixDText, blend.mixWText},
                      blend.twaText, blend.vhrText, shownTwa(blend.twaPpm), roundedVhr(blend.vhr),
                      blend.notes};
    FinderRow row = commonRow(s, rank, table);
    row.push_back(textCell(yesNo(blend.roundedInZone)));
    return row;
}

std::string finderCsv(const std::vector<FinderColumn>& columns, const std::vector<FinderRow>& rows) {
    auto quoted = [](const std::string& text) {
        std::string out = "\"";
        for (char c : text) {
            if (c == '"') out += '"';
            out += c;
        }
        return out + '"';
    };
    std::string csv = "\xEF\xBB\xBF";
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i) csv += ',';
        csv += quoted(finderColumnCsvTitle(columns[i]));
    }
    csv += "\r\n";
    for (const FinderRow& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            const FinderCell& c = row[i];
            const bool number = std::holds_alternative<double>(c.sortKey) && isNumericText(c.csv);
            if (i) csv += ',';
            csv += number ? c.csv : quoted(c.csv);
        }
        csv += "\r\n";
    }
    return csv;
}

}  // namespace tarnwell
