#pragma once
// A card reader on a pseudo-terminal that answers each frame as a reader in
// good order would, or as a broken one: not at all, with part of the reply,
// or with noise. It cuts frames and keeps its card with readersim's parser
// and card model; only an honest answer changes the card, so the card image
// holds exactly the writes that were acknowledged.

#include "readersim/frame_parser.h"
#include "readersim/reader_state.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace hostile_peers {

enum class Answer {
    Honest,           // the reply of a reader in good order; the request takes effect
    HonestThenNoise,  // as Honest, with random bytes right after the reply
    Silent,           // nothing; the request does not take effect
    Partial,          // the first bytes of the honest reply, at least one missing
    Noise,            // random bytes that are not a valid reply
};

// Whether the library was given a reply it could take.
inline bool isHonest(Answer answer) { return answer == Answer::Honest || answer == Answer::HonestThenNoise; }

struct Exchange {
    std::string frame;
    Answer answer = Answer::Honest;
    std::string sent;      // the bytes written back
    std::string expected;  // the honest reply (what a reader in good order sends)
};

class HostileReader {
public:
    // Chooses the answer to each complete frame.
    using Behaviour = std::function<Answer(const readersim::Request&)>;

    // Publishes <directory>/COM<port> and serves until destroyed. `seed`
    // makes the noise and the cut points repeatable.
    HostileReader(const std::filesystem::path& directory, int port, std::uint32_t seed);
    ~HostileReader();
    HostileReader(const HostileReader&) = delete;
    HostileReader& operator=(const HostileReader&) = delete;

    void setBehaviour(Behaviour behaviour);
    readersim::ReaderState card() const;
    void setCard(const readersim::ReaderState& card);
    // Whether the library holds the port open (its exclusive lock is taken).
    bool portHeldOpen() const;

    // Exchanges since the last call, oldest first.
    std::vector<Exchange> takeExchanges();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace hostile_peers
