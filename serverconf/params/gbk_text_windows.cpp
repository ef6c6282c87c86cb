// GBK through the system's code page 936 (Windows): Qt built without ICU
// has no GBK codec there.
#include "gbk_text.h"

#include "params_log.h"

#include <windows.h>

namespace serverconf {

namespace {
constexpr UINT kCodePage936 = 936;
}

bool gbkAvailable() {
    const bool available = IsValidCodePage(kCodePage936) != 0;
    if (!available) qCDebug(lcParams) << "code page" << kCodePage936 << "is not installed";
    return available;
}

QByteArray toGbk(const QString& text) {
    if (text.isEmpty()) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
    BOOL replaced = FALSE;
    const int size = WideCharToMultiByte(kCodePage936, 0, wide, int(text.size()), nullptr, 0, nullptr, &replaced);
    QByteArray bytes(size, Qt::Uninitialized);
    WideCharToMultiByte(kCodePage936, 0, wide, int(text.size()), bytes.data(), size, nullptr, &replaced);
    if (replaced) qCDebug(lcParams) << "text has characters outside code page 936, replaced:" << text;
    return bytes;
}

QString fromGbk(const QByteArray& bytes) {
    if (bytes.isEmpty()) return {};
    // Strict first, only to learn whether the bytes are valid code page 936;
    // the text itself comes from the lenient conversion, which replaces what
    // is not.
    if (MultiByteToWideChar(kCodePage936, MB_ERR_INVALID_CHARS, bytes.constData(), int(bytes.size()), nullptr, 0) == 0)
        qCDebug(lcParams) << "bytes are not valid code page 936, replaced:" << bytes.toHex(' ');
    const int size = MultiByteToWideChar(kCodePage936, 0, bytes.constData(), int(bytes.size()), nullptr, 0);
    QString text(size, Qt::Uninitialized);
    MultiByteToWideChar(kCodePage936, 0, bytes.constData(), int(bytes.size()), reinterpret_cast<wchar_t*>(text.data()),
                        size);
    return text;
}

}  // namespace serverconf
