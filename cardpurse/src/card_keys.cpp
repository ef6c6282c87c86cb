// Reader key, card keys and reader sound.
#include <string>

#include "account_blocks.h"
#include "block_io.h"
#include "cardpurse.h"
#include "common/debug_log.h"
#include "digittext/host_arguments.h"
#include "reader_exchange.h"
#include "reader_frames.h"

using namespace cardpurse;
using digittext::Digits;
using digittext::Fit;
using digittext::HostArguments;

namespace {

// Loaded into the reader at the end of every card key change.
constexpr const char* kDefaultReaderKey = "7C3A19E5B04D";

constexpr std::size_t kKeyLength = kTrailerKeyField.length;

// A key: exactly twelve hexadecimal digits.
std::string_view keyArgument(HostArguments& arguments, const char* key) {
    return arguments.digitText("key", key, kKeyLength, Digits::Hexadecimal, Fit::Exact);
}

// Proves the new key by loading it and reading the purse block with it, then
// leaves the reader with the default key.
bool proveKeyAndRestoreDefault(int port, const char* key) {
    if (!loadReaderKey(port, key)) return false;
    if (!readBlock(port, kPurseBlock)) {
        common::debugLog(kLogComponent, "the purse block does not open with the new key");
        return false;
    }
    return loadReaderKey(port, kDefaultReaderKey);
}

}  // namespace

namespace cardpurse {

bool loadReaderKey(int port, const char* key) { return SetMacPassword(port, key) == 1; }

}  // namespace cardpurse

int CARDPURSE_CALL SetMacPassword(int port, const char* key) {
    auto lock = purseLink().lockForOperation();
    HostArguments arguments;
    const auto keyText = keyArgument(arguments, key);
    if (arguments.refused(kLogComponent, "SetMacPassword")) return 0;
    // The request has no reply: success means it was written.
    return exchange(port, loadReaderKeyFrame(keyText), 0, kReaderSettleTime) ? 1 : 0;
}

int CARDPURSE_CALL SetMacSound(int port, int level) {
    auto lock = purseLink().lockForOperation();
    HostArguments arguments;
    arguments.number("level", level, 1, 9);
    if (arguments.refused(kLogComponent, "SetMacSound")) return 0;
    const auto reply = exchange(port, setSoundFrame(level), kDoneReply.size(), kReaderSettleTime);
    if (!reply) return 0;
    if (*reply != kDoneReply) {
        common::debugLog(kLogComponent, "SetMacSound: level %d not confirmed by the reader", level);
        return 0;
    }
    return 1;
}

int CARDPURSE_CALL SetCardPassAll(int port, const char* key) {
    auto lock = purseLink().lockForOperation();
    HostArguments arguments;
    keyArgument(arguments, key);
    if (arguments.refused(kLogComponent, "SetCardPassAll")) return 0;
    // A trailer that cannot be read stops the change at once; one that cannot
    // be written does not stop it, but the card is then not fully changed.
    bool allWritten = true;
    for (int sector = 0; sector < kSectorCount; ++sector) {
        const BlockAddress trailer = sectorTrailer(sector);
        auto block = readBlock(port, trailer);
        if (!block) {
            common::debugLog(kLogComponent, "SetCardPassAll: trailer of sector %d unreadable", sector);
            return 0;
        }
        if (!writeBlock(port, trailer, withField(std::move(*block), trailer, kTrailerKeyField, key))) {
            common::debugLog(kLogComponent, "SetCardPassAll: trailer of sector %d not written", sector);
            allWritten = false;
        }
    }
    return proveKeyAndRestoreDefault(port, key) && allWritten ? 1 : 0;
}

int CARDPURSE_CALL SetCardPassOne(int port, const char* key) {
    auto lock = purseLink().lockForOperation();
    HostArguments arguments;
    keyArgument(arguments, key);
    if (arguments.refused(kLogComponent, "SetCardPassOne")) return 0;
    // Each account sector keeps its own access bytes and key B (the rest of
    // its trailer as read back); only key A changes.
    const BlockAddress first = sectorTrailer(1);
    const BlockAddress second = sectorTrailer(2);
    auto firstTrailer = readBlock(port, first);
    if (!firstTrailer) return 0;
    auto secondTrailer = readBlock(port, second);
    if (!secondTrailer) return 0;
    if (!writeBlock(port, first, withField(std::move(*firstTrailer), first, kTrailerKeyField, key)) ||
        !writeBlock(port, second, withField(std::move(*secondTrailer), second, kTrailerKeyField, key))) {
        return 0;
    }
    return proveKeyAndRestoreDefault(port, key) ? 1 : 0;
}
