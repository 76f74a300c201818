// The database read at start on a thread of its own: what the main screen
// gets must be the file as it is when the main screen opens.
#include "core/database.h"
#include "data/database_loading.h"
#include "screen_test.h"

#include <QDir>
#include <QFile>
#include <chrono>
#include <fstream>
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
// dropped and the file read again.
TEST(DatabaseReadAhead, ReadsAgainWhenTheFileChangedSinceStart) {
    const std::vector<TestSolvent> one = {{"Acetone", "2", "47", "32", "21"}};
    const std::vector<TestSolvent> other = {{"Ethanol", "2", "36", "18", "46"}};
    {
        SCOPED_TRACE("rewritten with other records, same length");
        DatabaseFolder folder(databaseText(one));
        DatabaseReadAhead ahead;
        rewrite(databaseText(other));
        EXPECT_EQ(labelsOf(ahead.take()), labelsOf(loadSolventDatabaseFile(kFile)));
    }
    {
        SCOPED_TRACE("removed");
        DatabaseFolder folder(databaseText(one));
        DatabaseReadAhead ahead;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ASSERT_TRUE(QFile::remove(QString::fromStdString(kFile)));
        EXPECT_EQ(failureOf(ahead.take()), 53);
    }
    {
        SCOPED_TRACE("missing at start, there at opening");
        DatabaseFolder folder("");
        DatabaseReadAhead ahead;
        rewrite(databaseText(other));
        EXPECT_EQ(labelsOf(ahead.take()), labelsOf(loadSolventDatabaseFile(kFile)));
    }
    {
        SCOPED_TRACE("replaced by a folder of that name");
        DatabaseFolder folder(databaseText(one));
        DatabaseReadAhead ahead;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ASSERT_TRUE(QFile::remove(QString::fromStdString(kFile)));
        ASSERT_TRUE(QDir().mkdir(QString::fromStdString(kFile)));
        EXPECT_EQ(failureOf(ahead.take()), 75);
    }
    {
        SCOPED_TRACE("damaged at opening");
        DatabaseFolder folder(databaseText(one));
        DatabaseReadAhead ahead;
        rewrite("x\r\n");
        const int failure = failureOf(ahead.take());
        EXPECT_NE(failure, 0);
        EXPECT_EQ(failure, failureOf(loadSolventDatabaseFile(kFile)));
    }
}

}  // namespace
}  // namespace tarnwell::testing
