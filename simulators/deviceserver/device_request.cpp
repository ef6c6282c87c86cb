#include "device_request.h"

#include "device_description.h"
#include "wire_text.h"

namespace devicesim {
namespace {

DeviceRequest unknown(const QString& why) {
    DeviceRequest request;
    request.error = why;
    return request;
}

DeviceRequest simple(DeviceRequest::Kind kind) {
    DeviceRequest request;
    request.kind = kind;
    return request;
}

// A decimal tag without sign, leading zero or other characters.
int parseTag(const QByteArray& text) {
    if (text.isEmpty() || text.size() > 2 || text.startsWith('0')) return -1;
    for (char c : text) {
        if (c < '0' || c > '9') return -1;
    }
    return text.toInt();
}

DeviceRequest parseGet(const QByteArray& datagram) {
    // "G" CODE "|" TAG
    if (datagram.size() < 5 || datagram[3] != '|') return unknown("malformed get request");
    const ParameterDescription* parameter = parameterByCode(QString::fromLatin1(datagram.mid(1, 2)));
    if (!parameter) return unknown("unknown parameter code");
    const int tag = parseTag(datagram.mid(4));
    if (tag != parameter->getTag) return unknown("get tag does not belong to the code");
    DeviceRequest request = simple(DeviceRequest::Kind::Get);
    request.code = QString::fromLatin1(parameter->code);
    request.tag = tag;
    return request;
}

DeviceRequest parseSet(const QByteArray& datagram) {
    // "S" CODE value "|" TAG; the value may itself hold bars.
    const qsizetype bar = datagram.lastIndexOf('|');
    if (datagram.size() < 5 || bar < 3) return unknown("malformed set request");
    const ParameterDescription* parameter = parameterByCode(QString::fromLatin1(datagram.mid(1, 2)));
    if (!parameter) return unknown("unknown parameter code");
    const int tag = parseTag(datagram.mid(bar + 1));
    if (!isSetTagOf(*parameter, tag)) return unknown("set tag does not belong to the code");
    DeviceRequest request = simple(DeviceRequest::Kind::Set);
    request.code = QString::fromLatin1(parameter->code);
    request.tag = tag;
    request.text = fromWireText(datagram.mid(3, bar - 3));
    return request;
}

}  // namespace

DeviceRequest parseDeviceRequest(const QByteArray& datagram) {
    if (datagram == "X") return simple(DeviceRequest::Kind::Search);
    if (datagram == "L") return simple(DeviceRequest::Kind::Open);
    if (datagram == "E") return simple(DeviceRequest::Kind::End);
    if (datagram == "E|35") return simple(DeviceRequest::Kind::EndChangeIp);
    if (datagram == "B") return simple(DeviceRequest::Kind::Confirm);
    if (datagram.startsWith('W') && datagram.size() > 1) {
        DeviceRequest request = simple(DeviceRequest::Kind::SelectByMac);
        request.text = fromWireText(datagram.mid(1));
        return request;
    }
    if (datagram.startsWith('G')) return parseGet(datagram);
    if (datagram.startsWith('S')) return parseSet(datagram);
    return unknown(datagram.isEmpty() ? QStringLiteral("empty datagram") : QStringLiteral("unknown request"));
}

}  // namespace devicesim
