#pragma once
// Debug log category of the datagram channel (enable with
// QT_LOGGING_RULES="serverconf.channel.debug=true").

#include <QLoggingCategory>

namespace serverconf {
Q_DECLARE_LOGGING_CATEGORY(lcChannel)
}
