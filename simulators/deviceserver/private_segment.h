#pragma once
// Whether devicesim runs in a network namespace made for a test segment: no
// interface but loopback and one veth end. Only there does it bind
// addresses outside loopback and answer datagrams from outside loopback, so
// that it never answers on a real network.

#include <QString>

namespace devicesim {

// True on such a segment; otherwise false with the reason in `reason`.
bool runsOnPrivateSegment(QString& reason);

}  // namespace devicesim
