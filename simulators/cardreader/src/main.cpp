// readersim: serves a simulated card reader on a pseudo-terminal published
// as <dir>/COM<n> until SIGINT or SIGTERM, printing every frame it receives.
// SIGUSR1 writes the card image to the --dump file without stopping.

#include <signal.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string_view>

#include "readersim/card_image_file.h"
#include "readersim/reader_simulator.h"

namespace {

constexpr const char* kUsage =
    "usage: readersim --dir DIR --port N [options]\n"
    "       readersim --help\n"
    "  --dir DIR          directory of the COM<n> link (must exist)\n"
    "  --port N           port number 1 to 999\n"
    "  --image FILE       initial card image, keys and purse\n"
    "  --dump FILE        write the card image to FILE at exit and on SIGUSR1\n"
    "  --no-card          no card in the field\n"
    "  --no-reply         never answer\n"
    "  --short-reply      answer one character short\n"
    "  --garbage-reply    answer with '#' characters\n"
    "  --delay MS         wait MS milliseconds before each reply\n"
    "  --pace             time every byte at 9600 baud (1.04 ms)\n"
    "  --trailing TEXT    send TEXT after every reply\n"
    "  --quiet            do not print the frames\n";

// Control characters and bytes above 126 as \xHH, the rest as it is.
std::string printable(std::string_view bytes) {
    std::string out;
    char escaped[8];
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        }
    }
    return out;
}

bool parseInt(const char* text, int& value) {
    const char* end = text + std::strlen(text);
    auto [rest, error] = std::from_chars(text, end, value);
    return error == std::errc() && rest == end && rest != text;
}

struct CommandLine {
    readersim::Config config;
    std::string imageFile;
    std::string dumpFile;
    bool quiet = false;
    bool help = false;
};

// Fills `line` from the arguments; false with a message on a bad argument.
bool parseArguments(int argc, char** argv, CommandLine& line, std::string& error) {
    auto& options = line.config.options;
    bool haveDir = false, havePort = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        const bool takesValue = arg == "--dir" || arg == "--port" || arg == "--image" || arg == "--dump" ||
                                arg == "--delay" || arg == "--trailing";
        if (takesValue && value == nullptr) {
            error = std::string(arg) + " needs a value";
            return false;
        }
        int number = 0;
        if (arg == "--help" || arg == "-h") {
            line.help = true;
            return true;
        }
        if (arg == "--dir") {
            std::error_code notThere;
            if (!std::filesystem::is_directory(value, notThere)) {
                error = "--dir " + std::string(value) + ": no such directory";
                return false;
            }
            line.config.directory = value;
            haveDir = true;
        } else if (arg == "--port") {
            if (!parseInt(value, number) || number < 1 || number > 999) {
                error = "--port needs a number from 1 to 999";
                return false;
            }
            line.config.portNumber = number;
            havePort = true;
        } else if (arg == "--image") {
            line.imageFile = value;
        } else if (arg == "--dump") {
            line.dumpFile = value;
        } else if (arg == "--delay") {
            if (!parseInt(value, number) || number < 0) {
                error = "--delay needs a number of milliseconds";
                return false;
            }
            options.replyDelay = std::chrono::milliseconds(number);
        } else if (arg == "--trailing") {
            options.trailingBytes = value;
        } else if (arg == "--no-card") {
            options.cardPresent = false;
        } else if (arg == "--no-reply") {
            options.fault = readersim::ReplyFault::NoReply;
        } else if (arg == "--short-reply") {
            options.fault = readersim::ReplyFault::ShortReply;
        } else if (arg == "--garbage-reply") {
            options.fault = readersim::ReplyFault::GarbageReply;
        } else if (arg == "--pace") {
            options.pacing = true;
        } else if (arg == "--quiet") {
            line.quiet = true;
        } else {
            error = "unknown argument " + std::string(arg);
            return false;
        }
        if (takesValue) ++i;
    }
    if (!haveDir || !havePort) {
        error = "--dir and --port are required";
        return false;
    }
    return true;
}

bool loadImage(const std::string& file, readersim::ReaderState& state, std::string& error) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = "cannot read " + file + ": " + std::strerror(errno);
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    if (!readersim::parseImageText(text.str(), state, error)) {
        error = file + ", " + error;
        return false;
    }
    return true;
}

// Writes the card image when a dump file was given; says why it could not.
bool dumpImage(const std::string& file, const readersim::ReaderState& state) {
    if (file.empty()) return true;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << readersim::formatImageText(state);
    out.close();
    if (!out) std::cerr << "readersim: cannot write " << file << ": " << std::strerror(errno) << "\n";
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    CommandLine line;
    std::string error;
    const bool parsed = parseArguments(argc, argv, line, error);
    if (parsed && line.help) {
        std::cout << kUsage;
        return 0;
    }
    if (!parsed || (!line.imageFile.empty() && !loadImage(line.imageFile, line.config.initialState, error))) {
        std::cerr << "readersim: " << error << "\n" << kUsage;
        return 2;
    }
    const auto started = readersim::Clock::now();
    if (!line.quiet) {
        line.config.frameObserver = [started](const readersim::FrameRecord& record) {
            const double seconds = std::chrono::duration<double>(record.receivedAt - started).count();
            std::printf("%10.4f  %s -> %s\n", seconds, printable(record.frame).c_str(),
                        record.reply.empty() ? "(no reply)" : printable(record.reply).c_str());
            std::fflush(stdout);
        };
    }
    // The signals are taken by sigwait below, never by the serving thread.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGUSR1);  // dump now and go on
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    try {
        readersim::ReaderSimulator simulator(line.config);
        std::printf("readersim: terminal %s, port COM%d at %s\n", simulator.terminalPath().c_str(),
                    simulator.portNumber(), simulator.linkPath().c_str());
        std::fflush(stdout);
        int signal = 0;
        while (sigwait(&stopSignals, &signal) == 0 && signal == SIGUSR1) dumpImage(line.dumpFile, simulator.state());
        simulator.stop();
        if (!dumpImage(line.dumpFile, simulator.state())) return 1;
    } catch (const std::exception& failure) {
        std::cerr << "readersim: " << failure.what() << "\n";
        return 1;
    }
    return 0;
}
