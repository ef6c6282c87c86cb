#include "private_segment.h"

namespace devicesim {

bool runsOnPrivateSegment(QString& reason) {
    reason = QStringLiteral("test segments exist on Linux only");
    return false;
}

}  // namespace devicesim
