#pragma once
// The format of tests/data/expected_bits.txt, shared by its generator and its
// readers. One line per input:
//     <Vramp> <Span1> <Omaga> <Span2> = <result>
// where the four fields are decimal texts as typed, and the result is either
//     <a0 … a4 b0 … b4 as float bits, hex> <pass count> <hash of the passes>
// or "error: " and the message. The hash is FNV-1a (64 bits) over every pass's
// x, count1, count2, y1, y2 bits, each as four bytes, least significant first.

#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace expected_bits {

class PassHash {
public:
    void add(float x, float count1, float count2, float y1, float y2) {
        for (const float v : {x, count1, count2, y1, y2}) {
            const auto bits = std::bit_cast<std::uint32_t>(v);
            for (int shift = 0; shift < 32; shift += 8) {
                hash_ ^= (bits >> shift) & 0xFFu;
                hash_ *= 0x100000001B3u;
            }
        }
    }
    std::uint64_t value() const { return hash_; }

private:
    std::uint64_t hash_ = 0xCBF29CE484222325u;
};

inline std::string resultText(const float (&a)[5], const float (&b)[5], std::uint64_t passes,
                              std::uint64_t hash) {
    std::string text;
    char word[24];
    for (const auto* curve : {&a, &b}) {
        for (const float v : *curve) {
            std::snprintf(word, sizeof word, "%08x ",
                          static_cast<unsigned>(std::bit_cast<std::uint32_t>(v)));
            text += word;
        }
    }
    std::snprintf(word, sizeof word, "%016llx", static_cast<unsigned long long>(hash));
    return text + std::to_string(passes) + " " + word;
}

inline std::string errorText(const std::string& message) { return "error: " + message; }

struct Line {
    int number;
    std::array<std::string, 4> fields;
    std::string result;
};

// The file's input lines (comments, starting with '#', left out).
inline std::vector<Line> readLines(const std::string& path) {
    std::vector<Line> lines;
    std::ifstream file(path);
    std::string text;
    for (int number = 1; std::getline(file, text); ++number) {
        if (text.empty() || text[0] == '#') continue;
        const std::size_t equals = text.find(" = ");
        Line line{number, {}, equals == std::string::npos ? "" : text.substr(equals + 3)};
        std::istringstream fields(text.substr(0, equals));
        for (std::string& field : line.fields) fields >> field;
        lines.push_back(line);
    }
    return lines;
}

}  // namespace expected_bits
