#pragma once
// The JSON forms of serverconf-cli's output (--json), as pure functions:
//   row:    {"mac", "user", "device", "ip", "sameNetwork", "interface"}
//   result: {"ip", "mac", "ok", "message"[, "values": {CODE: value...}][, "file"][, "newIp"]}
//   interface address: {"name", "address", "prefixLength", "broadcast"}

#include "device_result.h"

#include "channel/network_interfaces.h"
#include "device/device_entry.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>

namespace serverconf {

QJsonObject deviceRowJson(const DeviceEntry& row);
// The fifth column of a marked list row: "conflict", "unicast" or
// "conflict,unicast"; empty for an ordinary row.
QString rowMarks(const DeviceEntry& row);
QJsonArray deviceRowsJson(const QList<DeviceEntry>& rows);
// The 21 values by their two-letter codes, but the `missing` ones.
QJsonObject parameterValuesJson(const DeviceParameters& parameters, const QStringList& missing);
QJsonObject deviceResultJson(const DeviceResult& result);
// One object per address of each interface; "broadcast" is null when the
// address has none.
QJsonArray interfacesJson(const QList<ListedInterface>& interfaces);

}  // namespace serverconf
