// The pictures on the help pages are this program's own screens in the state
// of the worked examples. This test drives the real screens offscreen with the
// shipped database, grabs them, and compares them with the committed pictures
// in resources/help, allowing the noise of rendering but no change of what a
// picture shows (picture_compare.h); scripts/make-help-pictures runs it with
// TARNWELL_HELP_PICTURES set to a folder, which writes the pictures there.
#include "app/application.h"
#include "help/help_text.h"
#include "mixcalc/frm_calculate_params_from_mix.h"
#include "ui/platform.h"
#include "workbench/frm_solvermain.h"
#include "../support/screen_test.h"
#include "picture_compare.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <map>

using namespace tarnwell;
using tarnwell::testing::find;

namespace {

std::string shippedDatabase() {
    QFile file(QStringLiteral(TARNWELL_SOURCE_DIR "/resources/tarnwell database 1.0.txt"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
}

int rowOf(QAbstractItemView* list, const QString& label) {
    for (int r = 0; r < list->model()->rowCount(); ++r)
        if (list->model()->index(r, 0).data().toString() == label) return r;
    ADD_FAILURE() << "no row " << label.toStdString();
    return 0;
}

void pick(QWidget* screen, const char* list, const QString& label) {
    auto* view = find<QAbstractItemView>(screen, list);
    ASSERT_NE(view, nullptr) << list;
    tarnwell::testing::doubleClickRow(view, rowOf(view, label));
}

void pickTarget(QWidget* screen, const char* list, int value) {
    auto* view = find<QAbstractItemView>(screen, list);
    ASSERT_NE(view, nullptr) << list;
    tarnwell::testing::clickRow(view, 100 - value);  // rows run from 100 down to 0
}

// Every picture, made from the real screens in the examples' states.
std::map<QString, QImage> makePictures() {
    std::map<QString, QImage> pictures;
    tarnwell::testing::DatabaseFolder folder(shippedDatabase());
    ui::DesktopPlatform platform;
    Application app(platform);
    app.showMainScreen();
    QWidget* main = app.mainScreen();
    if (!main) return pictures;
    main->activateWindow();

    pick(main, "lstSolvent1", "2:   Tetrahydrofuran");
    pictures["main-target-solvent.png"] = main->grab().toImage();
    QTest::mouseClick(find<QPushButton>(main, "cmdEnterasTarget"), Qt::LeftButton);
    pictures["main-target-box.png"] = find<QWidget>(main, "Frame1")->grab().toImage();

    pick(main, "lstSolvent1", "2:   Acetone");
    pick(main, "lstSolvent2", "2:   Ethanol");
    pick(main, "lstSolvent3", "2:   n-Heptane");
    pictures["main-three-solvents.png"] = main->grab().toImage();

    tarnwell::testing::whenModalAppears([&](QWidget* report) {
        report->activateWindow();
        const QImage image = report->grab().toImage();
        pictures["results-example.png"] = image;
        // The comparison of mixture and target below the bar of the report.
        const int top = image.height() * 250 / 408;
        pictures["results-hazards.png"] = image.copy(0, top, image.width(), image.height() - top);
    });
    QTest::mouseClick(find<QPushButton>(main, "cmdCalculate"), Qt::LeftButton);

    // Two solvents only: no blend of acetone and ethanol matches tetrahydrofuran.
    QTest::mouseClick(find<QCheckBox>(main, "CheckBox1"), Qt::LeftButton);
    tarnwell::testing::whenModalAppears([&](QWidget* box) { pictures["message-no-solution.png"] = box->grab().toImage(); });
    QTest::mouseClick(find<QPushButton>(main, "cmdCalculate"), Qt::LeftButton);

    // A target set by hand.
    pickTarget(main, "lstTargetN", 60);
    pickTarget(main, "lstTargetD", 25);
    pickTarget(main, "lstTargetW", 15);
    pictures["main-target-by-hand.png"] = find<QWidget>(main, "Frame1")->grab().toImage();

    // The calculator with 50 % acetone, 30 % ethanol and 20 % heptane, reached
    // by the main screen's own button.
    QTest::mouseClick(find<QPushButton>(main, "CommandButton3"), Qt::LeftButton);
    QWidget* calculator = app.calculator();
    if (!calculator || !calculator->isVisible()) {
        ADD_FAILURE() << "the calculator did not open";
        return pictures;
    }
    calculator->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(calculator));
    pick(calculator, "lstSolvent1", "2:   Acetone");
    pick(calculator, "lstSolvent2", "2:   Ethanol");
    pick(calculator, "lstSolvent3", "2:   n-Heptane");
    const char* concentrations[] = {"0.5", "0.3", "0.2"};
    for (int k = 0; k < 3; ++k) {
        auto* field = find<QLineEdit>(calculator, QStringLiteral("txtInputCon%1").arg(k + 1));
        if (!field) {
            ADD_FAILURE() << "no concentration field " << k + 1;
            return pictures;
        }
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClicks(field, QLatin1String(concentrations[k]));
        QTest::keyClick(field, Qt::Key_Tab);  // leaving the field takes the value in
    }
    pictures["calculator-entry.png"] = calculator->grab().toImage();

    // The result box shows only while the print question is up.
    bool asked = false;
    tarnwell::testing::whenModalAppears([&](QWidget* question) {
        asked = true;
        EXPECT_TRUE(find<QWidget>(calculator, "frameResults2")->isVisible());
        pictures["calculator-result.png"] = calculator->grab().toImage();
        tarnwell::testing::click(find<QPushButton>(question, "cmdNoPrint"));
    });
    QTest::mouseClick(find<QPushButton>(calculator, "cmdCalculate"), Qt::LeftButton);
    EXPECT_TRUE(asked) << "Calculate asked no print question";
    return pictures;
}

QStringList picturesOfAllPages() {
    QStringList names;
    for (const char* page : {"frmHelp1", "frmHelp1A", "frmHelp2", "frmHelp2added", "frmHelp2addedMore", "frmHelp4",
                             "frmHelp4a", "frmHelp5", "frmHelp5a", "frmHelp6", "frmHelpConcentration",
                             "frmHelpConcentration2", "frmReferences1", "frmReferences2"})
        names << help::picturesNamed(help::pageSource(page));
    return names;
}

// The pictures and the users' screens are drawn in the design faces; a
// stand-in face of the desktop's choosing would change the size of every text.
TEST(HelpPictures, TheDesignFacesAreThere) {
    EXPECT_EQ(QFontInfo(QApplication::font()).family(), QStringLiteral("Tahoma"))
        << "no Tahoma-metric face (Debian: fonts-wine) or no default font set";
    EXPECT_DOUBLE_EQ(QApplication::font().pointSizeF(), 8.25);
    const QString arial = QFontInfo(QFont(QStringLiteral("Arial"))).family();
    EXPECT_TRUE(arial == QStringLiteral("Arial") || arial == QStringLiteral("Liberation Sans"))
        << arial.toStdString() << " stands in for Arial (Debian: fonts-liberation)";
}

TEST(HelpPictures, TheCommittedPicturesAreTheScreensAsTheyAreNow) {
    const std::map<QString, QImage> made = makePictures();
    ASSERT_FALSE(made.empty());
    const QString out = qEnvironmentVariable("TARNWELL_HELP_PICTURES");
    for (const auto& [name, image] : made) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_FALSE(image.isNull());
        if (!out.isEmpty()) {
            EXPECT_TRUE(image.save(QDir(out).filePath(name), "PNG"));
            continue;
        }
        const QImage committed(QStringLiteral(TARNWELL_SOURCE_DIR "/resources/help/") + name);
        ASSERT_FALSE(committed.isNull()) << "missing; run scripts/make-help-pictures";
        const tarnwell::testing::PictureDifference difference = tarnwell::testing::comparePictures(committed, image);
        EXPECT_TRUE(tarnwell::testing::showsTheSameScreen(difference))
            << "the screen changed (" << tarnwell::testing::describe(difference).toStdString()
            << "); run scripts/make-help-pictures and look at the result";
    }
    // Every picture a page names is made here.
    for (const QString& name : picturesOfAllPages()) EXPECT_TRUE(made.count(name)) << name.toStdString();
}

}  // namespace
