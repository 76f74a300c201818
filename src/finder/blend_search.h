#pragma once
// The blend finder spread over the machine's cores: one task per first
// solvent, run by Qt Concurrent, with a shared cancel flag and a count of the
// work done so far for a progress bar.

#include "core/blend_finder.h"

#include <QFuture>
#include <atomic>
#include <cstdint>
#include <memory>

namespace tarnwell {

class ParallelBlendSearch {
public:
    // Starts at once; the tasks hold the search themselves, so this object may
    // go away (after cancel()) while they finish.
    explicit ParallelBlendSearch(PreparedSearch search);
    ~ParallelBlendSearch();
    ParallelBlendSearch(const ParallelBlendSearch&) = delete;
    ParallelBlendSearch& operator=(const ParallelBlendSearch&) = delete;

    QFuture<PartialResult> future() const { return future_; }
    void cancel();
    bool isCancelled() const { return cancel_->load(); }
    // Share of the work done, 0 to 1.
    double progress() const;
    // Ranks what the tasks found; call when the future has finished.
    FinderOutcome outcome();

private:
    std::shared_ptr<const PreparedSearch> search_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    std::shared_ptr<std::atomic<std::uint64_t>> done_;
    std::uint64_t total_ = 0;
    QFuture<PartialResult> future_;
};

// The whole search on every core, returning when it is done.
FinderOutcome searchOnAllCores(PreparedSearch search);

}  // namespace tarnwell
