#pragma once
// Reading the shipped database when the main screen first opens: where the
// file is looked for, the notice shown while it is read, and the one message
// every failure ends in.

#include "core/database.h"
#include "core/solvent_properties.h"

#include <QWidget>
#include <future>
#include <optional>
#include <string>

namespace tarnwell {
namespace ui { class Platform; }

// The small notice "Reading in Solvent Database ..." shown while reading.
class FrmReadDatabase : public QWidget {
    Q_OBJECT
public:
    explicit FrmReadDatabase(QWidget* parent = nullptr);
};

// The file in the current directory when it is there (as a file or as
// anything else of that name), otherwise the copy installed beside the
// program in <program folder>/../share/tarnwell/ when that exists,
// otherwise the bare name (so that a missing file is reported as missing).
std::string findDatabaseFile();

// Reads the database on a thread of its own from the moment it is made (the
// program makes it at start, while the terms are read), so that even the
// largest file is ready when the main screen opens. What it read is used only
// when the file found then is the same file, unchanged; otherwise the file is
// read again, so the outcome is always that of the file as it is at opening.
class DatabaseReadAhead {
public:
    DatabaseReadAhead();
    ~DatabaseReadAhead();  // waits for a read still under way
    DatabaseReadAhead(const DatabaseReadAhead&) = delete;
    DatabaseReadAhead& operator=(const DatabaseReadAhead&) = delete;

    // The outcome for the database file as it is now. Once only.
    LoadResult take();

    // What is compared to tell that a file is still the one read.
    struct FileState {
        bool exists = false;
        unsigned long long device = 0, inode = 0, size = 0;
        long long modifiedSec = 0, modifiedNsec = 0, changedSec = 0, changedNsec = 0;
        unsigned mode = 0;
        bool operator==(const FileState&) const = default;
    };
    static FileState stateOf(const std::string& path);

private:
    std::string path_;
    FileState before_;
    std::future<LoadResult> result_;
};

// Shows the notice, reads the table (through `readAhead` when given), hides
// the notice. On failure shows the database message and returns nothing; the
// notice stays up (the caller then ends the program).
std::optional<SolventTable> loadSolventDatabase(ui::Platform& platform, FrmReadDatabase& notice,
                                                DatabaseReadAhead* readAhead = nullptr);

// The properties file beside the database file that is used. It is never
// told at start: a missing file leaves the figures unknown, and a damaged one
// is told by the window that needs it.
SolventPropertiesFile loadSolventProperties();

}  // namespace tarnwell
