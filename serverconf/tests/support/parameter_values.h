#pragma once
// Builds a parameter set from code=value pairs over `base` (by default all empty).

#include "device/device_parameters.h"

#include <initializer_list>
#include <utility>

namespace serverconf::testing {

inline DeviceParameters parametersWith(std::initializer_list<std::pair<const char*, const char*>> values,
                                       DeviceParameters base = {}) {
    DeviceParameters parameters = std::move(base);
    for (const auto& [code, value] : values)
        *parameters.valueByCode(QString::fromLatin1(code)) = QString::fromUtf8(value);
    return parameters;
}

}  // namespace serverconf::testing
