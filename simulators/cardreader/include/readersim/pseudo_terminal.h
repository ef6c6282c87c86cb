#pragma once
// The simulator's line: a pseudo-terminal in raw mode whose slave side is
// published as a symbolic link.

#include <filesystem>
#include <string>

namespace readersim {

class PseudoTerminal {
public:
    // Opens the master, puts the slave in raw mode at 9600 baud and keeps the
    // slave open, so the master stays usable while no program has the port
    // open. Creates `link` (replacing a symbolic link, never anything else).
    // Throws std::runtime_error with the reason on failure.
    explicit PseudoTerminal(const std::filesystem::path& link);
    ~PseudoTerminal();  // removes the link if it still points here
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int masterFd() const { return master_; }
    const std::string& slaveName() const { return slaveName_; }
    const std::filesystem::path& link() const { return link_; }
    // Whether a program holds the line open with the exclusive lock a serial
    // port is opened with (flock): the simulator's own opening of the slave
    // side cannot take that lock then.
    bool heldOpen() const;
    // Suspends (or resumes) output on the slave side, the side a program
    // opens as its port, as flow control would: its writes then make no
    // progress. False when the terminal refused.
    bool suspendSlaveOutput(bool suspended);

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slaveName_;
    std::filesystem::path link_;
};

}  // namespace readersim
