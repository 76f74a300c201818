#include "ui/platform.h"

#include "core/messages.h"
#include "ui/keyboard.h"
#include "ui/text.h"

#include "print/print.h"

#include <QApplication>
#include <QByteArray>
#include <QFileInfo>
#include <QMessageBox>
#include <QWidget>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

namespace tarnwell::ui {

namespace {
class EndProgramOnClose final : public QObject {
public:
    EndProgramOnClose(QWidget* window, Platform& platform) : QObject(window), platform_(platform) {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parent() && event->type() == QEvent::Close) {
            event->accept();
            platform_.endProgram(0);
        }
        return false;  // the window closes as usual
    }

private:
    Platform& platform_;
};
}  // namespace

void endProgramOnClose(QWidget* window, Platform& platform) { new EndProgramOnClose(window, platform); }

void leaveNoFilesBehind() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
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
#endif
}

QStringList tahomaStandIns() {
#if defined(Q_OS_LINUX)
    // Debian's fonts-wine ships a Tahoma-metric face outside the font path.
    return {QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"), QStringLiteral("/usr/share/wine/fonts/tahomabd.ttf")};
#else
    return {};  // Windows has Tahoma itself
#endif
}

void DesktopPlatform::messageBox(QWidget* over, const QString& title, const QString& text) {
    // Not a child of `over`: a disabled asking screen would disable the box too.
    const KeyboardReturn keyboardBack(over);
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
    box.setObjectName(QStringLiteral("messageBox"));
    if (over && over->isVisible()) {
        box.adjustSize();
        const QRect frame = over->frameGeometry();
        box.move(frame.center() - QPoint(box.width() / 2, box.height() / 2));
    }
    box.exec();
}

bool DesktopPlatform::printWindow(QWidget* window) {
    const print::PrintOutcome outcome = print::printWindowOnPrinter(window);
    if (!outcome.message.isEmpty()) messageBox(window, qs(messages::kPrintTitle), outcome.message);
    return outcome.printed;
}

void DesktopPlatform::endProgram(int exitCode) {
    // Hide every screen first so a modal loop that is still running cannot
    // keep a window up, then leave the event loop.
    for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
    QCoreApplication::exit(exitCode);
}

}  // namespace tarnwell::ui
