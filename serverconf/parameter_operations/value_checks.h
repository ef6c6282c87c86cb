#pragma once
// The values a write may send: a value that would strand the device (a name
// longer than its field, a port nobody can reach, an address the device
// cannot take, a list value the device does not know) is found here, as a
// pure check shared by the property dialog and the command line, which word
// the fault each in its own way.

#include "device/parameter_edits.h"

#include <QSet>
#include <QString>

#include <optional>

namespace serverconf {

// Names (ON, DN) hold at most this many bytes of code page 936.
inline constexpr int kNameByteLimit = 8;

enum class ValueFault {
    NameTooLong,         // ON, DN over kNameByteLimit bytes
    PortOutOfRange,      // PN, DP not a decimal number within 1..65535
    NotAChoice,          // a list value that no entry of its list has
    NotDottedAddress,    // IP, DI, GI, NM not a dotted IPv4 address
    UnusableOwnAddress,  // IP 0.0.0.0, 255.255.255.255 or multicast
};

struct ValueProblem {
    QString code;
    ValueFault fault;

    bool operator==(const ValueProblem&) const = default;
};

// True for the codes that the dialogs show as a list (TP, RM, CM, CT, FC,
// DT, RC, BR, PR, BB).
bool isListParameter(const QString& code);
// True when `value` is an entry of the list that shows parameter `code`;
// false for other codes.
bool isListChoice(const QString& code, const QString& value);

// What is wrong with `value` as the value of parameter `code` (IP: the
// device's new address); nullopt when it may be sent or the code has no
// rule (ML, MD and codes that are not parameters).
std::optional<ValueFault> valueFault(const QString& code, const QString& value);

// The first field of the property dialog's edits (ON, DN, IP, PN, DI, DP,
// GI, NM in that order) whose value may not be sent; fields whose get tag
// is in `leftOut` are not sent and not checked.
std::optional<ValueProblem> firstFieldProblem(const ParameterEdits& edits, const QSet<int>& leftOut);

}  // namespace serverconf
