#pragma once
// The Windows icon file format (.ico): a directory of images, each stored
// as a PNG picture, which every Windows from Vista on and windres accept.

#include <QByteArray>
#include <QList>

namespace serverconf {

struct IconImage {
    int size = 0;    // width and height in pixels, 1 to 256
    QByteArray png;  // the picture, PNG encoded
};

// The bytes of an icon file holding `images` in their order; empty when
// there is no image, or one has a size outside 1 to 256 or no picture.
QByteArray windowsIconFile(const QList<IconImage>& images);

}  // namespace serverconf
