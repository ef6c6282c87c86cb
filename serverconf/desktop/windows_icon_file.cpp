#include "windows_icon_file.h"

#include <QtEndian>

namespace serverconf {
namespace {

constexpr int kDirectorySize = 6;  // reserved, type, count
constexpr int kEntrySize = 16;     // one per image
constexpr int kLargestSize = 256;  // written as 0 in the entry's size bytes

void appendLittleEndian16(QByteArray& bytes, quint16 value) {
    const quint16 stored = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char*>(&stored), sizeof stored);
}

void appendLittleEndian32(QByteArray& bytes, quint32 value) {
    const quint32 stored = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char*>(&stored), sizeof stored);
}

}  // namespace

QByteArray windowsIconFile(const QList<IconImage>& images) {
    if (images.isEmpty() || images.size() > 0xffff) return {};
    for (const IconImage& image : images) {
        if (image.size < 1 || image.size > kLargestSize || image.png.isEmpty()) return {};
    }
    QByteArray file;
    appendLittleEndian16(file, 0);  // reserved
    appendLittleEndian16(file, 1);  // type: icon
    appendLittleEndian16(file, quint16(images.size()));
    quint32 offset = quint32(kDirectorySize + kEntrySize * images.size());
    for (const IconImage& image : images) {
        const char sizeByte = char(image.size == kLargestSize ? 0 : image.size);
        file.append(sizeByte);           // width
        file.append(sizeByte);           // height
        file.append(char(0));            // palette colours: none
        file.append(char(0));            // reserved
        appendLittleEndian16(file, 1);   // colour planes
        appendLittleEndian16(file, 32);  // bits per pixel
        appendLittleEndian32(file, quint32(image.png.size()));
        appendLittleEndian32(file, offset);
        offset += quint32(image.png.size());
    }
    for (const IconImage& image : images) file.append(image.png);
    return file;
}

}  // namespace serverconf
