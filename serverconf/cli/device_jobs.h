#pragma once
// Runs the exchanges of a command on several devices: those reached by
// unicast side by side on up to `jobs` worker threads, then those that need
// the broadcast form one at a time, after all of the others, because the
// naming "W"+MAC of a broadcast exchange is heard by every device: no two of
// them are ever open together, nor one beside a unicast exchange.
//
// Each job runs whole on one worker thread (a QThread, so that the sockets it
// creates there work), and creates and destroys its own sockets there. The
// calling thread waits and hears of each job that ends.

#include <QList>

#include <functional>

namespace serverconf {

class DeviceJobs {
public:
    using Job = std::function<void()>;
    // Called on the calling thread as jobs end (once for several that end together).
    using Finished = std::function<void()>;

    // `jobs`: at most this many run at once (at least 1).
    explicit DeviceJobs(int jobs) : jobs_(jobs) {}

    // Runs every job of `sideBySide`, then each of `oneAtATime` alone, and
    // returns when all have ended.
    void run(const QList<Job>& sideBySide, const QList<Job>& oneAtATime, const Finished& finished) const;

private:
    int jobs_;
};

}  // namespace serverconf
