#pragma once
// When a datagram arrived, as the kernel stamped it, so that the log shows
// the pauses between requests as the sender made them, not as late as the
// simulator got round to reading them.

#include <QUdpSocket>

namespace devicesim {

// Asks the system to stamp every datagram that arrives on `socket`.
void enableArrivalTimes(QUdpSocket& socket);

// The arrival of the datagram last read from `socket` on the log's clock
// (monotonicMs); the present time where the system keeps no stamp.
double lastArrivalMs(QUdpSocket& socket);

}  // namespace devicesim
