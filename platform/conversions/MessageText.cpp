#include "platform/conversions/MessageText.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

#include "plot/number_text.h"

namespace conversions {

namespace {

// The standard library decodes no UTF-8 (codecvt is deprecated), and this
// layer needs no toolkit, so the few lines of decoding are our own.
struct Decoded {
    char32_t codePoint;
    std::size_t bytes;  // 0: not a well-formed sequence
};

Decoded decodeUtf8(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[at + i]); };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80) return {lead, 1};
    std::size_t length = 0;
    std::uint8_t secondLow = 0x80, secondHigh = 0xBF;  // the range the second byte may take
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) secondLow = 0xA0;   // no overlong forms
        if (lead == 0xED) secondHigh = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) secondLow = 0x90;
        if (lead == 0xF4) secondHigh = 0x8F;  // nothing beyond U+10FFFF
    } else {
        return {0, 0};
    }
    if (at + length > text.size()) return {0, 0};
    auto codePoint = static_cast<char32_t>(lead & (0x7F >> length));
    for (std::size_t i = 1; i < length; ++i) {
        const std::uint8_t next = byte(i);
        const bool inRange =
            i == 1 ? next >= secondLow && next <= secondHigh : next >= 0x80 && next <= 0xBF;
        if (!inRange) return {0, 0};
        codePoint = (codePoint << 6) | static_cast<char32_t>(next & 0x3F);
    }
    return {codePoint, length};
}

// Characters beyond ASCII that a reader cannot see or that change how the
// line is laid out: C1 controls, spaces other than the plain one, joiners and
// other zero-width characters, direction marks and overrides, line and
// paragraph separators, the byte-order mark.
bool isInvisibleOrLayout(char32_t c) {
    constexpr std::pair<char32_t, char32_t> kRanges[] = {
        {0x80, 0xA0},     {0xAD, 0xAD},     {0x61C, 0x61C},   {0x1680, 0x1680},
        {0x180E, 0x180E}, {0x2000, 0x200F}, {0x2028, 0x202F}, {0x205F, 0x206F},
        {0x3000, 0x3000}, {0xFEFF, 0xFEFF}, {0xFFF9, 0xFFFB},
    };
    for (const auto& [first, last] : kRanges)
        if (c >= first && c <= last) return true;
    return false;
}

// \u{7f}, \x{ff}: the braces end the escape, so that digits after it read
// as text.
std::string hexEscape(char kind, std::uint32_t value) {
    constexpr char kHex[] = "0123456789abcdef";
    std::string digits;
    do {
        digits.insert(digits.begin(), kHex[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    return std::string{'\\', kind, '{'} + digits + '}';
}

struct ShownCharacter {
    std::string shown;
    std::size_t bytes;  // taken from the text
    std::size_t width;  // characters shown
};

ShownCharacter showCharacter(std::string_view text, std::size_t at) {
    const Decoded decoded = decodeUtf8(text, at);
    if (decoded.bytes == 0) {
        std::string shown = hexEscape('x', static_cast<std::uint8_t>(text[at]));
        return {shown, 1, shown.size()};
    }
    const char32_t c = decoded.codePoint;
    std::string shown;
    switch (c) {
        case '\n':
            shown = "\\n";
            break;
        case '\r':
            shown = "\\r";
            break;
        case '\t':
            shown = "\\t";
            break;
        case '\\':
            shown = "\\\\";
            break;
        default:
            if (c < 0x20 || c == 0x7F || isInvisibleOrLayout(c))
                shown = hexEscape('u', c);
            else
                return {std::string(text.substr(at, decoded.bytes)), decoded.bytes, 1};
    }
    return {shown, decoded.bytes, shown.size()};
}

}  // namespace

std::string escapedForMessage(std::string_view text) {
    std::string shown;
    for (std::size_t at = 0; at < text.size();) {
        const ShownCharacter next = showCharacter(text, at);
        shown += next.shown;
        at += next.bytes;
    }
    return shown;
}

std::string quotedForMessage(std::string_view text, const Quoting& quoting) {
    // One pass keeps what each possible answer needs: the whole text while it
    // is short enough, the first characters and a sliding window of the last.
    std::string whole, head;
    std::size_t headWidth = 0, totalWidth = 0, characters = 0;
    bool headComplete = false;
    std::deque<ShownCharacter> tail;
    std::size_t tailWidth = 0;
    for (std::size_t at = 0; at < text.size();) {
        ShownCharacter next = showCharacter(text, at);
        at += next.bytes;
        ++characters;
        totalWidth += next.width;
        if (totalWidth <= quoting.wholeUpTo) whole += next.shown;
        if (!headComplete && headWidth + next.width <= quoting.atEachEnd) {
            head += next.shown;
            headWidth += next.width;
        } else {
            headComplete = true;
        }
        tailWidth += next.width;
        tail.push_back(std::move(next));
        while (tailWidth > quoting.atEachEnd) {
            tailWidth -= tail.front().width;
            tail.pop_front();
        }
    }
    const std::string mark(1, quoting.mark);
    if (totalWidth <= quoting.wholeUpTo) return mark + whole + mark;
    std::string quoted = mark + head + "\u2026";
    for (const ShownCharacter& c : tail) quoted += c.shown;
    return quoted + mark + " (" + plot::groupedDigits(characters) + " characters)";
}

std::string shortenedMessage(std::string_view message) {
    std::vector<std::size_t> starts;  // where each character starts
    for (std::size_t at = 0; at < message.size();) {
        starts.push_back(at);
        at += std::max<std::size_t>(decodeUtf8(message, at).bytes, 1);
    }
    if (starts.size() <= kLongestMessage) return std::string(message);
    const std::size_t kept = (kLongestMessage - 1) / 2;
    return std::string(message.substr(0, starts[kept])) + "\u2026" +
           std::string(message.substr(starts[starts.size() - kept]));
}

}  // namespace conversions
