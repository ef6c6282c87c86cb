#include "device_parameters.h"

#include <algorithm>

namespace serverconf {

namespace {

// Empties every value whose code is not in `kept`.
void clearAllBut(DeviceParameters& parameters, std::initializer_list<QString DeviceParameters::*> kept) {
    for (const ParameterDefinition& definition : kParameters) {
        if (std::find(kept.begin(), kept.end(), definition.member) == kept.end())
            (parameters.*definition.member).clear();
    }
}

}  // namespace

void DeviceParameters::clearForNewSearch() {
    clearAllBut(*this, {&DeviceParameters::destinationIp, &DeviceParameters::destinationPort,
                        &DeviceParameters::gatewayIp, &DeviceParameters::netmask});
}

void DeviceParameters::clearOnCancel() { clearAllBut(*this, {&DeviceParameters::ipAddress}); }

QString* DeviceParameters::valueByCode(QStringView code) {
    const ParameterDefinition* definition = parameterByCode(code);
    return definition ? &(this->*definition->member) : nullptr;
}

const QString* DeviceParameters::valueByCode(QStringView code) const {
    return const_cast<DeviceParameters*>(this)->valueByCode(code);
}

QString* DeviceParameters::valueByGetTag(int getTag) {
    const ParameterDefinition* definition = parameterByGetTag(getTag);
    return definition ? &(this->*definition->member) : nullptr;
}

const QString* DeviceParameters::valueByGetTag(int getTag) const {
    return const_cast<DeviceParameters*>(this)->valueByGetTag(getTag);
}

bool DeviceParameters::storeReply(int getTag, const QString& value) {
    QString* target = valueByGetTag(getTag);
    if (!target) return false;
    *target = value;
    return true;
}

const ParameterDefinition* parameterByCode(QStringView code) {
    for (const ParameterDefinition& definition : kParameters) {
        if (code.compare(QLatin1StringView(definition.code), Qt::CaseInsensitive) == 0) return &definition;
    }
    return nullptr;
}

const ParameterDefinition* parameterByGetTag(int getTag) {
    if (getTag < 1 || getTag > kParameterCount) return nullptr;
    return &kParameters[getTag - 1];
}

std::array<const ParameterDefinition*, kLastSetTag - kFirstSetTag + 1> setRequestOrder() {
    std::array<const ParameterDefinition*, kLastSetTag - kFirstSetTag + 1> order{};
    for (const ParameterDefinition& definition : kParameters) {
        if (definition.setTag >= kFirstSetTag && definition.setTag <= kLastSetTag)
            order[definition.setTag - kFirstSetTag] = &definition;
    }
    return order;
}

DeviceParameters factoryParameters() {
    DeviceParameters parameters;
    for (const ParameterDefinition& definition : kParameters)
        parameters.*definition.member = QString::fromLatin1(definition.factoryValue);
    return parameters;
}

void DeviceSession::clearForNewSearch() { parameters.clearForNewSearch(); }

void DeviceSession::clearOnCancel() { parameters.clearOnCancel(); }

}  // namespace serverconf
