#pragma once
// The two readers of a search reply ("A" + 12-character MAC + "/" + 6 + "*" +
// 7 + user name + "/" + device name). Pure functions: reply text and sender
// in, list row out. The reply is decoded from code page 936.

#include "device/device_entry.h"

#include <QByteArray>
#include <QString>

namespace serverconf {

// True when the datagram is laid out as a search reply: "A", a 12-character
// MAC text without "/", then the first "/". Anything else that reaches the
// discovery socket is no device and makes no row.
bool isSearchReply(const QByteArray& reply);

// Search: pieces found by their separators. MAC column: the text before the
// first "/" with every "A" removed (all of the text, and no name, when there
// is no "/"). The user piece starts 8 characters after the first "*" (at 7
// without one).
DeviceEntry searchReplyRow(const QByteArray& reply, const QString& sender, bool sameNetwork);

// Targeted search: MAC column from the first 13 characters, user piece from
// the fixed offset 28.
DeviceEntry targetedSearchReplyRow(const QByteArray& reply, const QString& sender, bool sameNetwork);

// Column "使用者/设备名" from a user piece: the user name ends at the first
// "/" within the first nine characters and the device name is the rest;
// "user/device", or empty when both are empty or the device name is exactly
// "/". A piece without such a "/" is shown as it stands.
QString userAndDeviceColumn(const QString& userPiece);

}  // namespace serverconf
