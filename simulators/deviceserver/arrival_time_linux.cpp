#include "arrival_time.h"

#include "datagram_log.h"

#include <linux/sockios.h>
#include <sys/ioctl.h>

#include <chrono>
#include <ctime>

namespace devicesim {

void enableArrivalTimes(QUdpSocket& socket) {
    // The first query switches stamping on for the socket (it has no stamp
    // to give yet); from then on each read leaves its datagram's stamp.
    // SO_TIMESTAMP would not do: it sends the stamp along with the datagram,
    // where QUdpSocket does not pass it on, instead of keeping it.
    timespec unused{};
    ::ioctl(static_cast<int>(socket.socketDescriptor()), SIOCGSTAMPNS, &unused);
}

double lastArrivalMs(QUdpSocket& socket) {
    const double now = monotonicMs();
    timespec stamp{};
    if (::ioctl(static_cast<int>(socket.socketDescriptor()), SIOCGSTAMPNS, &stamp) != 0) return now;
    // The stamp is wall-clock time: carry its age over to the monotonic clock.
    timespec wall{};
    ::clock_gettime(CLOCK_REALTIME, &wall);
    const double ageMs = (wall.tv_sec - stamp.tv_sec) * 1e3 + (wall.tv_nsec - stamp.tv_nsec) / 1e6;
    return ageMs >= 0 ? now - ageMs : now;
}

}  // namespace devicesim
