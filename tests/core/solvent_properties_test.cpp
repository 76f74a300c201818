// The solvent properties file: what a sound file gives, every way a damaged
// file is refused (with its line and its reason), a missing file, and the
// flammability categories read from a flash point.
#include "core/solvent_properties.h"

#include "core/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace tarnwell {
namespace {

const std::string kHeader = std::string(kPropertiesHeader) + "\n";

TEST(SolventProperties, ASoundFileGivesEachSolventsFiguresByItsExactLabel) {
    // A byte order mark, CR LF and LF mixed, notes before, between and after the rows.
    const std::string text = "\xEF\xBB\xBF# Sources: NPG = NIOSH Pocket Guide\r\n"
                             "# est. = estimated from the composition\r\n" +
                             std::string(kPropertiesHeader) +
                             "\r\n"
                             "2:   Acetone\t180\t56\t-20\tIB\tNPG\r\n"
                             "# a note between rows\n"
                             "\n"
                             "2:   Glycerol\t0\t290\t199\tIIIB\tNPG\n"
                             "4:   White spirit (mineral spirits, 15\xE2\x80\x93" "20 % aromatic)\t4.5\t150\t38\tII\test.\n"
                             "2:   Water\t17.59\t100\tnone\tnone\tPoling\n"
                             "2:   Mystery\tnone\tnone\tnone\tnone\tnone";  // no line end at the end
    const SolventPropertiesFile file = parseSolventProperties(text);
    ASSERT_EQ(file.status, PropertiesFileStatus::Loaded) << file.error.line << ": " << file.error.message;
    ASSERT_EQ(file.table.rows.size(), 5u);

    const SolventProperties* acetone = file.find("2:   Acetone");
    ASSERT_NE(acetone, nullptr);
    EXPECT_EQ(acetone->vapourPressure, 180.0);
    EXPECT_EQ(acetone->boilingPoint, 56.0);
    EXPECT_EQ(acetone->flashPoint, -20.0);
    EXPECT_EQ(acetone->flammabilityClass, FlammabilityClass::IB);
    EXPECT_EQ(acetone->source, "NPG");

    EXPECT_EQ(file.find("2:   Glycerol")->vapourPressure, 0.0);
    EXPECT_EQ(file.find("2:   Glycerol")->flammabilityClass, FlammabilityClass::IIIB);
    const SolventProperties* spirit = file.find("4:   White spirit (mineral spirits, 15\xE2\x80\x93" "20 % aromatic)");
    ASSERT_NE(spirit, nullptr);
    EXPECT_EQ(spirit->source, "est.");
    const SolventProperties* water = file.find("2:   Water");
    ASSERT_NE(water, nullptr);
    EXPECT_EQ(water->vapourPressure, 17.59);
    EXPECT_FALSE(water->flashPoint);
    EXPECT_EQ(water->flammabilityClass, FlammabilityClass::None);
    const SolventProperties* mystery = file.find("2:   Mystery");
    ASSERT_NE(mystery, nullptr);
    EXPECT_FALSE(mystery->vapourPressure || mystery->boilingPoint || mystery->flashPoint);

    // Labels match byte for byte: no trimming, no case folding, no other reference.
    for (const char* other : {"2:   acetone", "2:   Acetone ", "3:   Acetone", "Acetone", "", "2:   Aceton"})
        EXPECT_EQ(file.find(other), nullptr) << other;

    // A copy keeps the file's bytes alive for its labels.
    SolventPropertiesFile copy;
    {
        const SolventPropertiesFile original = parseSolventProperties(text);
        copy = original;
    }
    ASSERT_NE(copy.find("2:   Water"), nullptr);
    EXPECT_EQ(copy.find("2:   Water")->source, "Poling");
}

// Every number reads as the program's number rule reads it, to the last bit,
// in the plain forms the file is written in and in the rest the rule accepts.
TEST(SolventProperties, NumbersReadAsTheNumberRuleReadsThem) {
    std::vector<std::string> texts{"0",     "-0",     "0.",         ".5",      "-.5",   "5.",    "007.50",
                                   "+12",   "1e3",    "2.5E-2",     " 42 ",    "0.1",   "-17.8", "123456789012345",
                                   "1234567890123456", "0.000000000000001", "999999999999999.9", "4.253e-05"};
    std::mt19937 random(7);
    for (int i = 0; i < 3000; ++i) {
        const int whole = std::uniform_int_distribution<int>(0, 7)(random);
        const int decimals = std::uniform_int_distribution<int>(0, 12)(random);
        std::string t = i % 5 == 0 && whole <= 2 ? "-" : "";  // above absolute zero
        for (int k = 0; k < whole; ++k) t += static_cast<char>('0' + random() % 10);
        if (decimals > 0 || whole == 0) t += ".";
        for (int k = 0; k < decimals || (whole == 0 && k == 0); ++k) t += static_cast<char>('0' + random() % 10);
        texts.push_back(t);
    }
    std::string text = kHeader;
    for (std::size_t i = 0; i < texts.size(); ++i)
        text += "2:   S" + std::to_string(i) + "\t1\t100\t" + texts[i] + "\tnone\tx\n";
    const SolventPropertiesFile file = parseSolventProperties(text);
    ASSERT_EQ(file.status, PropertiesFileStatus::Loaded) << file.error.line << ": " << file.error.message;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::optional<double> rule = parseDouble(texts[i]);
        ASSERT_TRUE(rule) << texts[i];
        const std::optional<double> read = file.find("2:   S" + std::to_string(i))->flashPoint;
        ASSERT_TRUE(read) << texts[i];
        EXPECT_EQ(*read, *rule == 0.0 ? 0.0 : *rule) << texts[i];
        EXPECT_FALSE(std::signbit(*read) && *read == 0.0) << texts[i] << " gives -0";
    }
}

