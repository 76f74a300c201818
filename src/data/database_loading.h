#pragma once
// Reading the shipped database when the main screen first opens: where the
// file is looked for, the notice shown while it is read, and the one message
// every failure ends in.

#include "core/database.h"

#include <QWidget>
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

// Shows the notice, reads the table, hides the notice. On failure shows the
// database message and returns nothing; the notice stays up (the caller then
// ends the program).
std::optional<SolventTable> loadSolventDatabase(ui::Platform& platform, FrmReadDatabase& notice);

}  // namespace tarnwell
