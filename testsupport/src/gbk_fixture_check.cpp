// gbk_fixture_check FILE: converts every pair of the fixture table FILE (text
// in UTF-8, a tab, its code page 936 bytes in hex) both ways with this
// build's GBK functions and prints each pair that does not come out exactly.
// Built for Linux and for Windows, so that both builds answer to one table.
// Exit status: 0 all pairs exact ("N pairs exact"), 1 a pair differs or GBK
// is unavailable, 2 the table cannot be read or holds no pair.

#include "messages/user_messages.h"
#include "params/gbk_text.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdio>

using serverconf::fromGbk;
using serverconf::toGbk;

namespace {

// One pair's result, empty when both directions are exact.
QByteArray mismatchOf(const QString& text, const QByteArray& bytes) {
    QByteArray report;
    const QByteArray encoded = toGbk(text);
    if (encoded != bytes) report += "  to code page 936: " + encoded.toHex() + " expected " + bytes.toHex() + '\n';
    const QString decoded = fromGbk(bytes);
    if (decoded != text) report += "  from code page 936: " + decoded.toUtf8() + " expected " + text.toUtf8() + '\n';
    return report;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gbk_fixture_check FILE\n");
        return 2;
    }
    if (!serverconf::gbkAvailable()) {
        std::printf("%s\n", serverconf::kGbkMissingMessage);
        return 1;
    }
    QFile table(QString::fromLocal8Bit(argv[1]));
    if (!table.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "gbk_fixture_check: cannot read %s\n", argv[1]);
        return 2;
    }
    int pairs = 0;
    int differing = 0;
    for (const QByteArray& line : table.readAll().split('\n')) {
        if (line.isEmpty() || line.startsWith('#')) continue;
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 2) {
            std::fprintf(stderr, "gbk_fixture_check: not a pair: %s\n", line.constData());
            return 2;
        }
        ++pairs;
        const QByteArray report = mismatchOf(QString::fromUtf8(fields[0]), QByteArray::fromHex(fields[1]));
        if (report.isEmpty()) continue;
        ++differing;
        std::printf("%s\n%s", fields[0].constData(), report.constData());
    }
    if (pairs == 0) {
        std::fprintf(stderr, "gbk_fixture_check: no pair in %s\n", argv[1]);
        return 2;
    }
    if (differing > 0) return 1;
    std::printf("%d pairs exact\n", pairs);
    return 0;
}
