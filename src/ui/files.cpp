#include "ui/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>

namespace tarnwell::ui {

namespace {
QString& lastFolder() {
    static QString folder;
    return folder;
}

QString runDialog(QWidget* over, const FileChoice& choice) {
    const bool saving = choice.saving;
    keepQtSettingsOffDisk();
    if (lastFolder().isEmpty()) lastFolder() = QDir::homePath();
    QFileDialog dialog(over, choice.title, lastFolder(), choice.filter);
    dialog.setObjectName(saving ? QStringLiteral("dlgSaveFile") : QStringLiteral("dlgOpenFile"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (saving) {
        dialog.setDefaultSuffix(choice.defaultSuffix);
        if (!choice.suggestedName.isEmpty()) dialog.selectFile(choice.suggestedName);
    }
    if (dialog.exec() != QDialog::Accepted) return {};
    const QString file = dialog.selectedFiles().value(0);
    if (!file.isEmpty()) lastFolder() = QFileInfo(file).absolutePath();
    return file;
}
}  // namespace

void keepQtSettingsOffDisk() {
    static const bool done = [] {
        // Below a file no folder can be made, on any system: the program's
        // own file is one that is always there.
        QString nowhere = QCoreApplication::applicationFilePath();
        nowhere = nowhere.isEmpty() ? QStringLiteral("/dev/null/no-settings") : nowhere + QStringLiteral("/no-settings");
        QSettings::setDefaultFormat(QSettings::IniFormat);
        for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
            for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope})
                QSettings::setPath(format, scope, nowhere);
        return true;
    }();
    (void)done;
}

QString chooseFileWithDialog(QWidget* over, const FileChoice& choice) { return runDialog(over, choice); }

QString fileNameFrom(const QString& text, const QString& fallback, const QString& extension) {
    QString name = text.trimmed();
    for (QChar& c : name)
        if (QStringLiteral("\\/:*?\"<>|").contains(c) || c.unicode() < 0x20) c = QLatin1Char(' ');
    name = name.simplified();
    return (name.isEmpty() ? fallback : name) + QLatin1Char('.') + extension;
}

QString writeWholeFile(const QString& path, const std::string& bytes) {
    QSaveFile file(path);
    const auto size = static_cast<qint64>(bytes.size());
    if (file.open(QIODevice::WriteOnly) && file.write(bytes.data(), size) == size && file.commit()) return {};
    const QString why = file.errorString();
    return why.isEmpty() ? QStringLiteral("the file could not be written") : why;
}

}  // namespace tarnwell::ui
