#include <gtest/gtest.h>
#include <stdlib.h>

#include "readerlink/reader_link.h"
#include "serial_port.h"

namespace readerlink {
namespace {

TEST(PortNameTest, PortNumbersOutsideOneTo999HaveNoText) {
    EXPECT_EQ(portText(1), "1");
    EXPECT_EQ(portText(999), "999");
    for (int refused : {0, -1, 1000, -2147483647 - 1}) EXPECT_EQ(portText(refused), std::nullopt) << refused;
}

TEST(PortNameTest, ComNamesMapToDevices) {
    const struct {
        const char* directory;  // READERLINK_PORT_DIR, nullptr for unset
        const char* com;
        const char* device;
    } cases[] = {
        {nullptr, "COM1", "/dev/ttyS0"},           {nullptr, "COM10", "/dev/ttyS9"},
        {nullptr, "COM999", "/dev/ttyS998"},       {"", "COM2", "/dev/ttyS1"},
        {"/tmp/ports", "COM1", "/tmp/ports/COM1"}, {"/tmp/ports", "COM10", "/tmp/ports/COM10"},
    };
    for (const auto& c : cases) {
        if (c.directory) {
            ::setenv("READERLINK_PORT_DIR", c.directory, 1);
        } else {
            ::unsetenv("READERLINK_PORT_DIR");
        }
        EXPECT_EQ(SerialPort::deviceNameFor(c.com), c.device) << c.com << " in " << (c.directory ? c.directory : "-");
    }
    ::unsetenv("READERLINK_PORT_DIR");
}

}  // namespace
}  // namespace readerlink
