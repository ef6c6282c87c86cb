// DeviceJobs: how many jobs run at once, and that the jobs of the broadcast
// form run alone, after all the others.

#include "cli/device_jobs.h"

#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>

namespace serverconf {
namespace {

// Records, for each job, how many jobs ran beside it.
struct Overlap {
    void job(int id) {
        {
            const std::lock_guard lock(mutex);
            const int now = ++running;
            mostAtOnce = std::max(mostAtOnce, now);
            order << id;
        }
        QThread::msleep(100);  // long enough for every job allowed to start beside it
        --running;
        ++ended;
    }
    std::mutex mutex;
    std::atomic<int> running = 0;
    std::atomic<int> ended = 0;
    int mostAtOnce = 0;
    QList<int> order;  // the jobs by start
};

TEST(DeviceJobs, RunAtMostTheirNumberAtOnceThenTheOnesOfTheBroadcastFormAloneInOrder) {
    const struct {
        int jobs;
        int sideBySide;
        int mostAtOnce;
    } cases[] = {{1, 4, 1}, {3, 8, 3}, {64, 6, 6}};
    for (const auto& test : cases) {
        Overlap overlap;
        QList<DeviceJobs::Job> sideBySide;
        for (int i = 0; i < test.sideBySide; ++i) sideBySide << [&overlap, i] { overlap.job(i); };
        QList<DeviceJobs::Job> oneAtATime;
        for (int i = 100; i < 103; ++i) {
            oneAtATime << [&overlap, i] {
                EXPECT_EQ(overlap.running, 0) << "job " << i << " starts alone";
                overlap.job(i);
            };
        }
        int reports = 0;
        DeviceJobs(test.jobs).run(sideBySide, oneAtATime, [&] { ++reports; });
        EXPECT_EQ(overlap.ended, test.sideBySide + 3) << test.jobs;
        EXPECT_EQ(overlap.mostAtOnce, test.mostAtOnce) << test.jobs;
        EXPECT_EQ(overlap.order.mid(test.sideBySide), QList<int>({100, 101, 102})) << "after the others, in order";
        EXPECT_GE(reports, 4) << "told at least once for the side-by-side jobs and once for each alone";
    }
}

}  // namespace
}  // namespace serverconf