TEST(SolventProperties, ADamagedFileIsRefusedWithItsLineAndReason) {
    const std::string row = "2:   Acetone\t180\t56\t-20\tIB\tNPG\n";
    struct Case {
        const char* name;
        std::string text;
        int line;
        std::string message;
    };
    const Case cases[] = {
        {"only notes", "# sources\n\n# more\n", 0, "The file has no header row: it holds only notes."},
        {"empty", "", 0, "The file has no header row: it holds only notes."},
        {"a header and no rows", "# n\n" + kHeader + "# end\n", 0, "The file holds no solvent rows."},
        {"a column renamed", "# n\nlabel\tvp_20c_mmhg\tbp\tflash_point_c\tflammability_class\tsource\n" + row, 2,
         "the header row must name the columns label, vp_20c_mmhg, boiling_point_c, flash_point_c, flammability_class "
         "and source, in this order, separated by tabs; column 3 is \"bp\", not \"boiling_point_c\"."},
        {"columns in another order", "label\tboiling_point_c\tvp_20c_mmhg\tflash_point_c\tflammability_class\tsource\n" + row, 1,
         "the header row must name the columns label, vp_20c_mmhg, boiling_point_c, flash_point_c, flammability_class "
         "and source, in this order, separated by tabs; column 2 is \"boiling_point_c\", not \"vp_20c_mmhg\"."},
        {"a column short", "label\tvp_20c_mmhg\tboiling_point_c\tflash_point_c\tflammability_class\n" + row, 1,
         "the header row must name the columns label, vp_20c_mmhg, boiling_point_c, flash_point_c, flammability_class "
         "and source, in this order, separated by tabs; it names 5 columns."},
        {"blanks for tabs", "label vp_20c_mmhg boiling_point_c flash_point_c flammability_class source\n" + row, 1,
         "the header row must name the columns label, vp_20c_mmhg, boiling_point_c, flash_point_c, flammability_class "
         "and source, in this order, separated by tabs; column 1 is \"label vp_20c_mmhg boiling_point_c flash_point_c "
         "flammability...\", not \"label\"."},
        {"a field missing", kHeader + row + "2:   Ethanol\t44\t78\t13\tIB\n", 3,
         "the row has 5 fields; a solvent's row has 6, separated by tabs."},
        {"a field too many", kHeader + row + "2:   Ethanol\t44\t78\t13\tIB\tNPG\t\n", 3,
         "the row has 7 fields; a solvent's row has 6, separated by tabs."},
        {"no label", kHeader + "\t44\t78\t13\tIB\tNPG\n", 2, "the row has no label."},
        {"a label twice", "# n\n" + kHeader + row + "2:   Ethanol\t44\t78\t13\tIB\tNPG\n" + row, 5,
         "the label \"2:   Acetone\" is given again; its first row is line 3."},
        {"a vapour pressure with a comma", kHeader + "2:   Ethanol\t44,5\t78\t13\tIB\tNPG\n", 2,
         "the vapour pressure \"44,5\" is not a number; write a number with a decimal point, or none."},
        {"a vapour pressure left empty", kHeader + "2:   Ethanol\t\t78\t13\tIB\tNPG\n", 2,
         "the vapour pressure \"\" is not a number; write a number with a decimal point, or none."},
        {"infinity spelt out", kHeader + "2:   Ethanol\tinf\t78\t13\tIB\tNPG\n", 2,
         "the vapour pressure \"inf\" is not a number; write a number with a decimal point, or none."},
        {"a vapour pressure beyond any number", kHeader + "2:   Ethanol\t1e999\t78\t13\tIB\tNPG\n", 2,
         "the vapour pressure \"1e999\" is too large to be a number."},
        {"a negative vapour pressure", kHeader + "2:   Ethanol\t-0.5\t78\t13\tIB\tNPG\n", 2,
         "the vapour pressure \"-0.5\" is below 0 mmHg."},
        {"\"None\" is not \"none\"", kHeader + "2:   Ethanol\tNone\t78\t13\tIB\tNPG\n", 2,
         "the vapour pressure \"None\" is not a number; write a number with a decimal point, or none."},
        {"a boiling point that is no number", kHeader + "2:   Ethanol\t44\t78 C\t13\tIB\tNPG\n", 2,
         "the boiling point \"78 C\" is not a number; write a number with a decimal point, or none."},
        {"a flash point below absolute zero", kHeader + "2:   Ethanol\t44\t78\t-300\tIB\tNPG\n", 2,
         "the flash point \"-300\" is below absolute zero (\u2212273.15 \u00B0C)."},
        {"an unknown class", kHeader + "2:   Ethanol\t44\t78\t13\tI-B\tNPG\n", 2,
         "the flammability class \"I-B\" is not one of IA, IB, IC, II, IIIA, IIIB or none."},
        {"a class in lower case", kHeader + "2:   Ethanol\t44\t78\t13\tib\tNPG\n", 2,
         "the flammability class \"ib\" is not one of IA, IB, IC, II, IIIA, IIIB or none."},
        {"no source", kHeader + "2:   Ethanol\t44\t78\t13\tIB\t\n", 2, "the row has no source code."},
        // Windows-1252 for the en dash: the line is named, not a label that can never match.
        {"not UTF-8", kHeader + row + "4:   White spirit (15\x96" "20 %)\t4.5\t150\t38\tII\test.\n", 3,
         "the text is not UTF-8."},
        {"an overlong UTF-8 form", "# \xC0\xAF\n" + kHeader + row, 1, "the text is not UTF-8."},
        // The first fault in the file is the one named.
        {"the first of two faults", kHeader + row + row + "2:   Ethanol\tx\t78\t13\tIB\tNPG\n", 3,
         "the label \"2:   Acetone\" is given again; its first row is line 2."},
    };
    for (const Case& c : cases) {
        const SolventPropertiesFile file = parseSolventProperties(c.text);
        EXPECT_EQ(file.status, PropertiesFileStatus::Damaged) << c.name;
        EXPECT_EQ(file.error.line, c.line) << c.name;
        EXPECT_EQ(file.error.message, c.message) << c.name;
        EXPECT_TRUE(file.table.rows.empty()) << c.name;
        EXPECT_EQ(file.find("2:   Acetone"), nullptr) << c.name << ": a damaged file is not used at all";
    }
}

