#include "same_network.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <optional>

namespace serverconf {
namespace {

std::optional<std::array<int, 4>> dottedNumbers(const QString& text) {
    const QStringList parts = text.split(u'.');
    if (parts.size() != 4) return std::nullopt;
    std::array<int, 4> numbers{};
    for (int i = 0; i < 4; ++i) {
        const QString& part = parts[i];
        if (part.isEmpty() || part.size() > 3) return std::nullopt;
        for (QChar c : part) {
            if (c < u'0' || c > u'9') return std::nullopt;
        }
        numbers[i] = part.toInt();
        if (numbers[i] > 255) return std::nullopt;
    }
    return numbers;
}

}  // namespace

bool isSameNetwork(const QString& localAddress, const QString& deviceAddress) {
    const auto local = dottedNumbers(localAddress);
    const auto device = dottedNumbers(deviceAddress);
    if (!local || !device) return false;
    return (*local)[0] == (*device)[0] && (*local)[1] == (*device)[1] && (*local)[2] == (*device)[2];
}

bool isOnAnyLocalNetwork(const QStringList& localAddresses, const QString& deviceAddress) {
    return std::any_of(localAddresses.cbegin(), localAddresses.cend(),
                       [&](const QString& local) { return isSameNetwork(local, deviceAddress); });
}

bool isDottedAddress(const QString& text) { return dottedNumbers(text).has_value(); }

bool isSameAddress(const QString& first, const QString& second) {
    const auto a = dottedNumbers(first);
    return a && a == dottedNumbers(second);
}

}  // namespace serverconf
