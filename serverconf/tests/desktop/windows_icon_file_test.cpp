// The Windows icon file: its directory as Windows reads it (sizes, offsets
// and lengths of the pictures) and the pictures byte for byte behind it.
#include "windows_icon_file.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace serverconf {
namespace {

quint16 word(const QByteArray& bytes, int at) { return qFromLittleEndian<quint16>(bytes.constData() + at); }
quint32 dword(const QByteArray& bytes, int at) { return qFromLittleEndian<quint32>(bytes.constData() + at); }

TEST(WindowsIconFile, DirectoryNamesEachPictureWhereItStands) {
    const QList<IconImage> images{{16, "sixteen"}, {48, "forty-eight!"}, {256, "256"}};

    const QByteArray file = windowsIconFile(images);

    ASSERT_EQ(file.size(), 6 + 3 * 16 + 7 + 12 + 3);
    EXPECT_EQ(word(file, 0), 0) << "reserved";
    EXPECT_EQ(word(file, 2), 1) << "type icon";
    EXPECT_EQ(word(file, 4), 3) << "image count";
    int offset = 6 + 3 * 16;
    for (int i = 0; i < images.size(); ++i) {
        SCOPED_TRACE(images[i].size);
        const int entry = 6 + 16 * i;
        const int sizeByte = images[i].size == 256 ? 0 : images[i].size;
        EXPECT_EQ(quint8(file[entry]), sizeByte) << "width";
        EXPECT_EQ(quint8(file[entry + 1]), sizeByte) << "height";
        EXPECT_EQ(word(file, entry + 4), 1) << "planes";
        EXPECT_EQ(word(file, entry + 6), 32) << "bits per pixel";
        EXPECT_EQ(dword(file, entry + 8), quint32(images[i].png.size())) << "length";
        EXPECT_EQ(dword(file, entry + 12), quint32(offset)) << "offset";
        EXPECT_EQ(file.mid(offset, images[i].png.size()), images[i].png);
        offset += int(images[i].png.size());
    }
}

TEST(WindowsIconFile, RefusesWhatWindowsCannotShow) {
    const struct {
        const char* what;
        QList<IconImage> images;
    } cases[] = {
        {"no image", {}},
        {"size 0", {{0, "png"}}},
        {"size above 256", {{16, "png"}, {257, "png"}}},
        {"no picture", {{32, ""}}},
    };
    for (const auto& refused : cases) EXPECT_TRUE(windowsIconFile(refused.images).isEmpty()) << refused.what;
}

}  // namespace
}  // namespace serverconf
