// Datagrams arriving at a simulated device server: every byte string is
// classified, a request keeps to serverconf's parameter table (the two
// tables are written separately; here they are held against each other),
// and the requests that serverconf sends are read back as sent. Then the datagrams are handled by a
// device in turn, which must keep answering from a loopback address.

#include "fuzz_check.h"

#include "device_request.h"
#include "simulated_device.h"

#include "device/device_parameters.h"
#include "params/gbk_text.h"
#include "params/request_texts.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QByteArray>

using namespace devicesim;

namespace {

void checkRequest(const DeviceRequest& request) {
    switch (request.kind) {
        case DeviceRequest::Kind::Unknown: FUZZ_CHECK(!request.error.isEmpty()); break;
        case DeviceRequest::Kind::Get: {
            const auto* parameter = serverconf::parameterByCode(request.code);
            FUZZ_CHECK(parameter && parameter->getTag == request.tag);
            break;
        }
        case DeviceRequest::Kind::Set:
            FUZZ_CHECK(serverconf::parameterByCode(request.code) != nullptr);
            FUZZ_CHECK(request.tag >= serverconf::kFirstSetTag && request.tag <= serverconf::kSetIpUnicastTag);
            break;
        default: FUZZ_CHECK(request.code.isEmpty() && request.error.isEmpty());
    }
}

// serverconf's own requests, built from fuzzed values, parse as what they are.
void checkSentRequests(FuzzedDataProvider& input) {
    const int getTag = input.ConsumeIntegralInRange(1, serverconf::kParameterCount);
    const DeviceRequest get = parseDeviceRequest(serverconf::getRequest(getTag));
    FUZZ_CHECK(get.kind == DeviceRequest::Kind::Get && get.tag == getTag);

    const std::string bytes = input.ConsumeRandomLengthString(80);
    const QString value = serverconf::fromGbk(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    const auto order = serverconf::setRequestOrder();
    const auto* parameter = order[input.ConsumeIntegralInRange<std::size_t>(0, order.size() - 1)];
    const DeviceRequest set = parseDeviceRequest(serverconf::setRequest(*parameter, value));
    FUZZ_CHECK(set.kind == DeviceRequest::Kind::Set && set.tag == parameter->setTag);
    if (serverconf::fromGbk(serverconf::toGbk(value)) == value) FUZZ_CHECK(set.text == value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    checkSentRequests(input);

    DeviceConfig config;
    config.address = QStringLiteral("127.0.0.5");
    config.values = factoryValues();
    config.values.insert(QStringLiteral("FE"), QStringLiteral("001122334455"));
    SimulatedDevice device(config);
    // The rest is a series of datagrams, each preceded by its length.
    while (input.remaining_bytes() > 0) {
        const bool broadcast = input.ConsumeBool();
        const std::string bytes = input.ConsumeBytesAsString(input.ConsumeIntegralInRange<std::size_t>(0, 300));
        const DeviceRequest request =
            parseDeviceRequest(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
        checkRequest(request);
        const Outcome outcome = device.handle(request, broadcast);
        if (outcome.newAddress) device.moveTo(*outcome.newAddress);
        FUZZ_CHECK(device.address().startsWith(QStringLiteral("127.")));
    }
    return 0;
}
