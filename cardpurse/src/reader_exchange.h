#pragma once
// Exchanges with the card reader through the library's one ReaderLink: open
// the port, write one request, read its fixed-length reply, close the port.

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "readerlink/reader_link.h"

namespace cardpurse {

// The name of this library in the debug log.
inline constexpr const char* kLogComponent = "cardpurse";

// The link of this library; every export holds its lockForOperation().
readerlink::ReaderLink& purseLink();

// How long the port stays open after a request that changes the reader's own
// settings (reader key, sound), so that the reader has taken it before the
// port is closed.
inline constexpr std::chrono::milliseconds kReaderSettleTime{300};

// One exchange on port `port`: writes `frame`, reads `replyLength` bytes
// (none when 0), keeps the port open `holdOpen` longer and closes it on every
// path after a successful open. The reply, or nothing when the port could not
// be opened, the frame not written or the reply not received in full.
std::optional<std::string> exchange(int port, std::string_view frame, std::size_t replyLength,
                                    std::chrono::milliseconds holdOpen = {});

}  // namespace cardpurse
