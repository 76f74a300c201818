#pragma once
// The safer-blend finder window: searches every pair and triple of the
// table's solvents for the target of the main screen, lists the matches best
// first, and hands the chosen one back to the main screen to calculate.
//
// In its zone mode the target is a solubility test's zone instead: every
// blend with a composition inside the zone (shrunk by the margin) is listed
// at its safest such composition, and the solvents that lie inside on their
// own are listed apart. Every option applies as for a point.

#include "core/blend_finder.h"
#include "core/state.h"
#include "core/zone_finder.h"
#include "ui/forward.h"

#include <QFutureWatcher>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

namespace tarnwell {

class RunningSearch;

// What the zone mode searches: the zone for a margin, and what to call it.
struct ZoneTarget {
    SolubilityZone zone;
    QString heading;
};

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

    // Searches for the shared state's target (or the zone) with the window's filters.
    void startSearch();
    bool isSearching() const { return job_ != nullptr; }
    const std::vector<FoundBlend>& blends() const { return blends_; }

    // Turns this window into the zone finder for good: `zoneOf` gives the
    // zone for a margin at every search; `marginChanged` hears of a margin
    // the user set here. The chosen blend goes to `useZoneBlend` with the
    // zone it was found for.
    void setZoneMode(std::function<ZoneTarget(double margin)> zoneOf, std::function<void(double)> marginChanged,
                     std::function<void(const ZoneBlend&, const SolubilityZone&)> useZoneBlend);
    bool isZoneMode() const { return static_cast<bool>(zoneOf_); }
    double margin() const;
    void setMargin(double margin);  // as the user would, without a search
    const std::vector<ZoneBlend>& zoneBlends() const { return zoneBlends_; }
    const std::vector<ZoneBlend>& solventsInside() const { return solventsInside_; }
    // Says in the status line how a chosen blend fared.
    void showStatus(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void cmdSearch_Click();
    void cmdCancelSearch_Click();
    void cmdUseBlend_Click();
    void lstFoundBlends_DblClick();
    void cmdPrint_Click();

private:
    void buildFilters();
    void buildSolventChoices(QAbstractItemModel* solventLabels);
    void buildSearchRow();
    void buildResults();
    FinderOptions readOptions() const;
    void searchFinished();
    void showProgress();
    void cancelSearch();
    void setSearchControlsRunning(bool running);
    bool startZoneSearch();
    void zoneSearchFinished();

    AppState& state_;
    ui::Platform& platform_;
    std::function<void(const FoundBlend&)> useBlend_;
    std::vector<FoundBlend> blends_;
    std::unique_ptr<RunningSearch> job_;
    QFutureWatcher<void>* watcher_ = nullptr;
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

    // Zone mode.
    std::function<ZoneTarget(double)> zoneOf_;
    std::function<void(double)> marginChanged_;
    std::function<void(const ZoneBlend&, const SolubilityZone&)> useZoneBlend_;
    SolubilityZone searchedZone_;  // the zone the listed blends were found for
    std::vector<ZoneBlend> zoneBlends_;
    std::vector<ZoneBlend> solventsInside_;
    QDoubleSpinBox* spnZoneMargin_ = nullptr;
    QListWidget* lstSolventsInside_ = nullptr;
};

}  // namespace tarnwell
