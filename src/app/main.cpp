#include "app/application.h"
#include "ui/files.h"
#include "ui/fonts.h"
#include "ui/keyboard.h"
#include "ui/platform.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    tarnwell::ui::leaveNoFilesBehind();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnwell"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    // The program reads no settings and takes no command line.
    tarnwell::ui::keepQtSettingsOffDisk();
    tarnwell::ui::useDesignFonts();
    tarnwell::ui::showKeyboardFocus();
    tarnwell::ui::DesktopPlatform platform;
    tarnwell::Application tarnwell(platform);
    tarnwell.start();
    return QApplication::exec();
}
