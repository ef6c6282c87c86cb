// The simulator's request parser: every request of the protocol, and the
// malformed datagrams a device must shrug off.

#include "device_request.h"

#include <gtest/gtest.h>

namespace devicesim {
namespace {

using Kind = DeviceRequest::Kind;

TEST(DeviceRequest, RecognisesEveryRequestOfTheProtocol) {
    EXPECT_EQ(parseDeviceRequest("X").kind, Kind::Search);
    EXPECT_EQ(parseDeviceRequest("L").kind, Kind::Open);
    EXPECT_EQ(parseDeviceRequest("E").kind, Kind::End);
    EXPECT_EQ(parseDeviceRequest("E|35").kind, Kind::EndChangeIp);
    EXPECT_EQ(parseDeviceRequest("B").kind, Kind::Confirm);

    const DeviceRequest select = parseDeviceRequest("W001122334455");
    EXPECT_EQ(select.kind, Kind::SelectByMac);
    EXPECT_EQ(select.text, "001122334455");

    const DeviceRequest get = parseDeviceRequest("GNM|21");
    EXPECT_EQ(get.kind, Kind::Get);
    EXPECT_EQ(get.code, "NM");
    EXPECT_EQ(get.tag, 21);
}

TEST(DeviceRequest, SetValuesRunFromTheCodeToTheLastBar) {
    const DeviceRequest port = parseDeviceRequest("SPN1001|21");
    EXPECT_EQ(port.kind, Kind::Set);
    EXPECT_EQ(port.code, "PN");
    EXPECT_EQ(port.text, "1001");
    EXPECT_EQ(port.tag, 21);
    EXPECT_EQ(parseDeviceRequest("SON|18").text, "") << "empty value";
    EXPECT_EQ(parseDeviceRequest("SONa|b|18").text, "a|b") << "a bar inside the value is kept";
    for (const char* ip : {"SIP10.0.0.9|37", "SIP10.0.0.9|33", "SIP10.0.0.9|34"}) {
        EXPECT_EQ(parseDeviceRequest(ip).kind, Kind::Set) << ip;
        EXPECT_EQ(parseDeviceRequest(ip).text, "10.0.0.9") << ip;
    }
}

TEST(DeviceRequest, TagsMustBelongToTheirCode) {
    for (const char* wrong : {"GPN|6", "GPN|05", "GPN|5 ", "GPN|", "SPN1001|20", "SIP1.2.3.4|35", "SFE001|18", "gpn|5",
                              "Gpn|5", "GZZ|5", "SZZ1|18", "SPN1001"}) {
        const DeviceRequest request = parseDeviceRequest(wrong);
        EXPECT_EQ(request.kind, Kind::Unknown) << wrong;
        EXPECT_FALSE(request.error.isEmpty()) << wrong;
    }
}

TEST(DeviceRequest, SurvivesAnyBytes) {
    const QByteArray samples[] = {"",
                                  "W",
                                  "G",
                                  "S",
                                  "G|",
                                  "S|",
                                  "SP|",
                                  "SPN|",
                                  "XX",
                                  "E|3",
                                  QByteArray(1, '\0'),
                                  QByteArray(300, 'S'),
                                  QByteArray("G\xff\xfe|1"),
                                  QByteArray("SON\xd5\xc5|18")};
    for (const QByteArray& sample : samples) {
        const DeviceRequest request = parseDeviceRequest(sample);
        EXPECT_TRUE(request.kind != Kind::Unknown || !request.error.isEmpty()) << sample.toHex().constData();
    }
    EXPECT_EQ(parseDeviceRequest("W").kind, Kind::Unknown) << "W without a MAC";
}

}  // namespace
}  // namespace devicesim
