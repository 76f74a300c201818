// The Evaporation window: that it shows what the core works out, cell for
// cell and line for line, in every state the core can be in (a path, a
// liquid that cannot evaporate to the end, a solvent without a vapour
// pressure, one entered by hand, a missing and a damaged properties file),
// that it names the blend it shows, and that its buttons print, open its
// help page and close it. Then the window as the program opens it, from the
// report and from the calculator, over a damaged properties file.
#include "app/application.h"
#include "app/frm_solver_startup.h"
#include "core/evaporation.h"
#include "core/messages.h"
#include "evaporation/frm_evaporation.h"
#include "mixcalc/frm_calculate_params_from_mix.h"
#include "ui/events.h"
#include "workbench/frm_solvermain.h"
#include "../support/fake_platform.h"
#include "../support/navigator_double.h"
#include "../support/screen_test.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace tarnwell;
using namespace tarnwell::testing;

namespace {

QString shown(const std::string& text) { return QString::fromStdString(text).replace('\r', '\n'); }

std::string propertiesWith(const std::string& acetoneRow) {
    std::string text = samplePropertiesText();
    const std::string sampleRow = "2:   Acetone\t180\t56.1\t-17.8\tIB\tNNNN\n";
    text.replace(text.find(sampleRow), sampleRow.size(), acetoneRow);
    return text;
}

struct Window {
    Window(const EvaporationInput& in, const SolventPropertiesFile& properties,
           ui::EvaporationOf what = ui::EvaporationOf::ReportBlend)
        : result(computeEvaporation(in, properties)), window(result, what, platform, navigator) {}
    QLabel* label(const char* name) const { return find<QLabel>(&window, QLatin1String(name)); }
    QTableWidget* table() const { return find<QTableWidget>(&window, QStringLiteral("tblEvaporation")); }

    EvaporationResult result;
    FakePlatform platform;
    NavigatorDouble navigator;
    mutable FrmEvaporation window;
};

// Every cell and every line of the window against the result it was given.
void expectShowsTheResult(const Window& w) {
    const EvaporationResult& r = w.result;
    QTableWidget* table = w.table();
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount(), 5);
    ASSERT_EQ(table->columnCount(), static_cast<int>(r.count) + 5);
    const int first = static_cast<int>(r.count);
    for (const auto& [column, heading] : {std::pair{0, "N"}, {1, "D"}, {2, "W"}, {3, "TWA\n(ppm)"}, {4, "VHR"}})
        EXPECT_EQ(table->horizontalHeaderItem(first + column)->text(), heading);
    for (int row = 0; row < 5; ++row) {
        const EvaporationMark& mark = r.marks[static_cast<std::size_t>(row)];
        SCOPED_TRACE(mark.percent);
        EXPECT_EQ(table->verticalHeaderItem(row)->text(), QStringLiteral("%1 %").arg(mark.percent));
        if (mark.state != MarkState::Reached) {
            const char* why = mark.state == MarkState::NotReached ? messages::kMarkNotReached : messages::kMarkUnknown;
            ASSERT_NE(table->item(row, 0), nullptr);
            EXPECT_EQ(table->item(row, 0)->text(), why);
            EXPECT_EQ(table->columnSpan(row, 0), table->columnCount());
            continue;
        }
        for (std::size_t k = 0; k < r.count; ++k)
            EXPECT_EQ(table->item(row, static_cast<int>(k))->text(), shown(mark.volumeText[k]));
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(table->item(row, first + i)->text(), shown(mark.ndwText[static_cast<std::size_t>(i)]));
        EXPECT_EQ(table->item(row, first + 3)->text(), shown(mark.twaText));
        EXPECT_EQ(table->item(row, first + 4)->text(), shown(mark.vhrText));
    }
    EXPECT_EQ(w.label("lblLastSolvent")->text(), shown(r.lastSolventText));
    EXPECT_EQ(w.label("lblFlammability")->text(), shown(r.flammabilityText));
    EXPECT_EQ(w.label("lblPropertiesFile")->text(), shown(r.propertiesFileText));
    EXPECT_EQ(w.label("lblPropertiesFile")->isVisibleTo(&w.window), !r.propertiesFileText.empty());
    for (std::size_t k = 0; k < 3; ++k) {
        QLabel* flash = w.label(("lblFlashPoint" + std::to_string(k + 1)).c_str());
        EXPECT_EQ(flash->text(), shown(k < r.count ? r.solvents[k].flashPointText : std::string()));
        EXPECT_EQ(flash->isVisibleTo(&w.window), k < r.count && !r.solvents[k].flashPointText.empty());
    }
}

