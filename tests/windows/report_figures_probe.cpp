// The reference for the Windows print check: run by the Wine end-to-end test
// on the Linux build, in the folder of the shipped database, it makes the
// help's tetrahydrofuran blend (acetone, n-heptane, ethanol) on the real
// screens, with the same keys the Wine test sends, and prints every figure
// of the solution report as the Linux program shows it, one "name text" a line.
#include "app/application.h"
#include "app/frm_solver_startup.h"
#include "fake_platform.h"
#include "ui/events.h"
#include "workbench/frm_solvermain.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>

namespace {

using namespace tarnwell;

// The row of `list` whose solvent name is `name`.
int rowOf(QAbstractItemView* list, const QString& name) {
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        const QString label = list->model()->index(row, 0).data().toString();
        if (label.mid(label.indexOf(QLatin1Char(':')) + 1).trimmed() == name) return row;
    }
    return -1;
}

bool choose(QWidget* main, int k, const QString& name) {
    auto* list = main->findChild<QListView*>(QStringLiteral("lstSolvent%1").arg(k));
    const int row = list ? rowOf(list, name) : -1;
    if (row < 0) {
        std::fprintf(stderr, "no %s in list %d\n", qPrintable(name), k);
        return false;
    }
    list->setFocus();
    ui::selectRow(list, row);
    QTest::keyClick(list, Qt::Key_Return);  // Return on a row is its double-click
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);
    testing::FakePlatform platform;
    Application app(platform);
    app.start();
    app.startupScreen()->findChild<QPushButton*>(QStringLiteral("cmdContinue"))->click();
    QWidget* main = app.mainScreen();
    if (!main || !platform.messages.empty()) {
        std::fprintf(stderr, "the main screen did not open: %s\n", qPrintable(platform.lastText()));
        return 1;
    }
    if (!choose(main, 1, QStringLiteral("Tetrahydrofuran"))) return 1;
    main->findChild<QPushButton*>(QStringLiteral("cmdEnterasTarget"))->click();
    if (!choose(main, 1, QStringLiteral("Acetone")) || !choose(main, 2, QStringLiteral("n-Heptane")) ||
        !choose(main, 3, QStringLiteral("Ethanol")))
        return 1;
    int figures = 0;
    QTimer::singleShot(0, [&figures] {
        QWidget* report = QApplication::activeModalWidget();
        if (!report) return;
        for (QLabel* label : report->findChildren<QLabel*>()) {
            if (!label->objectName().startsWith(QStringLiteral("lbl")) || !label->isVisible()) continue;
            std::printf("%s %s\n", qPrintable(label->objectName()), qPrintable(label->text().simplified()));
            ++figures;
        }
        report->close();
    });
    main->findChild<QPushButton*>(QStringLiteral("cmdCalculate"))->click();
    if (figures == 0) {
        std::fprintf(stderr, "no solution report: %s\n", qPrintable(platform.lastText()));
        return 1;
    }
    return 0;
}
