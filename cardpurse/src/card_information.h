#pragma once
// The texts shown to the host for the account fields of each block, in the
// print widths of the card information outputs.

#include <optional>
#include <string>
#include <string_view>

namespace cardpurse {

struct HolderOutputs {
    std::string name;    // characters 2-19, copied
    std::string cardNo;  // "%08d" of characters 20-25
};

struct LimitsOutputs {
    std::string accountNo;   // "%06d"
    std::string limitMoney;  // "%08d"
    std::string limitCount;  // "%03d"
    std::string limitTime;   // copied, 6 characters
    std::string gbCode;      // copied, 2 characters
};

struct PurseOutputs {
    std::string balance;    // "%07d"
    std::string lssjCount;  // "%05d"
};

// Characters 0-17 of the department block, copied.
std::string departmentOutput(std::string_view departmentBlock);

// The numeric outputs are nothing when a number field holds a character that
// is not a hexadecimal digit: such a block is damaged or is not an account.
std::optional<HolderOutputs> holderOutputs(std::string_view holderBlock);
std::optional<LimitsOutputs> limitsOutputs(std::string_view limitsBlock);
std::optional<PurseOutputs> purseOutputs(std::string_view purseBlock);

}  // namespace cardpurse
