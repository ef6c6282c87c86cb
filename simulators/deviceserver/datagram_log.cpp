#include "datagram_log.h"

#include <cctype>
#include <chrono>

namespace devicesim {

double monotonicMs() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double, std::milli>(now).count();
}

QByteArray escapePayload(const QByteArray& payload) {
    QByteArray text;
    for (char c : payload) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f && c != '\\') {
            text += c;
        } else {
            text += "\\x" + QByteArray::number(byte, 16).rightJustified(2, '0');
        }
    }
    return text;
}

std::optional<QByteArray> unescapePayload(const QByteArray& text) {
    QByteArray payload;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            payload += text[i];
            continue;
        }
        const QByteArray hex = text.mid(i + 2, 2);
        const bool wellFormed = i + 1 < text.size() && text[i + 1] == 'x' && hex.size() == 2 &&
                                std::isxdigit(static_cast<unsigned char>(hex[0])) &&
                                std::isxdigit(static_cast<unsigned char>(hex[1]));
        if (!wellFormed) return std::nullopt;
        const int byte = hex.toInt(nullptr, 16);
        payload += static_cast<char>(byte);
        i += 3;
    }
    return payload;
}

QByteArray formatLogRecord(const LogRecord& record) {
    return QByteArray::number(record.timeMs, 'f', 3) + '\t' + record.direction.toUtf8() + '\t' + record.from.toUtf8() +
           '\t' + record.to.toUtf8() + '\t' + escapePayload(record.payload);
}

std::optional<LogRecord> parseLogLine(const QByteArray& line) {
    const QList<QByteArray> fields = line.trimmed().split('\t');
    if (fields.size() != 5) return std::nullopt;
    bool ok = false;
    LogRecord record;
    record.timeMs = fields[0].toDouble(&ok);
    if (!ok) return std::nullopt;
    record.direction = QString::fromUtf8(fields[1]);
    record.from = QString::fromUtf8(fields[2]);
    record.to = QString::fromUtf8(fields[3]);
    const std::optional<QByteArray> payload = unescapePayload(fields[4]);
    if (!payload) return std::nullopt;
    record.payload = *payload;
    return record;
}

QList<LogRecord> parseLog(const QByteArray& text) {
    QList<LogRecord> records;
    for (const QByteArray& line : text.split('\n')) {
        if (auto record = parseLogLine(line)) records << *record;
    }
    return records;
}

}  // namespace devicesim
