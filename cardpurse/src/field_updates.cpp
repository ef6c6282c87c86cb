// The field updates: each reads one block, changes one field and writes the
// block back (the purse block after its backup).
#include <cstdint>
#include <string>

#include "account_blocks.h"
#include "block_io.h"
#include "cardpurse.h"
#include "common/debug_log.h"
#include "digittext/digit_codec.h"
#include "digittext/host_arguments.h"
#include "reader_exchange.h"

using namespace cardpurse;
using digittext::Digits;
using digittext::hexText;
using digittext::HostArguments;

namespace {

int updateField(int port, BlockAddress address, Field field, std::string_view text) {
    auto block = readBlock(port, address);
    if (!block) return 0;
    return writeAccountBlock(port, address, withField(std::move(*block), address, field, text)) ? 1 : 0;
}

// Numbers that do not fit their field are refused rather than cut.
int updateNumberField(int port, BlockAddress address, Field field, int value, const char* operation, const char* name) {
    auto lock = purseLink().lockForOperation();
    HostArguments arguments;
    arguments.number(name, value, 0, fieldMaximum(field));
    if (arguments.refused(kLogComponent, operation)) return 0;
    return updateField(port, address, field, hexText(static_cast<std::uint32_t>(value), field.length));
}

int updateTextField(int port, BlockAddress address, Field field, const char* text, const char* operation,
                    const char* name) {
    auto lock = purseLink().lockForOperation();
    HostArguments arguments;
    const auto fieldText = arguments.digitText(name, text, field.length, Digits::Hexadecimal);
    if (arguments.refused(kLogComponent, operation)) return 0;
    return updateField(port, address, field, fieldText);
}

}  // namespace

int CARDPURSE_CALL AddMoney(int port, int amount) {
    auto lock = purseLink().lockForOperation();
    HostArguments arguments;
    arguments.number("amount", amount, INT32_MIN, fieldMaximum(kBalanceField));
    if (arguments.refused(kLogComponent, "AddMoney")) return 0;
    auto block = readBlock(port, kPurseBlock);
    if (!block) return 0;
    const auto updated = withAddedMoney(std::move(*block), amount);
    if (!updated) {
        common::debugLog(kLogComponent, "AddMoney: balance field unreadable or %d takes it outside 0..1048575", amount);
        return 0;
    }
    return writeAccountBlock(port, kPurseBlock, *updated) ? 1 : 0;
}

int CARDPURSE_CALL AddLimitMoney(int port, int limitMoney) {
    return updateNumberField(port, kLimitsBlock, kLimitMoneyField, limitMoney, "AddLimitMoney", "limitMoney");
}

int CARDPURSE_CALL WriteLimitCount(int port, int limitCount) {
    return updateNumberField(port, kLimitsBlock, kLimitCountField, limitCount, "WriteLimitCount", "limitCount");
}

int CARDPURSE_CALL WriteLssjCount(int port, int lssjCount) {
    return updateNumberField(port, kPurseBlock, kLssjCountField, lssjCount, "WriteLssjCount", "lssjCount");
}

int CARDPURSE_CALL WriteLimitTime(int port, const char* limitTime) {
    return updateTextField(port, kLimitsBlock, kLimitTimeField, limitTime, "WriteLimitTime", "limitTime");
}

int CARDPURSE_CALL WriteGB(int port, const char* gbCode) {
    return updateTextField(port, kLimitsBlock, kGbCodeField, gbCode, "WriteGB", "gbCode");
}

int CARDPURSE_CALL WriteName(int port, const char* name) {
    return updateTextField(port, kHolderBlock, kHolderNameField, name, "WriteName", "name");
}

// Every 32-bit value fits the eight digits of the card number field.
int CARDPURSE_CALL WriteNumber(int port, int cardNo) {
    auto lock = purseLink().lockForOperation();
    return updateField(port, kHolderBlock, kCardNumberField,
                       hexText(static_cast<std::uint32_t>(cardNo), kCardNumberField.length));
}

int CARDPURSE_CALL WriteDepartment(int port, const char* department) {
    return updateTextField(port, kDepartmentBlock, kDepartmentField, department, "WriteDepartment", "department");
}
