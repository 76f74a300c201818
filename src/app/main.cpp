#include "app/application.h"
#include "ui/files.h"
#include "ui/fonts.h"
#include "ui/keyboard.h"
#include "ui/platform.h"

#include <QApplication>
#include <QByteArray>
#include <QFileInfo>

#include <unistd.h>

namespace {

// The program writes no files, and keeps the desktop libraries it uses from
// writing any on its behalf.
void leaveNoFilesBehind() {
    // Without XDG_RUNTIME_DIR Qt makes a folder of its own in /tmp; the
    // user's runtime folder, where the system made one, serves instead.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray runtime = "/run/user/" + QByteArray::number(getuid());
        const QFileInfo info(QString::fromLocal8Bit(runtime));
        if (info.isDir() && info.ownerId() == getuid()) qputenv("XDG_RUNTIME_DIR", runtime);
    }
    // With no session bus named, libdbus would start one through dbus-launch,
    // which leaves a daemon running and writes under ~/.dbus. The program
    // needs no bus of its own: it takes the user's bus where there is one.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
        QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        if (runtime.isEmpty()) runtime = "/run/user/" + QByteArray::number(getuid());
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + runtime + "/bus");
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    leaveNoFilesBehind();
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
