// GBK through Qt's codecs, which take it from ICU (Linux).
#include "gbk_text.h"

#include "params_log.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace serverconf {

namespace {
constexpr const char* kCodePage936 = "GBK";
}

bool gbkAvailable() {
    const bool available = QStringEncoder(kCodePage936).isValid() && QStringDecoder(kCodePage936).isValid();
    if (!available) qCDebug(lcParams) << "this Qt build has no codec for" << kCodePage936;
    return available;
}

QByteArray toGbk(const QString& text) {
    QStringEncoder encoder(kCodePage936);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError()) qCDebug(lcParams) << "text has characters outside code page 936, replaced:" << text;
    return bytes;
}

QString fromGbk(const QByteArray& bytes) {
    QStringDecoder decoder(kCodePage936);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) qCDebug(lcParams) << "bytes are not valid code page 936, replaced:" << bytes.toHex(' ');
    return text;
}

}  // namespace serverconf
