#include "world/PackDirectory.h"

#include "TestFiles.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

Bytes NameBytes(const std::array<uint8_t, kEntryNameSize>& name)
{
    return Bytes(name.begin(), name.end());
}

Bytes Padded(const std::string& text)
{
    return test::Padded(text, kEntryNameSize);
}

Bytes ExtensionBytes(uint32_t extension)
{
    return Bytes{uint8_t(extension), uint8_t(extension >> 8), uint8_t(extension >> 16), uint8_t(extension >> 24)};
}

TEST(PackDirectoryNames, NameDropsTheLastExtensionExtensionFollowsTheFirstDot)
{
    struct Case {
        const char* file;
        std::string name; // lower-cased, cut to 16 bytes without a NUL
        Bytes extension;  // the four bytes after the first dot, else the name's first four
    };
    const Case cases[] = {
        {"Preview.img", "preview", {0x69, 0x6D, 0x67, 0x00}},
        {"a.b.c", "a.b", {0x62, 0x2E, 0x63, 0x00}},
        {"Scenarios", "scenarios", {'s', 'c', 'e', 'n'}},
        {"ABCDEFGHIJKLMNOPQRST.dat", "abcdefghijklmnop", {'d', 'a', 't', 0}},
        {"x.JPEG2", "x", {'j', 'p', 'e', 'g'}},
        {"x.h", "x", {'h', 0, 0, 0}},
        {"ab", "ab", {'a', 'b', 0, 0}},
        {"\xC4RGER.\xDCL", "\xE4rger", {0xFC, 'l', 0, 0}}, // Windows-1252 capitals are lowered too
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NameBytes(EntryName(c.file)), Padded(c.name)) << c.file;
        EXPECT_EQ(ExtensionBytes(EntryExtension(c.file)), c.extension) << c.file;
    }
}

// Builds the directory of `folder` with every stored file placed at its running
// position, as the flat package does, and keeps the report.
struct Built {
    bool ok = false;
    PackageDirectory directory;
    std::string report;
    std::string error;
};

Built Build(const fs::path& folder, bool scramble = false)
{
    std::ostringstream out;
    PackConsole console(out);
    Built built;
    uint32_t position = 0;
    built.ok = BuildPackageDirectory(
        scramble, folder, "out.pak", console,
        [&](PackageEntry& entry, const StoredFile& file) {
            entry.offset = position;
            entry.pieces = 1;
            position += file.size;
            console.Print("added\n");
            return true;
        },
        built.directory);
    built.report = out.str();
    built.error = console.Error();
    return built;
}

std::string Name(const PackageEntry& entry)
{
    return std::string(reinterpret_cast<const char*>(entry.name.data()),
                       strnlen(reinterpret_cast<const char*>(entry.name.data()), kEntryNameSize));
}

TEST(PackDirectoryWalk, FoldersFirstThenFilesInPreOrder)
{
    platform::TemporaryFolder tree;
    test::WriteFile(tree.Path() / "a" / "x.img", Bytes(3, 1));
    test::WriteFile(tree.Path() / "a" / "b" / "y.dat", Bytes(5, 2));
    test::WriteFile(tree.Path() / "z.txt", Bytes(7, 3));
    Built built = Build(tree.Path());
    ASSERT_TRUE(built.ok) << built.error;
    const std::vector<PackageEntry>& e = built.directory.entries;
    ASSERT_EQ(e.size(), 5u);
    struct Expected {
        std::string name;
        int depth;
        uint32_t children, subtree, size;
    };
    const Expected expected[] = {
        {"a", 1, 2, 4, 0}, {"b", 2, 1, 2, 0}, {"y", 3, 0, 0, 5}, {"x", 2, 0, 0, 3}, {"z", 1, 0, 0, 7},
    };
    for (size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(Name(e[i]), expected[i].name);
        EXPECT_EQ(e[i].depth, expected[i].depth);
        if (e[i].folder) {
            EXPECT_EQ(e[i].extension, kFolderExtension);
            EXPECT_EQ(e[i].Children(), expected[i].children);
            EXPECT_EQ(e[i].Subtree(), expected[i].subtree);
            EXPECT_EQ(e[i].offset, 0u);
            EXPECT_EQ(e[i].pieces, 0);
        } else {
            EXPECT_EQ(e[i].size, expected[i].size);
        }
    }
    // Files are stored in entry order: y, x, z.
    ASSERT_EQ(built.directory.files.size(), 3u);
    EXPECT_EQ(built.directory.files[0].entry, 2u);
    EXPECT_EQ(built.directory.files[1].entry, 3u);
    EXPECT_EQ(built.directory.files[2].entry, 4u);
    EXPECT_EQ(e[3].offset, 5u);
    EXPECT_EQ(e[4].offset, 8u);

    const std::string root = tree.Path().string();
    EXPECT_EQ(built.report, "Packing directory " + root + " to file out.pak\n\n" +
                                "Getting directory structure...ok\n\n"
                                "Analyzing files and directories...\n" +
                                root + "/a/\n" + root + "/a/b/\n" + root + "/a/b/y.dat - added\n" + root +
                                "/a/x.img - added\n" + root + "/z.txt - added\n");
}

