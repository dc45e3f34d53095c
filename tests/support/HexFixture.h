#pragma once
// Hand-worked bytes kept as commented text (fixtures/*.hex): two hex digits per
// byte, "text" for its characters (no escapes), *N after a byte for N copies of
// it in all, @name for the offset of the next byte, # to the end of the line a
// comment.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace test {

struct HexBytes {
    std::vector<uint8_t> bytes;
    std::map<std::string, size_t> marks;

    size_t At(const std::string& mark) const { return marks.at(mark); }
};

inline HexBytes ReadHex(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot read " << path;
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    HexBytes hex;
    std::vector<uint8_t>& bytes = hex.bytes;
    size_t at = 0;
    while (at < text.size()) {
        const unsigned char c = uint8_t(text[at]);
        if (c == '#') {
            at = std::min(text.find('\n', at), text.size());
        } else if (c == '"') {
            const size_t close = std::min(text.find('"', at + 1), text.size());
            bytes.insert(bytes.end(), text.begin() + long(at) + 1, text.begin() + long(close));
            at = close + 1;
        } else if (c == '@') {
            size_t end = at + 1;
            while (end < text.size() && !std::isspace(uint8_t(text[end])))
                ++end;
            hex.marks[text.substr(at + 1, end - at - 1)] = bytes.size();
            at = end;
        } else if (c == '*' && !bytes.empty()) {
            size_t digits = 0;
            const size_t copies = std::stoul(text.substr(at + 1), &digits);
            bytes.insert(bytes.end(), copies - 1, bytes.back());
            at += 1 + digits;
        } else if (std::isxdigit(c) && at + 1 < text.size() && std::isxdigit(uint8_t(text[at + 1]))) {
            bytes.push_back(uint8_t(std::stoul(text.substr(at, 2), nullptr, 16)));
            at += 2;
        } else {
            EXPECT_TRUE(std::isspace(c)) << path << ": unexpected '" << c << "' at character " << at;
            ++at;
        }
    }
    return hex;
}

} // namespace test
