// A *.ds file from anywhere, loaded: every value is one line of at most the
// profile value limit, the MAC address never comes from a file, a file that
// is refused as no configuration file would have loaded nothing but empty
// values, and looking up any section and key is safe.

#include "fuzz_check.h"

#include "params/device_profile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QByteArray>
#include <QString>

using namespace serverconf;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const QString section = QString::fromLatin1(input.ConsumeRandomLengthString(8));
    const QString key = QString::fromLatin1(input.ConsumeRandomLengthString(4));
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QByteArray content(rest.data(), static_cast<qsizetype>(rest.size()));

    const QString any = readProfileValue(content, section, key);
    FUZZ_CHECK(any.size() <= kProfileValueLimit);

    const DeviceParameters loaded = readDeviceProfile(content);
    FUZZ_CHECK(loaded.macAddress.isEmpty());
    FUZZ_CHECK(isDeviceProfile(content) || loaded == DeviceParameters{});
    for (const char* code : kProfileLoadOrder) {
        const QString& value = *loaded.valueByCode(QString::fromLatin1(code));
        FUZZ_CHECK(value.size() <= kProfileValueLimit);
        FUZZ_CHECK(!value.contains(u'\n'));
    }
    return 0;
}
