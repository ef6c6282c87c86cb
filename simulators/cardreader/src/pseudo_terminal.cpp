#include "readersim/pseudo_terminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>

namespace readersim {
namespace {

[[noreturn]] void fail(const std::string& what) { throw std::runtime_error(what + ": " + std::strerror(errno)); }

void makeRaw(int fd) {
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0) fail("cannot read the terminal settings");
    ::cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    ::cfsetispeed(&settings, B9600);
    ::cfsetospeed(&settings, B9600);
    if (::tcsetattr(fd, TCSANOW, &settings) != 0) fail("cannot set raw mode");
}

void publish(const std::string& target, const std::filesystem::path& link) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(link, error);
    if (std::filesystem::exists(status)) {
        if (!std::filesystem::is_symlink(status)) {
            throw std::runtime_error(link.string() + " exists and is not a symbolic link");
        }
        std::filesystem::remove(link);
    }
    std::filesystem::create_symlink(target, link);
}

}  // namespace

PseudoTerminal::PseudoTerminal(const std::filesystem::path& link) : link_(link) {
    try {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master_ < 0) fail("cannot open a pseudo-terminal");
        if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) fail("cannot unlock the pseudo-terminal");
        char name[128];
        if (::ptsname_r(master_, name, sizeof name) != 0) fail("cannot name the pseudo-terminal");
        slaveName_ = name;
        slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (slave_ < 0) fail("cannot open " + slaveName_);
        makeRaw(slave_);
        publish(slaveName_, link_);
    } catch (...) {
        if (slave_ >= 0) ::close(slave_);
        if (master_ >= 0) ::close(master_);
        throw;
    }
}

bool PseudoTerminal::heldOpen() const {
    if (::flock(slave_, LOCK_EX | LOCK_NB) != 0) return true;
    ::flock(slave_, LOCK_UN);
    return false;
}

bool PseudoTerminal::suspendSlaveOutput(bool suspended) { return ::tcflow(slave_, suspended ? TCOOFF : TCOON) == 0; }

PseudoTerminal::~PseudoTerminal() {
    std::error_code error;
    if (std::filesystem::read_symlink(link_, error) == slaveName_) std::filesystem::remove(link_, error);
    ::close(slave_);
    ::close(master_);
}

}  // namespace readersim
