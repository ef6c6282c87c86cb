#pragma once
// The fixed waits that pace the parameter exchanges. There are no
// acknowledgements: a device is given these times to act on each request.

namespace serverconf {

inline constexpr int kAfterProbeMs = 100;         // after the probe "X" of a read-out
inline constexpr int kAfterNameDeviceMs = 100;    // after "W" + MAC
inline constexpr int kAfterBroadcastOpenMs = 10;  // after "L" of a broadcast read-out
inline constexpr int kBeforeReplyReadMs = 50;     // before each read of a get reply
inline constexpr int kAfterOpenExchangeMs = 50;   // after "L" of a write or factory reset
inline constexpr int kAfterSetRequestMs = 10;     // after each set request, "SIP" included
inline constexpr int kAfterEndMs = 500;           // after "E"

}  // namespace serverconf
