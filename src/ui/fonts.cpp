#include "ui/fonts.h"

#include "ui/layout.h"
#include "ui/platform.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>

namespace tarnwell::ui {

void useDesignFonts() {
    if (!QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive)) {
        for (const QString& path : tahomaStandIns())
            if (QFile::exists(path)) QFontDatabase::addApplicationFont(path);
    }
    // The desktop's default face and size differ from machine to machine; the
    // message boxes are meant to look as the help pages show them.
    QApplication::setFont(makeFont(QStringLiteral("Tahoma"), 8.25));
}

}  // namespace tarnwell::ui
