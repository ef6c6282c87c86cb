#include "arrival_time.h"

#include "datagram_log.h"

namespace devicesim {

void enableArrivalTimes(QUdpSocket&) {}

double lastArrivalMs(QUdpSocket&) { return monotonicMs(); }

}  // namespace devicesim
