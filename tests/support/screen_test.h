#pragma once
// Helpers for driving real screens in tests.

#include "core/database.h"
#include "core/evaporation.h"
#include "core/solvent_properties.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarnwell::testing {

// Thrown by find() once it has failed the test; GoogleTest ends the test that
// threw it, and the modal helpers below stop it before it reaches Qt.
struct MissingWidget : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A widget of `root` (null: none) by objectName, never null: a missing one
// fails the running test, which then stops instead of using a null pointer.
template <typename T>
T* find(QWidget* root, const QString& name) {
    T* w = root ? root->findChild<T*>(name) : nullptr;
    if (!w && root && root->objectName() == name) w = qobject_cast<T*>(root);
    if (!w) {
        const std::string what = "no widget " + name.toStdString() + " of the type asked for in " +
                                 (root ? root->objectName().toStdString() : std::string("a missing window"));
        ADD_FAILURE() << what;
        throw MissingWidget(what);
    }
    return w;
}

// A real click on row `row` of a list, then a real double-click on it.
void clickRow(QAbstractItemView* list, int row);
void doubleClickRow(QAbstractItemView* list, int row);
void click(QWidget* widget);

// Closes the next modal window (message box or dialog) when it appears,
// and fails the test if none appears within `timeoutMs`. `action` runs on
// the modal first (e.g. to read it or press a button on it).
void whenModalAppears(std::function<void(QWidget* modal)> action, int timeoutMs = 5000);

// Runs `during` (which may open a modal window and wait in it) and, on the
// first modal window that appears meanwhile, runs `action`. Whatever modal is
// still open after the action is closed, so nothing can hang. Returns whether
// a modal window appeared at all.
bool duringModal(const std::function<void()>& during, const std::function<void(QWidget*)>& action);

// Database text in the file format: a list of records, the custom-entry row
// appended. Each record: name, reference, n, d, w, twa, vhr, mv, mw, twaMg, effects.
struct TestSolvent {
    std::string name, reference = "2", n, d, w, twa = "100", vhr = "10", mv = "100", mw = "100",
                      twaMg = "400", effects = "Eyes, skin";
};
std::string databaseText(const std::vector<TestSolvent>& solvents);
// A small database used across screen tests: acetone, ethanol, heptane, ...
std::vector<TestSolvent> sampleSolvents();
// The properties file of those solvents, with the shipped figures; Water
// has no flash point.
std::string samplePropertiesText();
SolventPropertiesFile sampleProperties();
// Acetone, ethanol and n-heptane of those solvents as a blend at mole
// fractions .3, .4 and .3 (N, D, W 58.5, 16.8, 24.7); `count` 2 leaves
// n-heptane out.
EvaporationInput sampleEvaporationBlend(std::size_t count = 3);
// The table those solvents make (the test fails when it does not load).
SolventTable tableOf(const std::vector<TestSolvent>& solvents);
// The shipped database file's table.
SolventTable shippedTable();

// Makes `dir` the current directory for the life of the object and writes
// the database file there (unless `text` is empty).
class DatabaseFolder {
public:
    explicit DatabaseFolder(const std::string& text);
    ~DatabaseFolder();
    QString path() const { return dir_.path(); }
    // Writes another file beside the database (the properties file).
    void writeFile(const QString& name, const std::string& text) const;

private:
    QTemporaryDir dir_;
    QString previous_;
};

// The shipped solvent properties file put beside the folder's database, as it
// is installed: before the program starts, which reads it with the database.
void copyShippedProperties(const DatabaseFolder& folder);

}  // namespace tarnwell::testing
