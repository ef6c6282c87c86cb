#include "receive_buffer.h"

#include "channel_log.h"

#include <QVariant>

namespace serverconf {

int enlargeReceiveBuffer(QUdpSocket& socket, int bytes) {
    socket.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, bytes);
    const int granted = socket.socketOption(QAbstractSocket::ReceiveBufferSizeSocketOption).toInt();
    if (granted < bytes) qCDebug(lcChannel) << "receive buffer" << granted << "bytes, asked for" << bytes;
    return granted;
}

}  // namespace serverconf
