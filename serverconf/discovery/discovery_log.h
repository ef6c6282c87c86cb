#pragma once
// Debug log category of search, targeted search, change IP and confirm
// (enable with QT_LOGGING_RULES="serverconf.discovery.debug=true").

#include <QLoggingCategory>

namespace serverconf {
Q_DECLARE_LOGGING_CATEGORY(lcDiscovery)
}
