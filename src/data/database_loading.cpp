#include "data/database_loading.h"

#include "core/file_access.h"
#include "core/messages.h"
#include "ui/layout.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>

namespace tarnwell {

using ui::qs;

FrmReadDatabase::FrmReadDatabase(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmReadDatabase"));
    setWindowTitle(QStringLiteral("Tarnwell Startup"));
    ui::setFixedClientSize(this, 204.75, 75);
    auto* label = ui::addLabel(this, QStringLiteral("Label1"), QStringLiteral("Reading in Solvent Database ..."),
                               ui::ptRect(12, 24, 180, 24));
    label->setFont(ui::makeFont(QStringLiteral("Tahoma"), 9.75, true));
    label->setAlignment(Qt::AlignCenter);
}

std::string findDatabaseFile(const QString& programFolder) {
    const QString name = qs(kDatabaseFileName);
    if (QFileInfo::exists(name)) return name.toStdString();
    const QDir program(programFolder);
    // A shortcut or a file manager may start the program in another folder:
    // the database message tells the user to keep the file beside the program.
    for (const QString& place : {program.filePath(name), program.filePath(QStringLiteral("../share/tarnwell/") + name)})
        if (QFileInfo(place).isFile()) return QDir::cleanPath(place).toStdString();
    return name.toStdString();
}

std::string findDatabaseFile() { return findDatabaseFile(QCoreApplication::applicationDirPath()); }

// The stamp is taken before the read: a change made while reading then shows
// as a difference at take().
DatabaseReadAhead::DatabaseReadAhead()
    : path_(findDatabaseFile()),
      before_(fileStamp(path_)),
      result_(std::async(std::launch::async, [path = path_] { return loadSolventDatabaseFile(path); })) {}

DatabaseReadAhead::~DatabaseReadAhead() {
    if (result_.valid()) result_.wait();
}

LoadResult DatabaseReadAhead::take() {
    LoadResult ahead = result_.get();
    const std::string path = findDatabaseFile();
    if (path == path_ && fileStamp(path) == before_) return ahead;
    return loadSolventDatabaseFile(path);
}

std::optional<SolventTable> loadSolventDatabase(ui::Platform& platform, FrmReadDatabase& notice,
                                                DatabaseReadAhead* readAhead) {
    notice.show();
    QCoreApplication::processEvents();  // let the notice paint before the read
    LoadResult result = readAhead ? readAhead->take() : loadSolventDatabaseFile(findDatabaseFile());
    if (auto* failure = std::get_if<LoadFailure>(&result)) {
        platform.messageBox(&notice, qs(messages::kErrorTitle),
                            qs(messages::databaseFailure(static_cast<int>(*failure))));
        return std::nullopt;
    }
    notice.hide();
    return std::move(std::get<SolventTable>(result));
}

SolventPropertiesFile loadSolventProperties() {
    return loadSolventPropertiesFile(propertiesPathBeside(findDatabaseFile()));
}

}  // namespace tarnwell
