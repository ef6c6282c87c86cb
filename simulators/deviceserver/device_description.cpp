#include "device_description.h"

#include <algorithm>

namespace devicesim {

const ParameterDescription* parameterByCode(QStringView code) {
    const auto* found =
        std::find_if(kDeviceParameters.begin(), kDeviceParameters.end(),
                     [code](const ParameterDescription& p) { return code == QLatin1StringView(p.code); });
    return found == kDeviceParameters.end() ? nullptr : found;
}

bool isSetTagOf(const ParameterDescription& parameter, int tag) {
    if (QLatin1StringView(parameter.code) == QLatin1StringView("IP"))
        return std::find(kIpSetTags.begin(), kIpSetTags.end(), tag) != kIpSetTags.end();
    return parameter.setTag != 0 && parameter.setTag == tag;
}

DeviceValues factoryValues() {
    DeviceValues values;
    for (const ParameterDescription& parameter : kDeviceParameters) {
        values.insert(QLatin1StringView(parameter.code), QLatin1StringView(parameter.factoryValue));
    }
    return values;
}

}  // namespace devicesim
