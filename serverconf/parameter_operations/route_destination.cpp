#include "route_destination.h"

namespace serverconf {

Destination destinationOf(const DeviceRoute& route) {
    return route.form == DeviceRoute::Form::Unicast ? Destination::device(route.address)
                                                    : Destination::broadcastOn(route.interfaceName);
}

}  // namespace serverconf
