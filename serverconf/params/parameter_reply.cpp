#include "parameter_reply.h"

#include "gbk_text.h"
#include "params_log.h"

namespace serverconf {

namespace {

// The tag text must be exactly "1".."21": no sign, no leading zero, no space.
int getTagFromText(const QString& tagText) {
    for (int tag = 1; tag <= kParameterCount; ++tag) {
        if (tagText == QString::number(tag)) return tag;
    }
    return 0;
}

}  // namespace

ParameterReply parseParameterReply(const QByteArray& datagram) {
    ParameterReply reply;
    if (datagram.size() < 2) {
        reply.kind = ParameterReply::Kind::TooShort;
        return reply;
    }
    const QString text = fromGbk(datagram);
    const qsizetype bar = text.indexOf(u'|');
    if (bar < 0) {
        reply.tagText = text;
    } else {
        reply.tagText = text.mid(bar + 1).remove(u'|');
        reply.value = text.left(bar).remove(u'A');
    }
    reply.getTag = getTagFromText(reply.tagText);
    reply.kind = reply.getTag ? ParameterReply::Kind::Value : ParameterReply::Kind::Unknown;
    if (reply.kind == ParameterReply::Kind::Unknown)
        qCDebug(lcParams) << "reply names no parameter, ignored:" << datagram;
    return reply;
}

bool storeParameterReply(DeviceParameters& parameters, const ParameterReply& reply) {
    return reply.kind == ParameterReply::Kind::Value && parameters.storeReply(reply.getTag, reply.value);
}

}  // namespace serverconf
