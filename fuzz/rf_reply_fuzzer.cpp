// Replies of the RF SAM reader as any bytes: the decoded numbers fit the
// texts the host's buffers take, a money reply is taken only when it starts
// with "DONE", and what the simulated reader sends decodes to what it holds.

#include "fuzz_check.h"

#include "reply_decoding.h"

#include "readersim/reader_model.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>

namespace {

// Length of the text snprintf would write, without cutting it.
template <typename... Args>
int printedLength(const char* format, Args... args) {
    return std::snprintf(nullptr, 0, format, args...);
}

void checkAgainstSimulatedReader(FuzzedDataProvider& input) {
    readersim::ReaderState state = readersim::ReaderState::fresh();
    state.rfPurse.cardNumber = input.ConsumeIntegral<std::uint32_t>();
    state.rfPurse.balance = input.ConsumeIntegral<std::int32_t>();
    state.rfPurse.transactionNumber = input.ConsumeIntegral<std::uint16_t>();
    readersim::Request request;
    request.command = readersim::Command::RfReadInfo;
    const auto info = rfwallet::decodeCardInfoReply(*readersim::answerRequest(state, request, true));
    FUZZ_CHECK(info && info->infoNumberA == static_cast<std::int32_t>(state.rfPurse.cardNumber & 0x3FFFF));
    FUZZ_CHECK(info->infoNumberB == state.rfPurse.balance);

    request.command = input.ConsumeBool() ? readersim::Command::RfAddMoney : readersim::Command::RfDeduct;
    request.rfAmount = input.ConsumeIntegral<std::uint32_t>();
    const std::string reply = *readersim::answerRequest(state, request, true);
    const auto value = rfwallet::decodeMoneyReply(reply);
    FUZZ_CHECK(value.has_value() == (reply.rfind("DONE", 0) == 0));
    if (value) FUZZ_CHECK(*value == state.rfPurse.transactionNumber);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view reply = fuzzBytes(data, size);
    if (const auto info = rfwallet::decodeCardInfoReply(reply)) {
        FUZZ_CHECK(size >= rfwallet::kCardInfoReplyLength - 1);
        FUZZ_CHECK(info->infoNumberA >= 0 && info->infoNumberA <= 0x3FFFF);
        FUZZ_CHECK(printedLength("%06d", info->infoNumberA) < static_cast<int>(rfwallet::kInfoNumberAOutputSize));
        FUZZ_CHECK(printedLength("%d", info->infoNumberB) < static_cast<int>(rfwallet::kInfoNumberBOutputSize));
    }
    const auto money = rfwallet::decodeMoneyReply(reply);
    FUZZ_CHECK(money.has_value() == (size >= rfwallet::kMoneyReplyLength - 1 && reply.substr(0, 4) == "DONE"));

    FuzzedDataProvider input(data, size);
    checkAgainstSimulatedReader(input);
    return 0;
}
