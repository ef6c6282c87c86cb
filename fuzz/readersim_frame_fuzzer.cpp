// Bytes arriving on the simulated reader's line, cut into frames and answered
// one after the other: the parser always makes progress within what it was
// given, and the card it keeps stays a card (64 blocks of 32 characters, a
// 12-digit key, a sound level 1-9) whatever the frames say.

#include "fuzz_check.h"

#include "readersim/frame_parser.h"
#include "readersim/reader_model.h"
#include "readersim/reader_state.h"

using namespace readersim;

namespace {

void checkState(const ReaderState& state) {
    for (const std::string& block : state.blocks) FUZZ_CHECK(block.size() == kBlockTextLength);
    FUZZ_CHECK(state.readerKey.size() == kKeyLength);
    FUZZ_CHECK(state.sound >= 1 && state.sound <= 9);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view pending = fuzzBytes(data, size);
    ReaderState state = ReaderState::fresh();
    const bool cardPresent = size % 2 == 0;
    while (!pending.empty()) {
        const ParseOutcome outcome = parseFrame(pending);
        if (outcome.status == ParseOutcome::Status::NeedMore) {
            FUZZ_CHECK(outcome.consumed == 0);
            break;
        }
        FUZZ_CHECK(outcome.consumed > 0 && outcome.consumed <= pending.size());
        if (outcome.status == ParseOutcome::Status::Frame) {
            const Request& request = outcome.request;
            FUZZ_CHECK((request.command == Command::Malformed) != request.problem.empty());
            const auto reply = answerRequest(state, request, cardPresent);
            FUZZ_CHECK(reply.has_value() == (request.command != Command::LoadKey));
            checkState(state);
        }
        pending.remove_prefix(outcome.consumed);
    }
    return 0;
}
