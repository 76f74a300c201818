#include "core/database.h"

#include "core/line_ends.h"
#include "core/numbers.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <filesystem>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

using namespace tarnwell;

namespace {

const char* kHeader = "h1\r\nh2\r\nh3\r\nh4\r\n";

std::string record(const std::string& name, const std::string& reference = "2", const std::string& n = "50",
                   const std::string& d = "25", const std::string& w = "25") {
    return name + "\r\n" + reference + "\r\n" + n + "\r\n" + d + "\r\n" + w +
           "\r\n100\r\n57\r\n73.93\r\n58.08\r\n590\r\nEyes, skin\r\n\r\n";
}

std::string customRow() { return "Enter N, D, W.\r\n0\r\n0\r\n0\r\n0\r\nnone\r\nnone\r\n0\r\n0\r\nnone\r\n\r\n\r\n"; }

std::string file(const std::string& count, const std::vector<std::string>& records) {
    std::string out = std::string(kHeader) + count + "\r\n";
    for (const auto& r : records) out += r;
    return out;
}

int failureOf(const LoadResult& r) {
    return std::holds_alternative<LoadFailure>(r) ? static_cast<int>(std::get<LoadFailure>(r)) : 0;
}

SolventTable tableOf(const LoadResult& r) {
    EXPECT_TRUE(std::holds_alternative<SolventTable>(r)) << "failure " << failureOf(r);
    return std::holds_alternative<SolventTable>(r) ? std::get<SolventTable>(r) : SolventTable{};
}

TEST(DatabaseLoader, LoadsRecordsInFileOrderWithTheCustomRowLast) {
    LoadResult r = parseSolventDatabase(file("3", {record("Acetone"), record("Ethanol", "3"), customRow()}));
    const SolventTable t = tableOf(r);
    ASSERT_EQ(t.records.size(), 3u);
    EXPECT_EQ(t.lastIndex, 2);
    EXPECT_EQ(t.labels, (std::vector<std::string_view>{"2:   Acetone", "3:   Ethanol", "0:   Enter N, D, W."}));
    const SolventRecord& a = t.records[0];
    EXPECT_EQ(a.n, "50");
    EXPECT_EQ(a.twaText, "100");
    EXPECT_EQ(a.vhrText, "57");
    EXPECT_EQ(a.molarVolume, "73.93");
    EXPECT_EQ(a.molecularWeight, "58.08");
    EXPECT_EQ(a.twaMgText, "590");
    EXPECT_EQ(a.effects, "Eyes, skin");
}

TEST(DatabaseLoader, FailureNumbers) {
    const std::pair<std::string, int> cases[] = {
        {"", 62},                                              // empty file
        {"h1\r\nh2\r\nh3\r\nh4\r\n", 62},                       // ends before the count
        {file("2", {record("Acetone")}), 62},                  // fewer records than counted
        {file("3", {record("Acetone"), customRow()}), 62},     // ... ending on the custom-entry row
        {file("2", {record("Acetone"), customRow().substr(0, 30)}), 62},  // cut inside the last record
        {file("abc", {customRow()}), 13},
        {file("12abc", {customRow()}), 13},
        {file(std::string("3\0 2", 4), {customRow()}), 13},
        {file("", {customRow()}), 13},                         // empty count line
        {file("0", {customRow()}), 9},
        {file("-1", {customRow()}), 9},
        {file("32768", {customRow()}), 6},
        {file("-32768", {customRow()}), 6},
        {file("1e400", {customRow()}), 6},
        {file("2", {record("Bad", "2", "x"), customRow()}), 13},       // N not a number
        {file("2", {record("Bad", "2", "40000"), customRow()}), 13},   // N beyond 16 bits
        {file("2", {record("Bad", "two"), customRow()}), 13},          // reference not a number
        {file("1", {"Enter\r\nzero\r\n0\r\n0\r\n0\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"}), 13},  // custom row's reference
    };
    for (const auto& [text, number] : cases)
        EXPECT_EQ(failureOf(parseSolventDatabase(text)), number) << "file:\n" << text;
}

TEST(DatabaseLoader, RejectsRecordsWithUnusableMolarVolumeOrWeight) {
    std::string zeroVolume = record("Zero");
    zeroVolume.replace(zeroVolume.find("73.93"), 5, "0");
    std::string negativeWeight = record("Neg");
    negativeWeight.replace(negativeWeight.find("58.08"), 5, "-5");
    std::string textWeight = record("Text");
    textWeight.replace(textWeight.find("58.08"), 5, "n/a");
    for (const std::string& bad : {zeroVolume, negativeWeight, textWeight})
        EXPECT_EQ(failureOf(parseSolventDatabase(file("2", {bad, customRow()}))), 13);
    // The custom-entry row's numbers are never used as a solvent's.
    EXPECT_EQ(failureOf(parseSolventDatabase(file("2", {record("Fine"), customRow()}))), 0);
}

TEST(DatabaseLoader, LabelRulesKeepLeadingAndDropTrailingBlanks) {
    const SolventTable t = tableOf(parseSolventDatabase(file("2", {record("  Xylene   ", "2  "), customRow()})));
    EXPECT_EQ(t.labels[0], "2:     Xylene");  // five blanks between the colon and the name
    EXPECT_EQ(t.records[0].reference, "2  ");  // the field itself is kept as read
}

TEST(DatabaseLoader, CountRules) {
    // Blanks around the count; a fraction rounds halves to even.
    EXPECT_EQ(tableOf(parseSolventDatabase(file("  2  ", {record("A"), customRow()}))).records.size(), 2u);
    EXPECT_EQ(tableOf(parseSolventDatabase(file("2.5", {record("A"), customRow()}))).records.size(), 2u);
    // A count smaller than the records present: the C-th record becomes the custom-entry row.
    const SolventTable t = tableOf(parseSolventDatabase(file("2", {record("A"), record("B"), customRow()})));
    ASSERT_EQ(t.records.size(), 2u);
    EXPECT_EQ(t.lastIndex, 1);
    EXPECT_EQ(t.labels[1], "2:   B");
    // Junk after the last record is never read.
    EXPECT_EQ(tableOf(parseSolventDatabase(file("1", {customRow(), "garbage\r\n\r\n\x01\x02"}))).records.size(), 1u);
}

TEST(DatabaseLoader, LineEndRules) {
    // A lone CR ends a line; a lone LF stays inside it; LF-only files therefore fail.
    std::string crOnly = file("1", {customRow()});
    for (std::size_t p; (p = crOnly.find("\r\n")) != std::string::npos;) crOnly.replace(p, 2, "\r");
    EXPECT_EQ(failureOf(parseSolventDatabase(crOnly)), 0);

    std::string lfOnly = file("1", {customRow()});
    for (std::size_t p; (p = lfOnly.find("\r\n")) != std::string::npos;) lfOnly.replace(p, 2, "\n");
    EXPECT_EQ(failureOf(parseSolventDatabase(lfOnly)), 62);

    const SolventTable t =
        tableOf(parseSolventDatabase(file("2", {record("Two\nlines"), customRow()})));
    EXPECT_EQ(t.labels[0], "2:   Two\nlines");

    // The last line needs no line end when it has text; an empty remainder is no line.
    std::string noFinalEnd = file("1", {customRow()});
    noFinalEnd.resize(noFinalEnd.size() - 2);        // drop the separator's CR LF
    noFinalEnd += "x";                               // the separator line is now "x"
    EXPECT_EQ(failureOf(parseSolventDatabase(noFinalEnd)), 0);
    std::string missingSeparator = file("1", {customRow()});
    missingSeparator.resize(missingSeparator.size() - 2);
    EXPECT_EQ(failureOf(parseSolventDatabase(missingSeparator)), 62);
}

TEST(DatabaseLoader, EightBitTextIsWindows1252) {
    std::string name = "Caf\xe9 \x80 \x96 \x81";
    name.push_back('\0');
    name += "end";
    const SolventTable t = tableOf(parseSolventDatabase(file("2", {record(name), customRow()})));
    EXPECT_EQ(t.labels[0], std::string("2:   Caf\xc3\xa9 \xe2\x82\xac \xe2\x80\x93 \xc2\x81") + '\0' + "end");
}

TEST(DatabaseLoader, MaximumSizeFileLoads) {
    std::string text = std::string(kHeader) + "32767\r\n";
    for (int i = 0; i < 32766; ++i) text += record("Solvent " + std::to_string(i));
    text += customRow();
    const SolventTable t = tableOf(parseSolventDatabase(text));
    EXPECT_EQ(t.records.size(), 32767u);
    EXPECT_EQ(t.lastIndex, 32766);
}

TEST(DatabaseLoader, MissingFileAndFolderOfThatName) {
    const std::string temp = std::filesystem::temp_directory_path().string();
    EXPECT_EQ(failureOf(loadSolventDatabaseFile(temp + "/nonexistent/tarnwell database 1.0.txt")), 53);
    EXPECT_EQ(failureOf(loadSolventDatabaseFile(temp)), 75);
}

}  // namespace

