// What the command line takes from a read-out, a *.ds file and typed values:
// exactly what the property dialog would hand to the write.

#include "cli/typed_values.h"

#include <gtest/gtest.h>

namespace serverconf {
namespace {

class TypedValues : public ::testing::Test {
protected:
    void SetUp() override {
        parameters = factoryParameters();
        parameters.macAddress = "001122334455";
        parameters.ipAddress = "192.168.1.30";
        parameters.userName = "ops";
        parameters.baudRate = "3";
        edits = editsFrom(parameters);
    }
    DeviceParameters parameters;
    ParameterEdits edits;
};

TEST_F(TypedValues, TheDialogOpensOnTheReadValues) {
    EXPECT_EQ(edits.userName, "ops");
    EXPECT_EQ(edits.ipAddressField, "192.168.1.30");
    EXPECT_EQ(edits.baudRate, "3");
    EXPECT_EQ(edits.destinationIp, "127.0.0.2");
}

TEST_F(TypedValues, LoadSetsFieldsChoosesOnlyListEntriesAndReplacesAdvancedValues) {
    DeviceParameters loaded;  // every key missing unless set: read as empty
    loaded.deviceName = "door";
    loaded.ipAddress = "192.168.1.31";
    loaded.baudRate = "12";  // no such entry: the list keeps its value
    loaded.workMode = "2";
    loaded.parity = "4";
    loaded.maxPacketCount = "128";
    loaded.macAddress = "FFFFFFFFFFFF";
    applyLoadedProfile(loaded, edits, parameters);

    EXPECT_EQ(edits.userName, "") << "an empty ON empties the field";
    EXPECT_EQ(edits.deviceName, "door");
    EXPECT_EQ(edits.ipAddressField, "192.168.1.31");
    EXPECT_EQ(edits.baudRate, "3");
    EXPECT_EQ(edits.workMode, "2");
    EXPECT_EQ(edits.parity, "4");
    EXPECT_EQ(edits.protocol, "0") << "a missing TP leaves the list as it was";
    EXPECT_EQ(parameters.maxPacketCount, "128");
    EXPECT_EQ(parameters.connectTimeLimit, "") << "advanced values are replaced, empty included";
    EXPECT_EQ(parameters.macAddress, "001122334455") << "a file never changes the MAC address";

    loaded.baudRate = "11";
    loaded.workMode = "1";  // work mode has no entry 1
    applyLoadedProfile(loaded, edits, parameters);
    EXPECT_EQ(edits.baudRate, "11");
    EXPECT_EQ(edits.workMode, "2");
}

TEST_F(TypedValues, TypedValuesGoWhereTheDialogsTakeThem) {
    QString error;
    ASSERT_TRUE(applyTypedValue("IP", "192.168.1.50", edits, parameters, error));
    EXPECT_EQ(edits.ipAddressField, "192.168.1.50");
    EXPECT_EQ(parameters.ipAddress, "192.168.1.30") << "the new address travels only with SIP";
    ASSERT_TRUE(applyTypedValue("BR", "7", edits, parameters, error));
    EXPECT_EQ(edits.baudRate, "7");
    ASSERT_TRUE(applyTypedValue("ML", "any text", edits, parameters, error));
    EXPECT_EQ(parameters.maxPacketCount, "any text");
    ASSERT_TRUE(applyTypedValue("CT", "99", edits, parameters, error));
    EXPECT_EQ(parameters.connectTimeLimit, "99");
    ASSERT_TRUE(applyTypedValue("ON", "", edits, parameters, error));
    EXPECT_EQ(edits.userName, "");

    for (const auto& [code, value] :
         {std::pair{"BR", "12"}, {"RM", "1"}, {"CT", "100"}, {"TP", "01"}, {"FE", "00"}, {"br", "7"}, {"XX", "1"}}) {
        error.clear();
        EXPECT_FALSE(applyTypedValue(code, value, edits, parameters, error)) << code << "=" << value;
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(edits.baudRate, "7") << "a refused value changes nothing";
}

}  // namespace
}  // namespace serverconf
