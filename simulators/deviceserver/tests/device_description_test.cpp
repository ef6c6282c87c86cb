// The simulator's own description of the device, held against the wire
// texts written out literally: every get request in get-tag order with the
// factory value a fresh device answers, and every set request in the order a
// write sends them, each read back by its get request.

#include "device_option.h"
#include "simulated_device.h"

#include <gtest/gtest.h>

namespace devicesim {
namespace {

struct Exchange {
    const char* request;
    const char* reply;
};

SimulatedDevice freshDevice() {
    QString error;
    const std::optional<DeviceConfig> config = parseDeviceOption(QStringLiteral("addr=127.0.0.5"), error);
    EXPECT_TRUE(config) << error.toStdString();
    return SimulatedDevice(config.value_or(DeviceConfig{}));
}

QList<QByteArray> replies(SimulatedDevice& device, const QByteArray& request) {
    QList<QByteArray> texts;
    for (const OutgoingReply& reply : device.handle(parseDeviceRequest(request), false).replies) texts << reply.text;
    return texts;
}

TEST(DeviceDescription, AFreshDeviceAnswersTheGetRequestsInTagOrderWithItsFactoryValues) {
    const Exchange gets[] = {
        {"GON|1", "|1"},
        {"GDN|2", "|2"},
        {"GFE|3", "127000000005|3"},
        {"GIP|4", "127.0.0.5|4"},
        {"GPN|5", "1001|5"},
        {"GTP|6", "0|6"},
        {"GRM|7", "0|7"},
        {"GCM|8", "1|8"},
        {"GCT|9", "5|9"},
        {"GFC|10", "1|10"},
        {"GDT|11", "0|11"},
        {"GBR|12", "5|12"},
        {"GPR|13", "0|13"},
        {"GBB|14", "1|14"},
        {"GRC|15", "0|15"},
        {"GML|16", "255|16"},
        {"GMD|17", "1|17"},
        {"GDI|18", "127.0.0.2|18"},
        {"GDP|19", "1001|19"},
        {"GGI|20", "127.0.0.1|20"},
        {"GNM|21", "0.0.0.0|21"},
    };
    SimulatedDevice device = freshDevice();
    for (const Exchange& get : gets) {
        EXPECT_EQ(replies(device, get.request), QList<QByteArray>{get.reply}) << get.request;
    }
}

TEST(DeviceDescription, EverySetRequestOfAWriteReachesTheValueItsGetRequestReads) {
    // The 19 set requests with tags 18..36 in the order a write sends them,
    // then "SIP" (37 in a unicast write; 33 and 34 elsewhere); "E" applies.
    const struct {
        const char* set;
        const char* get;
        const char* reply;
    } sets[] = {
        {"SONops|18", "GON|1", "ops|1"},
        {"SDNgate|19", "GDN|2", "gate|2"},
        {"STP1|20", "GTP|6", "1|6"},
        {"SPN4001|21", "GPN|5", "4001|5"},
        {"SRM2|22", "GRM|7", "2|7"},
        {"SFC0|23", "GFC|10", "0|10"},
        {"SDT1|24", "GDT|11", "1|11"},
        {"SBR11|25", "GBR|12", "11|12"},
        {"SPR4|26", "GPR|13", "4|13"},
        {"SBB0|27", "GBB|14", "0|14"},
        {"SRC1|28", "GRC|15", "1|15"},
        {"SCM3|29", "GCM|8", "3|8"},
        {"SCT9|30", "GCT|9", "9|9"},
        {"SML128|31", "GML|16", "128|16"},
        {"SMD4|32", "GMD|17", "4|17"},
        {"SDI10.0.0.2|33", "GDI|18", "10.0.0.2|18"},
        {"SDP4002|34", "GDP|19", "4002|19"},
        {"SGI10.0.0.1|35", "GGI|20", "10.0.0.1|20"},
        {"SNM255.0.0.0|36", "GNM|21", "255.0.0.0|21"},
        {"SIP192.168.1.50|37", "GIP|4", "192.168.1.50|4"},
    };
    SimulatedDevice device = freshDevice();
    replies(device, "L");
    for (const auto& row : sets) replies(device, row.set);
    replies(device, "E");
    for (const auto& row : sets) EXPECT_EQ(replies(device, row.get), QList<QByteArray>{row.reply}) << row.set;
}

}  // namespace
}  // namespace devicesim
