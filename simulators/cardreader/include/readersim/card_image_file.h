#pragma once
// Text form of a reader state, read at start-up ("--image") and written by a
// dump. One item per line; "#" starts a comment line; items not given keep
// the values of a fresh reader:
//
//   block 05 8000000000000000000012340000017E
//   readerkey 7C3A19E5B04D
//   sound 3
//   rf.cardnumber 123456
//   rf.balance 5000
//   rf.transaction 7
//
// A block line holds the block number (0-63) and exactly 32 characters, taken
// as they stand (spaces included); a control character or a backslash is
// written as \xHH, so that any block text survives a dump and a reload.

#include <string>
#include <string_view>

#include "readersim/reader_state.h"

namespace readersim {

// Parses `text` over a fresh state. On a bad line returns false and says
// which line and why in `error`; `state` is then unspecified.
bool parseImageText(std::string_view text, ReaderState& state, std::string& error);

// Every block and setting of `state` in the form parseImageText reads.
std::string formatImageText(const ReaderState& state);

}  // namespace readersim
