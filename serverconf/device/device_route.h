#pragma once
// How a read-out reached its device, kept with the dialog it opened so that
// the write and the factory defaults started there reach that same device
// the same way, whatever the discovery socket heard since.

#include <QString>

namespace serverconf {

struct DeviceRoute {
    enum class Form {
        None,       // the device was not reached: nothing may be sent
        Unicast,    // to the address that answered the read-out's probe
        ByMacName,  // by broadcast, the device named first with "W" + MAC
    };

    static DeviceRoute unicast(const QString& address) { return {Form::Unicast, address, {}, {}}; }
    // `interfaceName`: where the device was heard; empty: every interface.
    static DeviceRoute byMacName(const QString& macAddress, const QString& interfaceName = {}) {
        return {Form::ByMacName, {}, macAddress, interfaceName};
    }

    Form form = Form::None;
    QString address;     // Unicast: the dotted address that answered
    QString macAddress;  // ByMacName: the MAC text sent after "W"
    // ByMacName: the one interface the broadcasts leave on (empty: all), so
    // that a clone with the same MAC on another segment hears nothing.
    QString interfaceName;

    bool operator==(const DeviceRoute&) const = default;
};

}  // namespace serverconf
