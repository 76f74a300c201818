// The database corpus through the program's own start: startup screen,
// cmdContinue, the read, then either the main screen with every label or
// exactly one database message and the end of the program.
#include "core/database.h"
#include "core/messages.h"
#include "app/application.h"
#include "app/frm_solver_startup.h"
#include "workbench/frm_solvermain.h"
#include "fake_platform.h"
#include "screen_test.h"
#include "ui/text.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#if defined(__unix__)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#elif defined(_WIN32)
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace tarnwell::testing {
namespace {

const std::string kCorpus = std::string(TARNWELL_SOURCE_DIR) + "/tests/corpus/";

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct CorpusCase {
    std::string file;
    bool loads = false;
    int number = 0;  // the failure number, or the rows shown
};

std::vector<CorpusCase> manifest() {
    std::vector<CorpusCase> cases;
    std::ifstream in(kCorpus + "expected.txt");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        CorpusCase c;
        std::string outcome;
        fields >> c.file >> outcome >> c.number;
        c.loads = outcome == "load";
        cases.push_back(c);
    }
    return cases;
}

// One start of the program on the folder's database: what it said and showed.
struct StartOutcome {
    std::vector<RecordedMessage> messages;
    std::vector<int> endCalls;
    bool mainShown = false;
    QStringList rows;  // of lstSolvent1
    std::vector<std::string> labels;
};

StartOutcome startProgram() {
    FakePlatform platform;
    Application app(platform);
    app.start();
    auto* cont = find<QPushButton>(app.startupScreen(), QStringLiteral("cmdContinue"));
    EXPECT_NE(cont, nullptr);
    if (cont) click(cont);
    StartOutcome out;
    out.messages = platform.messages;
    out.endCalls = platform.endCalls;
    if (FrmSolvermain* main = app.mainScreen(); main && main->isVisible()) {
        out.mainShown = true;
        auto* list = find<QAbstractItemView>(main, QStringLiteral("lstSolvent1"));
        EXPECT_NE(list, nullptr);
        if (list)
            for (int r = 0; r < list->model()->rowCount(); ++r)
                out.rows << list->model()->index(r, 0).data().toString();
        out.labels.assign(app.state().table.labels.begin(), app.state().table.labels.end());
    }
    return out;
}

void expectFailure(const StartOutcome& out, int number) {
    ASSERT_EQ(out.messages.size(), 1u) << "exactly one message";
    EXPECT_EQ(out.messages[0].title, ui::qs(messages::kErrorTitle));
    EXPECT_EQ(out.messages[0].text, ui::qs(messages::databaseFailure(number)));
    ASSERT_FALSE(out.endCalls.empty()) << "the program must end after the message";
    for (int code : out.endCalls) EXPECT_NE(code, 0) << "a failed start ends with a non-zero status";
    EXPECT_FALSE(out.mainShown);
}

void expectLoaded(const StartOutcome& out, int rows) {
    EXPECT_TRUE(out.messages.empty()) << out.messages.front().text.toStdString();
    EXPECT_TRUE(out.endCalls.empty());
    ASSERT_TRUE(out.mainShown);
    ASSERT_EQ(out.rows.size(), rows);
    ASSERT_EQ(out.labels.size(), static_cast<std::size_t>(rows));
    for (int r = 0; r < rows; ++r) EXPECT_EQ(out.rows[r], QString::fromStdString(out.labels[static_cast<std::size_t>(r)]));
}

class DatabaseCorpus : public ::testing::TestWithParam<CorpusCase> {};

TEST_P(DatabaseCorpus, StartsOrFailsWithItsNumber) {
    const CorpusCase& c = GetParam();
    const std::string bytes = readBytes(kCorpus + c.file);
    DatabaseFolder folder(bytes);
    if (bytes.empty()) {  // the folder helper writes no file for an empty text
        QFile file(QDir(folder.path()).filePath(QString::fromUtf8(kDatabaseFileName)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const StartOutcome out = startProgram();
    if (c.loads) expectLoaded(out, c.number);
    else expectFailure(out, c.number);
}

INSTANTIATE_TEST_SUITE_P(Files, DatabaseCorpus, ::testing::ValuesIn(manifest()),
                         [](const ::testing::TestParamInfo<CorpusCase>& info) {
                             std::string name;
                             for (char ch : info.param.file.substr(0, info.param.file.size() - 4))
                                 name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return name;
                         });

TEST(DatabaseCorpusFiles, EveryFileHasAnExpectedOutcomeAndThereAreEnough) {
    std::vector<std::string> listed;
    for (const CorpusCase& c : manifest()) listed.push_back(c.file);
    EXPECT_GE(listed.size(), 30u);
    const QStringList present = QDir(QString::fromStdString(kCorpus)).entryList({QStringLiteral("*.txt")}, QDir::Files);
    for (const QString& f : present) {
        if (f == QStringLiteral("expected.txt")) continue;
        EXPECT_NE(std::find(listed.begin(), listed.end(), f.toStdString()), listed.end()) << f.toStdString();
    }
    EXPECT_EQ(static_cast<std::size_t>(present.size() - 1), listed.size());
}

// --- What the odd files show ------------------------------------------------------

QString firstRow(const std::string& file) {
    DatabaseFolder folder(readBytes(kCorpus + file));
    const StartOutcome out = startProgram();
    EXPECT_TRUE(out.mainShown) << file;
    return out.rows.isEmpty() ? QString() : out.rows.front();
}

TEST(DatabaseOddLabels, ShowTheNameAsWritten) {
    EXPECT_EQ(firstRow("name-64k.txt"), QStringLiteral("2:   ") + QString(65536, QLatin1Char('N')));
    EXPECT_EQ(firstRow("name-lone-lf.txt"), QStringLiteral("2:   Acetone\nline two"));
    EXPECT_EQ(firstRow("name-nul.txt"), QStringLiteral("2:   Ace") + QChar(0) + QStringLiteral("tone"));
    EXPECT_EQ(firstRow("name-leading-and-trailing-blanks.txt"), QStringLiteral("2:     Acetone"));
}

TEST(DatabaseOddLabels, HighBytesAreWindows1252) {
    const QString row = firstRow("name-high-bytes.txt");
    ASSERT_EQ(row.size(), 5 + 128);
    const QString name = row.mid(5);
    EXPECT_EQ(name[0x00], QChar(0x20AC));  // 0x80 euro sign
    EXPECT_EQ(name[0x01], QChar(0x0081));  // undefined in the code page: kept as the control character
    EXPECT_EQ(name[0x19], QChar(0x2122));  // 0x99 trade mark
    EXPECT_EQ(name[0x1F], QChar(0x0178));  // 0x9F Y with diaeresis
    EXPECT_EQ(name[0x20], QChar(0x00A0));  // 0xA0 no-break space
    EXPECT_EQ(name[0x69], QChar(0x00E9));  // 0xE9 e acute
    EXPECT_EQ(name[0x7F], QChar(0x00FF));  // 0xFF y with diaeresis
}

// --- Files made at test time ------------------------------------------------------

std::string recordsText(int count) {
    std::vector<TestSolvent> solvents(static_cast<std::size_t>(count - 1),
                                      TestSolvent{"Acetone", "2", "47", "32", "21"});
    return databaseText(solvents);  // adds the custom-entry row
}

TEST(DatabaseLimits, The32767RecordFileLoadsAnd32768FailsWith6) {
    {
        DatabaseFolder folder(recordsText(32767));
        expectLoaded(startProgram(), 32767);
    }
    {
        DatabaseFolder folder(recordsText(32768));
        expectFailure(startProgram(), 6);
    }
}

TEST(DatabaseLimits, MissingFileFailsWith53) {
    DatabaseFolder folder("");
    expectFailure(startProgram(), 53);
}

TEST(DatabaseLimits, FolderOfThatNameFailsWith75) {
    DatabaseFolder folder("");
    ASSERT_TRUE(QDir(folder.path()).mkdir(QString::fromUtf8(kDatabaseFileName)));
    expectFailure(startProgram(), 75);
}

#if defined(__unix__)
// Root reads a file whatever its mode. While this lives, the process checks
// files with the rights of an ordinary user (the effective user only: the
// real one stays, so the rights come back); for anyone else it does nothing.
class OrdinaryUserRights {
public:
    OrdinaryUserRights() {
        if (::geteuid() != 0) return;
        const uid_t nobody = 65534;
        if (::setegid(nobody) != 0 || ::seteuid(nobody) != 0) {
            ADD_FAILURE() << "root could not take an ordinary user's rights: " << std::strerror(errno);
            restore();
            return;
        }
        dropped_ = true;
    }
    ~OrdinaryUserRights() { restore(); }
    OrdinaryUserRights(const OrdinaryUserRights&) = delete;
    OrdinaryUserRights& operator=(const OrdinaryUserRights&) = delete;

private:
    void restore() {
        if (::seteuid(0) != 0 || ::setegid(0) != 0) ADD_FAILURE() << "root's rights did not come back";
        dropped_ = false;
    }
    bool dropped_ = false;
};
#endif

TEST(DatabaseLimits, UnreadableFileFailsWith70) {
#if defined(__unix__)
    DatabaseFolder folder(readBytes(kCorpus + "three-records.txt"));
    const std::string path = folder.path().toStdString() + "/" + kDatabaseFileName;
    // The folder open to everyone, the file to no one: only the file's mode refuses.
    ASSERT_EQ(::chmod(folder.path().toStdString().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    StartOutcome out;
    {
        const OrdinaryUserRights ordinary;
        const int fd = ::open(path.c_str(), O_RDONLY);
        const int openError = errno;
        if (fd >= 0) ::close(fd);
        ASSERT_EQ(fd, -1) << "the file can still be read: the test would prove nothing";
        ASSERT_EQ(openError, EACCES);
        out = startProgram();
    }
    ::chmod(path.c_str(), 0644);
    expectFailure(out, 70);
#elif defined(_WIN32)
    // Another program holding the file open and sharing it with none, as a
    // spreadsheet that has it open does: Windows refuses the read.
    DatabaseFolder folder(readBytes(kCorpus + "three-records.txt"));
    const std::wstring path = (folder.path() + QStringLiteral("/") + QString::fromUtf8(kDatabaseFileName)).toStdWString();
    HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const StartOutcome out = startProgram();
    ::CloseHandle(held);
    expectFailure(out, 70);
#endif
}

}  // namespace
}  // namespace tarnwell::testing
