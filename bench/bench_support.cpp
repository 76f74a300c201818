// The core headers first: AppState has members named `slots`, which Qt's
// keyword macro would swallow.
#include "core/database.h"
#include "app/application.h"
#include "app/frm_solver_startup.h"
#include "bench_support.h"
#include "workbench/frm_solvermain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QWindow>
#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tarnwell::bench {

const std::string& shippedDatabaseText() {
    static const std::string text = [] {
        std::ifstream in(std::string(TARNWELL_SOURCE_DIR) + "/resources/" + kDatabaseFileName, std::ios::binary);
        if (!in) throw std::runtime_error("shipped database not found");
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }();
    return text;
}

namespace {

std::vector<std::string> splitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find("\r\n", pos);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

}  // namespace

std::string largeDatabaseText(int records) {
    const std::vector<std::string> lines = splitCrLf(shippedDatabaseText());
    const int shipped = std::stoi(lines.at(4));
    const auto recordAt = [&lines](int i) { return lines.begin() + 5 + 12 * i; };
    std::string out;
    for (int i = 0; i < 4; ++i) out += lines[i] + "\r\n";
    out += std::to_string(records) + "\r\n";
    for (int i = 0; i + 1 < records; ++i) {
        auto r = recordAt(i % (shipped - 1));
        out += *r + " #" + std::to_string(i) + "\r\n";
        for (int k = 1; k < 12; ++k) out += r[k] + "\r\n";
    }
    auto custom = recordAt(shipped - 1);
    for (int k = 0; k < 12; ++k) out += custom[k] + "\r\n";
    return out;
}

void QuietPlatform::messageBox(QWidget*, const QString& title, const QString& text) {
    messages.push_back(title + QStringLiteral(": ") + text);
}

DatabaseFolder::DatabaseFolder(const std::string& text) : previous_(QDir::currentPath()) {
    if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
    QFile file(dir_.filePath(QString::fromUtf8(kDatabaseFileName)));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()))
        throw std::runtime_error("cannot write the database file");
    file.close();
    QDir::setCurrent(dir_.path());
}

DatabaseFolder::~DatabaseFolder() { QDir::setCurrent(previous_); }

std::string DatabaseFolder::filePath() const {
    return dir_.filePath(QString::fromUtf8(kDatabaseFileName)).toStdString();
}

double startToMainScreen(QuietPlatform& platform) {
    const auto begin = std::chrono::steady_clock::now();
    double seconds = -1.0;
    {
        Application app(platform);
        app.start();
        auto* cont = app.startupScreen()->findChild<QPushButton*>(QStringLiteral("cmdContinue"));
        if (!cont) throw std::runtime_error("cmdContinue not found");
        cont->click();
        QElapsedTimer guard;
        guard.start();
        auto shown = [&app] {
            QWidget* main = app.mainScreen();
            return main && main->isVisible() && main->windowHandle() && main->windowHandle()->isExposed();
        };
        while (!shown() && platform.endCalls.empty() && guard.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (shown()) {
            QCoreApplication::processEvents();  // the first paint
            seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        }
    }
    QCoreApplication::processEvents();  // deferred deletes, outside the measurement
    return seconds;
}

}  // namespace tarnwell::bench
