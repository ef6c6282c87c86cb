#pragma once
// What a device server makes of one received datagram. Pure function, safe
// on any bytes: whatever is not a well-formed request comes back as Unknown.

#include <QByteArray>
#include <QString>

namespace devicesim {

struct DeviceRequest {
    enum class Kind {
        Unknown,      // not a request of the protocol (or a code/tag mismatch)
        Search,       // "X": search, or the probe of one device
        SelectByMac,  // "W" + MAC: names the device for the broadcasts that follow
        Open,         // "L"
        Get,          // "G" + code + "|" + get tag
        Set,          // "S" + code + value + "|" + set tag
        End,          // "E": applies the staged values
        EndChangeIp,  // "E|35": applies the staged address
        Confirm,      // "B"
    };
    Kind kind = Kind::Unknown;
    QString code;   // Get, Set: two capital letters
    int tag = 0;    // Get: get tag; Set: set tag
    QString text;   // Set: the value; SelectByMac: the MAC text
    QString error;  // Unknown: why the datagram was not understood
};

// Get requests must carry the code's own get tag; set requests the code's
// own set tag (for "SIP" one of 37, 33 or 34). The value of a set request is
// everything between the code and the last bar, bars included. Texts are
// decoded from code page 936.
DeviceRequest parseDeviceRequest(const QByteArray& datagram);

}  // namespace devicesim
