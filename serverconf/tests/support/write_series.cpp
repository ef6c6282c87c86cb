#include "write_series.h"

#include "parameter_values.h"

namespace serverconf::testing {
namespace {

struct SetRequest {
    const char* code;
    QString DeviceParameters::*value;
};

// In write order; the set tags run from 18 up.
constexpr SetRequest kWriteOrder[] = {
    {"ON", &DeviceParameters::userName},
    {"DN", &DeviceParameters::deviceName},
    {"TP", &DeviceParameters::protocol},
    {"PN", &DeviceParameters::port},
    {"RM", &DeviceParameters::workMode},
    {"FC", &DeviceParameters::rtsCts},
    {"DT", &DeviceParameters::dtr},
    {"BR", &DeviceParameters::baudRate},
    {"PR", &DeviceParameters::parity},
    {"BB", &DeviceParameters::dataBits},
    {"RC", &DeviceParameters::onTheFly},
    {"CM", &DeviceParameters::connectMode},
    {"CT", &DeviceParameters::connectTimeLimit},
    {"ML", &DeviceParameters::maxPacketCount},
    {"MD", &DeviceParameters::maxCharDelay},
    {"DI", &DeviceParameters::destinationIp},
    {"DP", &DeviceParameters::destinationPort},
    {"GI", &DeviceParameters::gatewayIp},
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
    return parametersWith({{"TP", "0"},
                           {"PN", "1001"},
                           {"RM", "0"},
                           {"FC", "1"},
                           {"DT", "0"},
                           {"BR", "5"},
                           {"PR", "0"},
                           {"BB", "1"},
                           {"RC", "0"},
                           {"CM", "1"},
                           {"CT", "5"},
                           {"ML", "255"},
                           {"MD", "1"},
                           {"DI", "127.0.0.2"},
                           {"DP", "1001"},
                           {"GI", "127.0.0.1"},
                           {"NM", "0.0.0.0"}});
}

}  // namespace serverconf::testing
