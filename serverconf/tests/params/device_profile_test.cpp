// The device configuration file: layout of a fresh file, updates in place,
// reading rules, code page 936 on disk, and the file forms.

#include "params/device_profile.h"
#include "parameter_values.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace serverconf {
namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString kFixture = QStringLiteral(PARAMS_FIXTURE_DIR "/gate_profile.ds");

DeviceParameters gateValues() {
    return testing::parametersWith({{"ON", "张三"},
                                    {"DN", "门禁一号"},
                                    {"FE", "001122334455"},
                                    {"IP", "192.168.1.30"},
                                    {"PN", "1001"},
                                    {"TP", "0"},
                                    {"RM", "2"},
                                    {"CM", "1"},
                                    {"CT", "5"},
                                    {"FC", "1"},
                                    {"DT", "0"},
                                    {"BR", "7"},
                                    {"PR", "0"},
                                    {"BB", "1"},
                                    {"RC", "0"},
                                    {"ML", "255"},
                                    {"MD", "1"},
                                    {"DI", "192.168.1.5"},
                                    {"DP", "4001"},
                                    {"GI", "192.168.1.1"},
                                    {"NM", "255.255.255.0"}});
}

TEST(DeviceProfile, FreshFileMatchesTheCodePage936FixtureByteForByte) {
    const QByteArray fixture = readFile(kFixture);
    ASSERT_FALSE(fixture.isEmpty());
    EXPECT_EQ(writeDeviceProfile({}, gateValues()), fixture);
    EXPECT_EQ(fixture.count("\r\n"), 22);
    // Written again with the same values, the file does not change.
    EXPECT_EQ(writeDeviceProfile(fixture, gateValues()), fixture);

    DeviceParameters expected = gateValues();
    expected.macAddress.clear();  // a file never changes the MAC address
    EXPECT_EQ(readDeviceProfile(fixture), expected);
}

TEST(DeviceProfile, UpdateKeepsForeignLinesAndAppendsMissingKeysAtTheEndOfTheSection) {
    const QByteArray before =
        "; saved by hand\r\n"
        "[Main]\r\n"
        "br=3\r\n"
        "X1=keep\n"
        "\r\n"
        "[other]\r\n"
        "ON=not ours\r\n";
    DeviceParameters values;
    values.baudRate = QStringLiteral("11");
    values.userName = QStringLiteral("ops");
    const QByteArray after = writeDeviceProfile(before, values);
    const QByteArray expectedStart =
        "; saved by hand\r\n"
        "[Main]\r\n"
        "br=11\r\n"
        "X1=keep\n"
        "ON=ops\r\n"
        "DN=\r\n";
    EXPECT_TRUE(after.startsWith(expectedStart)) << after.constData();
    EXPECT_TRUE(after.endsWith("RC=\r\n\r\n[other]\r\nON=not ours\r\n")) << after.constData();
    EXPECT_EQ(after.count("\n"), before.count("\n") + 20);

    // Saving twice leaves one section with the second save's values.
    values.baudRate = QStringLiteral("4");
    EXPECT_EQ(writeDeviceProfile(after, values), writeDeviceProfile(writeDeviceProfile(before, values), values));
    EXPECT_EQ(readProfileValue(writeDeviceProfile(after, values), u"main", u"BR"), QStringLiteral("4"));
}

TEST(DeviceProfile, FileWithoutTheSectionOrALastLineEndGetsItAppended) {
    EXPECT_EQ(writeProfileValue("[a]\r\nk=v", u"main", u"ON", QStringLiteral("x")),
              QByteArray("[a]\r\nk=v\r\n[main]\r\nON=x\r\n"));
    EXPECT_EQ(writeProfileValue("[main]\r\nDN=y", u"main", u"ON", QStringLiteral("x")),
              QByteArray("[main]\r\nDN=y\r\nON=x\r\n"));
    // A last line cut after its CR gets its LF, no second CR: the appended key
    // starts its own line and the next save of DN leaves the file as it is.
    const QByteArray saved = writeProfileValue("[main]\r\nDN=y\r", u"main", u"ON", QStringLiteral("x"));
    EXPECT_EQ(saved, QByteArray("[main]\r\nDN=y\r\nON=x\r\n"));
    EXPECT_EQ(writeProfileValue(saved, u"main", u"DN", QStringLiteral("y")), saved);
    EXPECT_EQ(writeProfileValue("[a]\r\nk=v\r", u"main", u"ON", QStringLiteral("x")),
              QByteArray("[a]\r\nk=v\r\n[main]\r\nON=x\r\n"));
}

TEST(DeviceProfile, ReadingComparesWithoutCaseAndMissingEntriesAreEmpty) {
    const QByteArray content = "[other]\nBR=1\n[ MAIN ]\n;BR=2\n Br = 11 \nTP=\n";
    EXPECT_EQ(readProfileValue(content, u"main", u"BR"), QStringLiteral("11"));
    EXPECT_EQ(readProfileValue(content, u"main", u"TP"), QString());
    EXPECT_EQ(readProfileValue(content, u"main", u"RM"), QString());
    EXPECT_EQ(readProfileValue(content, u"none", u"BR"), QString());
    EXPECT_EQ(readDeviceProfile("not a profile file \x01\x02"), DeviceParameters{});
}

