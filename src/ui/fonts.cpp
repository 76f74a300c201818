#include "ui/fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QStringList>

namespace tarnwell::ui {

void ensureDesignFonts() {
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive)) return;
    // Debian's fonts-wine ships a Tahoma-metric face outside the font path.
    const QStringList candidates = {QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"),
                                    QStringLiteral("/usr/share/wine/fonts/tahomabd.ttf")};
    for (const QString& path : candidates)
        if (QFile::exists(path)) QFontDatabase::addApplicationFont(path);
}

}  // namespace tarnwell::ui
