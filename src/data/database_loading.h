#pragma once
// Reading the shipped database when the main screen first opens: where the
// file is looked for, the notice shown while it is read, and the one message
// every failure ends in.

#include "core/database.h"
#include "core/file_access.h"
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
// anything else of that name), otherwise the file in the program's own folder,
// otherwise the copy installed in <program folder>/../share/tarnwell/,
// otherwise the bare name (so that a missing file is reported as missing).
// Paths are UTF-8.
std::string findDatabaseFile(const QString& programFolder);
// The same for the running program's folder.
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

private:
    std::string path_;
    FileStamp before_;  // the file as it was when the read began
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
