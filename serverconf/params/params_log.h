#pragma once
// Debug log category of the parameter protocol and the configuration files
// (enable with QT_LOGGING_RULES="serverconf.params.debug=true").

#include <QLoggingCategory>

namespace serverconf {
Q_DECLARE_LOGGING_CATEGORY(lcParams)
}
