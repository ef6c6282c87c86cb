#pragma once
// WinePrefix: a private Wine installation inside the build tree in which the
// tests run Windows programs, with COM ports mapped to pseudo-terminals.
//
// The prefix keeps its own Wine server, started here with its output going
// to a log file, and stopped (wineserver -k) when the object goes. The test
// process adopts the orphaned Wine helper processes and reaps them, so that
// nothing is left running after the tests.

#include <filesystem>
#include <string>
#include <vector>

namespace windowstest {

struct WineTools {
    std::filesystem::path wine64;      // /usr/lib/wine/wine64
    std::filesystem::path wineserver;  // /usr/lib/wine/wineserver
};

struct ProgramRun {
    int exitStatus = -1;  // exit status of the Windows program, -1 when it did not exit normally
    std::string output;   // its standard output
    std::string errors;   // its standard error (the libraries' debug log goes here)
};

class WinePrefix {
public:
    // Creates the prefix directory when needed and starts its server.
    // Throws std::runtime_error when the server cannot be started.
    WinePrefix(std::filesystem::path directory, WineTools tools);
    ~WinePrefix();
    WinePrefix(const WinePrefix&) = delete;
    WinePrefix& operator=(const WinePrefix&) = delete;

    const std::filesystem::path& directory() const { return directory_; }

    // COM<n> of the Windows programs opens `device` (dosdevices/com<n>).
    void mapPort(int portNumber, const std::filesystem::path& device);
    void unmapPort(int portNumber);

    // Runs `program` with `arguments` under wine64 and waits for its end.
    ProgramRun run(const std::filesystem::path& program, const std::vector<std::string>& arguments);

private:
    std::filesystem::path portLink(int portNumber) const;
    ProgramRun runWine(const std::vector<std::string>& command);  // wine64 <command...>

    std::filesystem::path directory_;
    WineTools tools_;
    int serverPid_ = -1;
};

}  // namespace windowstest