namespace {

std::string recordWith(const std::string& n, const std::string& molarVolume) {
    std::string r = record("Probe", "2", n);
    r.replace(r.find("73.93"), 5, molarVolume);
    return r;
}

}  // namespace

// The loader checks numbers with a shortcut for plain texts; whatever the
// text, its verdict must be the one the number rules give.
TEST(DatabaseLoader, RecordCheckAgreesWithTheNumberRules) {
    const std::vector<std::string> texts = {"0",    "7",     "0050", "9999", "10000", "32767", "32768", "-1",
                                            "50.5", "49.5",  "1.",   ".5",   ".",     "",      " 50",   "50 ",
                                            "5e1",  "0.000", "00.0", "1e-9", "0.0001", "x",    "1.2.3", "+3"};
    for (const std::string& t : texts) {
        SCOPED_TRACE("text '" + t + "'");
        const bool wholeOk = parseWholeNumber(t).has_value();
        EXPECT_EQ(failureOf(parseSolventDatabase(file("2", {recordWith(t, "73.93"), customRow()}))), wholeOk ? 0 : 13)
            << "as N";
        const std::optional<double> v = parseDouble(t);
        const bool positive = v && *v > 0.0;
        EXPECT_EQ(failureOf(parseSolventDatabase(file("2", {recordWith("50", t), customRow()}))), positive ? 0 : 13)
            << "as molar volume";
    }
}

