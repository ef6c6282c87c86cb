#include "address_range.h"

#include "channel/same_network.h"

#include <QCoreApplication>
#include <QHostAddress>

#include <algorithm>
#include <set>

namespace serverconf {
namespace {

struct AddressRangeTexts {
    Q_DECLARE_TR_FUNCTIONS(AddressRange)
};

std::optional<quint32> addressValue(const QString& text) {
    if (!isDottedAddress(text)) return std::nullopt;
    return QHostAddress(text).toIPv4Address();
}

std::optional<QStringList> spanAddresses(quint64 first, quint64 last, const QString& range, QString& error) {
    if (first > last) {
        error = AddressRangeTexts::tr("the range %1 ends before it starts").arg(range);
        return std::nullopt;
    }
    if (last - first + 1 > quint64(kMaxRangeAddresses)) {
        error = AddressRangeTexts::tr("the range %1 holds more than %2 addresses").arg(range).arg(kMaxRangeAddresses);
        return std::nullopt;
    }
    QStringList addresses;
    for (quint64 value = first; value <= last; ++value) addresses << QHostAddress(quint32(value)).toString();
    return addresses;
}

}  // namespace

std::optional<QStringList> addressesFromTo(const QString& first, const QString& last, QString& error) {
    const std::optional<quint32> from = addressValue(first);
    const std::optional<quint32> to = last.isEmpty() ? from : addressValue(last);
    const QString range = last.isEmpty() ? first : first + u'-' + last;
    if (!from || !to) {
        error = AddressRangeTexts::tr("the range %1 is not FIRST-LAST or ADDRESS/PREFIX").arg(range);
        return std::nullopt;
    }
    return spanAddresses(*from, *to, range, error);
}

std::optional<QStringList> rangeAddresses(const QString& range, QString& error) {
    if (const qsizetype dash = range.indexOf(u'-'); dash >= 0) {
        const QString last = range.mid(dash + 1);
        if (last.isEmpty()) {
            error = AddressRangeTexts::tr("the range %1 is not FIRST-LAST or ADDRESS/PREFIX").arg(range);
            return std::nullopt;
        }
        return addressesFromTo(range.left(dash), last, error);
    }
    const qsizetype slash = range.indexOf(u'/');
    bool prefixOk = false;
    const int prefix = slash < 0 ? -1 : range.mid(slash + 1).toInt(&prefixOk);
    const std::optional<quint32> address = slash < 0 ? std::nullopt : addressValue(range.left(slash));
    if (!address || !prefixOk || prefix < 0 || prefix > 32) {
        error = AddressRangeTexts::tr("the range %1 is not FIRST-LAST or ADDRESS/PREFIX").arg(range);
        return std::nullopt;
    }
    const quint64 size = quint64(1) << (32 - prefix);
    const quint64 network = *address & ~quint32(size - 1);
    // The network and broadcast addresses of a prefix name no device.
    const bool hostsOnly = prefix <= 30;
    return spanAddresses(network + (hostsOnly ? 1 : 0), network + size - 1 - (hostsOnly ? 1 : 0), range, error);
}

std::optional<QStringList> rangesAddresses(const QStringList& ranges, QString& error) {
    std::set<quint32> values;
    for (const QString& range : ranges) {
        const std::optional<QStringList> addresses = rangeAddresses(range, error);
        if (!addresses) return std::nullopt;
        for (const QString& address : *addresses) values.insert(QHostAddress(address).toIPv4Address());
        if (values.size() > std::size_t(kMaxRangeAddresses)) {
            error = AddressRangeTexts::tr("the ranges hold more than %1 addresses").arg(kMaxRangeAddresses);
            return std::nullopt;
        }
    }
    QStringList addresses;
    for (const quint32 value : values) addresses << QHostAddress(value).toString();
    return addresses;
}

}  // namespace serverconf
