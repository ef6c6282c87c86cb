#pragma once
// The folder of a test's simulated serial ports: a fresh scratch folder that
// the reader link resolves COM<n> through (READERLINK_PORT_DIR) for as long
// as the object lives, and the readers published in it.

#include "readersim/reader_simulator.h"
#include "readersim/scratch_directory.h"

#include <filesystem>
#include <memory>

namespace readersim {

class PortDirectory {
public:
    PortDirectory();   // throws std::runtime_error when no folder can be made
    ~PortDirectory();  // READERLINK_PORT_DIR unset, the folder removed
    PortDirectory(const PortDirectory&) = delete;
    PortDirectory& operator=(const PortDirectory&) = delete;

    const std::filesystem::path& path() const { return directory_.path(); }

    // A simulated reader published here as COM<portNumber>; the folder and
    // the port number of `config` are filled in.
    std::unique_ptr<ReaderSimulator> startReader(int portNumber, Config config = {}) const;

private:
    ScratchDirectory directory_;
};

}  // namespace readersim
