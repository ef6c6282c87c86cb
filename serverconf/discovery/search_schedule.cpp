#include "search_schedule.h"

#include <algorithm>

namespace serverconf {

QList<int> searchSendTimes(int windowMs) {
    QList<int> times;
    for (const int atFullWindow : {0, 300, 600}) {
        times << static_cast<int>(qint64(atFullWindow) * std::min(windowMs, kSearchWindowMs) / kSearchWindowMs);
    }
    return times;
}

}  // namespace serverconf
