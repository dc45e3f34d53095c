#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sys/wait.h>

namespace test {

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    ASSERT_TRUE(out.good()) << "cannot write " << path;
}

std::vector<uint8_t> ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot read " << path;
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<uint8_t> CountingBytes(size_t size, uint8_t first)
{
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = uint8_t(first + i);
    return bytes;
}

std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::vector<uint8_t> Padded(const std::string& text, size_t size)
{
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.resize(size, 0);
    return bytes;
}

void Append(std::vector<uint8_t>& to, const std::vector<uint8_t>& bytes)
{
    to.insert(to.end(), bytes.begin(), bytes.end());
}

std::string PalmDatabaseSummary(const std::filesystem::path& pdb, int& status)
{
    const char* script = R"(
use strict;
use Palm::PDB;
use Palm::Raw;
Palm::PDB::RegisterPRCHandlers("Palm::Raw", "");
my $pdb = Palm::PDB->new;
$pdb->Load($ARGV[0]) or die "cannot load";
printf "%s|%s|%s|%d|%d|%d\n", $pdb->{name}, $pdb->{type}, $pdb->{creator},
    $pdb->{attributes}{resource} ? 1 : 0, $pdb->{ctime}, scalar @{$pdb->{resources}};
printf "%s %x %d\n", $_->{type}, $_->{id}, length $_->{data} for @{$pdb->{resources}};
)";
    std::string command = "perl -e"; // each argument single-quoted for the shell
    for (const std::string& argument : {std::string(script), pdb.string()}) {
        command += " '";
        for (char c : argument)
            command += c == '\'' ? std::string("'\\''") : std::string(1, c);
        command += '\'';
    }
    status = -1;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return {};
    std::string output;
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, got);
    if (const int waitStatus = ::pclose(pipe); waitStatus != -1 && WIFEXITED(waitStatus))
        status = WEXITSTATUS(waitStatus);
    return output;
}

} // namespace test
