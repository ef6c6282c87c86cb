// The raw block exchanges ReadCardBlank and WriteCardBlank, on which every
// other card operation is built, and CloseCOMM.
#include <cstring>

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

int CARDPURSE_CALL CloseCOMM(void) {
    auto lock = purseLink().lockForOperation();
    return purseLink().CloseCOMM();
}

int CARDPURSE_CALL ReadCardBlank(int port, const char* sector, const char* block, char* out) {
    auto lock = purseLink().lockForOperation();
    HostArguments arguments;
    const auto sectorText = arguments.digitText("sector", sector, 2, Digits::Decimal, Fit::Exact);
    const auto blockText = arguments.digitText("block", block, 2, Digits::Decimal, Fit::Exact);
    arguments.outputBuffer("out", out);
    if (arguments.refused(kLogComponent, "ReadCardBlank")) return 0;

    const auto reply = exchange(port, readBlockFrame(sectorText, blockText), kBlockReplyLength);
    if (!reply) return 0;
    std::memcpy(out, reply->data(), kBlockReplyLength);
    out[kBlockReplyLength] = '\0';
    return 1;
}

int CARDPURSE_CALL WriteCardBlank(int port, const char* sector, const char* block, const char* text) {
    auto lock = purseLink().lockForOperation();
    HostArguments arguments;
    const auto sectorText = arguments.digitText("sector", sector, 2, Digits::Decimal, Fit::Exact);
    const auto blockText = arguments.digitText("block", block, 2, Digits::Decimal, Fit::Exact);
    const auto contents = arguments.digitText("text", text, kBlockTextLength, Digits::Hexadecimal, Fit::Exact);
    if (arguments.refused(kLogComponent, "WriteCardBlank")) return 0;

    const auto reply = exchange(port, writeBlockFrame(sectorText, blockText, contents), kDoneReply.size());
    if (!reply) return 0;
    if (*reply != kDoneReply) {
        common::debugLog(kLogComponent, "WriteCardBlank: block %.2s of sector %.2s not confirmed by the reader",
                         blockText.data(), sectorText.data());
        return 0;
    }
    return 1;
}

namespace cardpurse {

std::optional<std::string> readBlock(int port, BlockAddress address) {
    char text[kBlockTextLength + 1];
    if (!ReadCardBlank(port, address.sectorText().c_str(), address.blockText().c_str(), text)) {
        return std::nullopt;
    }
    return std::string(text, kBlockTextLength);
}

bool writeBlock(int port, BlockAddress address, const std::string& blockText) {
    return WriteCardBlank(port, address.sectorText().c_str(), address.blockText().c_str(), blockText.c_str()) == 1;
}

bool writeAccountBlock(int port, BlockAddress address, const std::string& blockText) {
    const bool isPurse = address.sector == kPurseBlock.sector && address.block == kPurseBlock.block;
    if (isPurse && !writeBlock(port, kPurseBackupBlock, blockText)) return false;
    return writeBlock(port, address, blockText);
}

}  // namespace cardpurse
