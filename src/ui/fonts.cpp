#include "ui/fonts.h"

#include "ui/layout.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QStringList>

namespace tarnwell::ui {

void useDesignFonts() {
    if (!QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive)) {
        // Debian's fonts-wine ships a Tahoma-metric face outside the font path.
        const QStringList candidates = {QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"),
                                        QStringLiteral("/usr/share/wine/fonts/tahomabd.ttf")};
        for (const QString& path : candidates)
            if (QFile::exists(path)) QFontDatabase::addApplicationFont(path);
    }
    // The desktop's default face and size differ from machine to machine; the
    // message boxes are meant to look as the help pages show them.
    QApplication::setFont(makeFont(QStringLiteral("Tahoma"), 8.25));
}

}  // namespace tarnwell::ui
