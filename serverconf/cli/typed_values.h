#pragma once
// The edits the values typed on the command line make, by the rules of the
// property dialog's fields and lists, as pure functions, so the command
// line writes exactly what the dialog's OK would write.

#include "device/device_parameters.h"
#include "device/parameter_edits.h"
#include "parameter_operations/value_checks.h"

#include <QList>
#include <QPair>
#include <QSet>
#include <QString>

namespace serverconf {

// One CODE=VALUE typed on the command line, applied where the dialogs would
// take it (IP is the new address typed into the IP field). False, with the
// reason, for an unknown code, FE, or a value that may not be sent
// (valueFault).
bool applyTypedValue(const QString& code, const QString& value, ParameterEdits& edits, DeviceParameters& parameters,
                     QString& error);

// The get tags of the values the user gives: each typed CODE=VALUE, and
// each value a loaded file gives (`taken`, from takenFromProfile).
QSet<int> givenValueTags(const QList<QPair<QString, QString>>& typedValues, const QSet<int>& taken);

// Whether every typed CODE=VALUE would be taken by applyTypedValue (false,
// with the first reason), checked before anything is sent to any device.
bool typedValuesFit(const QList<QPair<QString, QString>>& typedValues, QString& error);

// Whether every value a loaded file gives (`taken`) may be sent (false,
// with the first reason as "CODE=VALUE: why").
bool loadedValuesFit(const DeviceParameters& loaded, const QSet<int>& taken, QString& error);

// Why `value` may not be sent as parameter `code`, in the command line's words.
QString valueFaultText(const QString& code, const QString& value, ValueFault fault);

}  // namespace serverconf
