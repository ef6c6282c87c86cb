// The values a write may send: each rule at its edges, and the dialog's
// field order with the values not read left out.

#include "parameter_operations/value_checks.h"

#include <gtest/gtest.h>

#include <optional>

namespace serverconf {
namespace {

TEST(ValueChecks, ValuesThatWouldStrandTheDeviceAreFoundWithTheirFault) {
    using enum ValueFault;
    const struct {
        const char* code;
        const char* value;
        std::optional<ValueFault> fault;
    } cases[] = {
        {"ON", "", std::nullopt},
        {"ON", "12345678", std::nullopt},
        {"ON", "installer-01", NameTooLong},
        {"DN", "门禁控制", std::nullopt},  // 8 bytes of code page 936
        {"DN", "门禁控制器", NameTooLong},
        {"DN", "abcdefg门", NameTooLong},  // 9 bytes
        {"PN", "1", std::nullopt},
        {"PN", "65535", std::nullopt},
        {"PN", "0", PortOutOfRange},
        {"PN", "65536", PortOutOfRange},
        {"DP", "", PortOutOfRange},
        {"DP", "1001x", PortOutOfRange},
        {"DP", "+80", PortOutOfRange},
        {"IP", "127.0.0.5", std::nullopt},
        {"IP", "127.0.0.1", std::nullopt},  // loopback
        {"IP", "223.255.255.254", std::nullopt},
        {"IP", "0.0.0.0", UnusableOwnAddress},
        {"IP", "000.0.0.00", UnusableOwnAddress},
        {"IP", "255.255.255.255", UnusableOwnAddress},  // checked only: nothing is sent
        {"IP", "224.0.0.1", UnusableOwnAddress},
        {"IP", "239.255.255.255", UnusableOwnAddress},
        {"IP", "240.0.0.1", std::nullopt},
        {"IP", "192.168.1", NotDottedAddress},
        {"IP", "", NotDottedAddress},
        {"NM", "0.0.0.0", std::nullopt},  // the factory netmask
        {"NM", "255.255.255.0", std::nullopt},
        {"NM", "255.255.255.256", NotDottedAddress},
        {"GI", "0.0.0.0", std::nullopt},
        {"GI", "gateway", NotDottedAddress},
        {"DI", "255.255.255.255", std::nullopt},  // checked only: nothing is sent
        {"DI", "1.2.3.4.5", NotDottedAddress},
        {"BR", "11", std::nullopt},
        {"BR", "12", NotAChoice},
        {"RM", "1", NotAChoice},
        {"RM", "2", std::nullopt},
        {"CT", "99", std::nullopt},
        {"CT", "100", NotAChoice},
        {"TP", "01", NotAChoice},
        {"ML", "any text", std::nullopt},
        {"MD", "", std::nullopt},
    };
    for (const auto& check : cases) {
        EXPECT_EQ(valueFault(QString::fromLatin1(check.code), QString::fromUtf8(check.value)), check.fault)
            << check.code << "=" << check.value;
    }
}

TEST(ValueChecks, TheFirstFieldInTheDialogsOrderIsNamedAndFieldsNotReadAreNotChecked) {
    ParameterEdits edits;
    edits.userName = "ops";
    edits.deviceName = "gate";
    edits.ipAddressField = "192.168.1.30";
    edits.port = "1001";
    edits.destinationIp = "127.0.0.2";
    edits.destinationPort = "1001";
    edits.gatewayIp = "127.0.0.1";
    edits.netmask = "0.0.0.0";
    edits.baudRate = "99";  // a list's held value is the device's own
    EXPECT_EQ(firstFieldProblem(edits, {}), std::nullopt);

    edits.netmask = "";
    edits.port = "70000";
    EXPECT_EQ(firstFieldProblem(edits, {}), (ValueProblem{"PN", ValueFault::PortOutOfRange}));
    const int portTag = parameterByCode(u"PN")->getTag;
    EXPECT_EQ(firstFieldProblem(edits, {portTag}), (ValueProblem{"NM", ValueFault::NotDottedAddress}))
        << "a port not read is not sent, so not checked";
    edits.ipAddressField = "255.255.255.255";  // checked only: nothing is sent
    EXPECT_EQ(firstFieldProblem(edits, {portTag}), (ValueProblem{"IP", ValueFault::UnusableOwnAddress}));
}

}  // namespace
}  // namespace serverconf
