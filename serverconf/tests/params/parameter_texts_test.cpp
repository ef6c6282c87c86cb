// The request texts and the get-reply parser, byte for byte.

#include "device/device_parameters.h"
#include "params/gbk_text.h"
#include "params/parameter_reply.h"
#include "params/request_texts.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace serverconf {
namespace {

TEST(RequestTexts, EveryGetAndSetRequestInTheOrderItGoesOut) {
    const QList<QByteArray> gets{"GON|1",  "GDN|2",  "GFE|3",  "GIP|4",  "GPN|5",  "GTP|6",  "GRM|7",
                                 "GCM|8",  "GCT|9",  "GFC|10", "GDT|11", "GBR|12", "GPR|13", "GBB|14",
                                 "GRC|15", "GML|16", "GMD|17", "GDI|18", "GDP|19", "GGI|20", "GNM|21"};
    QList<QByteArray> built;
    for (int tag = 1; tag <= kParameterCount; ++tag) built << getRequest(tag);
    EXPECT_EQ(built, gets) << "the 21 get requests in get-tag order";
    EXPECT_TRUE(getRequest(22).isEmpty());

    // A write sends these 19 (value "v"), then "SIP" with its exchange's tag.
    const QList<QByteArray> sets{"SONv|18", "SDNv|19", "STPv|20", "SPNv|21", "SRMv|22", "SFCv|23", "SDTv|24",
                                 "SBRv|25", "SPRv|26", "SBBv|27", "SRCv|28", "SCMv|29", "SCTv|30", "SMLv|31",
                                 "SMDv|32", "SDIv|33", "SDPv|34", "SGIv|35", "SNMv|36"};
    built.clear();
    for (const ParameterDefinition* parameter : setRequestOrder()) built << setRequest(*parameter, QStringLiteral("v"));
    EXPECT_EQ(built, sets) << "the set requests in the order of a write";
    EXPECT_EQ(setIpRequest(QStringLiteral("10.0.0.9"), kSetIpUnicastTag), "SIP10.0.0.9|37");
    EXPECT_EQ(setIpRequest(QStringLiteral("10.0.0.9"), kSetIpBroadcastTag), "SIP10.0.0.9|33");
    EXPECT_EQ(setIpRequest(QStringLiteral("10.0.0.9"), kSetIpChangeTag), "SIP10.0.0.9|34");
}

TEST(RequestTexts, ValuesGoOutUnchangedAndTheOtherRequestsAreExactBytes) {
    EXPECT_EQ(getRequest(5), QByteArray::fromHex("47504e7c35"));  // GPN|5
    EXPECT_EQ(setRequest(*parameterByCode(u"PN"), QStringLiteral("1001")),
              QByteArray::fromHex("53504e313030317c3231"));  // SPN1001|21
    EXPECT_EQ(setRequest(*parameterByCode(u"ON"), QString()), "SON|18");
    EXPECT_EQ(setRequest(*parameterByCode(u"DN"), QStringLiteral("a|B")), "SDNa|B|19");  // nothing escaped
    EXPECT_EQ(nameDeviceRequest(QStringLiteral("001122334455")), "W001122334455");
    EXPECT_EQ(searchRequest() + openExchangeRequest() + endRequest() + endChangeIpRequest() + confirmRequest(),
              "XLEE|35B");
}

TEST(RequestTexts, ChineseValuesGoOutInCodePage936) {
    EXPECT_EQ(setRequest(*parameterByCode(u"ON"), QStringLiteral("设备")), QByteArray("SON\xc9\xe8\xb1\xb8|18"));
}

ParameterReply parse(const QByteArray& text) { return parseParameterReply(text); }

TEST(ParameterReplyParser, ValueAndTagAreSplitAtTheFirstBar) {
    ParameterReply reply = parse(QByteArray::fromHex("313030317c35"));  // 1001|5
    EXPECT_EQ(reply.kind, ParameterReply::Kind::Value);
    EXPECT_EQ(reply.getTag, 5);
    EXPECT_EQ(reply.value, QStringLiteral("1001"));

    reply = parse("5|12|");  // every bar leaves the tag text
    EXPECT_EQ(reply.getTag, 12);
    EXPECT_EQ(reply.value, QStringLiteral("5"));

    reply = parse("12");  // no bar: the whole text is the tag, the value empty
    EXPECT_EQ(reply.getTag, 12);
    EXPECT_TRUE(reply.value.isEmpty());

    reply = parse("|1");
    EXPECT_EQ(reply.getTag, 1);
    EXPECT_TRUE(reply.value.isEmpty());
}

TEST(ParameterReplyParser, OnlyExactTagTextsOneToTwentyOneMatch) {
    for (const char* text : {"x|0", "x|22", "x|01", "x|1 ", "x| 1", "x|+1", "x|", "ab"})
        EXPECT_EQ(parse(text).kind, ParameterReply::Kind::Unknown) << text;
    EXPECT_EQ(parse("1").kind, ParameterReply::Kind::TooShort);
    EXPECT_EQ(parse("").kind, ParameterReply::Kind::TooShort);
}

TEST(ParameterReplyParser, EveryCapitalAIsRemovedFromTheValue) {
    const ParameterReply reply = parse("Anna ABBA|1");
    EXPECT_EQ(reply.value, QStringLiteral("nna BB"));
    DeviceParameters parameters;
    EXPECT_TRUE(storeParameterReply(parameters, reply));
    EXPECT_EQ(parameters.userName, QStringLiteral("nna BB"));
    EXPECT_FALSE(storeParameterReply(parameters, parse("x|22")));
}

TEST(ParameterReplyParser, TwoByteCharactersAreNeitherSplitNorDamaged) {
    // 亅 is 81 7C and 丄 is 81 41 in code page 936: their second bytes are
    // "|" and "A".
    const QByteArray text = toGbk(QStringLiteral("亅丄")) + "|2";
    ASSERT_EQ(text.left(4), QByteArray("\x81\x7c\x81\x41"));
    const ParameterReply reply = parse(text);
    EXPECT_EQ(reply.getTag, 2);
    EXPECT_EQ(reply.value, QStringLiteral("亅丄"));
}

}  // namespace
}  // namespace serverconf
