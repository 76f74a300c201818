#pragma once
// A solubility test as a small text file, written only when the user saves,
// and read back without the solvent database: each liquid keeps its name and
// its N, D, W, so a test opens even when the list has changed since.
//
// The format, line by line (UTF-8; lines end in CR LF or LF):
//
//   Tarnwell solubility test 1
//   Material: Dammar varnish, aged
//
//   Liquid: 2:   n-Heptane
//   N D W: 100 0 0
//   Result: No effect
//
//   Liquid: n-Heptane 70 % + Acetone 30 %
//   N D W: 76 14 10
//   Result: Partly
//   Part: 0.70 2:   n-Heptane
//   Part: 0.30 2:   Acetone
//
// The first line names the format and its version. "Material:" comes once,
// before the first liquid. Each "Liquid:" starts a liquid, followed in any
// order by one "N D W:" (three numbers from 0 to 100, not all 0), one
// "Result:" (Dissolves, Partly, No effect or Not tried) and, for a mixture,
// two or three "Part:" lines (a volume fraction with two decimals, then the
// solvent's list label; the fractions add up to 1.00). Blank lines and lines
// starting with # are ignored. A value's blanks at both ends are dropped; in
// names, \\ \n \r \t and \xHH (HH below 80) stand for a backslash, a line
// end, a carriage return, a tab and that byte.
//
// Reading checks everything before it gives anything: a damaged file gives
// the line and what is wrong with it, and no test.

#include "core/database.h"
#include "core/solubility_trial.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tarnwell {

inline constexpr const char* kTestFileHeader = "Tarnwell solubility test 1";
inline constexpr std::size_t kMaxTestFileBytes = 4u << 20;  // a test of 10,000 liquids is about 1 MB
inline constexpr std::size_t kMaxTestLiquids = 10000;

// The file's text for a test. Names are taken as UTF-8; a byte that is not
// UTF-8 is written as U+FFFD.
std::string writeSolubilityTest(const SolubilityTest& test);

struct TestFileError {
    int line = 0;         // 1-based; 0 for the file as a whole
    std::string message;  // what is wrong, in a sentence
    bool operator==(const TestFileError&) const = default;
};

using TestFileOutcome = std::variant<SolubilityTest, TestFileError>;
TestFileOutcome readSolubilityTest(std::string_view bytes);

// "Line 6: ..." (or the message alone for the whole file), for the window.
std::string testFileErrorText(const TestFileError& error);

// --- Against today's solvent list ------------------------------------------------------

// A liquid the list no longer gives as the file stored it.
enum class LiquidNoteKind {
    NotInList,      // the solvent (or a solvent of the mixture) is not in the list: stored N, D, W kept
    Unreadable,     // the list's record cannot make the liquid: stored N, D, W kept
    ValuesChanged,  // the list gives other N, D, W now: those are used
};

struct LiquidNote {
    std::size_t liquid = 0;  // index into the test's liquids
    LiquidNoteKind kind = LiquidNoteKind::NotInList;
    std::string text;
};

struct ResolvedTest {
    SolubilityTest test;
    std::vector<LiquidNote> notes;
};

// Matches each liquid to the current list by label (a mixture by its parts'
// labels) and takes the list's N, D, W, worked out as a new liquid would be.
// A liquid the list cannot make keeps its stored N, D, W, with a note; names
// and results never change.
ResolvedTest resolveAgainstTable(const SolubilityTest& test, const SolventTable& table);

}  // namespace tarnwell
