#include "wire_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace devicesim {

QByteArray toWireText(const QString& text) { return QStringEncoder("GBK").encode(text); }

QString fromWireText(const QByteArray& bytes) { return QStringDecoder("GBK").decode(bytes); }

}  // namespace devicesim
