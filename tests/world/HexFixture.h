#pragma once
// Hand-worked bytes kept as commented text in tests/world/fixtures/*.hex: two
// hex digits per byte, "text" for its characters (no escapes), *N after a byte
// for N copies of it in all, and # to the end of the line a comment.
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace test {

inline std::vector<uint8_t> HexFixture(const std::string& name)
{
    const std::vector<uint8_t> file = ReadFile(VALDRUNE_SOURCE_DIR "/tests/world/fixtures/" + name);
    const std::string text(file.begin(), file.end());
    static const std::regex item(R"re(\s*(#[^\n]*|"([^"]*)"|([0-9A-Fa-f]{2})(\*(\d+))?|$))re");
    std::vector<uint8_t> bytes;
    std::smatch m;
    for (auto at = text.cbegin(); at != text.cend(); at = m[0].second) {
        if (!std::regex_search(at, text.cend(), m, item, std::regex_constants::match_continuous)) {
            ADD_FAILURE() << name << ": unexpected text at character " << (at - text.cbegin());
            break;
        }
        if (m[2].matched)
            bytes.insert(bytes.end(), m[2].first, m[2].second);
        else if (m[3].matched)
            bytes.insert(bytes.end(), m[5].matched ? std::stoul(m[5]) : 1, uint8_t(std::stoul(m[3], nullptr, 16)));
    }
    return bytes;
}

} // namespace test
