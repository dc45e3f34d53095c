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

} // namespace test
