// Placed beside the unpacked program by the package test (and installed
// nowhere): from a folder without a database it starts the real application,
// accepts the terms with the startup screen's own button and reports whether
// the main screen came up with the solvents of the installed database.
// Given a folder, it also leaves there a picture of each of the two screens.
#include "app/application.h"
#include "app/frm_solver_startup.h"
#include "data/database_loading.h"
#include "workbench/frm_solvermain.h"
#include "ui/fonts.h"
#include "ui/platform.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QImage>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

namespace {

// Messages go to stderr instead of a modal box, so nothing waits for a click.
class ReportingPlatform final : public tarnwell::ui::Platform {
public:
    void messageBox(QWidget*, const QString& title, const QString& text) override {
        std::fprintf(stderr, "message: %s: %s\n", qPrintable(title), qPrintable(text));
        ++messages;
    }
    QString chooseFile(QWidget*, const tarnwell::ui::FileChoice&) override { return {}; }
    bool printWindow(QWidget*) override { return false; }
    void endProgram(int exitCode) override {
        ended = true;
        std::fprintf(stderr, "the program ended itself with %d\n", exitCode);
    }
    int messages = 0;
    bool ended = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tarnwell::ui::useDesignFonts();  // as the program's own start does
    std::printf("current folder: %s\n", qPrintable(QDir::currentPath()));
    std::printf("database: %s\n", tarnwell::findDatabaseFile().c_str());

    ReportingPlatform platform;
    tarnwell::Application tarnwell(platform);
    tarnwell.start();
    auto* accept = tarnwell.startupScreen()->findChild<QPushButton*>(QStringLiteral("cmdContinue"));
    if (!accept) {
        std::fprintf(stderr, "no acceptance button on the startup screen\n");
        return 1;
    }
    accept->click();
    // Let the screens settle; a local loop, since quitting the application
    // would send every window a close request (which ends the program).
    QEventLoop settle;
    QTimer::singleShot(200, &settle, &QEventLoop::quit);
    settle.exec();

    tarnwell::FrmSolvermain* main = tarnwell.mainScreen();
    if (platform.ended || platform.messages > 0 || !main || !main->isVisible()) {
        std::fprintf(stderr, "the main screen did not come up\n");
        return 1;
    }
    auto* list = main->findChild<QAbstractItemView*>(QStringLiteral("lstSolvent1"));
    const int rows = list && list->model() ? list->model()->rowCount() : 0;
    const auto expected = tarnwell.state().table.labels.size();
    std::printf("main screen up; lstSolvent1 shows %d solvents\n", rows);
    // The screens are laid out in points: on a scaled display they keep their
    // size in points and are drawn with that many more pixels.
    for (QWidget* screen : {static_cast<QWidget*>(tarnwell.startupScreen()), static_cast<QWidget*>(main)}) {
        const QImage picture = screen->grab().toImage();
        std::printf("%s: %d x %d, drawn at %d x %d pixels\n", qPrintable(screen->objectName()), screen->width(),
                    screen->height(), picture.width(), picture.height());
        if (argc == 2) picture.save(QStringLiteral("%1/%2.png").arg(QString::fromLocal8Bit(argv[1]), screen->objectName()));
    }
    return rows > 1 && std::size_t(rows) == expected ? 0 : 1;
}
