#pragma once
// Texts on the wire (values, names, MAC) are in code page 936 (GBK).

#include <QByteArray>
#include <QString>

namespace devicesim {

QByteArray toWireText(const QString& text);
QString fromWireText(const QByteArray& bytes);

}  // namespace devicesim
