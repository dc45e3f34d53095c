#pragma once
// An independent reader of the two mission packages, written from their
// layouts: the flat package (".pak") and the Palm resource database (".pdb"),
// both carrying the scrambled directory table of the packed tree.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace test {

struct PackageContents {
    std::string error;  // empty when the package read cleanly
    // Folders and files by their path below the packed folder, as the entries
    // name them ("scenarios/my/mission001/mission.dat"); folders map to nothing.
    std::map<std::string, std::vector<uint8_t>> files;
    std::vector<std::string> folders;
    std::string databaseName;  // .pdb only
    uint32_t entryCount = 0;
};

// A scrambled name does not tell its own length (a character equal to its key
// byte scrambles to 0, like the NUL bytes that follow the name), so the reader
// recognises names by scrambling the `knownNames` (entry names: lower-case,
// without extension) forward; an entry of another name is an error.
PackageContents ReadPak(const std::vector<uint8_t>& bytes, const std::vector<std::string>& knownNames);
PackageContents ReadPdb(const std::vector<uint8_t>& bytes, const std::vector<std::string>& knownNames);

// Cursor over little-endian fields; reading past the end sets `failed`.
struct ByteReader {
    const std::vector<uint8_t>& bytes;
    size_t at = 0;
    bool failed = false;

    uint32_t U8();
    uint32_t U16();
    uint32_t U32();
    std::string Text();  // characters up to a NUL, which is skipped
    bool AtEnd() const { return !failed && at == bytes.size(); }
};

} // namespace test
