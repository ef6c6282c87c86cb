#include "device_jobs.h"

#include <QThreadPool>

#include <algorithm>
#include <condition_variable>
#include <mutex>

namespace serverconf {
namespace {

// How many of the started jobs have ended, told from the workers to the
// waiting thread.
class EndCount {
public:
    void add() {
        {
            const std::lock_guard lock(mutex_);
            ++ended_;
        }
        changed_.notify_one();
    }
    // Waits until more than `seen` jobs have ended; returns how many.
    int waitBeyond(int seen) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return ended_ > seen; });
        return ended_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int ended_ = 0;
};

}  // namespace

void DeviceJobs::run(const QList<Job>& sideBySide, const QList<Job>& oneAtATime, const Finished& finished) const {
    QThreadPool pool;
    EndCount count;
    int started = 0;
    int seen = 0;
    const auto start = [&](const Job& job) {
        pool.start([&job, &count] {
            job();
            count.add();
        });
        ++started;
    };
    // Reports every end up to `target` jobs.
    const auto awaitEnds = [&](int target) {
        while (seen < target) {
            seen = count.waitBeyond(seen);
            if (finished) finished();
        }
    };
    pool.setMaxThreadCount(std::max(1, std::min(jobs_, int(sideBySide.size()))));
    for (const Job& job : sideBySide) start(job);
    awaitEnds(started);
    for (const Job& job : oneAtATime) {
        start(job);
        awaitEnds(started);
    }
}

}  // namespace serverconf
