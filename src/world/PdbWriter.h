#pragma once
// Writes a folder tree as a Palm OS resource database: the database header, the
// resource list, one directory resource (id 0x1000) and the files' bytes, each
// file spanning one or more consecutive resources of at most 64000 bytes.
#include "platform/Clock.h"
#include "world/PackConsole.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

constexpr size_t kPdbHeaderSize = 78;
constexpr size_t kPdbResourceEntrySize = 10;
constexpr uint16_t kDirectoryResourceId = 0x1000;

// Seconds since 1904-01-01 00:00 (the Palm epoch) from `clock`, or 0xFFFFFFFF when
// the clock cannot be read.
uint32_t PalmTimeNow(const platform::SecondsClock& clock);

// Fills the 78 header bytes; `time` is stored as both creation and modification time.
void MakePdbHeader(std::span<uint8_t, kPdbHeaderSize> header, std::string_view name, std::string_view type,
                   std::string_view creator, uint16_t resourceCount, uint32_t time);

// Builds the database of `source` in `package`; `databaseName` is Windows-1252
// text and `destination` only names the file in the report. Reports on
// `console`; on failure returns false and the reason is console.Error().
bool BuildPdb(bool scramble, std::string_view databaseName, std::string_view creator, std::string_view type,
              const std::filesystem::path& source, const std::filesystem::path& destination, PackConsole& console,
              const platform::SecondsClock& clock, std::vector<uint8_t>& package);

// Packs `source` into the database `destination` (as BuildPdb, then written in
// one step). Reports on `console`; on failure
// returns false, the reason is console.Error() and the destination is untouched.
bool PackPdb(bool scramble, std::string_view databaseName, std::string_view creator, std::string_view type,
             const std::filesystem::path& source, const std::filesystem::path& destination, PackConsole& console,
             const platform::SecondsClock& clock = platform::SystemSeconds);
