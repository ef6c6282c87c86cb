#pragma once
// Parsing of a device's reply to a get request: value + "|" + get tag. Pure
// function; the reading wrapper lives with the read-out.

#include "device/device_parameters.h"

#include <QByteArray>
#include <QString>

namespace serverconf {

struct ParameterReply {
    enum class Kind {
        TooShort,  // fewer than 2 bytes: the user is told, nothing is stored
        Unknown,   // the tag names no parameter: ignored
        Value,     // getTag and value hold what to store
    };
    Kind kind = Kind::Unknown;
    int getTag = 0;   // 1..21 when kind == Value
    QString value;    // every capital A removed
    QString tagText;  // the text after the first bar, bars removed
};

// Decodes the reply (code page 936) and splits it at its first bar. The tag
// text is everything after the bar with all bars removed, matched exactly
// against "1".."21"; without a bar the whole text is the tag and the value is
// empty. Splitting works on characters, so a two-byte character whose second
// byte equals "|" or "A" is neither split nor damaged.
ParameterReply parseParameterReply(const QByteArray& datagram);

// Stores a parsed reply into the parameter set; true when a value was stored.
bool storeParameterReply(DeviceParameters& parameters, const ParameterReply& reply);

}  // namespace serverconf
