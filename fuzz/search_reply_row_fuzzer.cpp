// Datagrams on the discovery socket, read as search replies by both row
// builders. Any bytes give a row whose address is the sender's and whose MAC
// column holds no "A"; a reply laid out as devices send it gives the same
// row from both builders, with the MAC, user and device name it carries.

#include "fuzz_check.h"

#include "discovery/search_reply_row.h"
#include "params/gbk_text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QByteArray>
#include <QString>

using namespace serverconf;

namespace {

const QString kSender = QStringLiteral("127.0.0.5");

void checkAnyRow(const DeviceEntry& row, bool sameNetwork) {
    FUZZ_CHECK(row.sameNetwork == sameNetwork);
    FUZZ_CHECK(row.deviceAddress == kSender);
    FUZZ_CHECK(!row.macAddress.contains(u'A'));
}

// Printable ASCII without the separators the layout names.
QString plainPiece(FuzzedDataProvider& input, int length) {
    QString piece;
    for (int i = 0; i < length; ++i) {
        const char c = static_cast<char>(input.ConsumeIntegralInRange<int>(0x20, 0x7E));
        piece += (c == '/' || c == '*') ? u'-' : QChar::fromLatin1(c);
    }
    return piece;
}

// A name as the device holds it: any text that code page 936 carries.
QString namePiece(FuzzedDataProvider& input, int maxBytes) {
    const std::string bytes = input.ConsumeRandomLengthString(static_cast<std::size_t>(maxBytes));
    return fromGbk(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

void checkLaidOutReply(FuzzedDataProvider& input, bool sameNetwork) {
    const QString mac = plainPiece(input, 12);
    const QString skipped = plainPiece(input, 6) + u'*' + plainPiece(input, 7);
    const QString user = namePiece(input, 16).remove(u'/').left(8);
    const QString device = namePiece(input, 200);
    const QString text = u'A' + mac + u'/' + skipped + user + u'/' + device;
    const QByteArray reply = toGbk(text);
    if (fromGbk(reply) != text || reply.size() > 255) return;  // not a reply a device can send

    const DeviceEntry bySeparators = searchReplyRow(reply, kSender, sameNetwork);
    const DeviceEntry byOffsets = targetedSearchReplyRow(reply, kSender, sameNetwork);
    FUZZ_CHECK(bySeparators == byOffsets);
    FUZZ_CHECK(bySeparators.macAddress == QString(mac).remove(u'A'));
    const bool noName = (user.isEmpty() && device.isEmpty()) || device == u"/";
    FUZZ_CHECK(bySeparators.userAndDeviceName == (noName ? QString() : user + u'/' + device));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzzBytes(data, size);
    const QByteArray datagram(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const bool sameNetwork = size % 2 == 0;
    const DeviceEntry row = searchReplyRow(datagram, kSender, sameNetwork);
    checkAnyRow(row, sameNetwork);
    FUZZ_CHECK(!row.macAddress.contains(u'/'));
    const DeviceEntry targeted = targetedSearchReplyRow(datagram, kSender, sameNetwork);
    checkAnyRow(targeted, sameNetwork);
    FUZZ_CHECK(targeted.macAddress.size() <= 13);

    FuzzedDataProvider input(data, size);
    checkLaidOutReply(input, sameNetwork);
    return 0;
}
