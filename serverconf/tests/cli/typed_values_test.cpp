// What the command line takes from a read-out and typed values: exactly
// what the property dialog would hand to the write.

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

    for (const auto& [code, value] : {std::pair{"BR", "12"},
                                      {"RM", "1"},
                                      {"CT", "100"},
                                      {"TP", "01"},
                                      {"FE", "00"},
                                      {"br", "7"},
                                      {"XX", "1"},
                                      {"ON", "installer-01"},
                                      {"IP", "0.0.0.0"}}) {
        error.clear();
        EXPECT_FALSE(applyTypedValue(code, value, edits, parameters, error)) << code << "=" << value;
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(edits.baudRate, "7") << "a refused value changes nothing";
}

}  // namespace
}  // namespace serverconf
