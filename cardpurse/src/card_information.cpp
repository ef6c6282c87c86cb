#include "card_information.h"

#include "block_text.h"
#include "card_layout.h"
#include "digittext/digit_codec.h"

namespace cardpurse {

using digittext::decimalText;
using digittext::hexFieldValue;

namespace {

std::optional<std::string> decimalOf(std::string_view block, Field field, std::size_t width) {
    const auto value = hexFieldValue(fieldOf(block, field));
    if (!value) return std::nullopt;
    return decimalText(*value, width);
}

}  // namespace

std::string departmentOutput(std::string_view departmentBlock) {
    return std::string(fieldOf(departmentBlock, kDepartmentOutput));
}

std::optional<HolderOutputs> holderOutputs(std::string_view holderBlock) {
    auto cardNo = decimalOf(holderBlock, kCardNumberOutput, 8);
    if (!cardNo) return std::nullopt;
    return HolderOutputs{std::string(fieldOf(holderBlock, kHolderNameOutput)), std::move(*cardNo)};
}

std::optional<LimitsOutputs> limitsOutputs(std::string_view limitsBlock) {
    auto accountNo = decimalOf(limitsBlock, kAccountNumberField, 6);
    auto limitMoney = decimalOf(limitsBlock, kLimitMoneyField, 8);
    auto limitCount = decimalOf(limitsBlock, kLimitCountField, 3);
    if (!accountNo || !limitMoney || !limitCount) return std::nullopt;
    return LimitsOutputs{std::move(*accountNo), std::move(*limitMoney), std::move(*limitCount),
                         std::string(fieldOf(limitsBlock, kLimitTimeField)),
                         std::string(fieldOf(limitsBlock, kGbCodeField))};
}

std::optional<PurseOutputs> purseOutputs(std::string_view purseBlock) {
    auto balance = decimalOf(purseBlock, kBalanceField, 7);
    auto lssjCount = decimalOf(purseBlock, kLssjCountField, 5);
    if (!balance || !lssjCount) return std::nullopt;
    return PurseOutputs{std::move(*balance), std::move(*lssjCount)};
}

}  // namespace cardpurse
