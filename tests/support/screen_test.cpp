#include "screen_test.h"

#include "core/solvent_properties.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

#include <variant>

namespace tarnwell::testing {

namespace {

// Runs a test's action on a modal window from inside Qt's event loop, which
// no exception may cross: a widget the action missed has failed the test already.
void runOn(const std::function<void(QWidget*)>& action, QWidget* modal) {
    try {
        action(modal);
    } catch (const MissingWidget&) {
    }
}

}  // namespace

void clickRow(QAbstractItemView* list, int row) {
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    const QPoint point = list->visualRect(index).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, point);
}

void doubleClickRow(QAbstractItemView* list, int row) {
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    const QPoint point = list->visualRect(index).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, point);
}

void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

void whenModalAppears(std::function<void(QWidget*)> action, int timeoutMs) {
    auto* timer = new QTimer;
    auto elapsed = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, elapsed, action, timeoutMs] {
        *elapsed += 20;
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            runOn(action, modal);
            if (QApplication::activeModalWidget() == modal) modal->close();
            return;
        }
        if (*elapsed >= timeoutMs) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal window appeared";
        }
    });
    timer->start(20);
}

bool duringModal(const std::function<void()>& during, const std::function<void(QWidget*)>& action) {
    bool seen = false;
    int ticks = 0;
    // A modal already up (the one a nested call runs inside) is not the one awaited.
    const QPointer<QWidget> before = QApplication::activeModalWidget();
    QTimer timer;
    timer.setInterval(20);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == before) {
            if (++ticks > 500) timer.stop();  // 10 s without a modal: give up
            return;
        }
        timer.stop();
        seen = true;
        runOn(action, modal);
        if (QApplication::activeModalWidget() == modal) {
            ADD_FAILURE() << "the modal window " << modal->objectName().toStdString() << " was left open";
            modal->close();
            if (QApplication::activeModalWidget() == modal) modal->hide();
        }
    });
    timer.start();
    during();
    timer.stop();
    return seen;
}

std::string databaseText(const std::vector<TestSolvent>& solvents) {
    std::string out = "Tarnwell test database\r\nheader 2\r\nheader 3\r\nheader 4\r\n";
    out += std::to_string(solvents.size() + 1) + "\r\n";
    auto record = [&out](const TestSolvent& s) {
        for (const std::string* f : {&s.name, &s.reference, &s.n, &s.d, &s.w, &s.twa, &s.vhr, &s.mv, &s.mw,
                                     &s.twaMg, &s.effects})
            out += *f + "\r\n";
        out += "\r\n";
    };
    for (const TestSolvent& s : solvents) record(s);
    TestSolvent custom{"Enter N, D, W.", "0", "0", "0", "0", "none", "none", "0", "0", "none", ""};
    record(custom);
    return out;
}

std::vector<TestSolvent> sampleSolvents() {
    return {
        {"Acetone", "2", "47", "32", "21", "250", "1057", "73.93", "58.08", "590", "Eyes, skin, respiratory system"},
        {"Ethanol", "2", "36", "18", "46", "1000", "58", "58.68", "46.07", "1900", "Eyes, skin, respiratory system"},
        {"n-Heptane", "2", "100", "0", "0", "85", "549", "146.56", "100.21", "350", "Skin, respiratory system"},
        {"Tetrahydrofuran", "2", "55", "19", "26", "200", "947", "81.11", "72.11", "590", "Eyes, skin [skin]"},
        {"Toluene", "2", "80", "7", "13", "100", "289", "106.29", "92.14", "375", "Eyes, skin, liver [skin]"},
        {"Water", "3", "21", "22", "57", "none", "none", "18.02", "18.02", "none", "none listed"},
    };
}

std::string samplePropertiesText() {
    return "# The sample solvents, with the shipped figures\n" + std::string(kPropertiesHeader) +
           "\n"
           "2:   Acetone\t180\t56.1\t-17.8\tIB\tNNNN\n"
           "2:   Ethanol\t44\t78.3\t12.8\tIB\tNNNN\n"
           "2:   n-Heptane\t35.45\t98.3\t-3.9\tIB\tENNN\n"
           "2:   Tetrahydrofuran\t132\t66.1\t-14.4\tIB\tNNNN\n"
           "2:   Toluene\t21\t111.1\t4.4\tIB\tNNNN\n"
           "3:   Water\t17.59\t100.0\tnone\tnone\tEH--\n";
}

SolventPropertiesFile sampleProperties() {
    SolventPropertiesFile file = parseSolventProperties(samplePropertiesText());
    EXPECT_EQ(file.status, PropertiesFileStatus::Loaded) << file.error.message;
    return file;
}

EvaporationInput sampleEvaporationBlend(std::size_t count) {
    const struct {
        const char* label;
        TeasPoint ndw;
        double molarVolume, molecularWeight;
        const char *twa, *vhr;
        double moles;
    } rows[] = {{"2:   Acetone", {47, 32, 21}, 73.93, 58.08, "250", "1057", 0.3},
                {"2:   Ethanol", {36, 18, 46}, 58.68, 46.07, "1000", "58", 0.4},
                {"2:   n-Heptane", {100, 0, 0}, 146.56, 100.21, "85", "549", 0.3}};
    EvaporationInput in;
    for (std::size_t k = 0; k < 3; ++k) {
        EvaporationSolvent& s = in.solvents[k];
        s.slot = static_cast<int>(k) + 1;
        s.label = rows[k].label;
        s.ndw = rows[k].ndw;
        s.molarVolume = rows[k].molarVolume;
        s.molecularWeight = rows[k].molecularWeight;
        s.twaText = rows[k].twa;
        s.vhrText = rows[k].vhr;
        s.startMoles = rows[k].moles;
    }
    in.count = count;
    return in;
}

namespace {
SolventTable loaded(LoadResult result) {
    EXPECT_TRUE(std::holds_alternative<SolventTable>(result));
    return std::holds_alternative<SolventTable>(result) ? std::get<SolventTable>(std::move(result)) : SolventTable{};
}
}  // namespace

SolventTable tableOf(const std::vector<TestSolvent>& solvents) {
    return loaded(parseSolventDatabase(databaseText(solvents)));
}

SolventTable shippedTable() {
    return loaded(loadSolventDatabaseFile(TARNWELL_SOURCE_DIR "/resources/tarnwell database 1.0.txt"));
}

DatabaseFolder::DatabaseFolder(const std::string& text) : previous_(QDir::currentPath()) {
    if (!text.empty()) {
        QFile file(dir_.filePath(QStringLiteral("tarnwell database 1.0.txt")));
        file.open(QIODevice::WriteOnly);
        file.write(text.data(), static_cast<qint64>(text.size()));
    }
    QDir::setCurrent(dir_.path());
}

DatabaseFolder::~DatabaseFolder() { QDir::setCurrent(previous_); }

void copyShippedProperties(const DatabaseFolder& folder) {
    const QString name = QString::fromUtf8(kPropertiesFileName);
    const QString to = QDir(folder.path()).filePath(name);
    QFile::remove(to);
    EXPECT_TRUE(QFile::copy(QStringLiteral(TARNWELL_SOURCE_DIR "/resources/") + name, to));
}

void DatabaseFolder::writeFile(const QString& name, const std::string& text) const {
    QFile file(dir_.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
    file.write(text.data(), static_cast<qint64>(text.size()));
}

}  // namespace tarnwell::testing
