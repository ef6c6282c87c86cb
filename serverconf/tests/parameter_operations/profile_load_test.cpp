// What a loaded *.ds file changes: the values it gives, and nothing else.

#include "parameter_operations/profile_load.h"

#include <gtest/gtest.h>

namespace serverconf {
namespace {

int tagOf(const char* code) { return parameterByCode(QString::fromLatin1(code))->getTag; }

TEST(ProfileLoad, AFileChangesOnlyTheValuesItGives) {
    DeviceParameters parameters = factoryParameters();
    parameters.macAddress = "001122334455";
    parameters.ipAddress = "192.168.1.30";
    parameters.userName = "ops";
    parameters.deviceName = "gate";
    parameters.baudRate = "3";
    parameters.maxPacketCount = "64";
    ParameterEdits edits = editsFrom(parameters);

    DeviceParameters loaded;  // what the file's keys read as; a key it lacks reads empty
    loaded.userName = "";     // ON given empty: an empty name is a name
    loaded.ipAddress = "192.168.1.31";
    loaded.port = "";        // PN given empty: kept
    loaded.baudRate = "12";  // no such entry: kept
    loaded.workMode = "2";
    loaded.maxPacketCount = "128";
    loaded.macAddress = "FFFFFFFFFFFF";
    const QSet<int> keysInFile{tagOf("ON"), tagOf("IP"), tagOf("PN"), tagOf("BR"),
                               tagOf("RM"), tagOf("ML"), tagOf("FE"), tagOf("CT")};
    loaded.connectTimeLimit = "";  // CT given empty: kept

    const QSet<int> taken = takenFromProfile(loaded, keysInFile);
    EXPECT_EQ(taken, (QSet<int>{tagOf("ON"), tagOf("IP"), tagOf("RM"), tagOf("ML")}));
    EXPECT_EQ(codesKeptByProfile(taken).join(u' ').toStdString(), "DN PN TP DI DP GI NM CT CM MD BR BB FC PR DT RC")
        << "FE is never loaded, so never named";

    applyLoadedProfile(loaded, taken, edits, parameters);
    EXPECT_EQ(edits.userName, "");
    EXPECT_EQ(edits.deviceName, "gate") << "a key the file lacks leaves the field";
    EXPECT_EQ(edits.ipAddressField, "192.168.1.31");
    EXPECT_EQ(edits.port, "1001") << "an empty port leaves the field";
    EXPECT_EQ(edits.baudRate, "3") << "a value no list entry has leaves the list";
    EXPECT_EQ(edits.workMode, "2");
    EXPECT_EQ(edits.destinationIp, "127.0.0.2");
    EXPECT_EQ(parameters.maxPacketCount, "128");
    EXPECT_EQ(parameters.connectTimeLimit, "5") << "an empty advanced value leaves it";
    EXPECT_EQ(parameters.macAddress, "001122334455") << "a file never changes the MAC address";
    EXPECT_EQ(parameters.ipAddress, "192.168.1.30") << "the new address travels only with SIP";
}

}  // namespace
}  // namespace serverconf
