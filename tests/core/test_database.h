#pragma once
// Small fictional solvent tables for the core tests, made as database files
// and read by the real loader, so the records are exactly what the program
// would hold.

#include "core/database.h"

#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace tarnwell::testing {

struct TestSolvent {
    std::string name;
    int reference = 2;
    int n = 0, d = 0, w = 0;
    std::string twa = "100";       // ppm
    std::string vhr = "100";
    std::string molarVolume = "100";
    std::string molecularWeight = "100";
    std::string twaMg = "400";
    std::string effects = "Eyes";
};

// The file's text: four header lines, the count, the records, and the
// custom-entry row last.
inline std::string databaseText(const std::vector<TestSolvent>& solvents) {
    std::string text = "Test table\r\nfor\r\nthe\r\ncore tests\r\n" + std::to_string(solvents.size() + 1) + "\r\n";
    auto record = [&text](const TestSolvent& s) {
        for (const std::string& line :
             {s.name, std::to_string(s.reference), std::to_string(s.n), std::to_string(s.d), std::to_string(s.w), s.twa,
              s.vhr, s.molarVolume, s.molecularWeight, s.twaMg, s.effects, std::string()})
            text += line + "\r\n";
    };
    for (const TestSolvent& s : solvents) record(s);
    record({"Enter N, D, W.", 0, 0, 0, 0, "none", "none", "0", "0", "none", ""});
    return text;
}

inline SolventTable tableOf(const std::vector<TestSolvent>& solvents) {
    LoadResult loaded = parseSolventDatabase(databaseText(solvents));
    if (!std::holds_alternative<SolventTable>(loaded)) throw std::runtime_error("the test table did not load");
    return std::get<SolventTable>(std::move(loaded));
}

}  // namespace tarnwell::testing
