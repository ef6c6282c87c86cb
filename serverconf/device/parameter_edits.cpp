#include "parameter_edits.h"

#include <array>
#include <utility>

namespace serverconf {
namespace {

struct EditSlot {
    const char* code;
    QString ParameterEdits::*member;
};

constexpr std::array<EditSlot, 15> kEditSlots{{
    {"ON", &ParameterEdits::userName},
    {"DN", &ParameterEdits::deviceName},
    {"IP", &ParameterEdits::ipAddressField},
    {"PN", &ParameterEdits::port},
    {"DI", &ParameterEdits::destinationIp},
    {"DP", &ParameterEdits::destinationPort},
    {"GI", &ParameterEdits::gatewayIp},
    {"NM", &ParameterEdits::netmask},
    {"TP", &ParameterEdits::protocol},
    {"RM", &ParameterEdits::workMode},
    {"FC", &ParameterEdits::rtsCts},
    {"DT", &ParameterEdits::dtr},
    {"BR", &ParameterEdits::baudRate},
    {"PR", &ParameterEdits::parity},
    {"BB", &ParameterEdits::dataBits},
}};

}  // namespace

ParameterEdits editsFrom(const DeviceParameters& parameters) {
    ParameterEdits edits;
    for (const EditSlot& slot : kEditSlots) {
        edits.*slot.member = *parameters.valueByCode(QString::fromLatin1(slot.code));
    }
    return edits;
}

const QString* editByCode(const QString& code, const ParameterEdits& edits) {
    for (const EditSlot& slot : kEditSlots) {
        if (code == QLatin1StringView(slot.code)) return &(edits.*slot.member);
    }
    return nullptr;
}

QString* editByCode(const QString& code, ParameterEdits& edits) {
    return const_cast<QString*>(editByCode(code, std::as_const(edits)));
}

void applyEdits(DeviceParameters& parameters, const ParameterEdits& edits) {
    parameters.userName = edits.userName;
    parameters.deviceName = edits.deviceName;
    parameters.port = edits.port;
    parameters.destinationIp = edits.destinationIp;
    parameters.destinationPort = edits.destinationPort;
    parameters.gatewayIp = edits.gatewayIp;
    parameters.netmask = edits.netmask;
    parameters.protocol = edits.protocol;
    parameters.workMode = edits.workMode;
    parameters.rtsCts = edits.rtsCts;
    parameters.dtr = edits.dtr;
    parameters.baudRate = edits.baudRate;
    parameters.parity = edits.parity;
    parameters.dataBits = edits.dataBits;
}

}  // namespace serverconf
