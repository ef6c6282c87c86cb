#pragma once
// Text in code page 936 (GBK), the encoding of the device servers' values and
// of the device configuration files.

#include <QByteArray>
#include <QString>

namespace serverconf {

// True when code page 936 can be encoded and decoded here.
bool gbkAvailable();

QByteArray toGbk(const QString& text);
QString fromGbk(const QByteArray& bytes);

}  // namespace serverconf
