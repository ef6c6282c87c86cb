#include "testsupport/private_network.h"

#include <fcntl.h>
#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace testsupport {
namespace {

bool writeFile(const char* path, const std::string& text) {
    int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(fd);
    return ok;
}

// As a user other than root, a user namespace comes first; it maps the
// caller to root inside so that the network namespace can be configured.
bool enterUserNamespace(std::string& error) {
    uid_t uid = ::getuid();
    gid_t gid = ::getgid();
    if (::unshare(CLONE_NEWUSER) != 0) {
        error = std::string("unshare(CLONE_NEWUSER): ") + std::strerror(errno);
        return false;
    }
    writeFile("/proc/self/setgroups", "deny");
    if (!writeFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
        !writeFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1")) {
        error = "cannot write the user namespace id maps";
        return false;
    }
    return true;
}

bool bringLoopbackUp(std::string& error) {
    int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = std::string("socket: ") + std::strerror(errno);
        return false;
    }
    ifreq request{};
    std::strncpy(request.ifr_name, "lo", IFNAMSIZ - 1);
    bool ok = ::ioctl(fd, SIOCGIFFLAGS, &request) == 0;
    if (ok) {
        request.ifr_flags = static_cast<short>(request.ifr_flags | IFF_UP | IFF_RUNNING);
        ok = ::ioctl(fd, SIOCSIFFLAGS, &request) == 0;
    }
    if (!ok) error = std::string("bringing lo up: ") + std::strerror(errno);
    ::close(fd);
    return ok;
}

}  // namespace

bool enterPrivateLoopbackNetwork(std::string& error) {
    if (::geteuid() != 0 && !enterUserNamespace(error)) return false;
    if (::unshare(CLONE_NEWNET) != 0) {
        error = std::string("unshare(CLONE_NEWNET): ") + std::strerror(errno);
        return false;
    }
    return bringLoopbackUp(error);
}

bool enterPrivateLoopbackNetworkOrReport() {
    std::string error;
    if (enterPrivateLoopbackNetwork(error)) return true;
    std::fprintf(stderr, "cannot enter a private loopback network: %s\n", error.c_str());
    return false;
}

}  // namespace testsupport