TEST(EvaporationWindow, ShowsWhatTheCoreWorksOutInEveryState) {
    const SolventPropertiesFile loaded = sampleProperties();
    struct Case {
        const char* what;
        EvaporationInput blend;
        SolventPropertiesFile properties;
        bool pathKnown;
        // The line that must say why, and a part of what it says.
        const char* line;
        std::string says;
    };
    EvaporationInput byHand = sampleEvaporationBlend();
    byHand.solvents[1].label = kUserEnteredLabel;
    byHand.solvents[1].enteredByHand = true;
    byHand.solvents[1].ndw = {50, 25, 25};
    EvaporationInput withZero = sampleEvaporationBlend();  // a third slot in the column, at 0
    withZero.solvents[2].startMoles = 0.0;
    const std::vector<Case> cases = {
        {"three solvents with their figures", sampleEvaporationBlend(), loaded, true, "lblFlammability",
         "Highly flammable: Acetone, flash point \u221217.8 \u00B0C"},
        {"two solvents", sampleEvaporationBlend(2), loaded, true, "lblLastSolvent", "Ethanol remains last."},
        {"a slot at 0 takes no part", withZero, loaded, true, "lblEvaporationOf",
         "Acetone .486 and Ethanol .514."},
        {"acetone does not evaporate", sampleEvaporationBlend(), parseSolventProperties(propertiesWith(
                                                          "2:   Acetone\t0\t56.1\t-17.8\tIB\tNNNN\n")),
         true, "lblLastSolvent", "Acetone does not evaporate and remains."},
        {"no vapour pressure for acetone", sampleEvaporationBlend(),
         parseSolventProperties(propertiesWith("2:   Acetone\tnone\t56.1\t-17.8\tIB\tNNNN\n")), false,
         "lblLastSolvent", messages::noVapourPressure("Acetone")},
        {"a solvent entered by hand", byHand, loaded, false, "lblLastSolvent",
         messages::noVapourPressure(messages::handEnteredSolvent(2, 50, 25, 25))},
        {"no properties file", sampleEvaporationBlend(), SolventPropertiesFile{}, false, "lblPropertiesFile",
         messages::propertiesFileMissing(kPropertiesFileName)},
        {"a damaged properties file", sampleEvaporationBlend(),
         parseSolventProperties(propertiesWith("2:   Acetone\tlots\t56.1\t-17.8\tIB\tNNNN\n")), false,
         "lblPropertiesFile", "Line 3: the vapour pressure \"lots\" is not a number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Window w(c.blend, c.properties);
        EXPECT_EQ(w.result.pathKnown, c.pathKnown);
        expectShowsTheResult(w);
        EXPECT_TRUE(w.label(c.line)->text().contains(shown(c.says))) << w.label(c.line)->text().toStdString();
        // Without a path the 0 % row still shows the blend as calculated.
        EXPECT_EQ(w.result.marks[0].state, MarkState::Reached);
    }
}

TEST(EvaporationWindow, NamesTheBlendItShowsAndItsButtonsPrintHelpAndClose) {
    const SolventPropertiesFile properties = sampleProperties();
    for (const auto& [what, start] :
         {std::pair{ui::EvaporationOf::ReportBlend, "The blend of the report, by volume: "},
          std::pair{ui::EvaporationOf::LastMixture, "The mixture calculated last, by volume: "}}) {
        Window w(sampleEvaporationBlend(), properties, what);
        const QString of = w.label("lblEvaporationOf")->text();
        EXPECT_TRUE(of.startsWith(QLatin1String(start))) << of.toStdString();
        // Each solvent by its name (no reference) and its share, as the 0 % row gives it.
        for (std::size_t k = 0; k < 3; ++k)
            EXPECT_TRUE(of.contains(QString::fromStdString(w.result.solvents[k].name + " " +
                                                           w.result.marks[0].volumeText[k])))
                << of.toStdString();
        EXPECT_EQ(w.window.objectName(), "frmEvaporation");
        EXPECT_EQ(w.window.windowTitle(), "Tarnwell - Evaporation");
        EXPECT_TRUE(w.window.isModal());

        w.window.show();
        click(find<QPushButton>(&w.window, QStringLiteral("cmdPrint")));
        EXPECT_EQ(w.platform.printedWindows, std::vector<QString>{"frmEvaporation"});
        click(find<QPushButton>(&w.window, QStringLiteral("cmdHelp")));
        ASSERT_EQ(w.navigator.modalHelp.size(), 1u);
        EXPECT_EQ(w.navigator.modalHelp[0].first, ui::HelpEntry::Evaporation);
        EXPECT_EQ(w.navigator.modalHelp[0].second, &w.window);
        EXPECT_TRUE(w.window.isVisible());
        click(find<QPushButton>(&w.window, QStringLiteral("cmdClose")));
        EXPECT_FALSE(w.window.isVisible());
    }
}

// The table never scrolls and no line is cut: every row and every column is
// inside the table's frame, and the window is at least as tall as it asks.
TEST(EvaporationWindow, ShowsTheWholeTableWithLongNames) {
    EvaporationInput in = sampleEvaporationBlend();
    in.solvents[0].label = "4:   White spirit (mineral spirits, 15\u201320 % aromatic)";
    Window w(in, sampleProperties());
    w.window.show();
    QTableWidget* table = w.table();
    const int lastRow = table->rowViewportPosition(4) + table->rowHeight(4);
    EXPECT_LE(lastRow, table->viewport()->height());
    const int lastColumn = table->columnViewportPosition(table->columnCount() - 1) +
                           table->columnWidth(table->columnCount() - 1);
    EXPECT_LE(lastColumn, table->viewport()->width());
    EXPECT_GE(w.window.height(), w.window.minimumSizeHint().height());
}

// The program's own windows, started over a folder whose properties file is
// damaged: nothing is said at start, and each window that needs the file says
// which line is wrong and why.
TEST(EvaporationWindow, OpensFromTheReportAndTheCalculatorAndSaysWhatIsWrongWithTheFile) {
    DatabaseFolder folder(databaseText(sampleSolvents()));
    folder.writeFile(QString::fromUtf8(kPropertiesFileName),
                     propertiesWith("2:   Acetone\t180\t56.1\t-17.8\tIC IB\tNNNN\n"));
    FakePlatform platform;
    Application app(platform);
    app.start();
    click(find<QPushButton>(app.startupScreen(), QStringLiteral("cmdContinue")));
    ASSERT_TRUE(platform.messages.empty());
    FrmSolvermain* main = app.mainScreen();
    ASSERT_NE(main, nullptr);

    const QString expected = QStringLiteral("Line 3: the flammability class \"IC IB\" is not one of");
    auto readWindow = [&](QWidget* evaporation) {
        EXPECT_EQ(evaporation->objectName(), "frmEvaporation");
        QLabel* file = find<QLabel>(evaporation, QStringLiteral("lblPropertiesFile"));
        EXPECT_TRUE(file->isVisible());
        EXPECT_TRUE(file->text().contains(expected)) << file->text().toStdString();
        EXPECT_EQ(find<QTableWidget>(evaporation, QStringLiteral("tblEvaporation"))->item(1, 0)->text(),
                  messages::kMarkUnknown);
        evaporation->close();
    };

    main->loadSolventIntoSlot(0, 2);  // n-Heptane
    main->loadSolventIntoSlot(1, 0);  // Acetone
    main->loadSolventIntoSlot(2, 1);  // Ethanol
    for (const auto& [letter, value] : {std::pair{'N', 60}, std::pair{'D', 20}, std::pair{'W', 20}})
        ui::selectRow(find<QListWidget>(main, QStringLiteral("lstTarget") + QLatin1Char(letter)), 100 - value);
    bool reached = false;
    EXPECT_TRUE(duringModal([&] { click(find<QPushButton>(main, QStringLiteral("cmdCalculate"))); },
                            [&](QWidget* report) {
                                EXPECT_EQ(report->objectName(), "frmResults");
                                EXPECT_TRUE(duringModal(
                                    [&] { click(find<QPushButton>(report, QStringLiteral("cmdEvaporation"))); },
                                    [&](QWidget* evaporation) {
                                        readWindow(evaporation);
                                        reached = true;
                                    }));
                                EXPECT_TRUE(report->isVisible());
                                report->close();
                            }));
    EXPECT_TRUE(reached);

    // The calculator: nothing calculated yet, so nothing to show but a word why.
    click(find<QPushButton>(main, QStringLiteral("CommandButton3")));
    FrmCalculateParamsfromMix* calculator = app.calculator();
    ASSERT_NE(calculator, nullptr);
    EXPECT_FALSE(duringModal([&] { click(find<QPushButton>(calculator, QStringLiteral("cmdEvaporation"))); },
                             [](QWidget* w) { w->close(); }));
    EXPECT_EQ(platform.lastTitle(), QString::fromUtf8(messages::kErrorTitle));
    EXPECT_EQ(platform.lastText(), QString::fromUtf8(messages::kEvaporationCalculateFirst));
}

}  // namespace
