#include "request_texts.h"

#include "gbk_text.h"
#include "params_log.h"

namespace serverconf {

QByteArray searchRequest() { return QByteArrayLiteral("X"); }

QByteArray nameDeviceRequest(const QString& macAddress) { return 'W' + toGbk(macAddress); }

QByteArray openExchangeRequest() { return QByteArrayLiteral("L"); }

QByteArray getRequest(int getTag) {
    const ParameterDefinition* definition = parameterByGetTag(getTag);
    if (!definition) {
        qCDebug(lcParams) << "no get request for tag" << getTag;
        return {};
    }
    return 'G' + QByteArray(definition->code) + '|' + QByteArray::number(getTag);
}

QByteArray setRequest(const char* code, const QString& value, int setTag) {
    return 'S' + QByteArray(code) + toGbk(value) + '|' + QByteArray::number(setTag);
}

QByteArray setRequest(const ParameterDefinition& parameter, const QString& value) {
    return setRequest(parameter.code, value, parameter.setTag);
}

QByteArray setIpRequest(const QString& address, int setTag) { return setRequest("IP", address, setTag); }

QByteArray endRequest() { return QByteArrayLiteral("E"); }

QByteArray endChangeIpRequest() { return QByteArrayLiteral("E|35"); }

QByteArray confirmRequest() { return QByteArrayLiteral("B"); }

QByteArray parameterReply(const QString& value, int getTag) { return toGbk(value) + '|' + QByteArray::number(getTag); }

}  // namespace serverconf
