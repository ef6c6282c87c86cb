#pragma once
// What the window and the command line tell the user about the outcomes the
// device operations report. The texts live here, in the user-interface
// layers, so that both fronts say the same and the operations stay free of
// wording. Each is shown through userMessage(), in the run's language.

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace serverconf {

inline constexpr const char* kUserMessagesContext = "serverconf::UserMessages";

// A device command without a selected row (caption "提示").
inline constexpr const char* kNoDeviceSelectedMessage = QT_TRANSLATE_NOOP("serverconf::UserMessages", "没有选择设备!");
// A read-out that got no MAC address, or a write without a route to the
// device (caption "提示").
inline constexpr const char* kCheckConnectionMessage =
    QT_TRANSLATE_NOOP("serverconf::UserMessages", "请检查设备与pc连线状态!");
// A get reply under 2 bytes (caption: the program's name); it says nothing
// in any language, so it has no translation.
inline constexpr const char* kShortReplyMessage = "sdfsdfsd";
// The update window after a write or the factory defaults.
inline constexpr const char* kUpdatingDeviceMessage =
    QT_TRANSLATE_NOOP("serverconf::UserMessages", "正在更新设备，请等待!");
// A write with an IP field that is not a dotted IPv4 address (caption "提示").
inline constexpr const char* kMalformedIpAddressMessage =
    QT_TRANSLATE_NOOP("serverconf::UserMessages", "IP地址格式不对!");
// A new IP address a device cannot be reached at: 0.0.0.0, 255.255.255.255
// or multicast (caption "提示").
inline constexpr const char* kUnusableIpAddressMessage =
    QT_TRANSLATE_NOOP("serverconf::UserMessages", "IP地址不能是0.0.0.0、255.255.255.255或组播地址!");
// A chosen file that is not a configuration file (wrong extension, not a
// readable file, or no "main" section with a parameter key), and a failed save.
inline constexpr const char* kWrongProfileFormatMessage =
    QT_TRANSLATE_NOOP("serverconf::UserMessages", "所选文件格式不对!");
inline constexpr const char* kProfileNotSavedMessage =
    QT_TRANSLATE_NOOP("serverconf::UserMessages", "配置文件保存失败!");
// Said at start-up when code page 936 is missing; without it every value
// would go to the devices empty, so the programs refuse to run.
inline constexpr const char* kGbkMissingMessage =
    QT_TRANSLATE_NOOP("serverconf::UserMessages", "GBK 编码（代码页 936）不可用，程序无法运行。");

// A read-out whose MAC address is not the one of the device's list row:
// another device answered; nothing is shown or written (caption "提示").
inline constexpr const char* kWrongDeviceMessage = QT_TRANSLATE_NOOP("serverconf::UserMessages", "设备MAC地址不符!");
// Followed by the parameters named ("ML, MD" on the command line, the
// field names in the window), "、" or ", " between them.
inline constexpr const char* kNotReadMessage = QT_TRANSLATE_NOOP("serverconf::UserMessages", "以下参数未读到: ");
inline constexpr const char* kLeftOutMessage =
    QT_TRANSLATE_NOOP("serverconf::UserMessages", "以下参数未读到，未写入: ");
inline constexpr const char* kNotTakenMessage = QT_TRANSLATE_NOOP("serverconf::UserMessages", "以下参数未设置成功: ");
// A field or list of the property dialog whose value a read-out did not
// bring: its placeholder and its tooltip.
inline constexpr const char* kNotReadPlaceholder = QT_TRANSLATE_NOOP("serverconf::UserMessages", "未读到");
inline constexpr const char* kNotReadTooltip =
    QT_TRANSLATE_NOOP("serverconf::UserMessages", "未从设备读到此值，确定时不写入");
// Save while values are still marked not read, followed by their names.
inline constexpr const char* kNotReadNotSavedMessage =
    QT_TRANSLATE_NOOP("serverconf::UserMessages", "以下参数未读到，不能保存: ");
// A change of IP after which the refreshed list does not show the device at
// its new address (caption "提示").
inline constexpr const char* kNotAtNewAddressMessage =
    QT_TRANSLATE_NOOP("serverconf::UserMessages", "设备未在新IP地址出现!");

// The tooltip of a row whose address another listed device holds.
inline constexpr const char* kAddressConflictTooltip =
    QT_TRANSLATE_NOOP("serverconf::UserMessages", "IP地址冲突: 另一台设备使用同一地址, 按MAC地址访问");
// The tooltip of a row found by a unicast search of an address range.
inline constexpr const char* kFoundByUnicastTooltip =
    QT_TRANSLATE_NOOP("serverconf::UserMessages", "单播搜索到的设备, 按IP地址访问");
// Confirm on a row whose address another device holds: "B" would reach both
// (caption "提示").
inline constexpr const char* kConfirmConflictMessage =
    QT_TRANSLATE_NOOP("serverconf::UserMessages", "IP地址冲突, 不能确认设备!");
// An address several listed devices hold, given where one device is meant;
// their MAC addresses follow.
inline constexpr const char* kSeveralDevicesAtAddressMessage =
    QT_TRANSLATE_NOOP("serverconf::UserMessages", "多台设备使用此IP地址, 请用MAC地址选择: ");
// A MAC address listed on several interfaces; the interfaces follow.
inline constexpr const char* kSeveralInterfacesMessage =
    QT_TRANSLATE_NOOP("serverconf::UserMessages", "此设备在多个网络接口上, 请用--interface选择: ");

// A range search whose ends are not addresses, end before they start or
// span more addresses than one search probes (caption "提示").
inline constexpr const char* kRangeRefusedMessage =
    QT_TRANSLATE_NOOP("serverconf::UserMessages", "搜索范围不对: 起始IP不大于结束IP, 最多4096个地址!");

// A new address another listed device holds: the MAC addresses of those
// devices follow (caption "提示").
inline constexpr const char* kAddressTakenMessage =
    QT_TRANSLATE_NOOP("serverconf::UserMessages", "此IP地址已被其他设备使用: ");

// A factory reset that gives the device the factory address (%1), which
// other listed devices hold: their MAC addresses follow. The reset goes on;
// the user is told of the conflict it makes (caption "提示").
inline constexpr const char* kFactoryAddressTakenMessage =
    QT_TRANSLATE_NOOP("serverconf::UserMessages", "出厂设置后设备IP为%1, 此地址已被其他设备使用: ");

// `message`, one of the texts above, in the run's language.
inline QString userMessage(const char* message) { return QCoreApplication::translate(kUserMessagesContext, message); }

// kAddressTakenMessage naming the devices of `macAddresses`.
inline QString addressTakenNotice(const QStringList& macAddresses) {
    return userMessage(kAddressTakenMessage) + macAddresses.join(QStringLiteral(", "));
}

// kFactoryAddressTakenMessage for `factoryAddress`, naming the devices of `macAddresses`.
inline QString factoryAddressTakenNotice(const QString& factoryAddress, const QStringList& macAddresses) {
    return userMessage(kFactoryAddressTakenMessage).arg(factoryAddress) + macAddresses.join(QStringLiteral(", "));
}

}  // namespace serverconf