TEST(SolventProperties, AMissingFileLeavesEverythingUnknownAndAFolderIsNoFile) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tarnwell-properties-test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "folder");
    const std::string database = (dir / "tarnwell database 1.0.txt").string();
    const std::string beside = propertiesPathBeside(database);
    EXPECT_EQ(beside, (dir / kPropertiesFileName).string());

    const SolventPropertiesFile missing = loadSolventPropertiesFile(beside);
    EXPECT_EQ(missing.status, PropertiesFileStatus::Missing);
    EXPECT_EQ(missing.find("2:   Acetone"), nullptr);

    const SolventPropertiesFile folder = loadSolventPropertiesFile((dir / "folder").string());
    EXPECT_EQ(folder.status, PropertiesFileStatus::Damaged);
    EXPECT_EQ(folder.error.line, 0);
    EXPECT_EQ(folder.error.message, "The file exists but cannot be read.");

    std::ofstream(beside, std::ios::binary) << kHeader << "2:   Acetone\t180\t56\t-20\tIB\tNPG\n";
    const SolventPropertiesFile read = loadSolventPropertiesFile(beside);
    ASSERT_EQ(read.status, PropertiesFileStatus::Loaded);
    EXPECT_EQ(read.find("2:   Acetone")->vapourPressure, 180.0);

    EXPECT_EQ(propertiesPathBeside("tarnwell database 1.0.txt"), kPropertiesFileName);
    EXPECT_EQ(propertiesPathBeside("C:\\Tarnwell\\tarnwell database 1.0.txt"),
              std::string("C:\\Tarnwell\\") + kPropertiesFileName);
    std::filesystem::remove_all(dir);
}

TEST(SolventProperties, FlammabilityCategoriesFollowTheGhsLimits) {
    struct Case {
        std::optional<double> flash, boiling;
        FlammabilityCategory category;
    };
    using C = FlammabilityCategory;
    const Case cases[] = {
        {-45, 34.6, C::Extremely},  // diethyl ether
        {-20, 35.0, C::Extremely},  {-20, 35.1, C::Highly},
        {-20, 56, C::Highly},       // acetone
        {-20, std::nullopt, C::Highly},  // no boiling point: at least highly flammable
        {22.9, 100, C::Highly},     {23, 100, C::Flammable},
        {60, 150, C::Flammable},    {60.1, 150, C::Combustible},
        {93, 200, C::Combustible},  {93.1, 200, C::NotClassed},
        {std::nullopt, 100, C::Unknown},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(flammabilityCategory(c.flash, c.boiling), c.category) << c.flash.value_or(-999);
        EXPECT_EQ(isHighlyFlammable(c.flash), c.flash && *c.flash < 23.0);
    }
}

}  // namespace
}  // namespace tarnwell
