#pragma once
// Text in code page 936 (GBK), the encoding of the device servers' values and
// of the device configuration files.

#include <QByteArray>
#include <QString>

namespace serverconf {

// Said at start-up when the codec is missing; without it every value would
// go to the devices empty, so the programs refuse to run.
inline constexpr const char* kGbkMissingMessage = "GBK 编码（代码页 936）不可用，程序无法运行。";

// True when code page 936 can be encoded and decoded here.
bool gbkAvailable();

QByteArray toGbk(const QString& text);
QString fromGbk(const QByteArray& bytes);

}  // namespace serverconf
