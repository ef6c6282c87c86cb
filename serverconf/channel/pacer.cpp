#include "pacer.h"

#include <QThread>

namespace serverconf {

void SleepingPacer::pause(int milliseconds) {
    if (milliseconds > 0) QThread::msleep(static_cast<unsigned long>(milliseconds));
}

}  // namespace serverconf
