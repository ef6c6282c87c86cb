#include "write_series.h"

namespace serverconf::testing {
namespace {

struct SetRequest {
    const char* code;
    QString DeviceParameters::*value;
};

// In write order; the set tags run from 18 up.
constexpr SetRequest kWriteOrder[] = {
    {"ON", &DeviceParameters::userName},         {"DN", &DeviceParameters::deviceName},
    {"TP", &DeviceParameters::protocol},         {"PN", &DeviceParameters::port},
    {"RM", &DeviceParameters::workMode},         {"FC", &DeviceParameters::rtsCts},
    {"DT", &DeviceParameters::dtr},              {"BR", &DeviceParameters::baudRate},
    {"PR", &DeviceParameters::parity},           {"BB", &DeviceParameters::dataBits},
    {"RC", &DeviceParameters::onTheFly},         {"CM", &DeviceParameters::connectMode},
    {"CT", &DeviceParameters::connectTimeLimit}, {"ML", &DeviceParameters::maxPacketCount},
    {"MD", &DeviceParameters::maxCharDelay},     {"DI", &DeviceParameters::destinationIp},
    {"DP", &DeviceParameters::destinationPort},  {"GI", &DeviceParameters::gatewayIp},
    {"NM", &DeviceParameters::netmask},
};
constexpr int kFirstTag = 18;

}  // namespace

QStringList writeSeries(const DeviceParameters& values, const std::optional<SetAddress>& setAddress) {
    QStringList series{QStringLiteral("L")};
    int tag = kFirstTag;
    for (const SetRequest& request : kWriteOrder) {
        series << QStringLiteral("S%1%2|%3").arg(QLatin1StringView(request.code), values.*request.value).arg(tag++);
    }
    if (setAddress) series << QStringLiteral("SIP%1|%2").arg(setAddress->address).arg(setAddress->tag);
    series << QStringLiteral("E");
    return series;
}

DeviceParameters factoryResetValues() {
    DeviceParameters values;
    values.protocol = QStringLiteral("0");
    values.port = QStringLiteral("1001");
    values.workMode = QStringLiteral("0");
    values.rtsCts = QStringLiteral("1");
    values.dtr = QStringLiteral("0");
    values.baudRate = QStringLiteral("5");
    values.parity = QStringLiteral("0");
    values.dataBits = QStringLiteral("1");
    values.onTheFly = QStringLiteral("0");
    values.connectMode = QStringLiteral("1");
    values.connectTimeLimit = QStringLiteral("5");
    values.maxPacketCount = QStringLiteral("255");
    values.maxCharDelay = QStringLiteral("1");
    values.destinationIp = QStringLiteral("127.0.0.2");
    values.destinationPort = QStringLiteral("1001");
    values.gatewayIp = QStringLiteral("127.0.0.1");
    values.netmask = QStringLiteral("0.0.0.0");
    return values;
}

}  // namespace serverconf::testing
