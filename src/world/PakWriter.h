#pragma once
// Writes a folder tree as a flat package: a 16-byte header, the directory table
// and every stored file's bytes, with no limit per file.
#include "platform/Clock.h"
#include "world/PackConsole.h"

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

constexpr size_t kPakHeaderSize = 16;

// Builds the package of `source` in `package`; `destination` only names the file
// in the report. Reports on `console`; on failure returns false and the reason
// is console.Error().
bool BuildPak(bool scramble, std::string_view signature, std::string_view type, const std::filesystem::path& source,
              const std::filesystem::path& destination, PackConsole& console, const platform::SecondsClock& clock,
              std::vector<uint8_t>& package);

// Packs `source` into the package `destination`. Reports on `console`; on failure
// returns false, the reason is console.Error() and the destination is untouched.
bool PackPak(bool scramble, std::string_view signature, std::string_view type, const std::filesystem::path& source,
             const std::filesystem::path& destination, PackConsole& console,
             const platform::SecondsClock& clock = platform::SystemSeconds);
