// Pictures of the startup screen, the main screen, the custom solvent screen,
// the Teas chart, a solubility test with its zone and its blends, and blends
// as they evaporate (the Evaporation window, the path on the chart), for a
// person to look at (a README, a review of a change). Not a test: it checks
// nothing. scripts/make-help-pictures runs it when given a folder.
#include "app/application.h"
#include "app/frm_solver_startup.h"
#include "chart/frm_teas_chart.h"
#include "custom/frm_custom_params.h"
#include "core/solvent_properties.h"
#include "finder/frm_find_blends.h"
#include "mixcalc/frm_calculate_params_from_mix.h"
#include "soltest/trial_window.h"
#include "soltest/trial_liquids.h"
#include "ui/events.h"
#include "ui/fonts.h"
#include "workbench/frm_solvermain.h"
#include "../support/fake_platform.h"
#include "../support/screen_test.h"
#include "../support/chart_opener_double.h"

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QFile>
#include <QPushButton>
#include <QTextStream>

using namespace tarnwell;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::useDesignFonts();
    if (argc != 2) {
        QTextStream(stderr) << "usage: screen_pictures FOLDER\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QFile shipped(QStringLiteral(TARNWELL_SOURCE_DIR "/resources/tarnwell database 1.0.txt"));
    if (!shipped.open(QIODevice::ReadOnly)) return 1;
    const QByteArray database = shipped.readAll();
    int failures = 0;
    auto save = [&](QWidget* window, const char* name) {
        if (!window || !window->grab().save(out.filePath(QLatin1String(name)))) {
            QTextStream(stderr) << "could not make " << name << "\n";
            ++failures;
        }
    };

    tarnwell::testing::DatabaseFolder folder(database.toStdString());
    tarnwell::testing::copyShippedProperties(folder);
    tarnwell::testing::FakePlatform platform;
    Application tarnwell(platform);
    tarnwell.start();
    save(tarnwell.startupScreen(), "startup.png");
    if (tarnwell.startupScreen()) tarnwell.startupScreen()->findChild<QPushButton*>("cmdContinue")->click();
    save(tarnwell.mainScreen(), "main.png");

    CustomSolventResult entered;
    FrmCustomParams custom(entered, platform);
    custom.show();
    save(&custom, "custom-solvent.png");

    // The chart with a target, three solvents and a blend near the target.
    const SolventTable& table = tarnwell.state().table;
    tarnwell::testing::ChartOpenerDouble opener;
    ChartMarks marks;
    marks.target = ChartMark{55, 19, 26};
    marks.slotMarks[0] = ChartMark{47, 32, 21};
    marks.slotMarks[1] = ChartMark{36, 18, 46};
    marks.slotMarks[2] = ChartMark{100, 0, 0};
    marks.blend = ChartMark{55.2, 19.1, 25.7};
    opener.setMarks(marks);
    FrmTeasChart chart(platform, table, tarnwell.state().properties, opener);
    chart.resize(640, 620);
    chart.show();
    save(&chart, "chart.png");

    // A test of twelve liquids on an aged resin varnish, as the window shows
    // it, on the main Teas chart, and the finder's blends inside its zone.
    FrmSolvermain* main = tarnwell.mainScreen();
    tarnwell.showSolubilityTest(main);
    FrmSolubilityTest* test = tarnwell.solubilityTest();
    test->resize(1180, 700);
    test->findChild<QLineEdit*>("txtMaterial")->setText(QStringLiteral("Natural resin varnish, aged"));
    auto* solvents = test->findChild<QAbstractItemView*>("lstTestSolvent");
    auto* liquids = test->findChild<TestLiquidTable*>("tblTestLiquids");
    const std::pair<const char*, TestResult> tried[] = {
        {"2:   Acetone", TestResult::Dissolves},           {"2:   Ethanol", TestResult::Dissolves},
        {"2:   Isopropanol (2-propanol)", TestResult::Dissolves}, {"2:   Methyl ethyl ketone", TestResult::Dissolves},
        {"2:   Diacetone alcohol", TestResult::Dissolves},  {"2:   Ethyl acetate", TestResult::Partly},
        {"2:   Toluene", TestResult::Partly},               {"2:   n-Heptane", TestResult::NoEffect},
        {"2:   Cyclohexane", TestResult::NoEffect},         {"2:   Dichloromethane", TestResult::NoEffect},
        {"2:   Benzyl alcohol", TestResult::NotTried},      {"2:   Methanol", TestResult::Dissolves},
    };
    for (const auto& [label, result] : tried) {
        const auto at = std::find(table.labels.begin(), table.labels.end(), label);
        if (at == table.labels.end()) {
            QTextStream(stderr) << "no solvent " << label << "\n";
            ++failures;
            continue;
        }
        tarnwell::testing::doubleClickRow(solvents, static_cast<int>(at - table.labels.begin()));
        liquids->chooseResult(liquids->rowCount() - 1, result);
    }
    save(test, "solubility-test.png");
    tarnwell.showTeasChart(*main);
    if (FrmTeasChart* withZone = tarnwell.teasChart()) {
        withZone->resize(640, 620);
        save(withZone, "chart-zone.png");
    }
    test->findChild<QPushButton*>("cmdFindInZone")->click();
    if (FrmFindBlends* finder = tarnwell.finder(ui::FinderMode::Zone)) {
        QElapsedTimer waited;
        waited.start();
        while (finder->isSearching() && waited.elapsed() < 30000) QTest::qWait(10);
        save(finder, "zone-finder.png");
    }

    // A blend inside the zone whose remaining liquid leaves it: acetone,
    // ethanol and toluene for 44 / 24 / 32. Its report, its Evaporation
    // window, and the main chart with the path and the zone.
    auto rowOf = [&](const char* label) {
        const auto at = std::find(table.labels.begin(), table.labels.end(), label);
        if (at != table.labels.end()) return static_cast<int>(at - table.labels.begin());
        QTextStream(stderr) << "no solvent " << label << "\n";
        ++failures;
        return 0;
    };
    auto evaporationOf = [&](QWidget* screen, const char* name) {
        tarnwell::testing::duringModal(
            [&] { tarnwell::testing::click(screen->findChild<QPushButton*>("cmdEvaporation")); },
            [&](QWidget* evaporation) {
                save(evaporation, name);
                evaporation->close();
            });
    };
    const char* blend[] = {"2:   Acetone", "2:   Ethanol", "2:   Toluene"};
    for (int k = 0; k < 3; ++k) main->loadSolventIntoSlot(k, rowOf(blend[k]));
    for (const auto& [letter, value] : {std::pair{'N', 44}, std::pair{'D', 24}, std::pair{'W', 32}})
        ui::selectRow(main->findChild<QListWidget*>(QStringLiteral("lstTarget") + QLatin1Char(letter)), 100 - value);
    tarnwell::testing::duringModal([&] { tarnwell::testing::click(main->findChild<QPushButton*>("cmdCalculate")); },
                                   [&](QWidget* report) {
                                       save(report, "report-acetone-ethanol-toluene.png");
                                       evaporationOf(report, "evaporation-acetone-ethanol-toluene.png");
                                       report->close();
                                   });
    if (FrmTeasChart* withPath = tarnwell.teasChart()) {
        withPath->resize(900, 900);
        save(withPath, "chart-zone-path.png");
    }

    // Mixtures in the calculator: acetone with white spirit (the strong
    // solvent leaves first), then blends holding a slow solvent.
    tarnwell::testing::click(main->findChild<QPushButton*>("CommandButton3"));
    FrmCalculateParamsfromMix* calculator = tarnwell.calculator();
    auto mixture = [&](const std::vector<std::pair<const char*, const char*>>& parts, const char* name) {
        auto* two = calculator->findChild<QCheckBox*>("chkUse2Solvents");
        if (two->isChecked() != (parts.size() == 2)) tarnwell::testing::click(two);
        for (std::size_t k = 0; k < parts.size(); ++k) {
            calculator->loadSolventIntoSlot(static_cast<int>(k), rowOf(parts[k].first));
            auto* field = calculator->findChild<QLineEdit*>(QStringLiteral("txtInputCon%1").arg(k + 1));
            field->setText(QLatin1String(parts[k].second));
            field->setModified(true);
            emit field->editingFinished();
        }
        tarnwell::testing::duringModal(
            [&] { tarnwell::testing::click(calculator->findChild<QPushButton*>("cmdCalculate")); },
            [&](QWidget* question) { tarnwell::testing::click(question->findChild<QPushButton*>("cmdNoPrint")); });
        evaporationOf(calculator, name);
    };
    if (calculator) {
        mixture({{"2:   Acetone", "0.50"}, {"4:   White spirit (mineral spirits, 15–20 % aromatic)", "0.50"}},
                "evaporation-acetone-white-spirit.png");
        mixture({{"2:   Ethanol", "0.40"}, {"2:   Diacetone alcohol", "0.20"},
                 {"4:   White spirit (mineral spirits, 15–20 % aromatic)", "0.40"}},
                "evaporation-diacetone-alcohol.png");
        mixture({{"2:   Acetone", "0.60"}, {"2:   Benzyl alcohol", "0.10"}, {"2:   Ethanol", "0.30"}},
                "evaporation-benzyl-alcohol.png");
        tarnwell::testing::duringModal([&] { tarnwell.showHelpModal(ui::HelpEntry::Evaporation, calculator); },
                                       [&](QWidget* page) {
                                           save(page, "help-evaporation.png");
                                           page->hide();
                                       });
        tarnwell.showTeasChart(*calculator);
        if (FrmTeasChart* mixChart = tarnwell.teasChart()) {
            mixChart->resize(640, 660);
            save(mixChart, "chart-mixture-path.png");
        }
    }
    return failures == 0 ? 0 : 1;
}
