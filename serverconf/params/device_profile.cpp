#include "device_profile.h"

#include "gbk_text.h"
#include "params_log.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>

#include <optional>

namespace serverconf {

namespace {

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

// One line of the file, without its line end, and where it lies.
struct Line {
    qsizetype start = 0;       // first byte of the line
    qsizetype contentEnd = 0;  // end of the text, before CR/LF
    qsizetype end = 0;         // after the line end (or end of file)
};

QList<Line> splitLines(const QByteArray& content) {
    QList<Line> lines;
    qsizetype start = 0;
    while (start < content.size()) {
        const qsizetype feed = content.indexOf('\n', start);
        Line line;
        line.start = start;
        line.end = feed < 0 ? content.size() : feed + 1;
        line.contentEnd = feed < 0 ? content.size() : feed;
        if (line.contentEnd > start && content[line.contentEnd - 1] == '\r') --line.contentEnd;
        lines.append(line);
        start = line.end;
    }
    return lines;
}

QByteArray lineText(const QByteArray& content, const Line& line) {
    return content.mid(line.start, line.contentEnd - line.start);
}

bool sameName(const QByteArray& bytes, QStringView name) {
    return QLatin1StringView(bytes).compare(name, Qt::CaseInsensitive) == 0;
}

// Section name of a "[name]" line; nullopt for any other line. A lead byte of
// a two-byte character is never "[", so a header is found by its first byte.
std::optional<QByteArray> sectionName(const QByteArray& text) {
    const QByteArray trimmed = text.trimmed();
    if (!trimmed.startsWith('[')) return std::nullopt;
    const qsizetype close = trimmed.indexOf(']');
    return trimmed.mid(1, (close < 0 ? trimmed.size() : close) - 1).trimmed();
}

// Key of a "key=value" line; empty for comments and lines without "=".
QByteArray keyOf(const QByteArray& text) {
    const QByteArray trimmed = text.trimmed();
    if (trimmed.startsWith(';')) return {};
    const qsizetype equals = text.indexOf('=');
    return equals < 0 ? QByteArray() : text.left(equals).trimmed();
}

// Where a section's lines lie: [first, last] indices of its body, header
// index; body may be empty (first > last).
struct SectionSpan {
    qsizetype header = -1;
    qsizetype firstBodyLine = 0;
    qsizetype lastBodyLine = -1;
};

std::optional<SectionSpan> findSection(const QByteArray& content, const QList<Line>& lines, QStringView section) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto name = sectionName(lineText(content, lines[i]));
        if (!name || !sameName(*name, section)) continue;
        SectionSpan span{i, i + 1, i};
        for (qsizetype j = i + 1; j < lines.size() && !sectionName(lineText(content, lines[j])); ++j)
            span.lastBodyLine = j;
        return span;
    }
    return std::nullopt;
}

// Index of the key's line inside the section, or -1.
qsizetype findKey(const QByteArray& content, const QList<Line>& lines, const SectionSpan& span, QStringView key) {
    for (qsizetype i = span.firstBodyLine; i <= span.lastBodyLine; ++i) {
        if (sameName(keyOf(lineText(content, lines[i])), key)) return i;
    }
    return -1;
}

// Longest prefix of at most `limit` bytes that does not end inside a
// two-byte character (a lead byte is 0x81..0xFE and takes the next byte).
QByteArray cutAtCharacter(const QByteArray& value, qsizetype limit) {
    qsizetype length = 0;
    while (length < value.size()) {
        const auto byte = static_cast<unsigned char>(value[length]);
        const qsizetype width = byte >= 0x81 && byte <= 0xFE ? 2 : 1;
        if (length + width > limit) break;
        length += width;
    }
    if (length < value.size()) qCDebug(lcParams) << "profile value longer than" << limit << "bytes, cut:" << value;
    return value.left(length);
}

QByteArray oneLineValue(const QString& value) {
    QString text = value;
    if (text.contains(u'\r') || text.contains(u'\n')) {
        qCDebug(lcParams) << "line break in a profile value replaced by a space:" << value;
        text.replace(u'\r', u' ').replace(u'\n', u' ');
    }
    return toGbk(text);
}

// What ends the last line of `text` so that a new line can follow: nothing
// after a line feed, the missing LF after a lone CR (a second CR would stay in
// the line's text and change it on the next save), CR LF otherwise.
QByteArray lineEndToComplete(const QByteArray& text) {
    if (text.isEmpty() || text.endsWith('\n')) return {};
    return text.endsWith('\r') ? QByteArrayLiteral("\n") : kLineEnd;
}

}  // namespace

QString readProfileValue(const QByteArray& content, QStringView section, QStringView key) {
    const QList<Line> lines = splitLines(content);
    const auto span = findSection(content, lines, section);
    if (!span) return {};
    const qsizetype index = findKey(content, lines, *span, key);
    if (index < 0) return {};
    const QByteArray text = lineText(content, lines[index]);
    const QByteArray value = text.mid(text.indexOf('=') + 1).trimmed();
    return fromGbk(cutAtCharacter(value, kProfileValueLimit));
}

