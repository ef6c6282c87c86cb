#include "device_route.h"

namespace serverconf {

Destination DeviceRoute::destination() const {
    return form == Form::Unicast ? Destination::device(address) : Destination::broadcastOn(interfaceName);
}

}  // namespace serverconf
