// Start, the terms, the main screen's first opening and the ways out, through
// the Application with a recording platform.
#include "app/application.h"
#include "app/frm_solver_startup.h"
#include "../support/fake_platform.h"
#include "../support/screen_test.h"
#include "../support/chart_opener_double.h"
#include "chart/frm_teas_chart.h"
#include "mixcalc/frm_calculate_params_from_mix.h"
#include "workbench/frm_solvermain.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace tarnwell;
using namespace tarnwell::testing;

namespace {

struct Started {
    explicit Started(const std::string& database) : folder(database), app(platform) { app.start(); }
    QWidget* startup() { return app.startupScreen(); }
    void accept() { click(find<QPushButton>(startup(), "cmdContinue")); }
    DatabaseFolder folder;
    FakePlatform platform;
    Application app;
};

TEST(Startup, ShowsTheTermsWithTheAcceptanceButtonFocused) {
    Started s(databaseText(sampleSolvents()));
    QWidget* w = s.startup();
    ASSERT_TRUE(w->isVisible());
    EXPECT_EQ(w->objectName(), "frmSolverStartup");
    EXPECT_EQ(w->windowTitle(), "Tarnwell");
    auto* cont = find<QPushButton>(w, "cmdContinue");
    ASSERT_NE(cont, nullptr);
    EXPECT_EQ(cont->text(), "         By clicking on this box          I accept these terms of use");
    EXPECT_TRUE(cont->hasFocus() || QApplication::focusWidget() == nullptr || w->focusWidget() == cont);
    EXPECT_EQ(find<QLabel>(w, "lblTitle")->text(), "Tarnwell:");
    EXPECT_EQ(find<QLabel>(w, "Label1")->text(),
              "A Calculator for Working with Teas Fractional Solubility Parameters");
    const QString terms = find<QPlainTextEdit>(w, "Text2")->toPlainText();
    EXPECT_TRUE(terms.startsWith("TERMS OF USE:"));
    const int capitals = terms.indexOf("USERS SHOULD CONSULT");
    ASSERT_GT(capitals, 0);
    EXPECT_EQ(terms.mid(capitals), terms.mid(capitals).toUpper());
    EXPECT_TRUE(find<QPlainTextEdit>(w, "Text1")->isReadOnly());
    EXPECT_EQ(find<QPushButton>(w, "cmdPrint")->text(), "Print");
    EXPECT_EQ(find<QPushButton>(w, "cmdExit")->text(), "Exit");
    EXPECT_EQ(s.app.mainScreen(), nullptr);  // nothing else exists yet
}

TEST(Startup, ContinueOpensTheMainScreenWithEverySolvent) {
    Started s(databaseText(sampleSolvents()));
    s.accept();
    EXPECT_FALSE(s.startup()->isVisible());
    FrmSolvermain* main = s.app.mainScreen();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(main->windowTitle(), "Tarnwell - Main Form");
    EXPECT_TRUE(s.platform.messages.empty());
    for (const char* name : {"lstSolvent1", "lstSolvent2", "lstSolvent3"}) {
        auto* list = find<QListView>(main, name);
        ASSERT_NE(list, nullptr) << name;
        ASSERT_EQ(list->model()->rowCount(), 7) << name;
        EXPECT_EQ(list->model()->index(0, 0).data().toString(), "2:   Acetone");
        EXPECT_EQ(list->model()->index(6, 0).data().toString(), "0:   Enter N, D, W.");
        EXPECT_FALSE(list->selectionModel()->hasSelection()) << name;
    }
    // One model for every list, so a large database is held once.
    EXPECT_EQ(find<QListView>(main, "lstSolvent1")->model(), find<QListView>(main, "lstSolvent3")->model());
    for (const char* name : {"lstTargetN", "lstTargetD", "lstTargetW"}) {
        auto* list = find<QListWidget>(main, name);
        ASSERT_EQ(list->count(), 101);
        EXPECT_EQ(list->item(0)->text(), "100");
        EXPECT_EQ(list->item(100)->text(), "0");
        ASSERT_EQ(list->selectedItems().size(), 1);
        EXPECT_EQ(list->selectedItems().first()->text(), "50");
    }
    auto* total = find<QLabel>(main, "lblTotal");
    EXPECT_EQ(total->text(), "150");
    EXPECT_EQ(total->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    for (const char* name : {"txtTargetTLV", "txtTargetVHR", "txtTargetName", "txtEffectsTarget"}) {
        auto* f = find<QLineEdit>(main, name);
        EXPECT_TRUE(f->text().isEmpty()) << name;
        EXPECT_TRUE(f->isReadOnly()) << name;
    }
    EXPECT_EQ(s.app.state().target.n, 50);
    EXPECT_EQ(s.app.state().target.reference, 0);
}

TEST(Startup, SlotFieldsTakeNoTabStop) {
    Started s(databaseText(sampleSolvents()));
    s.accept();
    FrmSolvermain* main = s.app.mainScreen();
    for (int k = 1; k <= 3; ++k)
        for (const QString& name : {QString("txtSolvent%1_N").arg(k), QString("txtSolvent%1_D").arg(k),
                                    QString("txtSolvent%1_W").arg(k), QString("txtTLV_%1").arg(k),
                                    QString("txtVHR_%1").arg(k), QString("txtEffects%1").arg(k)}) {
            auto* f = find<QLineEdit>(main, name);
            ASSERT_NE(f, nullptr) << name.toStdString();
            EXPECT_FALSE(f->focusPolicy() & Qt::TabFocus) << name.toStdString();
            EXPECT_TRUE(f->isReadOnly()) << name.toStdString();
        }
}

TEST(Startup, AOneRecordDatabaseShowsOnlyTheCustomEntryRow) {
    Started s(databaseText({}));
    s.accept();
    auto* list = find<QListView>(s.app.mainScreen(), "lstSolvent2");
    ASSERT_EQ(list->model()->rowCount(), 1);
    EXPECT_EQ(list->model()->index(0, 0).data().toString(), "0:   Enter N, D, W.");
}

// The properties file is read beside the database and never spoken of at
// start: missing or damaged, the main screen opens as before.
TEST(Startup, ThePropertiesFileBesideTheDatabaseIsReadWithoutAWordAtStart) {
    const std::string header = "# sources\nlabel\tvp_20c_mmhg\tboiling_point_c\tflash_point_c\tflammability_class\tsource\n";
    struct Case {
        const char* what;
        std::optional<std::string> file;  // nothing: no file
        PropertiesFileStatus status;
        std::optional<double> acetoneVapourPressure;
    } cases[] = {
        {"missing", std::nullopt, PropertiesFileStatus::Missing, std::nullopt},
        {"loaded", header + "2:   Acetone\t180\t56.1\t-17.8\tIB\tNNNN\n", PropertiesFileStatus::Loaded, 180.0},
        {"damaged", header + "2:   Acetone\tlots\t56.1\t-17.8\tIB\tNNNN\n", PropertiesFileStatus::Damaged,
         std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Started s(databaseText(sampleSolvents()));
        if (c.file) {
            QFile out(QDir(s.folder.path()).filePath(QString::fromUtf8(kPropertiesFileName)));
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(c.file->data(), static_cast<qint64>(c.file->size()));
        }
        s.accept();
        ASSERT_NE(s.app.mainScreen(), nullptr);
        EXPECT_TRUE(s.platform.messages.empty());
        const SolventPropertiesFile& read = s.app.state().properties;
        EXPECT_EQ(read.status, c.status);
        const SolventProperties* acetone = read.find("2:   Acetone");
        EXPECT_EQ(acetone ? acetone->vapourPressure : std::nullopt, c.acetoneVapourPressure);
        if (c.status == PropertiesFileStatus::Damaged) {
            EXPECT_EQ(read.error.line, 3);
        }
    }
}

TEST(Startup, AMissingDatabaseShowsMessage53AndEndsWithoutAMainScreen) {
    Started s("");
    s.accept();
    ASSERT_EQ(s.platform.messages.size(), 1u);
    EXPECT_EQ(s.platform.lastTitle(), "Tarnwell Error");
    EXPECT_EQ(s.platform.lastText(),
              "Visual Basic Error Number 53\r\rError opening database file: tarnwell database 1.0.txt\r\r"
              "Please make sure that this file is in the same \rdirectory as the Tarnwell program and that\r"
              "the file has not been changed.");
    EXPECT_EQ(s.platform.endCalls, std::vector<int>{1});
    EXPECT_EQ(s.app.mainScreen(), nullptr);
}

TEST(Startup, ADamagedDatabaseShowsItsNumber) {
    std::string text = databaseText(sampleSolvents());
    text.resize(text.size() - 40);  // cut inside the last record
    Started s(text);
    s.accept();
    ASSERT_EQ(s.platform.messages.size(), 1u);
    EXPECT_TRUE(s.platform.lastText().startsWith("Visual Basic Error Number 62\r"));
    EXPECT_EQ(s.platform.endCalls, std::vector<int>{1});
}

TEST(Startup, ClosingOrExitEndsTheProgramWithoutReadingTheDatabase) {
    for (const char* way : {"close", "cmdExit"}) {
        Started s("");  // no database: reading it would show a message
        if (std::string(way) == "close") s.startup()->close();
        else click(find<QPushButton>(s.startup(), "cmdExit"));
        EXPECT_EQ(s.platform.endCalls, std::vector<int>{0}) << way;
        EXPECT_TRUE(s.platform.messages.empty()) << way;
        EXPECT_EQ(s.app.mainScreen(), nullptr) << way;
    }
}

TEST(Startup, PrintGoesThroughThePrintServiceAndLeavesTheScreenAsItWas) {
    Started s(databaseText(sampleSolvents()));
    click(find<QPushButton>(s.startup(), "cmdPrint"));
    EXPECT_EQ(s.platform.printedWindows, std::vector<QString>{"frmSolverStartup"});
    EXPECT_TRUE(s.startup()->isVisible());
    EXPECT_EQ(s.app.mainScreen(), nullptr);
    EXPECT_TRUE(s.platform.endCalls.empty());
}

TEST(Startup, ClosingTheMainScreenEndsTheProgram) {
    Started s(databaseText(sampleSolvents()));
    s.accept();
    s.app.mainScreen()->close();
    EXPECT_EQ(s.platform.endCalls, std::vector<int>{0});
}

TEST(Startup, TypingJumpsToTheNextSolventStartingWithThatLetter) {
    Started s(databaseText(sampleSolvents()));
    s.accept();
    auto* list = find<QListView>(s.app.mainScreen(), "lstSolvent1");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_T);
    EXPECT_EQ(list->selectionModel()->selectedRows().value(0).row(), 3);  // Tetrahydrofuran
    QTest::keyClick(list, Qt::Key_T);
    EXPECT_EQ(list->selectionModel()->selectedRows().value(0).row(), 4);  // Toluene
    QTest::keyClick(list, Qt::Key_T);
    EXPECT_EQ(list->selectionModel()->selectedRows().value(0).row(), 3);  // wraps round
}

}  // namespace

namespace {

ChartMarks marksOf(Started& s) { return s.app.teasChart()->chart()->marks(); }

TEST(TeasChartFromTheMainScreen, FollowsTheTargetAndLoadsASlotThroughTheDoubleClickHandler) {
    Started s(databaseText(sampleSolvents()));
    s.accept();
    FrmSolvermain* main = s.app.mainScreen();
    click(find<QPushButton>(main, "cmdTeasChart"));
    FrmTeasChart* chart = s.app.teasChart();
    ASSERT_NE(chart, nullptr);
    EXPECT_TRUE(chart->isVisible());
    EXPECT_FALSE(marksOf(s).target);  // 150 is no target yet

    // Every change shows at once: the main screen tells the chart.
    clickRow(find<QListWidget>(main, "lstTargetN"), 50);  // keeps 50
    clickRow(find<QListWidget>(main, "lstTargetD"), 80);  // 20
    EXPECT_FALSE(marksOf(s).target);                      // 120
    clickRow(find<QListWidget>(main, "lstTargetW"), 70);  // 30
    EXPECT_EQ(marksOf(s).target, (ChartMark{50, 20, 30}));

    // Toluene (row 4) picked on the chart into slot 2 fills slot 2 as a double-click would.
    chart->chart()->selectRow(4);
    QTest::keyClick(chart->chart(), Qt::Key_2);
    auto* list = find<QListView>(main, "lstSolvent2");
    EXPECT_EQ(list->selectionModel()->selectedRows().value(0).row(), 4);
    EXPECT_EQ(find<QLineEdit>(main, "txtSolvent2_N")->text(), " 80");
    EXPECT_EQ(find<QLineEdit>(main, "txtTLV_2")->text(), "100");
    EXPECT_EQ(s.app.state().solventSlots[1].label, "2:   Toluene");
    EXPECT_EQ(marksOf(s).slotMarks[1], (ChartMark{80, 7, 13}));
    // A single click empties the slot on screen, and its mark goes with it.
    clickRow(list, 0);
    EXPECT_FALSE(marksOf(s).slotMarks[1]);
    // With only two solvents, slot 3 takes nothing from the chart.
    click(find<QCheckBox>(main, "CheckBox1"));
    chart->chart()->selectRow(0);
    QTest::keyClick(chart->chart(), Qt::Key_3);
    EXPECT_FALSE(find<QListView>(main, "lstSolvent3")->selectionModel()->hasSelection());
    EXPECT_FALSE(marksOf(s).slotMarks[2]);

    chart->close();  // the close box discards it
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(s.app.teasChart(), nullptr);
}

TEST(TeasChartFromTheCalculator, TakesOverFromTheMainScreensChartAndMarksTheMixture) {
    Started s(databaseText(sampleSolvents()));
    s.accept();
    click(find<QPushButton>(s.app.mainScreen(), "cmdTeasChart"));
    const QPointer<FrmTeasChart> mainChart = s.app.teasChart();
    ASSERT_NE(mainChart, nullptr);
    mainChart->chart()->selectRow(0);
    QTest::keyClick(mainChart->chart(), Qt::Key_1);  // acetone into the main screen's slot 1
    ASSERT_TRUE(marksOf(s).slotMarks[0]);

    click(find<QPushButton>(s.app.mainScreen(), "CommandButton3"));
    FrmCalculateParamsfromMix* calculator = s.app.calculator();
    ASSERT_NE(calculator, nullptr);
    calculator->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(calculator));
    click(find<QPushButton>(calculator, "cmdTeasChart"));
    // One chart at a time: the main screen's is gone, a visible one follows the calculator.
    EXPECT_EQ(mainChart, nullptr);
    FrmTeasChart* chart = s.app.teasChart();
    ASSERT_NE(chart, nullptr);
    EXPECT_TRUE(chart->isVisible());
    EXPECT_EQ(marksOf(s), ChartMarks{});

