#include "main_screen_test.h"

namespace tarnwell::testing {

void MainScreenTest::TearDown() {
    screen.reset();
    custom.reset();
}

void MainScreenTest::open(SolventTable table) {
    TearDown();
    state = AppState{};
    state.table = std::move(table);
    ASSERT_GT(state.table.records.size(), 1u);
    model = ui::makeSolventLabelModel(state.table);
    custom = std::make_unique<CustomSolventService>(state.custom, platform);
    screen = std::make_unique<FrmSolvermain>(state, platform, navigator, *custom, model.get());
    screen->show();
    screen->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(screen.get()));
}

QListView* MainScreenTest::solventList(int k) { return control<QListView>(QStringLiteral("lstSolvent%1").arg(k)); }

QListWidget* MainScreenTest::targetList(char letter) {
    return control<QListWidget>(QStringLiteral("lstTarget") + QLatin1Char(letter));
}

QStringList MainScreenTest::slotFieldNames(int k) {
    const QString n = QString::number(k);
    return {QStringLiteral("txtSolvent%1_N").arg(n), QStringLiteral("txtSolvent%1_D").arg(n),
            QStringLiteral("txtSolvent%1_W").arg(n), QStringLiteral("txtTLV_%1").arg(n),
            QStringLiteral("txtVHR_%1").arg(n),      QStringLiteral("txtEffects%1").arg(n)};
}

QStringList MainScreenTest::slotTexts(int k) {
    QStringList out;
    for (const QString& name : slotFieldNames(k)) out << text(name);
    return out;
}

QStringList MainScreenTest::targetFieldNames() {
    return {QStringLiteral("txtTargetTLV"), QStringLiteral("txtTargetVHR"), QStringLiteral("txtTargetName"),
            QStringLiteral("txtEffectsTarget")};
}

int MainScreenTest::selected(QAbstractItemView* list) {
    const QModelIndexList rows = list->selectionModel()->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void MainScreenTest::setTarget(int n, int d, int w) {
    clickTarget('N', n);
    clickTarget('D', d);
    clickTarget('W', w);
}

void MainScreenTest::saveScreenshot(const QString& fileName) {
    const QString folder = qEnvironmentVariable("TARNWELL_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        EXPECT_TRUE(screen->grab().save(folder + QLatin1Char('/') + fileName));
    }
}

}  // namespace tarnwell::testing
