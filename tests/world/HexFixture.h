#pragma once
// Hand-worked bytes kept as commented text in tests/world/fixtures/*.hex: two
// hex digits per byte, "text" for its characters (no escapes), *N after a byte
// for N copies of it in all, and # to the end of the line a comment.
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

namespace test {

inline std::vector<uint8_t> HexFixture(const std::string& name)
{
    const std::vector<uint8_t> file = ReadFile(VALDRUNE_SOURCE_DIR "/tests/world/fixtures/" + name);
    const std::string text(file.begin(), file.end());
    std::vector<uint8_t> bytes;
    size_t at = 0;
    while (at < text.size()) {
        const unsigned char c = uint8_t(text[at]);
        if (c == '#') {
            at = std::min(text.find('\n', at), text.size());
        } else if (c == '"') {
            const size_t close = std::min(text.find('"', at + 1), text.size());
            bytes.insert(bytes.end(), text.begin() + long(at) + 1, text.begin() + long(close));
            at = close + 1;
        } else if (c == '*' && !bytes.empty()) {
            size_t digits = 0;
            const size_t copies = std::stoul(text.substr(at + 1), &digits);
            bytes.insert(bytes.end(), copies - 1, bytes.back());
            at += 1 + digits;
        } else if (std::isxdigit(c) && at + 1 < text.size() && std::isxdigit(uint8_t(text[at + 1]))) {
            bytes.push_back(uint8_t(std::stoul(text.substr(at, 2), nullptr, 16)));
            at += 2;
        } else {
            EXPECT_TRUE(std::isspace(c)) << name << ": unexpected '" << c << "' at character " << at;
            ++at;
        }
    }
    return bytes;
}

} // namespace test
