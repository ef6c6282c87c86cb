#include "cli_json.h"

namespace serverconf {

QJsonObject deviceRowJson(const DeviceEntry& row) {
    // The list column joins the two names with the first "/"; a user name
    // never holds one (the search reply ends it there).
    const qsizetype slash = row.userAndDeviceName.indexOf(u'/');
    const bool named = slash >= 0;
    return QJsonObject{
        {"mac", row.macAddress},
        {"user", named ? row.userAndDeviceName.left(slash) : QString()},
        {"device", named ? row.userAndDeviceName.mid(slash + 1) : QString()},
        {"ip", row.deviceAddress},
        {"sameNetwork", row.sameNetwork},
        {"interface", row.interfaceName},
        {"conflict", row.addressConflict},
        {"unicast", row.foundByUnicast},
    };
}

QString rowMarks(const DeviceEntry& row) {
    QStringList marks;
    if (row.addressConflict) marks << QStringLiteral("conflict");
    if (row.foundByUnicast) marks << QStringLiteral("unicast");
    return marks.join(u',');
}

QJsonArray deviceRowsJson(const QList<DeviceEntry>& rows) {
    QJsonArray array;
    for (const DeviceEntry& row : rows) array.append(deviceRowJson(row));
    return array;
}

QJsonObject parameterValuesJson(const DeviceParameters& parameters, const QStringList& missing) {
    QJsonObject values;
    for (const ParameterDefinition& definition : kParameters) {
        const QLatin1StringView code(definition.code);
        if (!missing.contains(code)) values.insert(code, parameters.*definition.member);
    }
    return values;
}

QJsonObject deviceResultJson(const DeviceResult& result) {
    QJsonObject object{{"ip", result.ip}, {"mac", result.mac}, {"ok", result.ok}, {"message", result.message}};
    if (result.values) object.insert("values", parameterValuesJson(*result.values, result.missing));
    if (!result.missing.isEmpty()) object.insert("missing", QJsonArray::fromStringList(result.missing));
    if (!result.savedFile.isEmpty()) object.insert("file", result.savedFile);
    if (!result.newAddress.isEmpty()) object.insert("newIp", result.newAddress);
    if (result.verified) {
        object.insert("verified", *result.verified);
        object.insert("notTaken", QJsonArray::fromStringList(result.notTaken));
    }
    return object;
}

QJsonArray interfacesJson(const QList<ListedInterface>& interfaces) {
    QJsonArray array;
    for (const ListedInterface& interface : interfaces) {
        for (const InterfaceAddress& entry : interface.addresses) {
            array.append(QJsonObject{
                {"name", interface.name},
                {"address", entry.address.toString()},
                {"prefixLength", entry.prefixLength},
                {"broadcast", entry.broadcast.isNull() ? QJsonValue() : QJsonValue(entry.broadcast.toString())},
            });
        }
    }
    return array;
}

}  // namespace serverconf
