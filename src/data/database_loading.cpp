#include "data/database_loading.h"

#include "core/messages.h"
#include "ui/layout.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>

#include <sys/stat.h>

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

std::string findDatabaseFile() {
    const QString name = qs(kDatabaseFileName);
    if (QFileInfo::exists(name)) return name.toStdString();
    const QString installed =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/tarnwell/") + name);
    if (QFileInfo(installed).isFile()) return QDir::cleanPath(installed).toStdString();
    return name.toStdString();
}

DatabaseReadAhead::FileState DatabaseReadAhead::stateOf(const std::string& path) {
    struct stat info {};
    FileState state;
    if (::stat(path.c_str(), &info) != 0) return state;
    state.exists = true;
    state.device = info.st_dev;
    state.inode = info.st_ino;
    state.size = static_cast<unsigned long long>(info.st_size);
    state.modifiedSec = info.st_mtim.tv_sec;
    state.modifiedNsec = info.st_mtim.tv_nsec;
    state.changedSec = info.st_ctim.tv_sec;
    state.changedNsec = info.st_ctim.tv_nsec;
    state.mode = info.st_mode;
    return state;
}

// The state is taken before the read: a change made while reading then shows
// as a difference at take().
DatabaseReadAhead::DatabaseReadAhead()
    : path_(findDatabaseFile()),
      before_(stateOf(path_)),
      result_(std::async(std::launch::async, [path = path_] { return loadSolventDatabaseFile(path); })) {}

DatabaseReadAhead::~DatabaseReadAhead() {
    if (result_.valid()) result_.wait();
}

LoadResult DatabaseReadAhead::take() {
    LoadResult ahead = result_.get();
    const std::string path = findDatabaseFile();
    if (path == path_ && stateOf(path) == before_) return ahead;
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
