#pragma once
// UDP ports of the device protocol: the one port every device listens on and
// the fixed local ports of the operation sockets.

#include <QtGlobal>

namespace serverconf {

inline constexpr quint16 kDevicePort = 65535;

inline constexpr quint16 kAnyLocalPort = 0;  // discovery and window sockets
inline constexpr quint16 kReadOutProbePort = 3001;
inline constexpr quint16 kChangeIpPort = 3004;
inline constexpr quint16 kConfirmDevicePort = 3104;
inline constexpr quint16 kTargetedSearchPort = 5010;
inline constexpr quint16 kFactoryDefaultsPort = 5555;
inline constexpr quint16 kParameterWritePort = 6666;

}  // namespace serverconf