// Line ends are found in blocks of bytes: a CR LF split across a block edge,
// long and empty lines, and a last line without an end must all come out right.
TEST(DatabaseLoader, LinesAreCutTheSameWhereverTheyFallInTheFile) {
    for (std::size_t pad = 0; pad < 70; ++pad) {
        SCOPED_TRACE("header padded by " + std::to_string(pad));
        std::string text = std::string(pad, 'h') + "\r\nh2\r\nh3\r\nh4\r\n2\r\n" + record(std::string(pad * 3, 'N')) +
                           "Enter N, D, W.\r\n0\r\n0\r\n0\r\n0\r\nnone\r\nnone\r\n0\r\n0\r\nnone\r\n\r\nlast";
        const SolventTable t = tableOf(parseSolventDatabase(text));
        ASSERT_EQ(t.records.size(), 2u);
        EXPECT_EQ(t.labels[0], "2:   " + std::string(pad * 3, 'N'));
        EXPECT_EQ(t.records[0].effects, "Eyes, skin");
        EXPECT_EQ(t.records[1].twaMgText, "none");
        EXPECT_EQ(t.labels[1], "0:   Enter N, D, W.");
    }
}

// The fast way to find line ends must give the plain way's answer for every
// block: any count up to and past 64, any alignment, CRs anywhere, and the
// bytes that look like a CR to a careless comparison (0x8D, LF, NUL).
TEST(DatabaseLoader, FastLineEndSearchEqualsThePlainOne) {
    std::mt19937 random(32);
    const char kinds[] = {'\r', '\n', 'a', '\0', static_cast<char>(0x8D), static_cast<char>(0xFF)};
    std::string bytes(64 * 40 + 80, 'x');
    int withEnds = 0;
    for (int round = 0; round < 40; ++round) {
        for (char& c : bytes) c = kinds[random() % std::size(kinds)];
        if (round == 0) std::fill(bytes.begin(), bytes.end(), '\r');
        for (std::size_t start = 0; start < 17; ++start)
            for (std::size_t count : {std::size_t{0}, std::size_t{1}, std::size_t{15}, std::size_t{16}, std::size_t{63},
                                      std::size_t{64}, std::size_t{65}, std::size_t{200}}) {
                const char* block = bytes.data() + 64 * static_cast<std::size_t>(round) + start;
                const std::uint64_t fast = carriageReturnMask(block, count), plain = carriageReturnMaskPlain(block, count);
                ASSERT_EQ(fast, plain) << "round " << round << ", start " << start << ", count " << count;
                if (plain != 0) ++withEnds;
            }
    }
    EXPECT_EQ(carriageReturnMaskPlain(bytes.data(), 0), 0u);
    EXPECT_EQ(carriageReturnMask(std::string(64, '\r').data(), 64), ~std::uint64_t{0});
    EXPECT_GT(withEnds, 2000);  // compared on blocks that hold line ends
}

