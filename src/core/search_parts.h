#pragma once
// What the point finder and the zone finder share in running a search part:
// keeping the part's best results, and looking at the cancel flag now and then.

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <vector>

namespace tarnwell {

// Keeps the best `limit` results offered: a heap whose front is the worst kept.
template <class Result, class RanksBefore>
void keepBest(std::vector<Result>& best, Result&& result, std::size_t limit, RanksBefore ranksBefore) {
    if (limit == 0) return;
    if (best.size() < limit) {
        best.push_back(std::move(result));
        std::push_heap(best.begin(), best.end(), ranksBefore);
    } else if (ranksBefore(result, best.front())) {
        std::pop_heap(best.begin(), best.end(), ranksBefore);
        best.back() = std::move(result);
        std::push_heap(best.begin(), best.end(), ranksBefore);
    }
}

// Looks at the flag at once and then every few thousand combinations, so a
// cancel is seen within milliseconds without slowing the search. Once seen,
// `cancelled` is set and stays set.
class CancelCheck {
public:
    CancelCheck(const std::atomic<bool>* flag, bool& cancelled) : flag_(flag), cancelled_(cancelled) { look(); }
    bool stopNow() const { return cancelled_; }
    bool due() {
        if (++sinceLook_ < kEvery) return cancelled_;
        sinceLook_ = 0;
        return look();
    }

private:
    static constexpr unsigned kEvery = 4096;
    bool look() {
        if (flag_ && flag_->load(std::memory_order_relaxed)) cancelled_ = true;
        return cancelled_;
    }
    const std::atomic<bool>* flag_;
    bool& cancelled_;
    unsigned sinceLook_ = 0;
};

}  // namespace tarnwell
