// Save into an existing *.ds file of any content, then Load: every value a
// file can hold reads back as written, saving the same values again changes
// nothing, and lines of other sections are kept.

#include "fuzz_check.h"

#include "params/device_profile.h"
#include "params/gbk_text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QByteArray>
#include <QString>

using namespace serverconf;

namespace {

QByteArray bytesOf(const std::string& text) { return QByteArray(text.data(), static_cast<qsizetype>(text.size())); }

// Whether `value` comes back from a file exactly: code page 936 carries it,
// it fits the value limit and has no white space at its ends (a file line
// does not keep that).
bool survivesFile(const QString& value) {
    const QByteArray bytes = toGbk(value);
    return fromGbk(bytes) == value && bytes.size() <= kProfileValueLimit && bytes.trimmed() == bytes;
}

bool isMainSection(const QString& section) {
    return section.trimmed().compare(QString::fromLatin1(kProfileSection), Qt::CaseInsensitive) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    DeviceParameters values;
    for (const char* code : kProfileSaveOrder) {
        *values.valueByCode(QString::fromLatin1(code)) =
            QString::fromUtf8(bytesOf(input.ConsumeRandomLengthString(40)));
    }
    const QString otherSection = QString::fromLatin1(input.ConsumeRandomLengthString(6));
    const QString otherKey = QString::fromLatin1(input.ConsumeRandomLengthString(3));
    const QByteArray content = bytesOf(input.ConsumeRemainingBytesAsString());

    const QByteArray saved = writeDeviceProfile(content, values);
    const DeviceParameters loaded = readDeviceProfile(saved);
    for (const char* code : kProfileLoadOrder) {
        const QString key = QString::fromLatin1(code);
        // A line break cannot stay in a one-line value: it is saved as a space.
        QString expected = *values.valueByCode(key);
        expected.replace(u'\r', u' ').replace(u'\n', u' ');
        if (survivesFile(expected)) FUZZ_CHECK(*loaded.valueByCode(key) == expected);
    }
    FUZZ_CHECK(writeDeviceProfile(saved, values) == saved);
    if (!isMainSection(otherSection))
        FUZZ_CHECK(readProfileValue(saved, otherSection, otherKey) ==
                   readProfileValue(content, otherSection, otherKey));
    return 0;
}
