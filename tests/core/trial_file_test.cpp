// The solubility test file: what is written, that whatever is read writes
// back to the same test, that a damaged file names its fault exactly and loads
// nothing, and how a stored test meets today's solvent list.

#include "core/trial_file.h"
#include "test_database.h"

#include <gtest/gtest.h>

namespace tarnwell {
namespace {

SolubilityTest sampleTest() {
    SolubilityTest t;
    t.material = "Dammar varnish, aged";
    t.liquids.push_back({"2:   n-Heptane", 100, 0, 0, TestResult::NoEffect, {}});
    t.liquids.push_back({"2:   Acetone", 47, 32, 21, TestResult::Dissolves, {}});
    // N, D, W as an older solvent list gave them (today's gives 76, 14, 10).
    t.liquids.push_back({"n-Heptane 70 % + Acetone 30 %", 81, 11, 8, TestResult::Partly,
                         {{"2:   n-Heptane", 70}, {"2:   Acetone", 30}}});
    return t;
}

TestFileError errorOf(const std::string& text) {
    const TestFileOutcome read = readSolubilityTest(text);
    if (!std::holds_alternative<TestFileError>(read)) return {-1, "accepted"};
    return std::get<TestFileError>(read);
}

TEST(TestFile, WritesTheDocumentedLines) {
    EXPECT_EQ(writeSolubilityTest(sampleTest()),
              "Tarnwell solubility test 1\r\n"
              "Material: Dammar varnish, aged\r\n"
              "\r\n"
              "Liquid: 2:   n-Heptane\r\n"
              "N D W: 100 0 0\r\n"
              "Result: No effect\r\n"
              "\r\n"
              "Liquid: 2:   Acetone\r\n"
              "N D W: 47 32 21\r\n"
              "Result: Dissolves\r\n"
              "\r\n"
              "Liquid: n-Heptane 70 % + Acetone 30 %\r\n"
              "N D W: 81 11 8\r\n"
              "Result: Partly\r\n"
              "Part: 0.70 2:   n-Heptane\r\n"
              "Part: 0.30 2:   Acetone\r\n");
}

TEST(TestFile, WhatIsWrittenReadsBackTheSame) {
    SolubilityTest awkward = sampleTest();
    // Names that need escapes, blanks at the ends, text beyond ASCII, a
    // colon and a hash; numbers that are not whole; an empty material.
    awkward.material = "";
    awkward.liquids.push_back({" back\\slash\ttab\nline\rcr\x01 ", 33.25, 33.5, 33.25, TestResult::NotTried, {}});
    awkward.liquids.push_back({"Éthanol: # 1", 0.1, 99.8, 0.1, TestResult::Dissolves, {}});
    awkward.liquids.push_back({"tiny", 1e-300, 50, 50, TestResult::NoEffect,
                               {{"a", 33}, {"b\\", 33}, {" c", 34}}});
    for (const SolubilityTest& test : {sampleTest(), awkward, SolubilityTest{}}) {
        const std::string text = writeSolubilityTest(test);
        const TestFileOutcome read = readSolubilityTest(text);
        ASSERT_TRUE(std::holds_alternative<SolubilityTest>(read)) << testFileErrorText(std::get<TestFileError>(read));
        EXPECT_EQ(std::get<SolubilityTest>(read), test);
        EXPECT_EQ(writeSolubilityTest(std::get<SolubilityTest>(read)), text);
    }
    // A name that is not UTF-8 is written with U+FFFD and reads back so.
    SolubilityTest latin1;
    latin1.material = "caf\xE9";
    const SolubilityTest back = std::get<SolubilityTest>(readSolubilityTest(writeSolubilityTest(latin1)));
    EXPECT_EQ(back.material, "caf\xEF\xBF\xBD");
}

TEST(TestFile, ReadsWhatAPersonMightWrite) {
    const std::string text =
        "\xEF\xBB\xBF"
        "Tarnwell solubility test 1\n"
        "# my notes\n"
        "Material:Mastic  \n"
        "\n"
        "  Liquid:   2:   Acetone\n"
        "Result:   dissolves\n"
        "N D W:  47\t32  21  \n"
        "Liquid: mix\n"
        "Part: .5 2:   Acetone\n"
        "N D W: 1e1 45 45\n"
        "Part: 0.50 2:   Ethanol\n"
        "Result: NO EFFECT";
    const TestFileOutcome read = readSolubilityTest(text);
    ASSERT_TRUE(std::holds_alternative<SolubilityTest>(read)) << testFileErrorText(std::get<TestFileError>(read));
    const SolubilityTest& t = std::get<SolubilityTest>(read);
    EXPECT_EQ(t.material, "Mastic");
    ASSERT_EQ(t.liquids.size(), 2u);
    EXPECT_EQ(t.liquids[0], (TestLiquid{"2:   Acetone", 47, 32, 21, TestResult::Dissolves, {}}));
    EXPECT_EQ(t.liquids[1], (TestLiquid{"mix", 10, 45, 45, TestResult::NoEffect, {{"2:   Acetone", 50}, {"2:   Ethanol", 50}}}));
}

TEST(TestFile, DamagedFilesSayExactlyWhatIsWrong) {
    const std::string head = "Tarnwell solubility test 1\nMaterial: M\n";
    const std::string ok = "Liquid: L\nN D W: 40 30 30\nResult: Partly\n";
    struct Case {
        std::string text;
        int line;
        std::string message;
    } cases[] = {
        {"", 0, "The file is empty."},
        {"Tarnwell solubility test 2\n", 1, "the test is in format \"2\", which this version of Tarnwell cannot read."},
        {"Teas\n", 1, "this is not a Tarnwell solubility test: the first line must read \"Tarnwell solubility test 1\"."},
        {"Tarnwell solubility test 1\n", 0, "The file has no \"Material:\" line."},
        {head + "Material: again\n", 3, "a second \"Material:\" line; a test has one material."},
        {"Tarnwell solubility test 1\n" + ok, 2, "\"Liquid:\" before \"Material:\"; the material comes first."},
        {head + ok + "Material: late\n", 6, "a second \"Material:\" line; a test has one material."},
        {head + "N D W: 1 2 97\n", 3, "\"N D W:\" before the first \"Liquid:\"."},
        {head + "Colour: red\n", 3, "unknown line \"Colour\"; expected Material:, Liquid:, N D W:, Result: or Part:."},
        {head + "just words\n", 3, "expected a line such as \"Result: Dissolves\", found \"just words\"."},
        {head + "Liquid:  \n", 3, "the liquid has no name."},
        {head + "Liquid: L\nResult: Partly\n", 3, "the liquid \"L\" has no \"N D W:\" line."},
        {head + "Liquid: L\nN D W: 40 30 30\n" + ok, 3, "the liquid \"L\" has no \"Result:\" line."},
        {head + ok + "N D W: 40 30 30\n", 6, "a second \"N D W:\" line for the liquid \"L\"."},
        {head + ok + "Result: Dissolves\n", 6, "a second \"Result:\" line for the liquid \"L\"."},
        {head + "Liquid: L\nN D W: 40 30\n", 4, "\"N D W:\" needs three numbers, N, D and W, separated by blanks."},
        {head + "Liquid: L\nN D W: 40 3O 30\n", 4, "D of the liquid \"L\" is not a number: \"3O\"."},
        {head + "Liquid: L\nN D W: 40 30 130\n", 4, "W of the liquid \"L\" is 130; it must lie between 0 and 100."},
        {head + "Liquid: L\nN D W: -1 51 50\n", 4, "N of the liquid \"L\" is -1; it must lie between 0 and 100."},
        {head + "Liquid: L\nN D W: 0 0.0 0e5\n", 4, "N, D and W of the liquid \"L\" are all 0, which has no place on the chart."},
        {head + "Liquid: L\nResult: Maybe\n", 4, "the result must be Dissolves, Partly, No effect or Not tried, not \"Maybe\"."},
        {head + ok + "Part: 1.00\n", 6, "\"Part:\" needs a volume fraction from 0.00 to 1.00, a blank and the solvent's label."},
        {head + ok + "Part: 1.5 2:   A\n", 6, "\"Part:\" needs a volume fraction from 0.00 to 1.00, a blank and the solvent's label."},
        {head + ok + "Part: 1 A\n", 3, "the liquid \"L\" has one \"Part:\" line; a mixture is made of two or three solvents."},
        {head + ok + "Part: 0.5 A\nPart: 0.4 B\n", 3, "the volume fractions of the liquid \"L\" add up to 0.90, not 1.00."},
        {head + ok + "Part: 0.3 A\nPart: 0.3 B\nPart: 0.3 C\nPart: 0.1 D\n", 9,
         "a fourth \"Part:\" line for the liquid \"L\"; a mixture is made of two or three solvents."},
        {head + "Liquid: L\\q\n", 3, "unknown escape \"\\q\" in a name; a backslash starts \\\\, \\n, \\r, \\t or \\xHH."},
        {head + "Liquid: L\\x8F\n", 3, "\\x in a name must be followed by two hex digits from 00 to 7F."},
        {head + "Liquid: L\\x4\n", 3, "\\x in a name must be followed by two hex digits from 00 to 7F."},
        {head + "Liquid: L\\\n", 3, "a name ends in a lone backslash; write a backslash as \\\\."},
        {head + "Liquid: caf\xE9\n", 3, "the text is not UTF-8."},
        {head + "Liquid: a\rb\n", 3, "the line holds a control character (byte 0x0D); in a name, write it as \\x0D."},
        {head + "Liquid: " + std::string(60, 'x') + "\nResult: Dissolves\n", 3,
         "the liquid \"" + std::string(40, 'x') + "...\" has no \"N D W:\" line."},
        {std::string(kMaxTestFileBytes + 1, '#'), 0, "The file is larger than 4 MB, far larger than a solubility test."},
    };
    for (const Case& c : cases) {
        const TestFileError e = errorOf(c.text);
        EXPECT_EQ(e.line, c.line) << c.message;
        EXPECT_EQ(e.message, c.message);
    }
    EXPECT_EQ(testFileErrorText({4, "D of the liquid \"L\" is not a number: \"3O\"."}),
              "Line 4: D of the liquid \"L\" is not a number: \"3O\".");
    EXPECT_EQ(testFileErrorText({0, "The file is empty."}), "The file is empty.");

    std::string many = head;
    for (std::size_t i = 0; i <= kMaxTestLiquids; ++i) many += ok;
    const TestFileError tooMany = errorOf(many);
    EXPECT_EQ(tooMany.line, 3 + 3 * static_cast<int>(kMaxTestLiquids));
    EXPECT_EQ(tooMany.message, "more than 10000 liquids; a test holds at most that many.");
}

TEST(TestFile, OpenedTestsMeetTodaysList) {
    const SolventTable t = testing::tableOf({
        {"n-Heptane", 2, 100, 0, 0, "85", "400", "147"},
        {"Acetone", 2, 48, 31, 21, "250", "947", "74"},  // the file has 47 32 21
        {"Ethanol", 2, 36, 18, 46, "1000", "58", "58.5"},
    });
    SolubilityTest stored = sampleTest();
    stored.liquids.push_back({"2:   Benzene", 90, 1, 9, TestResult::NoEffect, {}});
    stored.liquids.push_back({"Acetone 50 % + Ethanol 50 %", 1, 2, 97, TestResult::Dissolves,
                              {{"2:   Acetone", 50}, {"2:   Ethanol", 50}}});
    stored.liquids.push_back({"Benzene 50 % + Ethanol 50 %", 60, 10, 30, TestResult::Dissolves,
                              {{"2:   Benzene", 50}, {"2:   Ethanol", 50}}});

    const ResolvedTest r = resolveAgainstTable(stored, t);
    ASSERT_EQ(r.test.liquids.size(), stored.liquids.size());
    for (std::size_t i = 0; i < stored.liquids.size(); ++i) {
        EXPECT_EQ(r.test.liquids[i].name, stored.liquids[i].name);
        EXPECT_EQ(r.test.liquids[i].result, stored.liquids[i].result);
    }
    EXPECT_EQ(r.test.liquids[0], stored.liquids[0]);  // unchanged, no note
    EXPECT_EQ(r.test.liquids[1].n, 48);
    // Heptane 70 % + acetone 30 %: moles .7/147 and .3/74, x = .5402, .4598;
    // N = 54.02 + 22.07 = 76.09, D = 14.25, W = 9.66 -> 76, 14, 10.
    EXPECT_EQ(r.test.liquids[2].n, 76);
    EXPECT_EQ(r.test.liquids[2].d, 14);
    EXPECT_EQ(r.test.liquids[2].w, 10);
    EXPECT_EQ(r.test.liquids[3], stored.liquids[3]);  // not in the list: stored values kept
    EXPECT_EQ(r.test.liquids[5], stored.liquids[5]);

    ASSERT_EQ(r.notes.size(), 5u);
    EXPECT_EQ(r.notes[0].liquid, 1u);
    EXPECT_EQ(r.notes[0].kind, LiquidNoteKind::ValuesChanged);
    EXPECT_EQ(r.notes[0].text, "\"2:   Acetone\": the solvent list now gives N, D, W = 48, 31, 21 (the file had 47, 32, 21).");
    EXPECT_EQ(r.notes[1].liquid, 2u);
    EXPECT_EQ(r.notes[2].liquid, 3u);
    EXPECT_EQ(r.notes[2].kind, LiquidNoteKind::NotInList);
    EXPECT_EQ(r.notes[2].text,
              "\"2:   Benzene\" is not in the solvent list; it keeps the N, D, W stored in the file (90, 1, 9).");
    EXPECT_EQ(r.notes[3].liquid, 4u);
    EXPECT_EQ(r.notes[3].kind, LiquidNoteKind::ValuesChanged);
    EXPECT_EQ(r.notes[4].liquid, 5u);
    EXPECT_EQ(r.notes[4].text,
              "\"Benzene 50 % + Ethanol 50 %\": its solvent \"2:   Benzene\" is not in the solvent list; it keeps "
              "the N, D, W stored in the file (60, 10, 30).");
}

}  // namespace
}  // namespace tarnwell
