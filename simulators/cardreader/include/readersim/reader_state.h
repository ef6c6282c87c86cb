#pragma once
// What the simulated card reader knows: the card in its field, the reader key
// it has loaded, its sound setting and the purse of the RF SAM reader type.
//
// The card is 16 sectors of 4 blocks; every block is kept as the 32
// characters of its block text, exactly as written, so that whatever a card
// library writes reads back unchanged. The last block of each sector is its
// trailer: characters 0-11 hold the sector key, characters 12-31 the access
// bytes ("FF078069") and a second key ("FFFFFFFFFFFF") that the reader never
// looks at. A block can be read or written only while the loaded reader key
// equals the key of its sector (hex digits compared without regard to case).

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace readersim {

inline constexpr int kSectorCount = 16;
inline constexpr int kBlocksPerSector = 4;
inline constexpr int kBlockCount = kSectorCount * kBlocksPerSector;
inline constexpr std::size_t kBlockTextLength = 32;
inline constexpr std::size_t kKeyLength = 12;

// Key of every sector of a fresh card and key the reader loads at power-on.
inline constexpr std::string_view kDefaultReaderKey = "7C3A19E5B04D";
// Trailer characters 12-31 of a fresh card: access bytes and second key.
inline constexpr std::string_view kDefaultTrailerRest = "FF078069FFFFFFFFFFFF";

inline constexpr bool isTrailerBlock(int block) { return block % kBlocksPerSector == kBlocksPerSector - 1; }
inline constexpr int trailerOfSector(int sector) { return sector * kBlocksPerSector + kBlocksPerSector - 1; }

// Purse kept by the RF SAM reader type. "De" raises the balance, "Dg" lowers
// it; every accepted money operation advances the 16-bit transaction number,
// which is the value the reader returns.
struct RfPurse {
    std::uint32_t cardNumber = 1;  // 18 bits travel in the "Dd" reply
    std::int32_t balance = 0;
    std::uint16_t transactionNumber = 0;

    bool operator==(const RfPurse&) const = default;
};

struct ReaderState {
    std::array<std::string, kBlockCount> blocks;  // 32 characters each
    std::string readerKey{kDefaultReaderKey};
    int sound = 1;  // 1 to 9, as last set by "Dc"
    RfPurse rfPurse;

    // A fresh card: data blocks all "0", every trailer default key + rest.
    static ReaderState fresh();

    // Characters 0-11 of the trailer of `sector`.
    std::string sectorKey(int sector) const;

    bool operator==(const ReaderState&) const = default;
};

// Case-insensitive comparison of two key texts.
bool sameKey(std::string_view a, std::string_view b);

}  // namespace readersim
