#pragma once
// Choosing a file for the user to save to or open from.
//
// The program writes no file the user did not ask for. Qt's file dialog
// keeps its history, last folder and column widths in Qt's settings file
// when it closes, so Qt's settings are kept off the disk (and none are read
// either); the dialog is Qt's own on every desktop, which puts nothing in a
// desktop's list of recent files. The last folder is remembered for this run
// only.

#include <QString>
#include <string>

class QWidget;

namespace tarnwell::ui {

// Points Qt's settings at a place where no file can be made. Call before any
// part of Qt reads or writes settings; calling again does nothing.
void keepQtSettingsOffDisk();

struct FileChoice {
    bool saving = false;    // a file to save to, or one to open
    QString title;
    QString filter;         // e.g. "Solubility tests (*.txt);;All files (*)"
    QString suggestedName;  // saving: the file name offered
    QString defaultSuffix;  // saving: added when the name typed has none
};

// The chosen file, or an empty string when the user cancels. The dialog's
// objectName is "dlgSaveFile" or "dlgOpenFile". Screens ask through
// Platform::chooseFile.
QString chooseFileWithDialog(QWidget* over, const FileChoice& choice);

// A file name made from `text` for a save dialog to offer: the characters no
// system allows in a name become blanks; `fallback` when nothing is left.
// `extension` without its dot.
QString fileNameFrom(const QString& text, const QString& fallback, const QString& extension);

// Writes `bytes` to the file at `path` whole or not at all (an old file stays
// as it was when the writing fails). Empty when written, else why not.
QString writeWholeFile(const QString& path, const std::string& bytes);

}  // namespace tarnwell::ui
