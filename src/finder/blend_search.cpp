#include "finder/blend_search.h"

#include <QThread>
#include <QThreadPool>
#include <algorithm>

namespace tarnwell {

QThreadPool& searchPool() {
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool;  // lives to the end of the program
        p->setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
        return p;
    }();
    return *pool;
}

FinderOutcome searchOnAllCores(PreparedSearch search) {
    ParallelBlendSearch job(std::move(search));
    return job.outcome();
}

}  // namespace tarnwell
