#include "reader_exchange.h"

#include <thread>

#include "common/debug_log.h"

namespace cardpurse {

namespace {

// Waits with the port open; the one place where the library paces the reader.
void pause(std::chrono::milliseconds duration) {
    if (duration.count() > 0) std::this_thread::sleep_for(duration);
}

}  // namespace

readerlink::ReaderLink& purseLink() {
    static readerlink::ReaderLink link(readerlink::kCardPurseTimeouts);
    return link;
}

std::optional<std::string> exchange(int port, std::string_view frame, std::size_t replyLength,
                                    std::chrono::milliseconds holdOpen) {
    // Requests are named by their first two characters only: some carry keys.
    const std::string request(frame.substr(0, 2));
    const auto name = readerlink::portText(port);
    if (!name) {
        common::debugLog(kLogComponent, "request %s: port number %d is outside 1..999", request.c_str(), port);
        return std::nullopt;
    }
    readerlink::ReaderLink& link = purseLink();
    if (!link.OpenCOMM(name->c_str())) {
        common::debugLog(kLogComponent, "request %s: port COM%s cannot be opened", request.c_str(), name->c_str());
        return std::nullopt;
    }
    std::optional<std::string> reply;
    if (!link.WriteCOMM(frame.data(), frame.size())) {
        common::debugLog(kLogComponent, "request %s: writing %zu bytes to COM%s failed", request.c_str(), frame.size(),
                         name->c_str());
    } else {
        std::string received(replyLength, '\0');
        if (replyLength == 0 || link.ReadCOMM(received.data(), replyLength)) {
            reply = std::move(received);
        } else {
            common::debugLog(kLogComponent, "request %s: no full reply of %zu bytes from COM%s", request.c_str(),
                             replyLength, name->c_str());
        }
    }
    pause(holdOpen);
    if (!link.CloseCOMM()) {
        common::debugLog(kLogComponent, "request %s: closing COM%s failed", request.c_str(), name->c_str());
    }
    return reply;
}

}  // namespace cardpurse
