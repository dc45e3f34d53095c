#pragma once
// Small helpers for tests that build folder trees and read back what was written.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace test {

// Writes `bytes` to `path`, creating the folders on the way; fails the test on error.
void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadFile(const std::filesystem::path& path);
// `size` bytes counting up from `first` (wrapping at 256).
std::vector<uint8_t> CountingBytes(size_t size, uint8_t first = 0);
std::vector<uint8_t> Bytes(const std::string& text);

// Runs `arguments` (no shell) and returns what it wrote to standard output; the
// exit status goes to `status`.
std::string RunProgram(const std::vector<std::string>& arguments, int& status);

} // namespace test
