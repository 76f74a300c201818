// The label model behind every solvent list.
#include "core/database.h"
#include "screen_test.h"
#include "ui/solvent_labels.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

namespace tarnwell::testing {
namespace {

SolventTable sampleTable() {
    LoadResult result = parseSolventDatabase(databaseText(sampleSolvents()));
    return std::move(std::get<SolventTable>(result));
}

TEST(SolventLabelModel, KeepsTheItemModelRulesAndShowsEveryLabel) {
    const SolventTable table = sampleTable();
    const auto model = ui::makeSolventLabelModel(table);
    // Qt's own checker of the model contract fails the test on any breach.
    QAbstractItemModelTester tester(model.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_EQ(model->rowCount(), static_cast<int>(table.labels.size()));
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, 0);
        ASSERT_TRUE(index.isValid());
        EXPECT_EQ(index.row(), row);
        EXPECT_EQ(index.model(), model.get());
        EXPECT_EQ(index.data().toString().toStdString(), table.labels[static_cast<std::size_t>(row)]);
    }
}

TEST(SolventLabelModel, HasNoIndexOutsideItsOneColumnOfRows) {
    const SolventTable table = sampleTable();
    const auto model = ui::makeSolventLabelModel(table);
    const int rows = model->rowCount();
    EXPECT_FALSE(model->index(-1, 0).isValid());
    EXPECT_FALSE(model->index(rows, 0).isValid());
    EXPECT_FALSE(model->index(0, 1).isValid());
    EXPECT_FALSE(model->index(0, -1).isValid());
    EXPECT_FALSE(model->index(0, 0, model->index(0, 0)).isValid());  // a list has no children
    EXPECT_EQ(model->rowCount(model->index(0, 0)), 0);
}

}  // namespace
}  // namespace tarnwell::testing
