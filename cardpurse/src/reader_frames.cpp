#include "reader_frames.h"

#include <cassert>

namespace cardpurse {

namespace {

std::string frame(char command, std::initializer_list<std::string_view> fields) {
    std::string text{'D', command};
    for (std::string_view field : fields) text += field;
    text += '!';
    return text;
}

}  // namespace

std::string readBlockFrame(std::string_view sector, std::string_view block) {
    assert(sector.size() == 2 && block.size() == 2);
    return frame('a', {sector, block});
}

std::string writeBlockFrame(std::string_view sector, std::string_view block, std::string_view blockText) {
    assert(sector.size() == 2 && block.size() == 2 && blockText.size() == 32);
    return frame('b', {sector, block, blockText});
}

std::string loadReaderKeyFrame(std::string_view key) {
    assert(key.size() == 12);
    return frame('G', {key});
}

std::string setSoundFrame(int level) {
    assert(level >= 1 && level <= 9);
    const char digit = static_cast<char>('0' + level);
    return frame('c', {std::string_view(&digit, 1)});
}

}  // namespace cardpurse
