#include "private_segment.h"

#include <linux/ethtool.h>
#include <linux/sockios.h>
#include <net/if.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

namespace devicesim {
namespace {

// The kernel driver behind an interface ("veth", "e1000e", ...); empty when
// the interface does not say.
QString driverOf(int descriptor, const char* name) {
    ethtool_drvinfo info{};
    info.cmd = ETHTOOL_GDRVINFO;
    ifreq request{};
    std::strncpy(request.ifr_name, name, IFNAMSIZ - 1);
    request.ifr_data = reinterpret_cast<char*>(&info);
    if (::ioctl(descriptor, SIOCETHTOOL, &request) != 0) return {};
    return QString::fromLatin1(info.driver);
}

}  // namespace

bool runsOnPrivateSegment(QString& reason) {
    struct if_nameindex* interfaces = ::if_nameindex();
    if (!interfaces) {
        reason = QStringLiteral("cannot list the interfaces");
        return false;
    }
    const int descriptor = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    int veths = 0;
    for (const struct if_nameindex* entry = interfaces; entry->if_index != 0; ++entry) {
        if (std::strcmp(entry->if_name, "lo") == 0) continue;
        if (driverOf(descriptor, entry->if_name) != u"veth") {
            reason =
                QStringLiteral("interface %1 is not a test segment's veth").arg(QString::fromLocal8Bit(entry->if_name));
            veths = -1;
            break;
        }
        ++veths;
    }
    if (descriptor >= 0) ::close(descriptor);
    ::if_freenameindex(interfaces);
    if (veths == 1) return true;
    if (veths == 0)
        reason = QStringLiteral("no veth interface");
    else if (veths > 1)
        reason = QStringLiteral("more than one interface besides loopback");
    return false;
}

}  // namespace devicesim
