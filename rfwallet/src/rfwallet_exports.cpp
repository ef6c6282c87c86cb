// The exports of rfwallet: check the host's arguments, run one request and
// its reply over the reader link, and report the result as a number.
#include "rfwallet.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "common/debug_log.h"
#include "digittext/host_arguments.h"
#include "readerlink/reader_link.h"
#include "reply_decoding.h"
#include "request_frames.h"

namespace {

constexpr const char* kLogComponent = "rfwallet";
constexpr int kInfoFailure = 0;
constexpr int kInfoSuccess = 1;
constexpr int kMoneyFailure = -1;

readerlink::ReaderLink readerLink(readerlink::kRfWalletTimeouts);

// Opens the port, writes the request, reads `replyLength` characters and
// closes the port on every path after the open. Nothing when a step failed;
// the reason goes to the debug log.
std::optional<std::string> exchange(const char* operation, int port, std::string_view request,
                                    std::size_t replyLength) {
    const std::optional<std::string> portText = readerlink::portText(port);
    if (!portText) {
        common::debugLog(kLogComponent, "%s: port number %d is outside %d..%d", operation, port,
                         readerlink::kFirstPortNumber, readerlink::kLastPortNumber);
        return std::nullopt;
    }
    if (!readerLink.OpenCOMM(portText->c_str())) {
        common::debugLog(kLogComponent, "%s: port COM%s could not be opened", operation, portText->c_str());
        return std::nullopt;
    }
    std::optional<std::string> reply;
    std::string received(replyLength, '\0');
    if (!readerLink.WriteCOMM(request.data(), request.size())) {
        common::debugLog(kLogComponent, "%s: the request could not be written", operation);
    } else if (!readerLink.ReadCOMM(received.data(), received.size())) {
        common::debugLog(kLogComponent, "%s: the %zu-character reply did not arrive in full", operation, replyLength);
    } else {
        reply = std::move(received);
    }
    // The result stands whatever the close gives; a failed close is only logged.
    if (!readerLink.CloseCOMM()) {
        common::debugLog(kLogComponent, "%s: closing the port failed", operation);
    }
    return reply;
}

// Sends the frame that `buildFrame` makes of the checked arguments and
// decodes the reply: 0..65535, or -1.
template <typename BuildFrame>
int moneyOperation(const char* operation, int port, const digittext::HostArguments& input, BuildFrame buildFrame) {
    if (input.refused(kLogComponent, operation)) return kMoneyFailure;
    const std::optional<std::string> reply = exchange(operation, port, buildFrame(), rfwallet::kMoneyReplyLength);
    if (!reply) return kMoneyFailure;
    const std::optional<std::uint16_t> value = rfwallet::decodeMoneyReply(*reply);
    if (!value) {
        common::debugLog(kLogComponent, "%s: the reply does not start with DONE", operation);
        return kMoneyFailure;
    }
    return *value;
}

// A text of hexadecimal digits whose first `length` characters make a field.
std::string_view hexField(digittext::HostArguments& input, const char* name, const char* text, std::size_t length) {
    return input.digitText(name, text, length, digittext::Digits::Hexadecimal);
}

rfwallet::MoneyFields moneyFields(digittext::HostArguments& input, const char* hostFieldD, int hostHex8,
                                  const char* digits12, int hostHex6) {
    using namespace rfwallet;
    return MoneyFields{hexField(input, "hostFieldD", hostFieldD, kHostFieldDLength), hostHex8,
                       input.digitText("digits12", digits12, kDigits12Length, digittext::Digits::Decimal),
                       static_cast<std::int32_t>(input.number("hostHex6", hostHex6, 0, kLargestHostHex6))};
}

}  // namespace

extern "C" {

RFWALLET_API(int)
RFSAMReadCardInfo(int port, const char* hostFieldA, const char* hostFieldB, char* infoNumberA, char* infoNumberB) {
    using namespace rfwallet;
    constexpr const char* operation = "RFSAMReadCardInfo";
    const auto lock = readerLink.lockForOperation();
    digittext::HostArguments input;
    const ReadCardInfoRequest request{hexField(input, "hostFieldA", hostFieldA, kHostFieldALength),
                                      hexField(input, "hostFieldB", hostFieldB, kHostFieldBLength)};
    input.outputBuffer("infoNumberA", infoNumberA);
    input.outputBuffer("infoNumberB", infoNumberB);
    if (input.refused(kLogComponent, operation)) return kInfoFailure;

    const std::optional<std::string> reply =
        exchange(operation, port, readCardInfoFrame(request), kCardInfoReplyLength);
    if (!reply) return kInfoFailure;
    const std::optional<CardInfo> info = decodeCardInfoReply(*reply);
    if (!info) {
        common::debugLog(kLogComponent, "%s: the reply is too short to decode", operation);
        return kInfoFailure;
    }
    std::snprintf(infoNumberA, kInfoNumberAOutputSize, "%06d", info->infoNumberA);
    std::snprintf(infoNumberB, kInfoNumberBOutputSize, "%d", info->infoNumberB);
    return kInfoSuccess;
}

RFWALLET_API(int)
RFSAMADDMoney(int port, const char* hostFieldA, const char* hostFieldB, const char* hostFieldC, const char* hostFieldD,
              int hostHex8, const char* digits12, int hostHex6) {
    using namespace rfwallet;
    const auto lock = readerLink.lockForOperation();
    digittext::HostArguments input;
    const AddMoneyRequest request{hexField(input, "hostFieldA", hostFieldA, kHostFieldALength),
                                  hexField(input, "hostFieldB", hostFieldB, kHostFieldBLength),
                                  hexField(input, "hostFieldC", hostFieldC, kHostFieldCLength),
                                  moneyFields(input, hostFieldD, hostHex8, digits12, hostHex6)};
    return moneyOperation("RFSAMADDMoney", port, input, [&] { return addMoneyFrame(request); });
}

RFWALLET_API(int)
RFSAMDeductions(int port, const char* hostFieldA, const char* hostFieldB, const char* hostFieldD, int hostHex8,
                const char* digits12, int hostHex6) {
    using namespace rfwallet;
    const auto lock = readerLink.lockForOperation();
    digittext::HostArguments input;
    const DeductionsRequest request{hexField(input, "hostFieldA", hostFieldA, kHostFieldALength),
                                    hexField(input, "hostFieldB", hostFieldB, kHostFieldBLength),
                                    moneyFields(input, hostFieldD, hostHex8, digits12, hostHex6)};
    return moneyOperation("RFSAMDeductions", port, input, [&] { return deductionsFrame(request); });
}

RFWALLET_API(int) CloseCOMM(void) {
    const auto lock = readerLink.lockForOperation();
    const int result = readerLink.CloseCOMM();
    if (!result) common::debugLog(kLogComponent, "CloseCOMM: closing the port failed");
    return result;
}

}  // extern "C"
