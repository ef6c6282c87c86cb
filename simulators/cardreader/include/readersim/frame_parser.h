#pragma once
// Frames the simulated reader accepts, and the pure parser that cuts them out
// of the byte stream arriving on its line.
//
// Every request is "D", a command letter, fixed-width fields and "!":
//   Da ss bb !                     read block          7 characters
//   Db ss bb <32 block text> !     write block        39
//   DG <12 key> !                  load reader key    15
//   Dc <digit 1-9> !               set sound           4
//   Dd <28 A> <26 B> !             RF read card info  57
//   De <28 A> <26 B> <6 C> <32 D> <8 amount> <12 digits> <6 hex6> !   121
//   Dg <28 A> <26 B> <32 D> <8 amount> <12 digits> <6 hex6> !         115
// ss is the sector "00"-"15", bb the absolute block number, which must lie in
// that sector. RF fields are nibble text: one character "0"-"?" (code 48 + v)
// per 4-bit value v.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace readersim {

enum class Command {
    ReadBlock,   // Da
    WriteBlock,  // Db
    LoadKey,     // DG
    SetSound,    // Dc
    RfReadInfo,  // Dd
    RfAddMoney,  // De
    RfDeduct,    // Dg
    Malformed,   // recognised as a frame but unusable; answered with an error
};

struct Request {
    Command command = Command::Malformed;
    std::string problem{};  // why a Malformed frame was refused

    int sector = 0;           // Da, Db
    int block = 0;            // Da, Db: absolute block number
    std::string blockText{};  // Db
    std::string key{};        // DG
    int sound = 0;            // Dc

    // RF frames, decoded from nibble text. Text fields are given back as
    // upper-case hexadecimal digits, one per nibble character.
    std::string rfFieldA{}, rfFieldB{}, rfFieldC{}, rfFieldD{};
    std::uint32_t rfAmount = 0;              // the 8-nibble integer
    std::array<std::uint8_t, 6> rfDigits{};  // the six one-byte numbers
    std::uint32_t rfHex6 = 0;                // the 6-nibble integer
};

struct ParseOutcome {
    enum class Status {
        NeedMore,  // the bytes so far may start a frame; wait for more
        Skip,      // `consumed` leading bytes start no frame (no reply)
        Frame,     // `consumed` bytes form one frame, see `request`
    };
    Status status = Status::NeedMore;
    std::size_t consumed = 0;
    Request request{};
};

// Looks at the start of `pending` (bytes received and not yet consumed).
// Bytes before a "D" are skipped; "D" followed by an unknown letter is a
// two-byte Malformed frame; a known command is cut at its fixed length, and
// a wrong terminator or a bad field makes it Malformed.
ParseOutcome parseFrame(std::string_view pending);

// Length of the frame of a command letter, 0 for an unknown letter.
std::size_t frameLength(char commandLetter);

}  // namespace readersim