QByteArray writeProfileValue(const QByteArray& content, QStringView section, QStringView key, const QString& value) {
    const QByteArray keyBytes = key.toLatin1();
    const QByteArray valueBytes = oneLineValue(value);
    const QList<Line> lines = splitLines(content);
    const auto span = findSection(content, lines, section);
    QByteArray result = content;
    if (!span) {
        result += lineEndToComplete(result);
        return result + '[' + section.toLatin1() + ']' + kLineEnd + keyBytes + '=' + valueBytes + kLineEnd;
    }
    const qsizetype index = findKey(content, lines, *span, key);
    if (index >= 0) {
        // Keep the key as it is spelt in the file and the line's own line end.
        const Line& line = lines[index];
        const qsizetype equals = content.indexOf('=', line.start);
        return result.replace(equals + 1, line.contentEnd - equals - 1, valueBytes);
    }
    // Append after the last non-blank line of the section (or its header).
    qsizetype after = span->header;
    for (qsizetype i = span->firstBodyLine; i <= span->lastBodyLine; ++i) {
        if (!lineText(content, lines[i]).trimmed().isEmpty()) after = i;
    }
    const Line& anchor = lines[after];
    // A last line without line feed is ended first, so the new key starts a
    // line of its own.
    const QByteArray newLine = keyBytes + '=' + valueBytes + kLineEnd;
    return result.insert(anchor.end, lineEndToComplete(content.left(anchor.end)) + newLine);
}

QByteArray writeDeviceProfile(const QByteArray& content, const DeviceParameters& values) {
    QByteArray result = content;
    const QString section = QString::fromLatin1(kProfileSection);
    for (const char* code : kProfileSaveOrder) {
        const QString key = QString::fromLatin1(code);
        result = writeProfileValue(result, section, key, *values.valueByCode(key));
    }
    return result;
}

DeviceParameters readDeviceProfile(const QByteArray& content) {
    DeviceParameters values;
    const QString section = QString::fromLatin1(kProfileSection);
    for (const char* code : kProfileLoadOrder) {
        const QString key = QString::fromLatin1(code);
        *values.valueByCode(key) = readProfileValue(content, section, key);
    }
    return values;
}

bool isDeviceProfile(const QByteArray& content) { return !profileKeyTags(content).isEmpty(); }

QSet<int> profileKeyTags(const QByteArray& content) {
    QSet<int> tags;
    const QList<Line> lines = splitLines(content);
    const auto span = findSection(content, lines, QString::fromLatin1(kProfileSection));
    if (!span) return tags;
    for (const ParameterDefinition& parameter : kParameters) {
        if (findKey(content, lines, *span, QString::fromLatin1(parameter.code)) >= 0) tags.insert(parameter.getTag);
    }
    return tags;
}

bool saveDeviceProfileFile(const QString& path, const DeviceParameters& values, QString* error) {
    QByteArray existing;
    QFile file(path);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly)) {
            qCDebug(lcParams) << "cannot read configuration file" << path << file.errorString();
            if (error) *error = file.errorString();
            return false;
        }
        existing = file.readAll();
        file.close();
    }
    // Written beside and renamed over the old file, so a failed save never
    // leaves a half-written file.
    const QByteArray content = writeDeviceProfile(existing, values);
    QSaveFile output(path);
    if (!output.open(QIODevice::WriteOnly) || output.write(content) != content.size() || !output.commit()) {
        qCDebug(lcParams) << "cannot write configuration file" << path << output.errorString();
        if (error) *error = output.errorString();
        return false;
    }
    return true;
}

std::optional<DeviceParameters> loadDeviceProfileFile(const QString& path, QSet<int>* keysGiven) {
    if (!hasProfileExtension(path)) {
        qCDebug(lcParams) << "not a *.ds name, nothing loaded:" << path;
        return std::nullopt;
    }
    if (!QFileInfo(path).isFile()) {
        qCDebug(lcParams) << "no regular file, nothing loaded:" << path;
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCDebug(lcParams) << "cannot read configuration file, nothing loaded:" << path << file.errorString();
        return std::nullopt;
    }
    const QByteArray content = file.readAll();
    if (!isDeviceProfile(content)) {
        qCDebug(lcParams) << "no [main] section with a parameter key, nothing loaded:" << path;
        return std::nullopt;
    }
    if (keysGiven) {
        *keysGiven = profileKeyTags(content);
        keysGiven->remove(parameterByCode(u"FE")->getTag);
    }
    return readDeviceProfile(content);
}

QString profileSaveFileName(const QString& chosenName) {
    return hasProfileExtension(chosenName) ? chosenName : chosenName + QStringLiteral(".ds");
}

bool hasProfileExtension(const QString& fileName) {
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot >= 0 && name.mid(dot + 1) == QStringLiteral("ds");
}

}  // namespace serverconf
