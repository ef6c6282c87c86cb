#pragma once
// The 21 configuration parameters of a device server, the table that names
// them (two-letter code, get tag, set tag, factory value), and the session
// that carries them between the windows.
// Every value is text, exactly as exchanged with the device; an empty text
// means "not read".

#include <QString>
#include <QStringView>

#include <array>

namespace serverconf {

struct DeviceParameters {
    QString userName;          // ON, get tag 1
    QString deviceName;        // DN, get tag 2
    QString macAddress;        // FE, get tag 3 (read only)
    QString ipAddress;         // IP, get tag 4 (the device's reported address)
    QString port;              // PN, get tag 5
    QString protocol;          // TP, get tag 6
    QString workMode;          // RM, get tag 7
    QString connectMode;       // CM, get tag 8
    QString connectTimeLimit;  // CT, get tag 9
    QString rtsCts;            // FC, get tag 10
    QString dtr;               // DT, get tag 11
    QString baudRate;          // BR, get tag 12
    QString parity;            // PR, get tag 13
    QString dataBits;          // BB, get tag 14
    QString onTheFly;          // RC, get tag 15
    QString maxPacketCount;    // ML, get tag 16
    QString maxCharDelay;      // MD, get tag 17
    QString destinationIp;     // DI, get tag 18
    QString destinationPort;   // DP, get tag 19
    QString gatewayIp;         // GI, get tag 20
    QString netmask;           // NM, get tag 21

    // Empties every value except destinationIp, destinationPort, gatewayIp
    // and netmask (a search keeps those of the device read before).
    void clearForNewSearch();
    // Empties every value except ipAddress (the property dialog's Cancel).
    void clearOnCancel();

    // Value by two-letter code, compared without case; nullptr for an
    // unknown code.
    QString* valueByCode(QStringView code);
    const QString* valueByCode(QStringView code) const;
    // Value by get tag 1..21; nullptr for any other tag.
    QString* valueByGetTag(int getTag);
    const QString* valueByGetTag(int getTag) const;

    // Replaces the value named by a get tag; a tag outside 1..21 changes
    // nothing and yields false.
    bool storeReply(int getTag, const QString& value);

    bool operator==(const DeviceParameters&) const = default;
};

// Set tags of the "SIP" request, which depend on how the device is reached.
inline constexpr int kSetIpUnicastTag = 37;    // unicast write
inline constexpr int kSetIpBroadcastTag = 33;  // broadcast write, factory reset
inline constexpr int kSetIpChangeTag = 34;     // change of IP address

struct ParameterDefinition {
    const char* code;  // two capital letters
    int getTag;        // 1..21, the order of the get requests
    // 18..36, the order of the set requests of a write; 0 for FE (never
    // set) and IP (its tag depends on the exchange, see kSetIp*Tag).
    int setTag;
    QString DeviceParameters::*member;
    // Value a factory reset sends. FE has none (the device's own MAC); the IP
    // value is sent only when the device is reached by broadcast.
    const char* factoryValue;
};

inline constexpr int kParameterCount = 21;
inline constexpr int kFirstSetTag = 18;
inline constexpr int kLastSetTag = 36;

// In get-tag order: kParameters[i].getTag == i + 1.
inline constexpr std::array<ParameterDefinition, kParameterCount> kParameters{{
    {"ON", 1, 18, &DeviceParameters::userName, ""},
    {"DN", 2, 19, &DeviceParameters::deviceName, ""},
    {"FE", 3, 0, &DeviceParameters::macAddress, ""},
    {"IP", 4, 0, &DeviceParameters::ipAddress, "192.168.1.24"},
    {"PN", 5, 21, &DeviceParameters::port, "1001"},
    {"TP", 6, 20, &DeviceParameters::protocol, "0"},
    {"RM", 7, 22, &DeviceParameters::workMode, "0"},
    {"CM", 8, 29, &DeviceParameters::connectMode, "1"},
    {"CT", 9, 30, &DeviceParameters::connectTimeLimit, "5"},
    {"FC", 10, 23, &DeviceParameters::rtsCts, "1"},
    {"DT", 11, 24, &DeviceParameters::dtr, "0"},
    {"BR", 12, 25, &DeviceParameters::baudRate, "5"},
    {"PR", 13, 26, &DeviceParameters::parity, "0"},
    {"BB", 14, 27, &DeviceParameters::dataBits, "1"},
    {"RC", 15, 28, &DeviceParameters::onTheFly, "0"},
    {"ML", 16, 31, &DeviceParameters::maxPacketCount, "255"},
    {"MD", 17, 32, &DeviceParameters::maxCharDelay, "1"},
    {"DI", 18, 33, &DeviceParameters::destinationIp, "127.0.0.2"},
    {"DP", 19, 34, &DeviceParameters::destinationPort, "1001"},
    {"GI", 20, 35, &DeviceParameters::gatewayIp, "127.0.0.1"},
    {"NM", 21, 36, &DeviceParameters::netmask, "0.0.0.0"},
}};

// Definition by code (without case) or by get tag; nullptr when unknown.
const ParameterDefinition* parameterByCode(QStringView code);
const ParameterDefinition* parameterByGetTag(int getTag);

// The 19 parameters a write or factory reset sends before "SIP", in the
// order of their set tags 18..36.
std::array<const ParameterDefinition*, kLastSetTag - kFirstSetTag + 1> setRequestOrder();

// Parameter set with every value at its factory value (macAddress empty,
// ipAddress "192.168.1.24").
DeviceParameters factoryParameters();

// The parameter set of the device being worked on, shared by the windows.
// How that device is reached is no part of it: each read-out returns its
// own route (DeviceRoute) for the operations started from its dialog.
struct DeviceSession {
    DeviceParameters parameters;

    // After a search (its progress window closed): parameters.clearForNewSearch().
    void clearForNewSearch();
    // Property dialog cancelled: parameters.clearOnCancel().
    void clearOnCancel();
};

}  // namespace serverconf
