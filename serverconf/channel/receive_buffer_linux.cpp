#include "receive_buffer.h"

#include "channel_log.h"

#include <sys/socket.h>

namespace serverconf {
namespace {

int grantedSize(int descriptor) {
    int size = 0;
    socklen_t length = sizeof size;
    ::getsockopt(descriptor, SOL_SOCKET, SO_RCVBUF, &size, &length);
    // Linux reports twice the payload size it accounts for.
    return size / 2;
}

}  // namespace

int enlargeReceiveBuffer(QUdpSocket& socket, int bytes) {
    const int descriptor = static_cast<int>(socket.socketDescriptor());
    if (descriptor < 0) return 0;
    ::setsockopt(descriptor, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
    // SO_RCVBUF is capped by net.core.rmem_max; a privileged process may go
    // beyond the cap with SO_RCVBUFFORCE.
    if (grantedSize(descriptor) < bytes) ::setsockopt(descriptor, SOL_SOCKET, SO_RCVBUFFORCE, &bytes, sizeof bytes);
    const int granted = grantedSize(descriptor);
    if (granted < bytes) qCDebug(lcChannel) << "receive buffer" << granted << "bytes, asked for" << bytes;
    return granted;
}

}  // namespace serverconf
