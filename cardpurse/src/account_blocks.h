#pragma once
// Block texts of an account: those written when an account is opened and
// those written when one field of an opened card changes. Each function takes
// the block as read from the card and returns the text to write back.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "card_layout.h"

namespace cardpurse {

// The values of a new account, already checked to fit their fields; the texts
// are exactly as long as their fields.
struct AccountValues {
    std::uint32_t accountNo;
    std::uint32_t cardNo;
    std::string_view name;
    std::string_view department;
    std::uint32_t balance;
    std::uint32_t limitCount;
    std::uint32_t limitMoney;
    std::string_view limitTime;
    std::string_view gbCode;
    std::uint32_t lssjCount;
};

// Department, zeros.
std::string openedDepartmentBlock(std::string block, const AccountValues& account);
// "00", name, card number "%08X"; characters 26-31 stay as read.
std::string openedHolderBlock(std::string block, const AccountValues& account);
// "8", zeros, balance "%05x", zeros, Lssj count "%04x", check.
std::string openedPurseBlock(std::string block, const AccountValues& account);
// "80", account number, GB code, limit time, limit money, limit count, zeros, check.
std::string openedLimitsBlock(std::string block, const AccountValues& account);

// The block of `address` with `text` in `field`, its check renewed where the
// block carries one; every other character stays as read.
std::string withField(std::string block, BlockAddress address, Field field, std::string_view text);

// The purse block with `amount` added to its balance, in upper-case digits.
// Nothing when the stored balance is not a number or the sum would leave
// 0..1048575.
std::optional<std::string> withAddedMoney(std::string purseBlock, std::int32_t amount);

}  // namespace cardpurse
