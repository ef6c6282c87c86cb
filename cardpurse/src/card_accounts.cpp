// ReadCardInformation, OpenAccount and OFFCard: whole accounts, block by block.
#include <cstring>
#include <string>
#include <utility>

#include "account_blocks.h"
#include "block_io.h"
#include "block_text.h"
#include "card_information.h"
#include "cardpurse.h"
#include "common/debug_log.h"
#include "digittext/host_arguments.h"
#include "reader_exchange.h"

using namespace cardpurse;
using digittext::Digits;
using digittext::HostArguments;

namespace {

void copyOut(char* buffer, const std::string& text) { std::memcpy(buffer, text.c_str(), text.size() + 1); }

// Reads a block and decodes it, logging which block could not be used.
template <typename Decode>
auto readDecoded(int port, BlockAddress address, Decode decode) -> decltype(decode(std::string())) {
    const auto block = readBlock(port, address);
    if (!block) return std::nullopt;
    auto outputs = decode(*block);
    if (!outputs) {
        common::debugLog(kLogComponent,
                         "ReadCardInformation: block %d of sector %d holds a number field that is "
                         "not hexadecimal",
                         address.block, address.sector);
    }
    return outputs;
}

}  // namespace

int CARDPURSE_CALL ReadCardInformation(int port, char* accountNo, char* cardNo, char* name, char* department,
                                       char* balance, char* limitCount, char* limitMoney, char* limitTime, char* gbCode,
                                       char* lssjCount) {
    auto lock = purseLink().lockForOperation();
    HostArguments arguments;
    const std::pair<const char*, char*> outputs[] = {
        {"accountNo", accountNo},   {"cardNo", cardNo},       {"name", name},
        {"department", department}, {"balance", balance},     {"limitCount", limitCount},
        {"limitMoney", limitMoney}, {"limitTime", limitTime}, {"gbCode", gbCode},
        {"lssjCount", lssjCount},
    };
    for (const auto& [outputName, buffer] : outputs) arguments.outputBuffer(outputName, buffer);
    if (arguments.refused(kLogComponent, "ReadCardInformation")) return 0;

    const auto departmentBlock = readBlock(port, kDepartmentBlock);
    if (!departmentBlock) return 0;
    copyOut(department, departmentOutput(*departmentBlock));

    const auto holder = readDecoded(port, kHolderBlock, holderOutputs);
    if (!holder) return 0;
    copyOut(name, holder->name);
    copyOut(cardNo, holder->cardNo);

    const auto limits = readDecoded(port, kLimitsBlock, limitsOutputs);
    if (!limits) return 0;
    copyOut(accountNo, limits->accountNo);
    copyOut(limitMoney, limits->limitMoney);
    copyOut(limitCount, limits->limitCount);
    copyOut(limitTime, limits->limitTime);
    copyOut(gbCode, limits->gbCode);

    const auto purse = readDecoded(port, kPurseBlock, purseOutputs);
    if (!purse) return 0;
    copyOut(balance, purse->balance);
    copyOut(lssjCount, purse->lssjCount);
    return 1;
}

int CARDPURSE_CALL OpenAccount(int port, int accountNo, int cardNo, const char* name, const char* department,
                               int balance, int limitCount, int limitMoney, const char* limitTime, const char* gbCode,
                               int lssjCount) {
    auto lock = purseLink().lockForOperation();
    // Every argument is checked before the first block is touched: a card must
    // never be left half opened.
    HostArguments arguments;
    arguments.number("limitCount", limitCount, 0, fieldMaximum(kLimitCountField));
    arguments.number("balance", balance, 0, fieldMaximum(kBalanceField));
    arguments.number("lssjCount", lssjCount, 0, fieldMaximum(kLssjCountField));
    arguments.number("accountNo", accountNo, 0, fieldMaximum(kAccountNumberField));
    arguments.number("limitMoney", limitMoney, 0, fieldMaximum(kLimitMoneyField));
    const auto nameText = arguments.digitText("name", name, kHolderNameField.length, Digits::Hexadecimal);
    const auto departmentText =
        arguments.digitText("department", department, kDepartmentField.length, Digits::Hexadecimal);
    const auto limitTimeText = arguments.digitText("limitTime", limitTime, kLimitTimeField.length, Digits::Hexadecimal);
    const auto gbCodeText = arguments.digitText("gbCode", gbCode, kGbCodeField.length, Digits::Hexadecimal);
    if (arguments.refused(kLogComponent, "OpenAccount")) return 0;

    const AccountValues account{static_cast<std::uint32_t>(accountNo),
                                static_cast<std::uint32_t>(cardNo),
                                nameText,
                                departmentText,
                                static_cast<std::uint32_t>(balance),
                                static_cast<std::uint32_t>(limitCount),
                                static_cast<std::uint32_t>(limitMoney),
                                limitTimeText,
                                gbCodeText,
                                static_cast<std::uint32_t>(lssjCount)};
    using BlockBuilder = std::string (*)(std::string, const AccountValues&);
    const std::pair<BlockAddress, BlockBuilder> steps[] = {
        {kDepartmentBlock, openedDepartmentBlock},
        {kHolderBlock, openedHolderBlock},
        {kPurseBlock, openedPurseBlock},
        {kLimitsBlock, openedLimitsBlock},
    };
    for (const auto& [address, build] : steps) {
        auto block = readBlock(port, address);
        if (!block || !writeAccountBlock(port, address, build(std::move(*block), account))) return 0;
    }
    return 1;
}

int CARDPURSE_CALL OFFCard(int port) {
    auto lock = purseLink().lockForOperation();
    // The two reads prove that the account sectors open; their contents are not needed.
    if (!readBlock(port, kDepartmentBlock) || !readBlock(port, kPurseBlock)) return 0;
    for (BlockAddress address : {kDepartmentBlock, kHolderBlock, kPurseBackupBlock, kPurseBlock, kLimitsBlock}) {
        if (!writeBlock(port, address, zeroBlock())) return 0;
    }
    return 1;
}
