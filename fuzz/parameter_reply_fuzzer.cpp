// A datagram on the window socket, read as the reply to a get request: the
// parser must classify every byte string, and a stored value must land in
// the one parameter its tag names and nowhere else.

#include "fuzz_check.h"

#include "device/device_parameters.h"
#include "params/parameter_reply.h"

#include <QByteArray>

using namespace serverconf;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzzBytes(data, size);
    const QByteArray datagram(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const ParameterReply reply = parseParameterReply(datagram);
    FUZZ_CHECK((reply.kind == ParameterReply::Kind::TooShort) == (size < 2));
    if (reply.kind == ParameterReply::Kind::Value) {
        FUZZ_CHECK(reply.getTag >= 1 && reply.getTag <= kParameterCount);
        FUZZ_CHECK(reply.tagText == QString::number(reply.getTag));
        FUZZ_CHECK(!reply.value.contains(u'A'));
    }

    DeviceParameters parameters;
    const bool stored = storeParameterReply(parameters, reply);
    FUZZ_CHECK(stored == (reply.kind == ParameterReply::Kind::Value));
    for (int tag = 1; tag <= kParameterCount; ++tag) {
        const QString expected = stored && tag == reply.getTag ? reply.value : QString();
        FUZZ_CHECK(*parameters.valueByGetTag(tag) == expected);
    }
    return 0;
}
