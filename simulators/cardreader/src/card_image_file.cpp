#include "readersim/card_image_file.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <limits>

namespace readersim {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::string escapeBlockText(std::string_view text) {
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '\\') {
            out += "\\x";
            out += kHexDigits[byte >> 4];
            out += kHexDigits[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool unescapeBlockText(std::string_view text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (i + 3 >= text.size() || text[i + 1] != 'x') return false;
        const int high = hexValue(text[i + 2]);
        const int low = hexValue(text[i + 3]);
        if (high < 0 || low < 0) return false;
        out += static_cast<char>(high * 16 + low);
        i += 3;
    }
    return true;
}

template <typename Number>
bool parseNumber(std::string_view text, Number& value, Number low, Number high) {
    Number parsed{};
    auto [rest, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || rest != text.data() + text.size() || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

// Applies one "name value" line to `state`; returns the reason it was not.
std::string applyLine(std::string_view name, std::string_view value, ReaderState& state) {
    if (name == "block") {
        const std::size_t space = value.find(' ');
        int block = 0;
        if (space == std::string_view::npos || !parseNumber(value.substr(0, space), block, 0, kBlockCount - 1)) {
            return "block number must be 0 to 63";
        }
        std::string text;
        if (!unescapeBlockText(value.substr(space + 1), text)) return "bad \\x escape in block text";
        if (text.size() != kBlockTextLength) return "block text must have 32 characters";
        state.blocks[static_cast<std::size_t>(block)] = text;
        return {};
    }
    if (name == "readerkey") {
        if (value.size() != kKeyLength) return "reader key must have 12 characters";
        state.readerKey = std::string(value);
        return {};
    }
    if (name == "sound") return parseNumber(value, state.sound, 1, 9) ? "" : "sound must be 1 to 9";
    auto& purse = state.rfPurse;
    if (name == "rf.cardnumber") {
        return parseNumber(value, purse.cardNumber, 0u, 0x3FFFFu) ? "" : "card number must be 0 to 262143";
    }
    if (name == "rf.balance") {
        return parseNumber(value, purse.balance, std::numeric_limits<std::int32_t>::min(),
                           std::numeric_limits<std::int32_t>::max())
                   ? ""
                   : "balance must be a 32-bit signed number";
    }
    if (name == "rf.transaction") {
        return parseNumber(value, purse.transactionNumber, std::uint16_t{0}, std::uint16_t{65535})
                   ? ""
                   : "transaction number must be 0 to 65535";
    }
    return "unknown item \"" + std::string(name) + "\"";
}

}  // namespace

bool parseImageText(std::string_view text, ReaderState& state, std::string& error) {
    state = ReaderState::fresh();
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        const std::size_t space = line.find(' ');
        const std::string problem = space == std::string_view::npos
                                        ? "expected a name and a value"
                                        : applyLine(line.substr(0, space), line.substr(space + 1), state);
        if (!problem.empty()) {
            error = "line " + std::to_string(lineNumber) + ": " + problem;
            return false;
        }
    }
    return true;
}

std::string formatImageText(const ReaderState& state) {
    std::string text = "# card reader simulator state\n";
    char number[8];
    for (int block = 0; block < kBlockCount; ++block) {
        std::snprintf(number, sizeof number, "%02d", block);
        text += "block " + std::string(number) + " " + escapeBlockText(state.blocks[static_cast<std::size_t>(block)]) +
                "\n";
    }
    text += "readerkey " + state.readerKey + "\n";
    text += "sound " + std::to_string(state.sound) + "\n";
    text += "rf.cardnumber " + std::to_string(state.rfPurse.cardNumber) + "\n";
    text += "rf.balance " + std::to_string(state.rfPurse.balance) + "\n";
    text += "rf.transaction " + std::to_string(state.rfPurse.transactionNumber) + "\n";
    return text;
}

}  // namespace readersim
