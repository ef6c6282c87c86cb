#include "readersim/reader_state.h"

#include <algorithm>
#include <cctype>

namespace readersim {

ReaderState ReaderState::fresh() {
    ReaderState state;
    const std::string trailer = std::string(kDefaultReaderKey) + std::string(kDefaultTrailerRest);
    for (int block = 0; block < kBlockCount; ++block) {
        state.blocks[block] = isTrailerBlock(block) ? trailer : std::string(kBlockTextLength, '0');
    }
    return state;
}

std::string ReaderState::sectorKey(int sector) const { return blocks[trailerOfSector(sector)].substr(0, kKeyLength); }

bool sameKey(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}

}  // namespace readersim
