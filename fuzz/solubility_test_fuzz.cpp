// The solubility test file reader on any bytes: it never crashes; a file it
// refuses names a line of the file and a reason; a file it accepts writes
// back to the same test, and that text reads and writes again unchanged.
// An accepted test also meets a small solvent list and makes its zone
// without losing or inventing a liquid.
#include "core/trial_file.h"
#include "core/solubility_zone.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace {

using namespace tarnwell;

const SolventTable& smallTable() {
    static const SolventTable table = [] {
        std::string text = "Fuzz\r\ntable\r\nof\r\nsolvents\r\n3\r\n";
        for (const char* record : {"Acetone\r\n2\r\n47\r\n32\r\n21\r\n250\r\n947\r\n74\r\n58.08\r\n590\r\nEyes\r\n\r\n",
                                   "Ethanol\r\n2\r\n36\r\n18\r\n46\r\n1000\r\n58\r\n58.5\r\n46.07\r\n1900\r\nEyes\r\n\r\n",
                                   "Enter N, D, W.\r\n0\r\n0\r\n0\r\n0\r\nnone\r\nnone\r\n0\r\n0\r\nnone\r\n\r\n\r\n"})
            text += record;
        return std::get<SolventTable>(parseSolventDatabase(text));
    }();
    return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const TestFileOutcome read = readSolubilityTest(bytes);
    if (const TestFileError* error = std::get_if<TestFileError>(&read)) {
        const auto lines = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
        FUZZ_CHECK(error->line >= 0 && error->line <= lines, "error on line %d of %d", error->line, lines);
        FUZZ_CHECK(!error->message.empty(), "an error without a message on line %d", error->line);
        return 0;
    }
    const SolubilityTest& test = std::get<SolubilityTest>(read);
    const std::string text = writeSolubilityTest(test);
    const TestFileOutcome again = readSolubilityTest(text);
    FUZZ_CHECK(std::holds_alternative<SolubilityTest>(again), "the written test does not read back: %s",
               testFileErrorText(std::get<TestFileError>(again)).c_str());
    FUZZ_CHECK(std::get<SolubilityTest>(again) == test, "the test read back differs from the one written");
    FUZZ_CHECK(writeSolubilityTest(std::get<SolubilityTest>(again)) == text, "writing again changed the text");

    const ResolvedTest resolved = resolveAgainstTable(test, smallTable());
    FUZZ_CHECK(resolved.test.liquids.size() == test.liquids.size(), "resolving changed the number of liquids");
    for (std::size_t i = 0; i < test.liquids.size(); ++i) {
        const TestLiquid& before = test.liquids[i];
        const TestLiquid& after = resolved.test.liquids[i];
        FUZZ_CHECK(after.name == before.name && after.result == before.result, "resolving changed liquid %zu", i);
        FUZZ_CHECK(hasChartPlace(after.n, after.d, after.w), "liquid %zu lost its place on the chart", i);
    }
    for (const LiquidNote& note : resolved.notes)
        FUZZ_CHECK(note.liquid < test.liquids.size() && !note.text.empty(), "a note on no liquid");

    const SolubilityZone zone = zoneOfTest(resolved.test);
    for (const std::size_t i : noEffectInsideZone(resolved.test, zone))
        FUZZ_CHECK(i < test.liquids.size() && test.liquids[i].result == TestResult::NoEffect, "warning on liquid %zu", i);
    if (const std::optional<TeasPoint> centre = zoneCentreTarget(zone))
        FUZZ_CHECK(centre->n + centre->d + centre->w == 100 && centre->n >= 0 && centre->d >= 0 && centre->w >= 0,
                   "centre %d %d %d", centre->n, centre->d, centre->w);
    FUZZ_CHECK(zone.shape == ZoneShape::None || zone.centroid, "a zone without a centroid");
    return 0;
}
