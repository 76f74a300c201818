#include "finder/blend_search.h"

#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>
#include <algorithm>
#include <numeric>
#include <vector>

namespace tarnwell {

namespace {
// A pool of its own: Qt's raster painting hands work to the global pool and
// waits for it, so a search filling that pool would freeze every repaint.
QThreadPool& searchPool() {
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool;  // lives to the end of the program
        p->setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
        return p;
    }();
    return *pool;
}
}  // namespace

ParallelBlendSearch::ParallelBlendSearch(PreparedSearch search)
    : search_(std::make_shared<const PreparedSearch>(std::move(search))),
      cancel_(std::make_shared<std::atomic<bool>>(false)),
      done_(std::make_shared<std::atomic<std::uint64_t>>(0)) {
    std::vector<std::size_t> firsts(search_->candidates.size());
    std::iota(firsts.begin(), firsts.end(), std::size_t{0});
    for (std::size_t i : firsts) total_ += workOfFirst(*search_, i);
    // The first solvents come first in the list and carry the most work, so
    // the pool starts on the long tasks and ends on the short ones.
    auto search_copy = search_;
    auto cancel = cancel_;
    auto done = done_;
    future_ = QtConcurrent::mapped(&searchPool(), std::move(firsts), [search_copy, cancel, done](std::size_t first) {
        PartialResult part = searchFirst(*search_copy, first, cancel.get());
        done->fetch_add(workOfFirst(*search_copy, first));
        return part;
    });
}

ParallelBlendSearch::~ParallelBlendSearch() {
    cancel();
    future_.waitForFinished();
}

void ParallelBlendSearch::cancel() {
    cancel_->store(true);
    future_.cancel();
}

double ParallelBlendSearch::progress() const {
    if (total_ == 0) return 1.0;
    return static_cast<double>(done_->load()) / static_cast<double>(total_);
}

FinderOutcome ParallelBlendSearch::outcome() {
    future_.waitForFinished();
    std::vector<PartialResult> parts;
    if (!future_.isCanceled()) {
        const QList<PartialResult> results = future_.results();
        parts.assign(results.begin(), results.end());
    }
    FinderOutcome out = finishSearch(*search_, std::move(parts));
    out.cancelled = out.cancelled || cancel_->load();
    return out;
}

FinderOutcome searchOnAllCores(PreparedSearch search) {
    ParallelBlendSearch job(std::move(search));
    return job.outcome();
}

}  // namespace tarnwell
