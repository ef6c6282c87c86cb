#include "profile_load.h"

#include "params/device_profile.h"
#include "value_checks.h"

namespace serverconf {

QSet<int> takenFromProfile(const DeviceParameters& loaded, const QSet<int>& keysGiven) {
    QSet<int> taken;
    for (const int tag : keysGiven) {
        const ParameterDefinition* definition = parameterByGetTag(tag);
        if (!definition) continue;
        const QString code = QString::fromLatin1(definition->code);
        const QString& value = loaded.*definition->member;
        if (code == u"FE") continue;
        if (value.isEmpty() && code != u"ON" && code != u"DN") continue;
        if (isListParameter(code) && !isListChoice(code, value)) continue;
        taken.insert(tag);
    }
    return taken;
}

QStringList codesKeptByProfile(const QSet<int>& taken) {
    QStringList kept;
    for (const char* code : kProfileLoadOrder) {
        if (!taken.contains(parameterByCode(QString::fromLatin1(code))->getTag)) kept.append(QString::fromLatin1(code));
    }
    return kept;
}

void applyLoadedProfile(const DeviceParameters& loaded, const QSet<int>& taken, ParameterEdits& edits,
                        DeviceParameters& parameters) {
    for (const int tag : taken) {
        const ParameterDefinition& definition = *parameterByGetTag(tag);
        const QString value = loaded.*definition.member;
        if (QString* shown = editByCode(QString::fromLatin1(definition.code), edits)) {
            *shown = value;
        } else {
            parameters.*definition.member = value;
        }
    }
}

}  // namespace serverconf
