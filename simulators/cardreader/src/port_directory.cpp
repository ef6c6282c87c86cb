#include "readersim/port_directory.h"

#include <stdlib.h>

namespace readersim {

PortDirectory::PortDirectory() { ::setenv("READERLINK_PORT_DIR", directory_.path().c_str(), 1); }

PortDirectory::~PortDirectory() { ::unsetenv("READERLINK_PORT_DIR"); }

std::unique_ptr<ReaderSimulator> PortDirectory::startReader(int portNumber, Config config) const {
    config.directory = directory_.path();
    config.portNumber = portNumber;
    return std::make_unique<ReaderSimulator>(config);
}

}  // namespace readersim
