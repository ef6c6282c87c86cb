#pragma once
// The four requests of the card reader. Each is ASCII without a length byte:
// "D", a command letter, fixed-width fields and the terminator "!".

#include <cstddef>
#include <string>
#include <string_view>

namespace cardpurse {

// Reply of the write-block and set-sound requests when the reader did the work.
inline constexpr std::string_view kDoneReply = "DONE!";
// Reply of the read-block request: the 32 characters of the block text.
inline constexpr std::size_t kBlockReplyLength = 32;

// "Da" sector(2) block(2) "!": 7 bytes.
std::string readBlockFrame(std::string_view sector, std::string_view block);

// "Db" sector(2) block(2) blockText(32) "!": 39 bytes.
std::string writeBlockFrame(std::string_view sector, std::string_view block, std::string_view blockText);

// "DG" key(12) "!": 15 bytes, no reply.
std::string loadReaderKeyFrame(std::string_view key);

// "Dc" level digit "!": 4 bytes.
std::string setSoundFrame(int level);

}  // namespace cardpurse
