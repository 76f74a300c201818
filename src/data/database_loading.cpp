#include "data/database_loading.h"

#include "core/messages.h"
#include "ui/layout.h"
#include "ui/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>

namespace tarnwell {

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
    const QString name = QString::fromUtf8(kDatabaseFileName);
    if (QFileInfo::exists(name)) return name.toStdString();
    const QString installed =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/tarnwell/") + name);
    if (QFileInfo(installed).isFile()) return QDir::cleanPath(installed).toStdString();
    return name.toStdString();
}

std::optional<SolventTable> loadSolventDatabase(ui::Platform& platform, FrmReadDatabase& notice) {
    notice.show();
    QCoreApplication::processEvents();  // let the notice paint before the read
    LoadResult result = loadSolventDatabaseFile(findDatabaseFile());
    if (auto* failure = std::get_if<LoadFailure>(&result)) {
        platform.messageBox(&notice, QString::fromUtf8(messages::kErrorTitle),
                            QString::fromStdString(messages::databaseFailure(static_cast<int>(*failure))));
        return std::nullopt;
    }
    notice.hide();
    return std::move(std::get<SolventTable>(result));
}

}  // namespace tarnwell
