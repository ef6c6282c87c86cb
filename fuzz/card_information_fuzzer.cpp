// The four account blocks as a reader may send them, decoded into the texts
// ReadCardInformation copies into the host's buffers: every text fits the
// buffer size the interface promises, numbers are decimal digits only, and an
// account written by OpenAccount's block builders reads back as opened.

#include "fuzz_check.h"

#include "account_blocks.h"
#include "block_text.h"
#include "card_information.h"
#include "digittext/digit_codec.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <string>

using namespace cardpurse;
using namespace digittext;

namespace {

// Host buffer sizes of ReadCardInformation's outputs, terminating zero included.
constexpr std::size_t kAccountNoSize = 9, kCardNoSize = 9, kNameSize = 19, kDepartmentSize = 19;
constexpr std::size_t kBalanceSize = 8, kLimitCountSize = 4, kLimitMoneySize = 9, kLimitTimeSize = 7;
constexpr std::size_t kGbCodeSize = 3, kLssjCountSize = 6;

bool fits(const std::string& text, std::size_t bufferSize) { return text.size() + 1 <= bufferSize; }

bool isDecimal(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

std::string blockFrom(FuzzedDataProvider& input) {
    std::string block = input.ConsumeBytesAsString(kBlockTextLength);
    block.resize(kBlockTextLength, '0');  // the reader always sends the full 32 characters
    return block;
}

std::string hexDigits(FuzzedDataProvider& input, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += hexDigitOut(input.ConsumeIntegral<unsigned>());
    return text;
}

void checkAnyBlocks(const std::string& department, const std::string& holder, const std::string& limits,
                    const std::string& purse) {
    FUZZ_CHECK(fits(departmentOutput(department), kDepartmentSize));
    if (const auto outputs = holderOutputs(holder)) {
        FUZZ_CHECK(fits(outputs->name, kNameSize));
        FUZZ_CHECK(fits(outputs->cardNo, kCardNoSize) && isDecimal(outputs->cardNo));
    }
    if (const auto outputs = limitsOutputs(limits)) {
        FUZZ_CHECK(fits(outputs->accountNo, kAccountNoSize) && isDecimal(outputs->accountNo));
        FUZZ_CHECK(fits(outputs->limitMoney, kLimitMoneySize) && isDecimal(outputs->limitMoney));
        FUZZ_CHECK(fits(outputs->limitCount, kLimitCountSize) && isDecimal(outputs->limitCount));
        FUZZ_CHECK(fits(outputs->limitTime, kLimitTimeSize));
        FUZZ_CHECK(fits(outputs->gbCode, kGbCodeSize));
    }
    if (const auto outputs = purseOutputs(purse)) {
        FUZZ_CHECK(fits(outputs->balance, kBalanceSize) && isDecimal(outputs->balance));
        FUZZ_CHECK(fits(outputs->lssjCount, kLssjCountSize) && isDecimal(outputs->lssjCount));
    }
}

void checkOpenedAccount(FuzzedDataProvider& input) {
    const std::string name = hexDigits(input, kHolderNameField.length);
    const std::string department = hexDigits(input, kDepartmentField.length);
    const std::string limitTime = hexDigits(input, kLimitTimeField.length);
    const std::string gbCode = hexDigits(input, kGbCodeField.length);
    const AccountValues account{
        input.ConsumeIntegralInRange<std::uint32_t>(0, fieldMaximum(kAccountNumberField)),
        input.ConsumeIntegral<std::uint32_t>(),
        name,
        department,
        input.ConsumeIntegralInRange<std::uint32_t>(0, fieldMaximum(kBalanceField)),
        input.ConsumeIntegralInRange<std::uint32_t>(0, fieldMaximum(kLimitCountField)),
        input.ConsumeIntegralInRange<std::uint32_t>(0, fieldMaximum(kLimitMoneyField)),
        limitTime,
        gbCode,
        input.ConsumeIntegralInRange<std::uint32_t>(0, fieldMaximum(kLssjCountField)),
    };
    const std::string holder = openedHolderBlock(blockFrom(input), account);
    const std::string limits = openedLimitsBlock(blockFrom(input), account);
    const std::string purse = openedPurseBlock(blockFrom(input), account);
    const std::string departmentBlock = openedDepartmentBlock(blockFrom(input), account);

    FUZZ_CHECK(departmentOutput(departmentBlock).substr(0, department.size()) == department);
    const auto holderText = holderOutputs(holder);
    FUZZ_CHECK(holderText && holderText->name.substr(0, name.size()) == name);
    FUZZ_CHECK(holderText->cardNo == decimalText(account.cardNo & 0xFFFFFFu, 8));
    const auto limitsText = limitsOutputs(limits);
    FUZZ_CHECK(limitsText && limitsText->accountNo == decimalText(account.accountNo, 6));
    FUZZ_CHECK(limitsText->limitMoney == decimalText(account.limitMoney, 8));
    FUZZ_CHECK(limitsText->limitCount == decimalText(account.limitCount, 3));
    FUZZ_CHECK(limitsText->limitTime == limitTime && limitsText->gbCode == gbCode);
    const auto purseText = purseOutputs(purse);
    FUZZ_CHECK(purseText && purseText->balance == decimalText(account.balance, 7));
    FUZZ_CHECK(purseText->lssjCount == decimalText(account.lssjCount, 5));
    for (const std::string* checked : {&limits, &purse})
        FUZZ_CHECK(fieldOf(*checked, kCheckField) == hexText(BlockCheck(*checked), kCheckField.length));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string department = blockFrom(input);
    const std::string holder = blockFrom(input);
    const std::string limits = blockFrom(input);
    const std::string purse = blockFrom(input);
    checkAnyBlocks(department, holder, limits, purse);
    checkOpenedAccount(input);
    return 0;
}
