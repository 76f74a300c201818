#pragma once
// A main screen without the application around it: its own state, a
// recording platform, a navigator double and the real custom solvent service,
// shown and active so that real clicks, typing and focus changes reach it.
// Every test of the main screen (its slots and target, a blend from click to
// report, the blend finder) builds on this one fixture.

#include "fake_platform.h"
#include "navigator_double.h"
#include "screen_test.h"

#include "core/database.h"
#include "core/state.h"
#include "custom/custom_solvent.h"
#include "ui/solvent_labels.h"
#include "workbench/frm_solvermain.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace tarnwell::testing {

class MainScreenTest : public ::testing::Test {
protected:
    void TearDown() override;

    // A fresh state over `table` and a fresh main screen, shown and active.
    void open(SolventTable table);

    template <typename T>
    T* control(const QString& name) {
        T* w = find<T>(screen.get(), name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QListView* solventList(int k);  // k = 1..3
    QListWidget* targetList(char letter);
    QLineEdit* field(const QString& name) { return control<QLineEdit>(name); }
    QString text(const QString& name) { return field(name)->text(); }

    // The six fields of slot k, in the order N, D, W, TWA, VHR, effects.
    static QStringList slotFieldNames(int k);
    QStringList slotTexts(int k);
    static QStringList targetFieldNames();
    static int selected(QAbstractItemView* list);
    SolventSlot& slot(int k) { return state.solventSlots.at(static_cast<std::size_t>(k - 1)); }
    static QWidget* focused() { return QApplication::focusWidget(); }

    // A real double-click on `row` of slot k's list.
    void chooseSolvent(int k, int row) { doubleClickRow(solventList(k), row); }
    // A real click on the row of a target list that shows `value`.
    void clickTarget(char letter, int value) { clickRow(targetList(letter), 100 - value); }
    void setTarget(int n, int d, int w);

    // A picture of the screen for a person to look at, when a folder for it
    // is given in TARNWELL_SCREENSHOT_DIR.
    void saveScreenshot(const QString& fileName);

    AppState state;
    FakePlatform platform;
    NavigatorDouble navigator;
    std::unique_ptr<ui::SolventLabelModel> model;
    std::unique_ptr<CustomSolventService> custom;
    std::unique_ptr<FrmSolvermain> screen;
};

}  // namespace tarnwell::testing
