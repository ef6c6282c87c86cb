// The parameter table of the device model and the edits a user makes on
// top of a parameter set.

#include "device/device_parameters.h"
#include "device/parameter_edits.h"
#include "parameter_values.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace serverconf {
namespace {

using testing::parametersWith;

TEST(ParameterTable, LookupByCodeIgnoresCaseAndUnknownNamesGiveNothing) {
    DeviceParameters parameters;
    *parameters.valueByCode(u"br") = QStringLiteral("7");
    EXPECT_EQ(parameters.baudRate, QStringLiteral("7"));
    EXPECT_EQ(parameters.valueByCode(u"XX"), nullptr);
    EXPECT_EQ(parameters.valueByGetTag(0), nullptr);
    EXPECT_EQ(parameters.valueByGetTag(22), nullptr);
    EXPECT_EQ(parameters.valueByGetTag(21), &parameters.netmask);
    EXPECT_FALSE(parameters.storeReply(22, QStringLiteral("x")));
    EXPECT_EQ(parameters, parametersWith({{"BR", "7"}}));
}

TEST(ParameterTable, SearchKeepsTheNetworkValuesAndCancelKeepsTheAddress) {
    DeviceSession session{factoryParameters()};
    session.clearForNewSearch();
    EXPECT_EQ(session.parameters,
              parametersWith({{"DI", "127.0.0.2"}, {"DP", "1001"}, {"GI", "127.0.0.1"}, {"NM", "0.0.0.0"}}));

    session = {factoryParameters()};
    session.clearOnCancel();
    EXPECT_EQ(session.parameters, parametersWith({{"IP", "192.168.1.24"}}));
}

TEST(ParameterEdits, AnEditChangesOnlyItsOwnParameterAndTheOthersHaveNoEdit) {
    // Edited on the dialog's pages; IP is the new address, sent but not stored.
    const QStringList stored{"ON", "DN", "PN", "DI", "DP", "GI", "NM", "TP", "RM", "FC", "DT", "BR", "PR", "BB"};
    for (const ParameterDefinition& definition : kParameters) {
        const QString code = QString::fromLatin1(definition.code);
        ParameterEdits edits;
        QString* edit = editByCode(code, edits);
        const bool edited = stored.contains(code) || code == "IP";
        ASSERT_EQ(edit != nullptr, edited) << definition.code << (edited ? " has no edit" : " has an edit");
        if (!edit) continue;
        *edit = QStringLiteral("x");
        EXPECT_EQ(editsFrom(parametersWith({{definition.code, "x"}})), edits) << definition.code << " opens in another edit";
        DeviceParameters parameters;
        applyEdits(parameters, edits);
        EXPECT_EQ(parameters, stored.contains(code) ? parametersWith({{definition.code, "x"}}) : DeviceParameters{})
            << definition.code << " edit stored wrongly";
    }
    ParameterEdits edits;
    EXPECT_EQ(editByCode(QStringLiteral("br"), edits), nullptr) << "codes are exact capitals";
}

TEST(ParameterEdits, ApplyingTheOpeningEditsChangesNothingAndTheAddressStaysAsRead) {
    const DeviceParameters read = factoryParameters();
    ParameterEdits edits = editsFrom(read);
    DeviceParameters parameters = read;
    applyEdits(parameters, edits);
    EXPECT_EQ(parameters, read) << "the edits the dialog opens with are the values read";

    edits.ipAddressField = QStringLiteral("192.168.1.99");
    edits.userName = QStringLiteral("ops");
    applyEdits(parameters, edits);
    EXPECT_EQ(parameters.ipAddress, read.ipAddress) << "the typed address is sent, not stored";
    EXPECT_EQ(parameters.userName, QStringLiteral("ops"));
}

}  // namespace
}  // namespace serverconf
