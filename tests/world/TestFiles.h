#pragma once
// Small helpers for tests that build folder trees and read back what was written.
#include "platform/Clock.h"
#include "world/PackConsole.h"

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace test {

// Writes `bytes` to `path`, creating the folders on the way; fails the test on error.
void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadFile(const std::filesystem::path& path);
// `size` bytes counting up from `first` (wrapping at 256).
std::vector<uint8_t> CountingBytes(size_t size, uint8_t first = 0);
std::vector<uint8_t> Bytes(const std::string& text);
// `text` NUL-filled to `size` bytes.
std::vector<uint8_t> Padded(const std::string& text, size_t size);
void Append(std::vector<uint8_t>& to, const std::vector<uint8_t>& bytes);

// A clock stopped at 1000000000 seconds after 1970 (0x3B9ACA00).
inline const platform::SecondsClock kFixedClock = [] { return std::optional<int64_t>(1000000000); };

// What a packer returned, printed and kept as its error.
struct PackResult {
    bool ok = false;
    std::string report;
    std::string error;
};

template <typename Packer>
PackResult RunPacker(Packer packer)
{
    std::ostringstream out;
    PackConsole console(out);
    PackResult result;
    result.ok = packer(console);
    result.report = out.str();
    result.error = console.Error();
    return result;
}

// Loads `pdb` with Debian's Palm database reader (perl's Palm::PDB, from
// libpalm-pdb-perl) as an outside check, and returns what it read: a line
// "name|type|creator|resource flag|creation time|resource count", then one line
// "type id(hex) size" per resource. The reader's exit status goes to `status`.
std::string PalmDatabaseSummary(const std::filesystem::path& pdb, int& status);

} // namespace test
