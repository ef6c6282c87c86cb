#pragma once
// The card as the library sees it: 16 sectors of four 16-byte blocks, each
// block exchanged as a text of 32 hexadecimal digits, and the blocks and
// character positions of the account fields.

#include <cstddef>
#include <cstdint>
#include <string>

namespace cardpurse {

inline constexpr std::size_t kBlockTextLength = 32;
inline constexpr int kSectorCount = 16;

struct BlockAddress {
    int sector;
    int block;  // absolute block number: sector s holds blocks 4s to 4s+3

    std::string sectorText() const;  // "%02d", as the reader frames carry it
    std::string blockText() const;
};

// Last block of sector i; characters 0-11 hold the sector key.
constexpr BlockAddress sectorTrailer(int sector) { return {sector, 4 * sector + 3}; }

inline constexpr BlockAddress kPurseBackupBlock{1, 4};
inline constexpr BlockAddress kPurseBlock{1, 5};
inline constexpr BlockAddress kLimitsBlock{1, 6};
inline constexpr BlockAddress kHolderBlock{2, 8};
inline constexpr BlockAddress kDepartmentBlock{2, 9};

// Characters [position, position + length) of a block text.
struct Field {
    std::size_t position;
    std::size_t length;
};

// Largest number a field of hexadecimal digits holds (1048575 for five).
constexpr std::uint32_t fieldMaximum(Field field) {
    return field.length >= 8 ? 0xFFFFFFFFu : (std::uint32_t{1} << (4 * field.length)) - 1;
}

// Purse block (and its backup): "8", zeros, balance, zeros, Lssj count, check.
inline constexpr Field kBalanceField{17, 5};
inline constexpr Field kLssjCountField{26, 4};

// Limits block: "80", account number, GB code, limit time, limit money,
// limit count, zeros, check.
inline constexpr Field kAccountNumberField{2, 6};
inline constexpr Field kGbCodeField{8, 2};
inline constexpr Field kLimitTimeField{10, 6};
inline constexpr Field kLimitMoneyField{16, 6};
inline constexpr Field kLimitCountField{22, 2};

// Holder block: "00", holder name, card number, six characters of the card's own.
inline constexpr Field kHolderNameField{2, 16};
inline constexpr Field kCardNumberField{18, 8};

// Department block: department, zeros.
inline constexpr Field kDepartmentField{0, 16};

// Sector trailer: the key; the rest of the trailer is never changed.
inline constexpr Field kTrailerKeyField{0, 12};

// Characters 30-31 of the purse, purse backup and limits blocks.
inline constexpr Field kCheckField{30, 2};

// What the host is shown: the text outputs are 18 characters wide and the
// card number output covers the last six digits of its field.
inline constexpr Field kHolderNameOutput{2, 18};
inline constexpr Field kDepartmentOutput{0, 18};
inline constexpr Field kCardNumberOutput{20, 6};

// Blocks that carry a check byte in characters 30-31.
constexpr bool hasBlockCheck(BlockAddress address) {
    return address.sector == 1 && address.block >= 4 && address.block <= 6;
}

}  // namespace cardpurse
