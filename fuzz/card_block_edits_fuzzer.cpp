// Field updates on a block as the reader sent it (any 32 characters): adding
// money yields the exact new balance or nothing, an edit touches only its
// field and the check byte, and the check byte is always the one the block's
// digits give.

#include "fuzz_check.h"

#include "account_blocks.h"
#include "block_text.h"
#include "card_layout.h"
#include "digittext/digit_codec.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <string>

using namespace cardpurse;
using namespace digittext;

namespace {

struct FieldOfBlock {
    BlockAddress address;
    Field field;
};

constexpr std::array<FieldOfBlock, 8> kEditedFields{{
    {kPurseBlock, kBalanceField},
    {kPurseBlock, kLssjCountField},
    {kLimitsBlock, kLimitMoneyField},
    {kLimitsBlock, kLimitCountField},
    {kLimitsBlock, kLimitTimeField},
    {kLimitsBlock, kGbCodeField},
    {kHolderBlock, kHolderNameField},
    {kDepartmentBlock, kDepartmentField},
}};

bool insideAny(std::size_t position, Field a, Field b) {
    const auto inside = [position](Field f) { return position >= f.position && position < f.position + f.length; };
    return inside(a) || inside(b);
}

// Characters outside `field` and the check field are as they were.
void checkOnlyFieldChanged(const std::string& before, const std::string& after, Field field, bool checked) {
    FUZZ_CHECK(after.size() == before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (!insideAny(i, field, checked ? kCheckField : field)) FUZZ_CHECK(after[i] == before[i]);
    }
    if (checked) FUZZ_CHECK(fieldOf(after, kCheckField) == hexText(BlockCheck(after), kCheckField.length));
}

void checkAddedMoney(const std::string& block, std::int32_t amount) {
    const auto balance = hexFieldValue(fieldOf(block, kBalanceField));
    const auto result = withAddedMoney(block, amount);
    const std::int64_t sum = balance ? std::int64_t{*balance} + amount : -1;
    FUZZ_CHECK(result.has_value() == (sum >= 0 && sum <= fieldMaximum(kBalanceField)));
    if (!result) return;
    FUZZ_CHECK(hexFieldValue(fieldOf(*result, kBalanceField)) == static_cast<std::uint32_t>(sum));
    checkOnlyFieldChanged(block, *result, kBalanceField, true);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    std::string block = input.ConsumeBytesAsString(kBlockTextLength);
    block.resize(kBlockTextLength, '0');
    const std::int32_t amount = input.ConsumeIntegral<std::int32_t>();
    const FieldOfBlock edit = kEditedFields[input.ConsumeIntegralInRange<std::size_t>(0, kEditedFields.size() - 1)];
    std::string text;
    for (std::size_t i = 0; i < edit.field.length; ++i) text += hexDigitOut(input.ConsumeIntegral<unsigned>());

    (void)BlockCheck(block);
    checkAddedMoney(block, amount);
    checkOnlyFieldChanged(block, withField(block, edit.address, edit.field, text), edit.field,
                          hasBlockCheck(edit.address));
    FUZZ_CHECK(fieldOf(withField(block, edit.address, edit.field, text), edit.field) == text);
    return 0;
}
