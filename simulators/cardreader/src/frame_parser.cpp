#include "readersim/frame_parser.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace readersim {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

Request malformed(std::string problem) {
    Request request;
    request.command = Command::Malformed;
    request.problem = std::move(problem);
    return request;
}

// Reads the fields of one frame from left to right; the first bad field
// leaves a problem text and makes every later read a no-op.
class FieldReader {
public:
    explicit FieldReader(std::string_view frame) : frame_(frame), position_(2) {}

    const std::string& problem() const { return problem_; }

    std::string_view take(std::size_t length) {
        const std::string_view field = frame_.substr(position_, length);
        position_ += length;
        return field;
    }

    int decimal(std::size_t length, int low, int high, const char* what) {
        const std::size_t at = position_;
        int value = 0;
        for (char c : take(length)) {
            if (!std::isdigit(static_cast<unsigned char>(c))) return fail(what, at, "is not decimal");
            value = value * 10 + (c - '0');
        }
        if (value < low || value > high) return fail(what, at, "is out of range");
        return value;
    }

    std::string hexText(std::size_t length, const char* what) {
        const std::size_t at = position_;
        const std::string_view field = take(length);
        for (char c : field) {
            if (!std::isxdigit(static_cast<unsigned char>(c))) {
                fail(what, at, "is not hexadecimal");
                return {};
            }
        }
        return std::string(field);
    }

    // Nibble text back to upper-case hexadecimal digits.
    std::string nibbles(std::size_t length, const char* what) {
        const std::size_t at = position_;
        std::string digits;
        for (char c : take(length)) {
            const int value = c - '0';
            if (value < 0 || value > 15) {
                fail(what, at, "is not nibble text");
                return {};
            }
            digits += kHexDigits[value];
        }
        return digits;
    }

    std::uint32_t nibbleNumber(std::size_t length, const char* what) {
        const std::string digits = nibbles(length, what);
        return digits.empty() ? 0 : static_cast<std::uint32_t>(std::stoul(digits, nullptr, 16));
    }

private:
    int fail(const char* what, std::size_t at, const char* why) {
        if (problem_.empty()) problem_ = std::string(what) + " at position " + std::to_string(at) + " " + why;
        return 0;
    }

    std::string_view frame_;
    std::size_t position_;
    std::string problem_;
};

void readBlockAddress(FieldReader& fields, Request& request) {
    request.sector = fields.decimal(2, 0, 15, "sector");
    request.block = fields.decimal(2, 0, 63, "block");
}

void readRfCommonFields(FieldReader& fields, Request& request) {
    request.rfFieldA = fields.nibbles(28, "field A");
    request.rfFieldB = fields.nibbles(26, "field B");
}

void readRfMoneyFields(FieldReader& fields, Request& request) {
    request.rfFieldD = fields.nibbles(32, "field D");
    request.rfAmount = fields.nibbleNumber(8, "amount");
    for (auto& digit : request.rfDigits) digit = static_cast<std::uint8_t>(fields.nibbleNumber(2, "digit pairs"));
    request.rfHex6 = fields.nibbleNumber(6, "six-digit number");
}

Request decode(std::string_view frame) {
    Request request;
    FieldReader fields(frame);
    switch (frame[1]) {
        case 'a':
            request.command = Command::ReadBlock;
            readBlockAddress(fields, request);
            break;
        case 'b':
            request.command = Command::WriteBlock;
            readBlockAddress(fields, request);
            request.blockText = std::string(fields.take(32));
            break;
        case 'G':
            request.command = Command::LoadKey;
            request.key = fields.hexText(12, "key");
            break;
        case 'c':
            request.command = Command::SetSound;
            request.sound = fields.decimal(1, 1, 9, "sound");
            break;
        case 'd':
            request.command = Command::RfReadInfo;
            readRfCommonFields(fields, request);
            break;
        case 'e':
            request.command = Command::RfAddMoney;
            readRfCommonFields(fields, request);
            request.rfFieldC = fields.nibbles(6, "field C");
            readRfMoneyFields(fields, request);
            break;
        case 'g':
            request.command = Command::RfDeduct;
            readRfCommonFields(fields, request);
            readRfMoneyFields(fields, request);
            break;
    }
    if (!fields.problem().empty()) return malformed(fields.problem());
    if ((request.command == Command::ReadBlock || request.command == Command::WriteBlock) &&
        request.block / 4 != request.sector) {
        return malformed("block " + std::to_string(request.block) + " is not in sector " +
                         std::to_string(request.sector));
    }
    return request;
}

}  // namespace

std::size_t frameLength(char commandLetter) {
    switch (commandLetter) {
        case 'a': return 7;
        case 'b': return 39;
        case 'G': return 15;
        case 'c': return 4;
        case 'd': return 57;
        case 'e': return 121;
        case 'g': return 115;
        default: return 0;
    }
}

ParseOutcome parseFrame(std::string_view pending) {
    ParseOutcome outcome;
    if (pending.empty()) return outcome;
    if (pending[0] != 'D') {
        outcome.status = ParseOutcome::Status::Skip;
        outcome.consumed = std::min(pending.find('D'), pending.size());
        return outcome;
    }
    if (pending.size() < 2) return outcome;
    if (pending[1] == 'D') {  // a lone "D"; the next one may start a frame
        outcome.status = ParseOutcome::Status::Skip;
        outcome.consumed = 1;
        return outcome;
    }
    const std::size_t length = frameLength(pending[1]);
    outcome.status = ParseOutcome::Status::Frame;
    if (length == 0) {
        outcome.consumed = 2;
        outcome.request = malformed("unknown command letter");
        return outcome;
    }
    if (pending.size() < length) {
        outcome.status = ParseOutcome::Status::NeedMore;
        return outcome;
    }
    outcome.consumed = length;
    const std::string_view frame = pending.substr(0, length);
    outcome.request =
        frame.back() == '!' ? decode(frame) : malformed("no \"!\" at position " + std::to_string(length - 1));
    return outcome;
}

}  // namespace readersim
