#pragma once
// The pacing seam of the device protocol. Every fixed wait of an exchange
// (100 ms after a probe, 10 ms after a set request, ...) goes through
// Pacer::pause, so a test can run a whole exchange instantly against a
// recording fake while the real program sleeps.

namespace serverconf {

class Pacer {
public:
    virtual ~Pacer() = default;
    // Holds the calling thread for `milliseconds` (the real pacer sleeps; it
    // does not run the event loop, as the protocol expects).
    virtual void pause(int milliseconds) = 0;
};

class SleepingPacer final : public Pacer {
public:
    void pause(int milliseconds) override;
};

}  // namespace serverconf