TEST(PackDirectoryWalk, NamesAreSortedUpperCasedWhateverTheListingOrder)
{
    platform::TemporaryFolder tree;
    for (const char* name : {"b.txt", "A.txt", "_u.txt", "c.txt", "B1.txt"})
        test::WriteFile(tree.Path() / name, Bytes{1});
    fs::create_directories(tree.Path() / "Z");
    fs::create_directories(tree.Path() / "y");
    Built built = Build(tree.Path());
    ASSERT_TRUE(built.ok) << built.error;
    std::vector<std::string> names;
    for (const PackageEntry& entry : built.directory.entries)
        names.push_back(Name(entry));
    // Upper-cased, "_" (0x5F) sorts after the letters; "B.TXT" before "B1.TXT" as "." < "1".
    EXPECT_EQ(names, (std::vector<std::string>{"y", "z", "a", "b", "b1", "c", "_u"}));
}

TEST(PackDirectoryWalk, EmptyFoldersAndFiles)
{
    platform::TemporaryFolder tree;
    fs::create_directories(tree.Path() / "empty");
    test::WriteFile(tree.Path() / "none.dat", {});
    Built built = Build(tree.Path());
    ASSERT_TRUE(built.ok) << built.error;
    ASSERT_EQ(built.directory.entries.size(), 2u);
    EXPECT_EQ(built.directory.entries[0].size, 0x00010000u); // no children, a subtree of one
    EXPECT_NE(built.report.find("none.dat -  NULL SIZEadded\n"), std::string::npos) << built.report;
    EXPECT_EQ(built.directory.files.size(), 1u); // the empty file is still stored
}

// The game finds an entry by its stored name and extension within its folder.
// Scrambling turns a last byte equal to its key byte into NUL: "7" at byte 10
// meets key byte 2, so domblock107 is stored as domblock10 is.
TEST(PackDirectoryWalk, NamesTheGameCannotTellApartAreRefused)
{
    struct Case {
        std::vector<std::string> files;
        bool scramble;
        std::vector<std::string> named; // in the error; none when the tree is packed
    };
    const Case cases[] = {
        {{"domblock10.img", "domblock107.img"}, true, {"domblock10.img and ", "domblock107.img: "}},
        {{"domblock10.img", "domblock107.img"}, false, {}},
        {{"Map.dat", "map.dat"}, false, {"Map.dat and ", "map.dat: "}},
        {{"map.dat", "map.txt", "a/map.dat"}, true, {}},
        {{"\xD0\x9A.txt"}, true, {"\xD0\x9A.txt", "Windows-1252"}}, // a Cyrillic letter
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.files.back());
        platform::TemporaryFolder tree;
        for (const std::string& file : c.files)
            test::WriteFile(tree.Path() / file, test::Bytes(file));
        const Built built = Build(tree.Path(), c.scramble);
        EXPECT_EQ(built.ok, c.named.empty()) << built.error;
        for (const std::string& part : c.named)
            EXPECT_NE(built.error.find(part), std::string::npos) << built.error;
    }
}

