#include "wine_prefix.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace windowstest {
namespace {

// Written into a prefix once wineboot has finished setting it up.
constexpr const char* kCompleteStamp = "cardpayment-prefix-complete";

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// `base` ("NAME=value" entries) with `settings` in place of the variables
// of the same names.
std::vector<std::string> environmentWith(const std::vector<std::string>& base,
                                         const std::vector<std::string>& settings) {
    std::vector<std::string> result;
    for (const std::string& variable : base) {
        const std::string name = variable.substr(0, variable.find('=') + 1);
        bool replaced = false;
        for (const auto& setting : settings) replaced = replaced || setting.starts_with(name);
        if (!replaced) result.push_back(variable);
    }
    result.insert(result.end(), settings.begin(), settings.end());
    return result;
}

std::size_t countOf(char** entries) {
    std::size_t count = 0;
    while (entries[count] != nullptr) ++count;
    return count;
}

std::vector<char*> pointers(const std::vector<std::string>& texts) {
    std::vector<char*> result;
    for (const auto& text : texts) result.push_back(const_cast<char*>(text.c_str()));
    result.push_back(nullptr);
    return result;
}

// Starts `argv` with `environment`, standard output and standard error sent
// to files; returns the process id.
pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
            const std::filesystem::path& out, const std::filesystem::path& err) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::vector<char*> args = pointers(argv);
    const std::vector<char*> variables = pointers(environment);
    pid_t pid = -1;
    const int error = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), variables.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) throw std::runtime_error("cannot start " + argv[0] + ": " + std::strerror(error));
    return pid;
}

int waitForExit(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Whether `pid` ended (and was reaped) within `seconds`.
bool exitsWithin(pid_t pid, int seconds) {
    for (int tenth = 0; tenth < seconds * 10; ++tenth) {
        if (::waitpid(pid, nullptr, WNOHANG) == pid) return true;
        ::usleep(100'000);
    }
    return false;
}

}  // namespace

WinePrefix::WinePrefix(std::filesystem::path directory, WineTools tools)
    : directory_(std::move(directory)), tools_(std::move(tools)) {
    // Wine helper processes outlive the program that started them; as their
    // adoptive parent this process can reap them.
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
    // A prefix counts as made only once wineboot has finished in it (the
    // stamp is written then); one whose creation was cut short is made again
    // from scratch.
    const auto stamp = directory_ / kCompleteStamp;
    const bool created = std::filesystem::exists(stamp);
    if (!created) std::filesystem::remove_all(directory_);
    std::filesystem::create_directories(directory_);
    environment_ =
        environmentWith(std::vector<std::string>(environ, environ + countOf(environ)),
                        {"WINEPREFIX=" + directory_.string(), "WINEARCH=" + tools_.architecture, "WINEDEBUG=-all",
                         // No Mono or Gecko installer while the prefix is created.
                         "WINEDLLOVERRIDES=mscoree,mshtml=", "CARDPAYMENT_DEBUG=1"});
    const auto log = directory_.parent_path() / "wineserver.log";
    // Foreground and persistent: the server of this prefix lives until the
    // destructor stops it, instead of once per program.
    serverPid_ = spawn({tools_.wineserver.string(), "-f", "-p"}, environment_, log, log);
    // Created before any port is mapped: Wine sets up its drive links only
    // in a device folder it makes itself.
    if (!created) {
        const ProgramRun boot = runWine({"wineboot", "--init"});
        if (boot.exitStatus != 0) {
            stopServer();
            throw std::runtime_error("cannot create the Wine prefix " + directory_.string() + ": " + boot.errors);
        }
        std::ofstream(stamp).put('\n');
        if (!std::filesystem::exists(stamp)) {
            stopServer();
            throw std::runtime_error("cannot write " + stamp.string());
        }
    }
}

WinePrefix::~WinePrefix() {
    stopServer();
    // Orphaned Wine helpers that ended meanwhile.
    while (::waitpid(-1, nullptr, WNOHANG) > 0) {
    }
}

void WinePrefix::stopServer() {
    if (serverPid_ <= 0) return;
    // "-k" asks this prefix's server (found through WINEPREFIX) to end the
    // prefix's Windows processes and then itself.
    const auto log = directory_.parent_path() / "wineserver-stop.log";
    try {
        waitForExit(spawn({tools_.wineserver.string(), "-k"}, environment_, log, log));
    } catch (const std::exception&) {
        // The server is ended by its process id below.
    }
    if (!exitsWithin(serverPid_, 10)) {
        ::kill(serverPid_, SIGKILL);
        waitForExit(serverPid_);
    }
    serverPid_ = -1;
}

std::filesystem::path WinePrefix::portLink(int portNumber) const {
    return directory_ / "dosdevices" / ("com" + std::to_string(portNumber));
}

void WinePrefix::mapPort(int portNumber, const std::filesystem::path& device) {
    std::filesystem::create_directories(directory_ / "dosdevices");
    unmapPort(portNumber);
    std::filesystem::create_symlink(device, portLink(portNumber));
}

void WinePrefix::unmapPort(int portNumber) {
    std::error_code ignored;
    std::filesystem::remove(portLink(portNumber), ignored);
}

ProgramRun WinePrefix::run(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                           const std::vector<std::string>& settings) {
    std::vector<std::string> command{program.string()};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return runWine(command, settings);
}

ProgramRun WinePrefix::runWine(const std::vector<std::string>& command, const std::vector<std::string>& settings) {
    const auto out = directory_.parent_path() / "program.out";
    const auto err = directory_.parent_path() / "program.err";
    std::vector<std::string> argv{tools_.loader.string()};
    argv.insert(argv.end(), command.begin(), command.end());
    ProgramRun result;
    result.exitStatus = waitForExit(spawn(argv, environmentWith(environment_, settings), out, err));
    result.output = readFile(out);
    result.errors = readFile(err);
    return result;
}

}  // namespace windowstest
