#pragma once
// Hand-worked bytes of tests/world/fixtures/*.hex (see support/HexFixture.h).
#include "TestFiles.h"
#include "support/HexFixture.h"

namespace test {

inline std::vector<uint8_t> HexFixture(const std::string& name)
{
    return ReadHex(VALDRUNE_SOURCE_DIR "/tests/world/fixtures/" + name).bytes;
}

} // namespace test
