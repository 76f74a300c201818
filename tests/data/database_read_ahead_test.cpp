// The database read at start on a thread of its own: what the main screen
// gets must be the file as it is when the main screen opens.
#include "core/database.h"
#include "data/database_loading.h"
#include "screen_test.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
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

// Where the file is looked for: the current folder first, then the program's
// own folder (a shortcut may start the program elsewhere), then the share
// folder of an installed program; with none, the bare name, reported missing.
TEST(DatabaseLookup, CurrentFolderThenProgramFolderThenInstalledShare) {
    const std::string text = databaseText(sampleSolvents());
    const QString name = QString::fromStdString(kFile);
    const struct {
        const char* name;
        bool inCurrent, besideProgram, inShare;
        const char* found;  // "current", "program", "share" or "none"
    } cases[] = {
        {"only in the current folder", true, false, false, "current"},
        {"in the current folder and beside the program", true, true, true, "current"},
        {"only beside the program", false, true, false, "program"},
        {"beside the program and in the share folder", false, true, true, "program"},
        {"only in the installed share folder", false, false, true, "share"},
        {"nowhere", false, false, false, "none"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DatabaseFolder current(c.inCurrent ? text : std::string());
        // A folder name with a space and an accent, as Windows users have.
        QTemporaryDir install(QDir::tempPath() + QStringLiteral("/Tarnwell é XXXXXX"));
        const QDir root(install.path());
        ASSERT_TRUE(root.mkpath(QStringLiteral("bin")) && root.mkpath(QStringLiteral("share/tarnwell")));
        const QString program = root.filePath(QStringLiteral("bin"));
        auto put = [&](const QString& folder) {
            QFile f(QDir(folder).filePath(name));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(QByteArray::fromStdString(text));
        };
        if (c.besideProgram) put(program);
        if (c.inShare) put(root.filePath(QStringLiteral("share/tarnwell")));
        const QString found = QString::fromStdString(findDatabaseFile(program));
        const std::string where = found == name                                                ? "current"
                                  : found == QDir(program).filePath(name)                      ? "program"
                                  : found == root.filePath(QStringLiteral("share/tarnwell/") + name) ? "share"
                                                                                                 : "elsewhere";
        if (std::string(c.found) == "none") {
            EXPECT_EQ(found, name);
            EXPECT_EQ(std::get<LoadFailure>(loadSolventDatabaseFile(found.toStdString())), LoadFailure::FileNotFound);
        } else {
            EXPECT_EQ(where, c.found) << found.toStdString();
            EXPECT_EQ(labelsOf(loadSolventDatabaseFile(found.toStdString())), labelsOf(parseSolventDatabase(text)));
        }
    }
}

}  // namespace
}  // namespace tarnwell::testing
