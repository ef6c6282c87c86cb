#pragma once
// How the simulated reader answers one parsed request (pure: no I/O, no
// clock). The answer may change the reader state (blocks, key, sound, purse).
//
// Replies:
//   Da  the 32 characters of the block
//   Db  "DONE!"
//   DG  nothing
//   Dc  "DONE!"
//   Dd  25 characters: 12 bytes as nibble text (bytes 5-7 the card number,
//       18 bits; bytes 8-11 the balance, signed 32 bits) and "!"
//   De, Dg  "DONE" + the new transaction number as 4 nibble characters + "!"
// A refused or malformed request gets kErrorReply, which is shorter than any
// reply a library waits for except "DONE!" (and differs from it). A refused
// "De"/"Dg" (no card, balance too low or too high) gets kRfRefusalReply: nine
// characters that do not start with "DONE".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "readersim/frame_parser.h"
#include "readersim/reader_state.h"

namespace readersim {

inline constexpr std::string_view kDoneReply = "DONE!";
inline constexpr std::string_view kErrorReply = "FAIL!";
inline constexpr std::string_view kRfRefusalReply = "FAIL0000!";

// The reply to `request`, or nothing when the command has no reply.
// Without a card, only the reader's own settings (DG, Dc) succeed.
std::optional<std::string> answerRequest(ReaderState& state, const Request& request, bool cardPresent);

// Nibble text of the low `digits` 4-bit values of `value`, high first.
std::string nibbleText(std::uint64_t value, int digits);

}  // namespace readersim