TEST(PackDirectoryDuplicates, IdenticalFilesAreStoredOnce)
{
    platform::TemporaryFolder tree;
    test::WriteFile(tree.Path() / "a.img", Bytes{1, 2, 3, 4});
    test::WriteFile(tree.Path() / "b.img", Bytes{1, 2, 3, 4});
    test::WriteFile(tree.Path() / "c.img", Bytes{1, 2, 3, 5});  // same size, other bytes
    test::WriteFile(tree.Path() / "d.img", Bytes{1, 2, 3, 4});  // a third copy
    Built built = Build(tree.Path());
    ASSERT_TRUE(built.ok);
    const std::vector<PackageEntry>& e = built.directory.entries;
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(e[0].offset, 0u);
    EXPECT_EQ(e[1].offset, 0u);
    EXPECT_EQ(e[2].offset, 4u);
    EXPECT_EQ(e[3].offset, 0u);
    EXPECT_EQ(e[3].pieces, 1);
    ASSERT_EQ(built.directory.files.size(), 2u);
    EXPECT_EQ(built.directory.files[0].path.filename(), "a.img");
    EXPECT_EQ(built.directory.files[1].path.filename(), "c.img");
    EXPECT_NE(built.report.find("b.img - merged\n"), std::string::npos);
    EXPECT_NE(built.report.find("d.img - merged\n"), std::string::npos);
}

TEST(PackDirectoryDuplicates, UnreadableFilesCountAsDifferent)
{
    platform::TemporaryFolder tree;
    const fs::path present = tree.Path() / "present.dat";
    test::WriteFile(present, Bytes{9, 9});
    std::vector<PackageEntry> entries(2);
    entries[0].size = 2;
    entries[1].size = 2;
    const std::vector<StoredFile> files = {{0, tree.Path() / "gone.dat", 2}, {1, present, 2}};
    EXPECT_EQ(FindDuplicateFile(present, {files[0]}, entries, 2), -1);
    EXPECT_EQ(FindDuplicateFile(tree.Path() / "gone.dat", {files[1]}, entries, 2), -1);
    EXPECT_EQ(FindDuplicateFile(present, files, entries, 2), 1);
}

TEST(PackDirectoryScrambling, NamesAndExtensionsAreXoredWithTheKey)
{
    std::vector<PackageEntry> entries(3);
    entries[0].name = EntryName("Preview.img");
    entries[0].extension = EntryExtension("Preview.img");
    entries[1].name = EntryName("Scenarios");
    entries[1].extension = kFolderExtension;
    entries[1].folder = true;
    entries[2].name = EntryName("aw.dat");  // 'w' equals key byte 1: it scrambles to NUL
    entries[2].extension = EntryExtension("aw.dat");
    ScrambleDirectory(entries);

    EXPECT_EQ(NameBytes(entries[0].name), Padded("\x21\x05\x52\x24\x1D\x57\x2D"));
    EXPECT_EQ(ExtensionBytes(entries[0].extension), (Bytes{0x7E, 0xF3, 0x5B, 0x5A}));
    // "scenarios": s^51 c^77 e^37 n^52 a^74 r^32 i^5A o^70 s^51
    EXPECT_EQ(NameBytes(entries[1].name), Padded("\x22\x14\x52\x3C\x15\x40\x33\x1F\x22"));
    EXPECT_EQ(ExtensionBytes(entries[1].extension), (Bytes{0x39, 0xB0, 0x12, 0x5A}));
    EXPECT_EQ(NameBytes(entries[2].name), Padded(std::string("\x30\x00", 2)));
}

TEST(PackDirectoryEntries, StoredFormIsThirtyLittleEndianBytes)
{
    PackageEntry file;
    file.name = EntryName("map.dat");
    file.extension = EntryExtension("map.dat");
    file.offset = 0x01020304;
    file.size = 0x0A0B0C0D;
    file.depth = 3;
    file.pieces = 2;
    PackageEntry folder;
    folder.name = EntryName("Mission001");
    folder.extension = kFolderExtension;
    folder.size = 5 | 9 << 16;
    folder.depth = 2;
    Bytes out = {0xAA};
    AppendEntries({file, folder}, out);
    Bytes expected = {0xAA};
    for (Bytes part : {Padded("map"), Bytes{'d', 'a', 't', 0, 4, 3, 2, 1, 0x0D, 0x0C, 0x0B, 0x0A, 3, 2},
                       Padded("mission001"), Bytes{0x2E, 0x2E, 0x2E, 0, 0, 0, 0, 0, 5, 0, 9, 0, 2, 0}})
        expected.insert(expected.end(), part.begin(), part.end());
    EXPECT_EQ(out, expected);
}

} // namespace
