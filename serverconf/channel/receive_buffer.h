#pragma once
// Enlarging a socket's receive buffer, so that a burst of replies (every
// device answering one search at once) is queued rather than dropped.

#include <QUdpSocket>

namespace serverconf {

// Asks for `bytes` of receive buffer; where the system caps the ordinary
// request lower and the process may exceed the cap, the cap is exceeded.
// Returns the size the system granted (logged when smaller than asked).
int enlargeReceiveBuffer(QUdpSocket& socket, int bytes);

}  // namespace serverconf