TEST(DeviceProfile, ValuesAreCutTo79BytesButNeverInsideACharacter) {
    const QString ascii(100, u'x');
    EXPECT_EQ(readProfileValue(writeProfileValue({}, u"main", u"ON", ascii), u"main", u"ON"), ascii.left(79));

    const QString chinese(40, QChar(0x95e8));  // 门, two bytes each
    const auto readBack = [](const QString& value) {
        return readProfileValue(writeProfileValue({}, u"main", u"ON", value), u"main", u"ON");
    };
    EXPECT_EQ(readBack(u'x' + chinese), u'x' + chinese.left(39));                                  // 79 bytes
    EXPECT_EQ(readBack(QStringLiteral("xx") + chinese), QStringLiteral("xx") + chinese.left(38));  // 78 bytes
}

TEST(DeviceProfile, LineBreaksInAValueCannotAddLines) {
    const QByteArray content = writeProfileValue({}, u"main", u"ON", QStringLiteral("a\r\nRC=1"));
    EXPECT_EQ(content, QByteArray("[main]\r\nON=a  RC=1\r\n"));
    EXPECT_EQ(readProfileValue(content, u"main", u"RC"), QString());
}

TEST(DeviceProfileFile, SaveKeepsOtherSectionsLoadReadsItBackAndAFailedSaveSaysWhy) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("gate.ds"));
    QFile::copy(kFixture, path);
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    QFile extra(path);
    ASSERT_TRUE(extra.open(QIODevice::Append));
    extra.write("[notes]\r\nwho=\xd5\xc5\r\n");
    extra.close();

    DeviceParameters values = gateValues();
    values.port = QStringLiteral("2002");
    QString error;
    ASSERT_TRUE(saveDeviceProfileFile(path, values, &error)) << error.toStdString();
    const QByteArray saved = readFile(path);
    EXPECT_TRUE(saved.endsWith("[notes]\r\nwho=\xd5\xc5\r\n"));
    EXPECT_EQ(loadDeviceProfileFile(path)->port, QStringLiteral("2002"));

    EXPECT_FALSE(saveDeviceProfileFile(dir.filePath(QStringLiteral("no/such/dir.ds")), values, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(DeviceProfile, AConfigurationFileHasAMainSectionWithAtLeastOneParameterKey) {
    const struct {
        const char* content;
        bool profile;
    } cases[] = {
        {"", false},
        {"garbage", false},
        {"[main]\r\n", false},
        {"[main]\r\nXX=1\r\n; ON=ops\r\n", false},
        {"[other]\r\nON=ops\r\n", false},
        {"ON=ops\r\n[main]\r\n", false},
        {"[main]\r\n[other]\r\nBR=7\r\n", false},
        {"\x89PNG\r\n\x1a\n\0\0", false},
        {"[main]\r\nON=\r\n", true},
        {"[MAIN]\r\nbr=7\r\n", true},
        {"; notes\r\n[other]\r\nX=1\r\n[ main ]\nRC = 1\n", true},
        {"[main]\r\nFE=001122334455\r\n", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isDeviceProfile(QByteArray(c.content)), c.profile) << c.content;
    }
}

TEST(DeviceProfileFile, LoadGivesNothingForWhatIsNotAReadableConfigurationFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto write = [&](const char* name, const QByteArray& content) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return file.fileName();
    };
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("dir.ds")));
    for (const QString& path : {write("empty.ds", ""), write("garbage.ds", "garbage"), dir.filePath("dir.ds"),
                                dir.filePath("none.ds"), write("other.ds", "[other]\r\nON=x\r\n"),
                                write("gate.DS", "[main]\r\nON=x\r\n"), write("gate.txt", "[main]\r\nON=x\r\n")}) {
        EXPECT_FALSE(loadDeviceProfileFile(path)) << path.toStdString();
    }
    const std::optional<DeviceParameters> partial = loadDeviceProfileFile(write("partial.ds", "[Main]\r\nbr=7\r\n"));
    ASSERT_TRUE(partial);
    EXPECT_EQ(partial->baudRate, QStringLiteral("7"));
    EXPECT_EQ(partial->userName, QString()) << "a key the file lacks reads as empty";
}

TEST(DeviceProfileFile, NameRules) {
    EXPECT_EQ(profileSaveFileName(QStringLiteral("abc")), QStringLiteral("abc.ds"));
    EXPECT_EQ(profileSaveFileName(QStringLiteral("abc.ds")), QStringLiteral("abc.ds"));
    EXPECT_EQ(profileSaveFileName(QStringLiteral("abc.DS")), QStringLiteral("abc.DS.ds"));
    EXPECT_TRUE(hasProfileExtension(QStringLiteral("/tmp/a.ds")));
    EXPECT_FALSE(hasProfileExtension(QStringLiteral("/tmp/a.DS")));
    EXPECT_FALSE(hasProfileExtension(QStringLiteral("/tmp/a")));
    EXPECT_FALSE(hasProfileExtension(QStringLiteral("/tmp/x.ds/a")));
    EXPECT_FALSE(hasProfileExtension(QStringLiteral("/tmp/a.ds.txt")));
}

}  // namespace
}  // namespace serverconf
