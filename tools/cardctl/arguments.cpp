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
    std::int64_t value = 0;
    const char* end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, value);
    const std::int64_t maximum = wrapUnsigned ? std::numeric_limits<std::uint32_t>::max()
                                              : std::numeric_limits<std::int32_t>::max();
    if (word.empty() || error != std::errc() || stop != end || value < std::numeric_limits<std::int32_t>::min() ||
        value > maximum) {
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
