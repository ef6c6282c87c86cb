#include "search_reply_row.h"

#include "params/gbk_text.h"

namespace serverconf {
namespace {

// The user name holds at most 8 characters, so its closing "/" stands
// within the first nine characters of the piece.
constexpr int kUserPieceSlashLimit = 9;
constexpr int kTargetedMacLength = 13;
constexpr int kTargetedUserOffset = 28;
// The user piece starts this far after the first "*".
constexpr int kUserPieceAfterStar = 8;

QString withoutCapitalA(QString text) { return text.remove(u'A'); }

DeviceEntry row(const QString& macColumn, const QString& userPiece, const QString& sender, bool sameNetwork) {
    return DeviceEntry{sameNetwork, withoutCapitalA(macColumn), userAndDeviceColumn(userPiece), sender, {}};
}

}  // namespace

QString userAndDeviceColumn(const QString& userPiece) {
    const qsizetype slash = userPiece.indexOf(u'/');
    if (slash < 0 || slash >= kUserPieceSlashLimit) return userPiece;
    const QString userName = userPiece.left(slash);
    const QString deviceName = userPiece.mid(slash + 1);
    if ((userName.isEmpty() && deviceName.isEmpty()) || deviceName == u"/") return {};
    return userName + u'/' + deviceName;
}

bool isSearchReply(const QByteArray& reply) {
    constexpr qsizetype kMacEnd = 13;  // "A" and the 12 characters of the MAC text
    return reply.size() > kMacEnd && reply.startsWith('A') && reply.at(kMacEnd) == '/' && reply.indexOf('/') == kMacEnd;
}

DeviceEntry searchReplyRow(const QByteArray& reply, const QString& sender, bool sameNetwork) {
    const QString text = fromGbk(reply);
    const qsizetype slash = text.indexOf(u'/');
    // Without any "/" there is neither an end of the MAC nor a user name.
    if (slash < 0) return row(text, QString(), sender, sameNetwork);
    const QString macColumn = text.left(slash);
    // Without a "*" the piece starts at position 7, as -1 + 8.
    const qsizetype userStart = text.indexOf(u'*') + kUserPieceAfterStar;
    return row(macColumn, text.mid(userStart), sender, sameNetwork);
}

DeviceEntry targetedSearchReplyRow(const QByteArray& reply, const QString& sender, bool sameNetwork) {
    const QString text = fromGbk(reply);
    return row(text.left(kTargetedMacLength), text.mid(kTargetedUserOffset), sender, sameNetwork);
}

}  // namespace serverconf
