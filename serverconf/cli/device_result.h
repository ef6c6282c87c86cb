#pragma once
// What one device operation of serverconf-cli did to one device: the line
// (or JSON object) that reports it.

#include "device/device_parameters.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace serverconf {

struct DeviceResult {
    QString ip;   // the address the device was asked for (its IP column)
    QString mac;  // the MAC column of its row; empty when no row had the address
    bool ok = false;
    QString message;                         // the window's message on failure, what was done on success
    std::optional<DeviceParameters> values;  // read: the values read out
    QString savedFile;                       // read: the *.ds file written, if any
    QStringList missing;                     // read: codes whose values did not arrive (not in `values`)
    std::optional<bool> verified;            // write, reset: the read-back ran and everything took
    QStringList notTaken;                    // write, reset: codes read back different or not at all
    QString newAddress;                      // assign-ip: the address given (or planned)
};

}  // namespace serverconf
