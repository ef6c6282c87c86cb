#pragma once
// The device server as the simulator plays it, written out here on its own
// (never taken from serverconf, the program the simulator is a peer to): the
// 21 parameters with their two-letter codes, get tags, set tags and factory
// values, and the values one device holds.

#include <QMap>
#include <QString>
#include <QStringView>

#include <array>

namespace devicesim {

struct ParameterDescription {
    const char* code;          // two capital letters, as on the wire
    int getTag;                // "G" + code + "|" + getTag
    int setTag;                // "S" + code + value + "|" + setTag; 0: never set (FE) or see kIpSetTags
    const char* factoryValue;  // what a device holds when nothing else is given
};

inline constexpr int kParameterCount = 21;

// In the order of the get tags.
inline constexpr std::array<ParameterDescription, kParameterCount> kDeviceParameters{{
    {"ON", 1, 18, ""},         {"DN", 2, 19, ""},           {"FE", 3, 0, ""},       {"IP", 4, 0, "192.168.1.24"},
    {"PN", 5, 21, "1001"},     {"TP", 6, 20, "0"},          {"RM", 7, 22, "0"},     {"CM", 8, 29, "1"},
    {"CT", 9, 30, "5"},        {"FC", 10, 23, "1"},         {"DT", 11, 24, "0"},    {"BR", 12, 25, "5"},
    {"PR", 13, 26, "0"},       {"BB", 14, 27, "1"},         {"RC", 15, 28, "0"},    {"ML", 16, 31, "255"},
    {"MD", 17, 32, "1"},       {"DI", 18, 33, "127.0.0.2"}, {"DP", 19, 34, "1001"}, {"GI", 20, 35, "127.0.0.1"},
    {"NM", 21, 36, "0.0.0.0"},
}};

// "SIP" carries its tag by exchange: a unicast write, a broadcast write or
// factory reset, a change of IP address.
inline constexpr std::array<int, 3> kIpSetTags{37, 33, 34};

// The parameter with exactly this code (capitals), or nullptr.
const ParameterDescription* parameterByCode(QStringView code);
// True when `tag` is a set tag of the parameter (one of kIpSetTags for IP).
bool isSetTagOf(const ParameterDescription& parameter, int tag);

// The values of one device by code: MAC (FE), user (ON), device name (DN),
// its reported address (IP), ...
using DeviceValues = QMap<QString, QString>;

// Every parameter at its factory value; FE empty.
DeviceValues factoryValues();

}  // namespace devicesim
