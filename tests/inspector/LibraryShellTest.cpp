// Shortcut files: written and read back, read from a file laid out by hand, and refused
// when damaged.
#include "ExpectMessage.h"
#include "inspector/rmLibraryShell.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

namespace {

// The bytes of a fixture file of hexadecimal pairs; "#" starts a comment.
std::vector<uint8_t> HexFixture(const std::string& name)
{
    std::ifstream file(VALDRUNE_SOURCE_DIR "/tests/inspector/fixtures/" + name);
    std::vector<uint8_t> bytes;
    for (std::string line; std::getline(file, line);) {
        std::istringstream words(line.substr(0, line.find('#')));
        for (std::string word; words >> word;)
            bytes.push_back(uint8_t(std::stoul(word, nullptr, 16)));
    }
    return bytes;
}

const std::vector<uint8_t> kHandMadeLink = HexFixture("handmade.lnk.hex");

std::filesystem::path WriteBytes(const platform::TemporaryFolder& folder, const std::vector<uint8_t>& bytes)
{
    const std::filesystem::path path = folder.Path() / "made.lnk";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

} // namespace

TEST(ShortCutFile, HandMadeFileReadsFieldForField)
{
    ASSERT_EQ(kHandMadeLink.size(), 181u);
    platform::TemporaryFolder folder;
    const TShortcutDetails read = ReadShortCutFile(WriteBytes(folder, kHandMadeLink));
    const TShortcutDetails expected{"C:\\Games\\fw.exe", "-x \xC3\xA9", "C:\\Games", "Editor", "i.ico", -2,
                                    TShortCut('K' | scCtrl | scAlt), platform::WindowState::Maximized};
    EXPECT_EQ(read, expected);
    // Without LinkInfo (flag 2 cleared, its 62 bytes at 84 taken out) the target comes from
    // an environment block (size 0x314, signature 0xA0000001, 260 single-byte characters,
    // then 260 UTF-16 ones) put before the closing block.
    std::vector<uint8_t> expanding = kHandMadeLink;
    expanding[20] = 0x75;
    expanding.erase(expanding.begin() + 84, expanding.begin() + 84 + 62);
    std::vector<uint8_t> block = {0x14, 0x03, 0x00, 0x00, 0x01, 0x00, 0x00, 0xA0};
    const std::string path = "%windir%\\x.exe";
    block.resize(8 + 260 + 520);
    for (size_t i = 0; i < path.size(); ++i)
        block[8 + i] = block[268 + 2 * i] = uint8_t(path[i]);
    expanding.insert(expanding.end() - 4, block.begin(), block.end());
    EXPECT_EQ(ReadShortCutFile(WriteBytes(folder, expanding)).Target, path);
    // Show commands: 3 and 10 maximised; 2, 6 and 7 minimised; anything else normal.
    using enum platform::WindowState;
    const std::pair<uint8_t, platform::WindowState> shows[] = {{0, Normal},    {1, Normal},    {2, Minimized},
                                                               {3, Maximized}, {6, Minimized}, {7, Minimized},
                                                               {10, Maximized}, {11, Normal}};
    for (const auto& [command, state] : shows) {
        std::vector<uint8_t> bytes = kHandMadeLink;
        bytes[60] = command;
        EXPECT_EQ(ReadShortCutFile(WriteBytes(folder, bytes)).ShowCommand, state) << int(command);
    }
}

TEST(ShortCutFile, WrittenFileReadsBackAndDamagedFilesAreRefused)
{
    platform::TemporaryFolder folder;
    const std::filesystem::path path = folder.Path() / "written.lnk";
    const TShortcutDetails cases[] = {
        {"C:\\Program Files\\\xE2\x82\xAC\\run.exe", "--open \"a b\"", "C:\\Work", "\xF0\x9F\x8F\xB0 castle", "C:\\i.ico",
         7, TShortCut(0x70 | scShift), platform::WindowState::Minimized},
        {"\\\\server\\share\\maps\\isle.fw", "", "", "", "", 0, 0, platform::WindowState::Normal},
        {"", "only arguments", "", "", "", -1, TShortCut('A' | scShift | scCtrl | scAlt), platform::WindowState::Maximized},
    };
    for (const TShortcutDetails& details : cases) {
        WriteShortCutFile(path, details);
        EXPECT_EQ(ReadShortCutFile(path), details) << details.Target;
    }
    ASSERT_EQ(kHandMadeLink.size(), 181u);
    for (size_t length = 0; length + 4 < kHandMadeLink.size(); ++length) {
        const std::vector<uint8_t> cut(kHandMadeLink.begin(), kHandMadeLink.begin() + std::ptrdiff_t(length));
        ExpectThrowWithMessage<Exception>([&] { ReadShortCutFile(WriteBytes(folder, cut)); }, "Error opening Shortcut.");
    }
    std::vector<uint8_t> wrongClass = kHandMadeLink;
    wrongClass[19] = 0x47;
    ExpectThrowWithMessage<Exception>([&] { ReadShortCutFile(WriteBytes(folder, wrongClass)); },
                                      "Error opening Shortcut.");
    ExpectThrowWithMessage<Exception>([&] { ReadShortCutFile(folder.Path() / "missing.lnk"); },
                                      "Error opening Shortcut.");
    ExpectThrowWithMessage<Exception>([&] { WriteShortCutFile(folder.Path() / "no" / "such.lnk", cases[0]); },
                                      "Error creating Shortcut.");
}
