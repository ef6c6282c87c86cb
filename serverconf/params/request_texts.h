#pragma once
// Payloads of the datagrams sent to a device server, byte for byte: no
// length, terminator or checksum. Parameter values and MAC texts are put on
// the wire in code page 936 (GBK), as the devices hold them.

#include "device/device_parameters.h"

#include <QByteArray>
#include <QString>

namespace serverconf {

// "X": search, and the presence probe of one device.
QByteArray searchRequest();
// "W" + MAC text: names the device for the broadcast requests that follow.
QByteArray nameDeviceRequest(const QString& macAddress);
// "L": opens a parameter exchange.
QByteArray openExchangeRequest();
// "G" + code + "|" + get tag, e.g. "GPN|5"; empty for a tag outside 1..21.
QByteArray getRequest(int getTag);
// "S" + code + value + "|" + set tag, e.g. "SPN1001|21"; the value is sent
// unchanged (a bar in it stays), an empty value puts the bar after the code.
QByteArray setRequest(const char* code, const QString& value, int setTag);
// setRequest for a parameter of the table with its own set tag (18..36).
QByteArray setRequest(const ParameterDefinition& parameter, const QString& value);
// "SIP" + address + "|" + tag (kSetIpUnicastTag, kSetIpBroadcastTag or
// kSetIpChangeTag).
QByteArray setIpRequest(const QString& address, int setTag);
// "E": ends a write or a factory reset.
QByteArray endRequest();
// "E|35": ends a change of IP address.
QByteArray endChangeIpRequest();
// "B": confirm device.
QByteArray confirmRequest();

// A device's reply to a get request: value + "|" + get tag.
QByteArray parameterReply(const QString& value, int getTag);

}  // namespace serverconf
