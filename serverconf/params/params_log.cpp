#include "params_log.h"

namespace serverconf {
Q_LOGGING_CATEGORY(lcParams, "serverconf.params", QtWarningMsg)
}
