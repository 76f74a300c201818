// The database read at start on a thread of its own: what the main screen
// gets must be the file as it is when the main screen opens.
#include "core/database.h"
#include "data/database_loading.h"
#include "screen_test.h"

#include <QDir>
#include <QFile>
#include <chrono>
#include <fstream>
#include <functional>
#include <thread>
#include <gtest/gtest.h>

namespace tarnwell::testing {
namespace {

const std::string kFile = "tarnwell database 1.0.txt";

std::vector<std::string> labelsOf(const LoadResult& result) {
    const auto* table = std::get_if<SolventTable>(&result);
    if (!table) return {};
    return {table->labels.begin(), table->labels.end()};
}

int failureOf(const LoadResult& result) {
    const auto* failure = std::get_if<LoadFailure>(&result);
    return failure ? static_cast<int>(*failure) : 0;
}

// Changes the file once the read-ahead has surely read it.
void rewrite(const std::string& text) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::ofstream out(kFile, std::ios::binary | std::ios::trunc);
    out << text;
}

TEST(DatabaseReadAhead, GivesTheFileAsItWasReadWhenNothingChanged) {
    DatabaseFolder folder(databaseText(sampleSolvents()));
    DatabaseReadAhead ahead;
    const LoadResult direct = loadSolventDatabaseFile(kFile);
    const LoadResult taken = ahead.take();
    ASSERT_FALSE(labelsOf(taken).empty());
    EXPECT_EQ(labelsOf(taken), labelsOf(direct));
}

// Every way the file can be different at opening: the read-ahead outcome is
// dropped and the file read again, so what the main screen gets is what a
// fresh read gives.
TEST(DatabaseReadAhead, ReadsAgainWhenTheFileChangedSinceStart) {
    const std::string one = databaseText({{"Acetone", "2", "47", "32", "21"}});
    const std::string other = databaseText({{"Ethanol", "2", "36", "18", "46"}});
    const QString file = QString::fromStdString(kFile);
    // After a moment, so that the read-ahead has surely read the first file.
    auto later = [] { std::this_thread::sleep_for(std::chrono::milliseconds(50)); };
    const struct {
        const char* name;
        std::string atStart;
        std::function<void()> change;
        int failure;  // what the fresh read fails with: 0 none, -1 any
    } cases[] = {
        {"rewritten with other records, same length", one, [&] { rewrite(other); }, 0},
        {"removed", one, [&] { later(), QFile::remove(file); }, 53},
        {"missing at start, there at opening", "", [&] { rewrite(other); }, 0},
        {"replaced by a folder of that name", one, [&] { later(), QFile::remove(file), QDir().mkdir(file); }, 75},
        {"damaged at opening", one, [] { rewrite("x\r\n"); }, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DatabaseFolder folder(c.atStart);
        DatabaseReadAhead ahead;
        c.change();
        const LoadResult taken = ahead.take();
        const LoadResult fresh = loadSolventDatabaseFile(kFile);
        EXPECT_EQ(labelsOf(taken), labelsOf(fresh));
        EXPECT_EQ(failureOf(taken), failureOf(fresh));
        if (c.failure == 0) {
            EXPECT_EQ(labelsOf(taken), labelsOf(parseSolventDatabase(other)));
        } else if (c.failure > 0) {
            EXPECT_EQ(failureOf(taken), c.failure);
        } else {
            EXPECT_NE(failureOf(taken), 0);
        }
    }
}

}  // namespace
}  // namespace tarnwell::testing
