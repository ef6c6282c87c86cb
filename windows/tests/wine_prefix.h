#pragma once
// WinePrefix: a private Wine installation inside the build tree in which the
// tests run Windows programs, with COM ports mapped to pseudo-terminals.
//
// One prefix per Windows architecture (win32 for the i686 programs under
// 32-bit Wine, win64 for the x86_64 ones under wine64), shared by the Wine
// tests of that architecture; ctest runs them one at a time (RESOURCE_LOCK).
// A prefix is made once (wineboot) and reused; a stamp file written when
// wineboot has finished marks it made, so that an interrupted creation is
// done again.
// The prefix keeps its own Wine server, started here with its output going
// to a log file. When the object goes, the prefix's Windows processes are
// stopped (wineserver -k) and the server is waited for, and ended if need
// be, by its process id. The test process adopts the orphaned Wine helper
// processes and reaps them, so that nothing is left running after the tests.

#include <filesystem>
#include <string>
#include <vector>

namespace windowstest {

struct WineTools {
    std::filesystem::path loader;      // /usr/lib/wine/wine (32-bit) or /usr/lib/wine/wine64
    std::filesystem::path wineserver;  // /usr/lib/wine/wineserver
    std::string architecture;          // WINEARCH of the prefix: win32 or win64
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

    // Runs `program` with `arguments` under the prefix's Wine loader and
    // waits for its end; `settings` ("NAME=value") add to its environment.
    ProgramRun run(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                   const std::vector<std::string>& settings = {});

private:
    std::filesystem::path portLink(int portNumber) const;
    ProgramRun runWine(const std::vector<std::string>& command,
                       const std::vector<std::string>& settings = {});  // <loader> <command...>
    void stopServer();

    std::filesystem::path directory_;
    WineTools tools_;
    std::vector<std::string> environment_;  // this process's, with the prefix's Wine settings
    int serverPid_ = -1;
};

}  // namespace windowstest
