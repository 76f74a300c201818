#pragma once
// The safer-blend finder window: searches every pair and triple of the
// table's solvents for the target of the main screen, lists the matches best
// first, and hands the chosen one back to the main screen to calculate.

#include "core/blend_finder.h"
#include "core/state.h"

#include <QFutureWatcher>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QAbstractItemModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;

namespace tarnwell {
namespace ui {
class Platform;
class SolventListView;
}  // namespace ui
class ParallelBlendSearch;

class FrmFindBlends : public QWidget {
    Q_OBJECT
public:
    // How long a search runs before its progress bar and Cancel button show.
    static constexpr int kMomentMs = 150;

    FrmFindBlends(AppState& state, ui::Platform& platform, QAbstractItemModel* solventLabels,
                  QWidget* parent = nullptr);
    ~FrmFindBlends() override;

    // Called with the chosen blend (record indices in slot order).
    void setUseBlendHandler(std::function<void(const FoundBlend&)> handler) { useBlend_ = std::move(handler); }

    // Searches for the shared state's target with the window's filters.
    void startSearch();
    bool isSearching() const { return job_ != nullptr; }
    const std::vector<FoundBlend>& blends() const { return blends_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void cmdSearch_Click();
    void cmdCancelSearch_Click();
    void cmdUseBlend_Click();
    void lstFoundBlends_DblClick();
    void cmdPrint_Click();

private:
    FinderOptions readOptions() const;
    void searchFinished();
    void showProgress();
    void cancelSearch();
    void setSearchControlsRunning(bool running);

    AppState& state_;
    ui::Platform& platform_;
    std::function<void(const FoundBlend&)> useBlend_;
    std::vector<FoundBlend> blends_;
    std::unique_ptr<ParallelBlendSearch> job_;
    QFutureWatcher<PartialResult>* watcher_ = nullptr;
    QTimer* progressTimer_ = nullptr;
    int elapsedTicks_ = 0;

    QLabel* lblTarget_ = nullptr;
    QComboBox* cboBlendSize_ = nullptr;
    QCheckBox* chkSameReference_ = nullptr;
    QCheckBox* chkExcludeSkin_ = nullptr;
    QCheckBox* chkExcludeCarcinogens_ = nullptr;
    QSpinBox* spnMaxResults_ = nullptr;
    ui::SolventListView* lstExclude_ = nullptr;
    ui::SolventListView* lstMustContain_ = nullptr;
    QPushButton* cmdCancelSearch_ = nullptr;
    QProgressBar* prgSearch_ = nullptr;
    QLabel* lblStatus_ = nullptr;
    QListWidget* lstFoundBlends_ = nullptr;
};

}  // namespace tarnwell
