#include "parameter_edits.h"

#include <QStringList>

#include <array>

namespace serverconf {
namespace {

struct ListChoices {
    const char* code;
    int first;
    int last;
    int skipped;  // a code between first and last that the list lacks, or -1
};

// Work mode has no entry "1": server is "0", client "2".
constexpr std::array<ListChoices, 10> kLists{{
    {"TP", 0, 1, -1}, {"RM", 0, 2, 1}, {"CM", 0, 3, -1}, {"CT", 0, 99, -1}, {"FC", 0, 1, -1},
    {"DT", 0, 1, -1}, {"RC", 0, 1, -1}, {"BR", 0, 11, -1}, {"PR", 0, 4, -1}, {"BB", 0, 1, -1},
}};

const ListChoices* listOf(const QString& code) {
    for (const ListChoices& list : kLists) {
        if (code == QLatin1StringView(list.code)) return &list;
    }
    return nullptr;
}

// The dialog field that shows a parameter as text, or nullptr.
QString* fieldOf(const QString& code, PropertyDialogValues& dialog) {
    if (code == u"ON") return &dialog.userName;
    if (code == u"DN") return &dialog.deviceName;
    if (code == u"IP") return &dialog.ipAddressField;
    if (code == u"PN") return &dialog.port;
    if (code == u"DI") return &dialog.destinationIp;
    if (code == u"DP") return &dialog.destinationPort;
    if (code == u"GI") return &dialog.gatewayIp;
    if (code == u"NM") return &dialog.netmask;
    return nullptr;
}

// The dialog's working value of a list on the main page, or nullptr.
QString* workingValueOf(const QString& code, PropertyDialogValues& dialog) {
    if (code == u"TP") return &dialog.protocol;
    if (code == u"RM") return &dialog.workMode;
    if (code == u"FC") return &dialog.rtsCts;
    if (code == u"DT") return &dialog.dtr;
    if (code == u"BR") return &dialog.baudRate;
    if (code == u"PR") return &dialog.parity;
    if (code == u"BB") return &dialog.dataBits;
    return nullptr;
}

// The five values the advanced dialogs edit in the parameter set.
bool isAdvanced(const QString& code) {
    return QStringList{"CT", "CM", "ML", "MD", "RC"}.contains(code);
}

}  // namespace

bool isListParameter(const QString& code) { return listOf(code) != nullptr; }

bool isListChoice(const QString& code, const QString& value) {
    const ListChoices* list = listOf(code);
    if (!list) return false;
    bool ok = false;
    const int number = value.toInt(&ok);
    // The entries' values are plain decimal texts: "05" or "+5" is no entry.
    return ok && QString::number(number) == value && number >= list->first && number <= list->last &&
           number != list->skipped;
}

PropertyDialogValues dialogValuesFrom(const DeviceParameters& p) {
    PropertyDialogValues dialog;
    dialog.userName = p.userName;
    dialog.deviceName = p.deviceName;
    dialog.port = p.port;
    dialog.ipAddressField = p.ipAddress;
    dialog.destinationIp = p.destinationIp;
    dialog.destinationPort = p.destinationPort;
    dialog.gatewayIp = p.gatewayIp;
    dialog.netmask = p.netmask;
    dialog.protocol = p.protocol;
    dialog.workMode = p.workMode;
    dialog.rtsCts = p.rtsCts;
    dialog.dtr = p.dtr;
    dialog.baudRate = p.baudRate;
    dialog.parity = p.parity;
    dialog.dataBits = p.dataBits;
    dialog.reportedIpAddress = p.ipAddress;
    return dialog;
}

void applyLoadedProfile(const DeviceParameters& loaded, PropertyDialogValues& dialog, DeviceParameters& parameters) {
    for (const ParameterDefinition& definition : kParameters) {
        const QString code = QString::fromLatin1(definition.code);
        const QString& value = loaded.*definition.member;
        if (QString* field = fieldOf(code, dialog)) {
            *field = value;
        } else if (QString* working = workingValueOf(code, dialog)) {
            if (isListChoice(code, value)) *working = value;
        } else if (isAdvanced(code)) {
            parameters.*definition.member = value;
        }
    }
}

bool applyTypedValue(const QString& code, const QString& value, PropertyDialogValues& dialog,
                     DeviceParameters& parameters, QString& error) {
    const ParameterDefinition* definition = parameterByCode(code);
    if (!definition || code != QLatin1StringView(definition->code)) {
        error = QStringLiteral("unknown parameter code %1").arg(code);
        return false;
    }
    if (isListParameter(code) && !isListChoice(code, value)) {
        error = QStringLiteral("%1=%2: not one of the values the list offers").arg(code, value);
        return false;
    }
    if (QString* field = fieldOf(code, dialog)) {
        *field = value;
    } else if (QString* working = workingValueOf(code, dialog)) {
        *working = value;
    } else if (isAdvanced(code)) {
        parameters.*definition->member = value;
    } else {
        error = QStringLiteral("%1 (the MAC address) is read only").arg(code);
        return false;
    }
    return true;
}

}  // namespace serverconf
