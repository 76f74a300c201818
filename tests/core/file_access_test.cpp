// The file system seam under the database reader, on the system it was built
// for: whole files read byte for byte from folders named in any language,
// each failure told apart, and the stamp that tells a changed file.
#include "core/database.h"
#include "core/file_access.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

using namespace tarnwell;
namespace fs = std::filesystem;

namespace {

// A folder such as a user's "C:\Users\Zoë\Documents\Tests 2026", made fresh
// under the temporary folder and removed afterwards. One folder per test:
// the tests run side by side.
class UserFolder : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        root = fs::temp_directory_path() / fs::path(u8"tarnwell Zoë é " + std::u8string(test.begin(), test.end()));
        fs::remove_all(root);
        folder = root / fs::path(u8"Documents") / fs::path(u8"Tests 2026");
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(root); }

    // The UTF-8 path of `name` in the folder, as the program hands paths on.
    std::string path(const char8_t* name) const {
        const std::u8string text = (folder / fs::path(name)).u8string();
        return std::string(text.begin(), text.end());
    }
    static void write(const std::string& utf8Path, const std::string& bytes) {
        std::ofstream out(fs::path(std::u8string(utf8Path.begin(), utf8Path.end())), std::ios::binary | std::ios::trunc);
        out << bytes;
    }

    fs::path root, folder;
};

TEST_F(UserFolder, ReadsEveryByteOfAFileWhoseFolderHasSpacesAndAccents) {
    std::string bytes = "Caf\xe9\r\nline\rlone\nend";
    bytes += std::string(1, '\0') + "\x80\xff";
    for (int i = 0; i < 20000; ++i) bytes += static_cast<char>(i * 7);  // past any first read size
    const std::string file = path(u8"dammar résine.tst");
    write(file, bytes);
    std::string read = "left over";
    ASSERT_EQ(readWholeFile(file, read), FileReadFailure::None);
    EXPECT_EQ(read, bytes);
    write(file, "");
    ASSERT_EQ(readWholeFile(file, read), FileReadFailure::None);
    EXPECT_EQ(read, "");
}

TEST_F(UserFolder, TellsAMissingFileFromAFolderOfThatName) {
    std::string read;
    EXPECT_EQ(readWholeFile(path(u8"no such file.txt"), read), FileReadFailure::NotFound);
    EXPECT_EQ(readWholeFile(path(u8"no such folder/file.txt"), read), FileReadFailure::NotFound);
    fs::create_directory(folder / fs::path(u8"tarnwell database 1.0.txt"));
    EXPECT_EQ(readWholeFile(path(u8"tarnwell database 1.0.txt"), read), FileReadFailure::IsFolder);
    // The database message's numbers for the same cases.
    EXPECT_EQ(static_cast<int>(std::get<LoadFailure>(loadSolventDatabaseFile(path(u8"no such file.txt")))), 53);
    EXPECT_EQ(static_cast<int>(std::get<LoadFailure>(loadSolventDatabaseFile(path(u8"tarnwell database 1.0.txt")))),
              75);
}

TEST_F(UserFolder, TheStampChangesWithTheFileAndOnlyThen) {
    const std::string file = path(u8"tarnwell database 1.0.txt");
    EXPECT_FALSE(fileStamp(file).exists);
    write(file, "one");
    const FileStamp first = fileStamp(file);
    EXPECT_TRUE(first.exists);
    EXPECT_EQ(fileStamp(file), first);  // read again, nothing changed
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    write(file, "two");  // the same length
    const FileStamp rewritten = fileStamp(file);
    EXPECT_NE(rewritten, first);
    fs::remove(fs::path(std::u8string(file.begin(), file.end())));
    fs::create_directory(fs::path(std::u8string(file.begin(), file.end())));
    EXPECT_NE(fileStamp(file), rewritten);
    EXPECT_TRUE(fileStamp(file).exists);
}

// The shipped file is Windows-1252 whatever the system's own code page: its
// credits name Díaz de los Ríos, and a solvent named with é loads as é.
TEST_F(UserFolder, TheShippedFileAndAnAccentedNameReadAsWindows1252) {
    std::string shipped;
    ASSERT_EQ(readWholeFile(TARNWELL_SOURCE_DIR "/resources/tarnwell database 1.0.txt", shipped),
              FileReadFailure::None);
    const std::size_t at = shipped.find("D\xed" "az");
    ASSERT_NE(at, std::string::npos);
    const std::string line = shipped.substr(shipped.rfind('\n', at) + 1, shipped.find('\r', at) - shipped.rfind('\n', at) - 1);
    EXPECT_NE(decodeWindows1252(line).find("D\xc3\xad" "az de los R\xc3\xad" "os"), std::string::npos);

    const std::string file = path(u8"tarnwell database 1.0.txt");
    write(file, "h1\r\nh2\r\nh3\r\nh4\r\n2\r\nn-Hexane (qualit\xe9 HPLC)\r\n2\r\n82\r\n7\r\n11\r\n50\r\n2121\r\n"
                "131.6\r\n86.18\r\n180\r\nEyes\r\n\r\nEnter N, D, W.\r\n0\r\n0\r\n0\r\n0\r\nnone\r\nnone\r\n0\r\n0\r\n"
                "none\r\n\r\n\r\n");
    const LoadResult loaded = loadSolventDatabaseFile(file);
    ASSERT_TRUE(std::holds_alternative<SolventTable>(loaded));
    EXPECT_EQ(std::get<SolventTable>(loaded).labels[0], "2:   n-Hexane (qualit\xc3\xa9 HPLC)");
}

}  // namespace
