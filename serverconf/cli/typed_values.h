#pragma once
// The edits a loaded *.ds file and the values typed on the command line
// make, by the rules of the property dialog's fields and lists, as pure
// functions, so the command line writes exactly what the dialog's OK would
// write.

#include "device/device_parameters.h"
#include "device/parameter_edits.h"

#include <QList>
#include <QPair>
#include <QSet>
#include <QString>

namespace serverconf {

// True when `value` is an entry of the list that shows parameter `code`
// (TP, RM, CM, CT, FC, DT, RC, BR, PR, BB); false for other codes.
bool isListChoice(const QString& code, const QString& value);
// True for the codes that the dialog shows as a list.
bool isListParameter(const QString& code);

// Load of a *.ds file (read with loadDeviceProfileFile): fields take the
// file's text (empty when the key is missing), lists take a value only when
// it is one of their entries, and CT, CM, ML, MD and RC replace the values
// in the parameter set. The MAC address is never loaded.
void applyLoadedProfile(const DeviceParameters& loaded, ParameterEdits& edits, DeviceParameters& parameters);

// One CODE=VALUE typed on the command line, applied where the dialogs would
// take it (IP is the new address typed into the IP field). False, with the
// reason, for an unknown code, FE, or a value that no list entry has.
bool applyTypedValue(const QString& code, const QString& value, ParameterEdits& edits, DeviceParameters& parameters,
                     QString& error);

// The get tags of the values the user gives: each typed CODE=VALUE, and
// each key of a loaded file (`loadedKeys`, from loadDeviceProfileFile)
// whose value the dialog would take (a list takes only one of its entries).
QSet<int> givenValueTags(const QList<QPair<QString, QString>>& typedValues, const DeviceParameters& loaded,
                         const QSet<int>& loadedKeys);

// Whether every typed CODE=VALUE would be taken by applyTypedValue (false,
// with the first reason), checked before anything is sent to any device.
bool typedValuesFit(const QList<QPair<QString, QString>>& typedValues, QString& error);

}  // namespace serverconf
