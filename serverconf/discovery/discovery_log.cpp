#include "discovery_log.h"

namespace serverconf {
Q_LOGGING_CATEGORY(lcDiscovery, "serverconf.discovery", QtWarningMsg)
}
