#pragma once
// The blend finders spread over the machine's cores: one task per first
// solvent, run by Qt Concurrent, with a shared cancel flag and a count of the
// work done so far for a progress bar. The point search and the zone search
// run the same way; only their parts differ.

#include "core/blend_finder.h"
#include "core/zone_finder.h"

#include <QFuture>
#include <QList>
#include <QtConcurrent/QtConcurrentMap>
#include <atomic>
#include <cstdint>
#include <memory>
#include <numeric>
#include <vector>

class QThreadPool;

namespace tarnwell {

// A pool of its own: Qt's raster painting hands work to the global pool and
// waits for it, so a search filling that pool would freeze every repaint.
QThreadPool& searchPool();

// What a window needs of a search while it runs, whatever its kind.
class RunningSearch {
public:
    virtual ~RunningSearch() = default;
    // Finishes when every task has ended (or been cancelled).
    virtual QFuture<void> finished() const = 0;
    virtual void cancel() = 0;
    // Share of the work done, 0 to 1.
    virtual double progress() const = 0;
};

// The point search of blend_finder.h.
struct PointSearchKind {
    using Prepared = PreparedSearch;
    using Part = PartialResult;
    using Outcome = FinderOutcome;
    static const PreparedSearch& base(const Prepared& s) { return s; }
    static Part searchPart(const Prepared& s, std::size_t first, const std::atomic<bool>* cancel) {
        return searchFirst(s, first, cancel);
    }
    static Outcome finish(const Prepared& s, std::vector<Part> parts) { return finishSearch(s, std::move(parts)); }
};

// The zone search of zone_finder.h.
struct ZoneSearchKind {
    using Prepared = PreparedZoneSearch;
    using Part = ZonePartial;
    using Outcome = ZoneOutcome;
    static const PreparedSearch& base(const Prepared& s) { return s.base; }
    static Part searchPart(const Prepared& s, std::size_t first, const std::atomic<bool>* cancel) {
        return searchZoneFirst(s, first, cancel);
    }
    static Outcome finish(const Prepared& s, std::vector<Part> parts) { return finishZoneSearch(s, std::move(parts)); }
};

template <typename Kind>
class ParallelSearch final : public RunningSearch {
public:
    using Prepared = typename Kind::Prepared;
    using Part = typename Kind::Part;
    using Outcome = typename Kind::Outcome;

    // Starts at once; the tasks hold the search themselves, so this object may
    // go away (after cancel()) while they finish.
    explicit ParallelSearch(Prepared prepared)
        : search_(std::make_shared<const Prepared>(std::move(prepared))),
          cancel_(std::make_shared<std::atomic<bool>>(false)),
          done_(std::make_shared<std::atomic<std::uint64_t>>(0)) {
        const PreparedSearch& base = Kind::base(*search_);
        std::vector<std::size_t> firsts(base.candidates.size());
        std::iota(firsts.begin(), firsts.end(), std::size_t{0});
        for (std::size_t i : firsts) total_ += workOfFirst(base, i);
        // The first solvents come first in the list and carry the most work, so
        // the pool starts on the long tasks and ends on the short ones.
        auto search = search_;
        auto cancel = cancel_;
        auto done = done_;
        future_ = QtConcurrent::mapped(&searchPool(), std::move(firsts), [search, cancel, done](std::size_t first) {
            Part part = Kind::searchPart(*search, first, cancel.get());
            done->fetch_add(workOfFirst(Kind::base(*search), first));
            return part;
        });
    }
    ~ParallelSearch() override {
        cancel();
        future_.waitForFinished();
    }
    ParallelSearch(const ParallelSearch&) = delete;
    ParallelSearch& operator=(const ParallelSearch&) = delete;

    QFuture<Part> future() const { return future_; }
    QFuture<void> finished() const override { return QFuture<void>(future_); }
    void cancel() override {
        cancel_->store(true);
        future_.cancel();
    }
    double progress() const override {
        if (total_ == 0) return 1.0;
        return static_cast<double>(done_->load()) / static_cast<double>(total_);
    }

    // Ranks what the tasks found; waits for them first.
    Outcome outcome() {
        future_.waitForFinished();
        std::vector<Part> parts;
        if (!future_.isCanceled()) {
            const QList<Part> results = future_.results();
            parts.assign(results.begin(), results.end());
        }
        Outcome out = Kind::finish(*search_, std::move(parts));
        out.cancelled = out.cancelled || cancel_->load();
        return out;
    }

private:
    std::shared_ptr<const Prepared> search_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    std::shared_ptr<std::atomic<std::uint64_t>> done_;
    std::uint64_t total_ = 0;
    QFuture<Part> future_;
};

using ParallelBlendSearch = ParallelSearch<PointSearchKind>;
using ParallelZoneSearch = ParallelSearch<ZoneSearchKind>;

// The whole search on every core, returning when it is done.
FinderOutcome searchOnAllCores(PreparedSearch search);

}  // namespace tarnwell
