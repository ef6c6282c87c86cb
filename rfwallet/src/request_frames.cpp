#include "request_frames.h"

#include <cstdio>

#include "nibble_text.h"

namespace rfwallet {

namespace {

constexpr char kFrameStart = 'D';
constexpr char kFrameEnd = '!';

std::string startFrame(char command, std::size_t length) {
    std::string frame;
    frame.reserve(length);
    frame += kFrameStart;
    frame += command;
    return frame;
}

void appendHexField(std::string& frame, std::string_view text, std::size_t length) {
    appendHexAsNibbles(frame, text.substr(0, length));
}

// `format` is "%08X" or "%06X"; of the text only `length` characters are sent.
void appendHexNumber(std::string& frame, const char* format, std::int32_t value, std::size_t length) {
    char text[16];
    std::snprintf(text, sizeof text, format, static_cast<unsigned>(value));
    appendHexField(frame, text, length);
}

void appendHostFieldsAB(std::string& frame, std::string_view fieldA, std::string_view fieldB) {
    appendHexField(frame, fieldA, kHostFieldALength);
    appendHexField(frame, fieldB, kHostFieldBLength);
}

void appendMoneyFields(std::string& frame, const MoneyFields& money) {
    appendHexField(frame, money.hostFieldD, kHostFieldDLength);
    appendHexNumber(frame, "%08X", money.hostHex8, 8);
    appendDigitPairsAsNibbles(frame, money.digits12.substr(0, kDigits12Length));
    appendHexNumber(frame, "%06X", money.hostHex6, 6);
}

}  // namespace

std::string readCardInfoFrame(const ReadCardInfoRequest& request) {
    std::string frame = startFrame('d', kReadCardInfoFrameLength);
    appendHostFieldsAB(frame, request.hostFieldA, request.hostFieldB);
    frame += kFrameEnd;
    return frame;
}

std::string addMoneyFrame(const AddMoneyRequest& request) {
    std::string frame = startFrame('e', kAddMoneyFrameLength);
    appendHostFieldsAB(frame, request.hostFieldA, request.hostFieldB);
    appendHexField(frame, request.hostFieldC, kHostFieldCLength);
    appendMoneyFields(frame, request.money);
    frame += kFrameEnd;
    return frame;
}

std::string deductionsFrame(const DeductionsRequest& request) {
    std::string frame = startFrame('g', kDeductionsFrameLength);
    appendHostFieldsAB(frame, request.hostFieldA, request.hostFieldB);
    appendMoneyFields(frame, request.money);
    frame += kFrameEnd;
    return frame;
}

}  // namespace rfwallet
