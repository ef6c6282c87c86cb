#pragma once
// The program's own pictures, drawn once on first use: the program icon,
// the two status indicators of the device list and the caption-button
// pictures of the main window (16 x 15 each).

#include <QIcon>
#include <QPixmap>

namespace serverconf {

QIcon programIcon();

// The program icon drawn at size x size pixels (also for the desktop's icon theme).
QPixmap programIconPicture(int size);

// Index 0: dark green round indicator (another network); 1: bright green (same
// network); 2: red (another listed device holds the address).
QIcon statusImage(int index);

QPixmap closePicture();
QPixmap restorePicture();
QPixmap maximisePicture();
QPixmap minimisePicture();

}  // namespace serverconf
