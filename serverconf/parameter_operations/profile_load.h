#pragma once
// What a loaded *.ds file changes: only the values it holds. A key the file
// lacks, and a key other than ON and DN that it gives empty, leaves the
// value as it was, so a partial file (one baud rate, say) never blanks the
// rest of a device. The property dialog's Load and the command line's
// write --load both take these rules.

#include "device/device_parameters.h"
#include "device/parameter_edits.h"

#include <QSet>
#include <QStringList>

namespace serverconf {

// The get tags of the values Load takes from `loaded`, a file whose keys'
// get tags are `keysGiven` (from loadDeviceProfileFile): each key given but
// FE, an empty value only for ON and DN (an empty name is a name), and a
// list value only when it is one of the list's entries.
QSet<int> takenFromProfile(const DeviceParameters& loaded, const QSet<int>& keysGiven);

// The codes, in load order, whose values a Load with `taken` leaves as they
// were.
QStringList codesKeptByProfile(const QSet<int>& taken);

// Puts each value of `taken` where the dialogs show it: field texts and list
// values into `edits`, CT, CM, ML, MD and RC into `parameters`.
void applyLoadedProfile(const DeviceParameters& loaded, const QSet<int>& taken, ParameterEdits& edits,
                        DeviceParameters& parameters);

}  // namespace serverconf
