#include "app/application.h"
#include "ui/fonts.h"
#include "ui/platform.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnwell"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    // The program reads no settings and takes no command line.
    tarnwell::ui::ensureDesignFonts();
    tarnwell::ui::DesktopPlatform platform;
    tarnwell::Application tarnwell(platform);
    tarnwell.start();
    return QApplication::exec();
}
