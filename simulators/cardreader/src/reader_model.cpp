#include "readersim/reader_model.h"

#include <cstdint>
#include <limits>

namespace readersim {
namespace {

bool keyOpensSector(const ReaderState& state, int sector) { return sameKey(state.readerKey, state.sectorKey(sector)); }

// The "Dd" reply: bytes 0-4 zero, bytes 5-7 the card number (18 bits),
// bytes 8-11 the balance, then "!".
std::string cardInfoReply(const RfPurse& purse) {
    const std::uint64_t number = purse.cardNumber & 0x3FFFFu;
    const std::uint64_t balance = static_cast<std::uint32_t>(purse.balance);
    return nibbleText(0, 10) + nibbleText(number, 6) + nibbleText(balance, 8) + "!";
}

std::string moneyReply(RfPurse& purse, std::int64_t change) {
    const std::int64_t balance = purse.balance + change;
    if (balance < 0 || balance > std::numeric_limits<std::int32_t>::max()) return std::string(kRfRefusalReply);
    purse.balance = static_cast<std::int32_t>(balance);
    ++purse.transactionNumber;
    return "DONE" + nibbleText(purse.transactionNumber, 4) + "!";
}

}  // namespace

std::string nibbleText(std::uint64_t value, int digits) {
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4)
        text[static_cast<std::size_t>(i)] = static_cast<char>('0' + (value & 0xF));
    return text;
}

std::optional<std::string> answerRequest(ReaderState& state, const Request& request, bool cardPresent) {
    const std::string error(kErrorReply);
    switch (request.command) {
        case Command::LoadKey: state.readerKey = request.key; return std::nullopt;
        case Command::SetSound: state.sound = request.sound; return std::string(kDoneReply);
        case Command::ReadBlock:
            if (!cardPresent || !keyOpensSector(state, request.sector)) return error;
            return state.blocks[static_cast<std::size_t>(request.block)];
        case Command::WriteBlock:
            if (!cardPresent || !keyOpensSector(state, request.sector)) return error;
            state.blocks[static_cast<std::size_t>(request.block)] = request.blockText;
            return std::string(kDoneReply);
        case Command::RfReadInfo:
            if (!cardPresent) return error;
            return cardInfoReply(state.rfPurse);
        case Command::RfAddMoney:
            if (!cardPresent) return std::string(kRfRefusalReply);
            return moneyReply(state.rfPurse, request.rfAmount);
        case Command::RfDeduct:
            if (!cardPresent) return std::string(kRfRefusalReply);
            return moneyReply(state.rfPurse, -static_cast<std::int64_t>(request.rfAmount));
        case Command::Malformed: break;
    }
    return error;
}

}  // namespace readersim
