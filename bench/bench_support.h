#pragma once
// Shared by the benchmarks: database texts of a chosen size, a quiet platform, a navigator to nowhere,
// and a temporary folder that holds the database file as the current directory.

#include "ui/navigator.h"
#include "ui/platform.h"

#include <QString>
#include <QTemporaryDir>
#include <string>
#include <vector>

namespace tarnwell::bench {

// The bytes of the shipped database file.
const std::string& shippedDatabaseText();

// A database of `records` records (the custom-entry row included), made of the
// shipped records repeated with numbered names, so line lengths are realistic.
std::string largeDatabaseText(int records);

// Records what the program would say instead of showing it.
class QuietPlatform final : public ui::Platform {
public:
    void messageBox(QWidget*, const QString& title, const QString& text) override;
    QString chooseFile(QWidget*, const ui::FileChoice&) override { return {}; }
    bool printWindow(QWidget*) override { return false; }
    void endProgram(int exitCode) override { endCalls.push_back(exitCode); }

    std::vector<QString> messages;
    std::vector<int> endCalls;
};

// Goes nowhere: for a screen measured without the application.
class NoNavigator final : public ui::Navigator {
public:
    void showMainScreen() override {}
    void showCalculator() override {}
    void showHelp(ui::HelpEntry, QWidget*) override {}
    void showNoteOnMixturesModal(QWidget*) override {}
    void showHelpModal(ui::HelpEntry, QWidget*) override {}
    void showEvaporation(const EvaporationInput&, ui::EvaporationOf, QWidget*) override {}
    void showTeasChart(ui::ChartOpener&) override {}
    void showSolubilityTest(QWidget*) override {}
    void showFinder(ui::FinderMode, QWidget*) override {}
};

// A fresh folder holding `text` as the database file, made the current
// directory for the object's life.
class DatabaseFolder {
public:
    explicit DatabaseFolder(const std::string& text);
    ~DatabaseFolder();
    DatabaseFolder(const DatabaseFolder&) = delete;
    DatabaseFolder& operator=(const DatabaseFolder&) = delete;
    std::string filePath() const;

private:
    QTemporaryDir dir_;
    QString previous_;
};

// Start to main screen shown: builds the application, shows the startup
// screen, presses cmdContinue and waits (at most 10 s) until the main screen
// is exposed and painted. Returns the seconds taken, or a negative value when
// the main screen never appeared (the platform then holds the message).
double startToMainScreen(QuietPlatform& platform);

}  // namespace tarnwell::bench
