#pragma once
// The values a user edits on the property dialog's two pages, or types on
// the command line: the texts of the fields and the codes of the lists. The
// five advanced values and the MAC address are not among them; they stay in
// the parameter set.

#include "device_parameters.h"

#include <QString>

namespace serverconf {

struct ParameterEdits {
    // Field texts.
    QString userName;
    QString deviceName;
    QString port;
    QString ipAddressField;  // the new address, sent with "SIP"
    QString destinationIp;
    QString destinationPort;
    QString gatewayIp;
    QString netmask;
    // Working values of the lists (codes as text).
    QString protocol;
    QString workMode;
    QString rtsCts;
    QString dtr;
    QString baudRate;
    QString parity;
    QString dataBits;

    bool operator==(const ParameterEdits&) const = default;
};

// The edits as the dialog opens after a read-out: field texts and list
// values from the parameter set.
ParameterEdits editsFrom(const DeviceParameters& parameters);

// The edit that holds parameter `code` (IP: the new address); nullptr for
// the codes that are not edited there (FE and the five advanced values).
QString* editByCode(const QString& code, ParameterEdits& edits);
const QString* editByCode(const QString& code, const ParameterEdits& edits);

// Puts the edited texts and list values into `parameters`; the address
// stays as it is (a write sends the typed one with "SIP"; Save stores it as
// the IP value).
void applyEdits(DeviceParameters& parameters, const ParameterEdits& edits);

}  // namespace serverconf