    // Ethanol and n-heptane by double-clicks, half and half, two solvents only.
    click(find<QCheckBox>(calculator, "chkUse2Solvents"));
    doubleClickRow(find<QListView>(calculator, "lstSolvent1"), 1);
    doubleClickRow(find<QListView>(calculator, "lstSolvent2"), 2);
    EXPECT_EQ(marksOf(s).slotMarks[0], (ChartMark{36, 18, 46}));
    EXPECT_EQ(marksOf(s).slotMarks[1], (ChartMark{100, 0, 0}));
    for (const char* name : {"txtInputCon1", "txtInputCon2"}) {
        auto* field = find<QLineEdit>(calculator, name);
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClicks(field, "0.5");
        QTest::keyClick(field, Qt::Key_Tab);  // leaving the field takes the value in
    }
    QStringList shown;
    whenModalAppears([&](QWidget* question) {
        for (const char* name : {"txtNinframe2", "txtDinframe2", "txtWinframe2"})
            shown << find<QLineEdit>(calculator, name)->text();
        click(find<QPushButton>(question, "cmdNoPrint"));
    });
    click(find<QPushButton>(calculator, "cmdCalculate"));
    ASSERT_EQ(shown.size(), 3) << "no print question: " << s.platform.lastText().toStdString();
    ASSERT_TRUE(marksOf(s).blend);
    const ChartMark mixture = *marksOf(s).blend;
    EXPECT_EQ((QStringList{QString::number(mixture.n), QString::number(mixture.d), QString::number(mixture.w)}), shown);
    EXPECT_EQ(mixture.n + mixture.d + mixture.w, 100);
}

}  // namespace
