#include "account_blocks.h"

#include "block_text.h"
#include "digittext/digit_codec.h"

namespace cardpurse {

using digittext::hexFieldValue;
using digittext::hexText;
using digittext::LetterCase;

namespace {

std::string zeros(std::size_t count) { return std::string(count, '0'); }

}  // namespace

std::string openedDepartmentBlock(std::string block, const AccountValues& account) {
    putField(block, kDepartmentField, account.department);
    putField(block, {16, 16}, zeros(16));
    return block;
}

std::string openedHolderBlock(std::string block, const AccountValues& account) {
    putField(block, {0, 2}, "00");
    putField(block, kHolderNameField, account.name);
    putField(block, kCardNumberField, hexText(account.cardNo, kCardNumberField.length));
    return block;
}

// Opening writes the two purse numbers in lower-case digits; later updates
// rewrite them in upper case. Both read back the same.
std::string openedPurseBlock(std::string block, const AccountValues& account) {
    putField(block, {0, 17}, "8" + zeros(16));
    putField(block, kBalanceField, hexText(account.balance, kBalanceField.length, LetterCase::Lower));
    putField(block, {22, 4}, zeros(4));
    putField(block, kLssjCountField, hexText(account.lssjCount, kLssjCountField.length, LetterCase::Lower));
    putBlockCheck(block);
    return block;
}

std::string openedLimitsBlock(std::string block, const AccountValues& account) {
    putField(block, {0, 2}, "80");
    putField(block, kAccountNumberField, hexText(account.accountNo, kAccountNumberField.length));
    putField(block, kGbCodeField, account.gbCode);
    putField(block, kLimitTimeField, account.limitTime);
    putField(block, kLimitMoneyField, hexText(account.limitMoney, kLimitMoneyField.length));
    putField(block, kLimitCountField, hexText(account.limitCount, kLimitCountField.length));
    putField(block, {24, 6}, zeros(6));
    putBlockCheck(block);
    return block;
}

std::string withField(std::string block, BlockAddress address, Field field, std::string_view text) {
    putField(block, field, text);
    if (hasBlockCheck(address)) putBlockCheck(block);
    return block;
}

std::optional<std::string> withAddedMoney(std::string purseBlock, std::int32_t amount) {
    const auto balance = hexFieldValue(fieldOf(purseBlock, kBalanceField));
    if (!balance) return std::nullopt;
    const std::int64_t sum = std::int64_t{*balance} + amount;
    if (sum < 0 || sum > fieldMaximum(kBalanceField)) return std::nullopt;
    return withField(std::move(purseBlock), kPurseBlock, kBalanceField,
                     hexText(static_cast<std::uint32_t>(sum), kBalanceField.length));
}

}  // namespace cardpurse
