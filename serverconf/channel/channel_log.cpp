#include "channel_log.h"

namespace serverconf {
Q_LOGGING_CATEGORY(lcChannel, "serverconf.channel", QtWarningMsg)
}