TEST(DatabaseLoader, DecodesEveryFieldThatNeedsItAndKeepsTheRestAsRead) {
    std::string r = record("Caf\xe9");
    r.replace(r.find("Eyes, skin"), 10, "Eyes \x96 skin");
    // Records are decoded one by one: a plain record before and after one
    // that needs it, and one whose only high byte is its last field's.
    std::string degree = record("Ethanol", "3");
    degree.replace(degree.find("Eyes, skin"), 10, "VP at 25 \xb0" "C");
    // A header line beyond ASCII must not disturb plain records either.
    const SolventTable t = tableOf(parseSolventDatabase("\xa9 h1\r\nh2\r\nh3\r\nh4\r\n5\r\n" + record("Acetone") + r +
                                                        degree + record("Toluene", "4") + customRow()));
    EXPECT_EQ(t.labels[0], "2:   Acetone");
    EXPECT_EQ(t.records[0].effects, "Eyes, skin");
    EXPECT_EQ(t.labels[1], "2:   Caf\xc3\xa9");
    EXPECT_EQ(t.records[1].effects, "Eyes \xe2\x80\x93 skin");
    EXPECT_EQ(t.records[1].molarVolume, "73.93");
    EXPECT_EQ(t.labels[2], "3:   Ethanol");
    EXPECT_EQ(t.records[2].effects, "VP at 25 \xc2\xb0" "C");
    EXPECT_EQ(t.labels[3], "4:   Toluene");
    EXPECT_EQ(t.records[3].effects, "Eyes, skin");
    EXPECT_EQ(t.records[4].label, "0:   Enter N, D, W.");
}

TEST(DatabaseTable, CopiesShareTheTextsAndOutliveTheOriginal) {
    std::optional<SolventTable> original = tableOf(parseSolventDatabase(file("2", {record("Acetone"), customRow()})));
    SolventTable copy = *original;
    const std::string_view kept = copy.own("forty");
    copy.records[0].n = kept;
    original.reset();
    EXPECT_EQ(copy.labels[0], "2:   Acetone");
    EXPECT_EQ(copy.records[0].effects, "Eyes, skin");
    EXPECT_EQ(copy.records[0].n, "forty");
}
