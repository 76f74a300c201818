#pragma once
// A main screen without the application around it: its own state, a
// recording platform, a navigator double and the real custom solvent service,
// shown and active so that real clicks, typing and focus changes reach it.

// core/state.h first: Qt's `slots` keyword macro would hide AppState's member.
#include "ui/solvent_labels.h"
#include "core/database.h"
#include "core/state.h"

#include "../support/fake_platform.h"
#include "../support/screen_test.h"
#include "custom/custom_solvent.h"
#include "ui/navigator.h"
#include "workbench/frm_solvermain.h"
#include "workbench/solvent_slots.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <variant>

namespace tarnwell::testing {

class RecordingNavigator final : public ui::Navigator {
public:
    void showMainScreen() override { ++mainScreenCalls; }
    void showCalculator() override { ++calculatorCalls; }
    void showHelp(ui::HelpEntry, QWidget*) override { ++helpCalls; }
    void showNoteOnMixturesModal(QWidget*) override { ++noteCalls; }
    int mainScreenCalls = 0, calculatorCalls = 0, helpCalls = 0, noteCalls = 0;
};

// Rows of the test table (the custom-entry row comes last).
enum Row : int {
    kAcetone = 0, kEthanol, kHeptane, kTetrahydrofuran, kToluene, kWater,
    kSum99,       // N + D + W = 99
    kOutOfRange,  // N 120, D -10, W -10: a number the target lists cannot show
    kCustomRow
};

inline std::vector<TestSolvent> workbenchSolvents() {
    std::vector<TestSolvent> solvents = sampleSolvents();
    solvents.push_back({"Mineral spirits blend", "4", "40", "30", "29", "300", "120", "90.5", "85.2", "1200",
                        "Eyes, central nervous system"});
    solvents.push_back({"Odd reading", "5", "120", "-10", "-10", "50", "7", "80", "70", "200", "Skin"});
    return solvents;
}

class MainScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        LoadResult loaded = parseSolventDatabase(databaseText(workbenchSolvents()));
        ASSERT_TRUE(std::holds_alternative<SolventTable>(loaded));
        state.table = std::get<SolventTable>(std::move(loaded));
        ASSERT_EQ(state.table.lastIndex, kCustomRow);
        model = ui::makeSolventLabelModel(state.table);
        custom = std::make_unique<CustomSolventService>(state.custom, platform);
        screen = std::make_unique<FrmSolvermain>(state, platform, navigator, *custom, model.get());
        screen->show();
        screen->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(screen.get()));
    }

    void TearDown() override {
        screen.reset();
        custom.reset();
    }

    template <typename T>
    T* control(const QString& name) {
        T* w = find<T>(screen.get(), name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QListView* solventList(int k) { return control<QListView>(QStringLiteral("lstSolvent%1").arg(k)); }
    QListWidget* targetList(char letter) {
        return control<QListWidget>(QStringLiteral("lstTarget") + QLatin1Char(letter));
    }
    QLineEdit* field(const QString& name) { return control<QLineEdit>(name); }
    QString text(const QString& name) { return field(name)->text(); }

    // The six fields of slot k, in the order N, D, W, TWA, VHR, effects.
    QStringList slotFieldNames(int k) {
        const QString n = QString::number(k);
        return {QStringLiteral("txtSolvent%1_N").arg(n), QStringLiteral("txtSolvent%1_D").arg(n),
                QStringLiteral("txtSolvent%1_W").arg(n), QStringLiteral("txtTLV_%1").arg(n),
                QStringLiteral("txtVHR_%1").arg(n),      QStringLiteral("txtEffects%1").arg(n)};
    }
    QStringList slotTexts(int k) {
        QStringList out;
        for (const QString& name : slotFieldNames(k)) out << text(name);
        return out;
    }
    QStringList targetFieldNames() {
        return {QStringLiteral("txtTargetTLV"), QStringLiteral("txtTargetVHR"), QStringLiteral("txtTargetName"),
                QStringLiteral("txtEffectsTarget")};
    }
    int selected(QAbstractItemView* list) {
        const QModelIndexList rows = list->selectionModel()->selectedIndexes();
        return rows.isEmpty() ? -1 : rows.first().row();
    }
    SolventSlot& slot(int k) { return solventSlot(state, k - 1); }
    QWidget* focused() { return QApplication::focusWidget(); }
    // A real click on the row of a target list that shows `value`.
    void clickTarget(char letter, int value) { clickRow(targetList(letter), 100 - value); }

    // A picture of the screen for a person to look at, when a folder for it
    // is given in TARNWELL_SCREENSHOT_DIR.
    void saveScreenshot(const QString& fileName) {
        const QString folder = qEnvironmentVariable("TARNWELL_SCREENSHOT_DIR");
        if (!folder.isEmpty()) EXPECT_TRUE(screen->grab().save(folder + QLatin1Char('/') + fileName));
    }

    AppState state;
    FakePlatform platform;
    RecordingNavigator navigator;
    std::unique_ptr<ui::SolventLabelModel> model;
    std::unique_ptr<CustomSolventService> custom;
    std::unique_ptr<FrmSolvermain> screen;
};

// Runs `during` (which may open a modal window and wait in it) and, on the
// first modal window that appears meanwhile, runs `action`. Whatever modal is
// still open after the action is closed, so nothing can hang. Returns whether
// a modal window appeared at all.
inline bool duringModal(const std::function<void()>& during, const std::function<void(QWidget*)>& action) {
    bool seen = false;
    int ticks = 0;
    QTimer timer;
    timer.setInterval(20);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            if (++ticks > 500) timer.stop();  // 10 s without a modal: give up
            return;
        }
        timer.stop();
        seen = true;
        action(modal);
        if (QApplication::activeModalWidget() == modal) {
            ADD_FAILURE() << "the modal window " << modal->objectName().toStdString() << " was left open";
            modal->close();
            if (QApplication::activeModalWidget() == modal) modal->hide();
        }
    });
    timer.start();
    during();
    timer.stop();
    return seen;
}

}  // namespace tarnwell::testing
