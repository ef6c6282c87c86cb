#include "arguments.h"

#include <charconv>
#include <cstdio>
#include <limits>

namespace cardctl {

void expectArgumentCount(const Invocation& call, std::size_t count) {
    if (call.args.size() != count) {
        throw UsageError(std::to_string(count) + " argument" + (count == 1 ? "" : "s") + " expected, " +
                         std::to_string(call.args.size()) + " given");
    }
}

std::int32_t integerArgument(const std::string& word, bool wrapUnsigned) {
    // A sign, then "0x" or "0X" and hexadecimal digits, or decimal digits.
    const bool negative = !word.empty() && word[0] == '-';
    const std::size_t digitsAt = negative ? 1 : 0;
    const bool hexadecimal =
        word.size() > digitsAt + 2 && word[digitsAt] == '0' && (word[digitsAt + 1] == 'x' || word[digitsAt + 1] == 'X');
    const char* begin = word.data() + digitsAt + (hexadecimal ? 2 : 0);
    const char* end = word.data() + word.size();
    std::int64_t value = 0;
    // from_chars reads no sign of its own here, so "--5" and "0x-5" stay refused.
    const bool signedDigits = begin != end && (*begin == '-' || *begin == '+');
    const auto [stop, error] = std::from_chars(begin, end, value, hexadecimal ? 16 : 10);
    if (negative) value = -value;
    const std::int64_t maximum =
        wrapUnsigned ? std::numeric_limits<std::uint32_t>::max() : std::numeric_limits<std::int32_t>::max();
    if (begin == end || signedDigits || error != std::errc() || stop != end ||
        value < std::numeric_limits<std::int32_t>::min() || value > maximum) {
        throw UsageError("not an integer in range: \"" + word + "\"");
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

int exitStatusOf(const char* exportName, int result) {
    if (result == 1) return 0;
    std::fprintf(stderr, "%s failed (result %d); set CARDPAYMENT_DEBUG=1 to see why\n", exportName, result);
    return 1;
}

}  // namespace cardctl
