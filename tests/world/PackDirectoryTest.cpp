#include "world/PackDirectory.h"

#include "HexFixture.h"
#include "TestFiles.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;
using Strings = std::vector<std::string>;

TEST(PackDirectoryNames, NameDropsTheLastExtensionExtensionFollowsTheFirstDot)
{
    struct Case {
        const char* file;
        std::string name; // lower-cased, cut to 16 bytes without a NUL
        uint32_t extension; // the four bytes after the first dot, else the name's first four
    };
    const Case cases[] = {
        {"Preview.img", "preview", 0x00676D69},
        {"a.b.c", "a.b", 0x00632E62},
        {"Scenarios", "scenarios", 0x6E656373},
        {"ABCDEFGHIJKLMNOPQRST.dat", "abcdefghijklmnop", 0x00746164},
        {"x.JPEG2", "x", 0x6765706A},
        {"x.h", "x", 0x68},
        {"ab", "ab", 0x6261},
        {"\xC4RGER.\xDCL", "\xE4rger", 0x6CFC}, // Windows-1252 capitals are lowered too
    };
    for (const Case& c : cases) {
        const auto name = EntryName(c.file);
        EXPECT_EQ(Bytes(name.begin(), name.end()), test::Padded(c.name, kEntryNameSize)) << c.file;
        EXPECT_EQ(EntryExtension(c.file), c.extension) << c.file;
    }
}

// The directory of `folder` with every stored file placed at its running
// position, as the flat package does, and the packer's report.
struct Built {
    test::PackResult result;
    PackageDirectory directory;
};

Built Build(const fs::path& folder, bool scramble = false)
{
    Built built;
    uint32_t position = 0;
    built.result = test::RunPacker([&](PackConsole& console) {
        const auto place = [&](PackageEntry& entry, const StoredFile& file) {
            entry.offset = position;
            entry.pieces = 1;
            position += file.size;
            console.Print("added\n");
            return true;
        };
        return BuildPackageDirectory(scramble, folder, "out.pak", console, place, built.directory);
    });
    return built;
}

std::string Name(const PackageEntry& entry)
{
    const char* name = reinterpret_cast<const char*>(entry.name.data());
    return std::string(name, strnlen(name, kEntryNameSize));
}

// Each entry as "name depth", then a folder's "children/subtree" or a file's
// "@offset size", then its pieces.
Strings Describe(const PackageDirectory& directory)
{
    Strings lines;
    for (const PackageEntry& e : directory.entries) {
        std::ostringstream line;
        line << Name(e) << ' ' << int(e.depth);
        if (e.folder)
            line << (e.extension == kFolderExtension ? " folder " : " ext? ") << e.Children() << '/' << e.Subtree();
        line << " @" << e.offset << ' ' << (e.folder ? 0 : e.size) << " x" << int(e.pieces);
        lines.push_back(line.str());
    }
    for (const StoredFile& file : directory.files)
        lines.push_back("stored " + std::to_string(file.entry) + " " + file.path.filename().string());
    return lines;
}

TEST(PackDirectoryWalk, FoldersFirstThenFilesInPreOrder)
{
    platform::TemporaryFolder tree;
    test::WriteFile(tree.Path() / "a" / "x.img", Bytes(3, 1));
    test::WriteFile(tree.Path() / "a" / "b" / "y.dat", Bytes(5, 2));
    test::WriteFile(tree.Path() / "_z.txt", Bytes(7, 3));
    fs::create_directories(tree.Path() / "empty");
    test::WriteFile(tree.Path() / "none.dat", {});
    const Built built = Build(tree.Path());
    ASSERT_TRUE(built.result.ok) << built.result.error;
    // Names sorted upper-cased ("_" after the letters); files stored in entry
    // order; an empty file is still stored.
    EXPECT_EQ(Describe(built.directory),
              (Strings{"a 1 folder 2/4 @0 0 x0", "b 2 folder 1/2 @0 0 x0", "y 3 @0 5 x1", "x 2 @5 3 x1",
                       "empty 1 folder 0/1 @0 0 x0", "none 1 @8 0 x1", "_z 1 @8 7 x1", "stored 2 y.dat",
                       "stored 3 x.img", "stored 5 none.dat", "stored 6 _z.txt"}));
    const std::string root = tree.Path().string();
    EXPECT_EQ(built.result.report, "Packing directory " + root + " to file out.pak\n\n" +
                                       "Getting directory structure...ok\n\n"
                                       "Analyzing files and directories...\n" +
                                       root + "/a/\n" + root + "/a/b/\n" + root + "/a/b/y.dat - added\n" + root +
                                       "/a/x.img - added\n" + root + "/empty/\n" + root +
                                       "/none.dat -  NULL SIZEadded\n" + root + "/_z.txt - added\n");
}

// The game finds an entry by its stored name and extension within its folder.
// Scrambling turns a last byte equal to its key byte into NUL: "7" at byte 10
// meets key byte 2, so domblock107 is stored as domblock10 is.
TEST(PackDirectoryWalk, NamesTheGameCannotTellApartAreRefused)
{
    struct Case {
        Strings files;
        bool scramble;
        Strings named; // in the error; none when the tree is packed
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
        EXPECT_EQ(built.result.ok, c.named.empty()) << built.result.error;
        for (const std::string& part : c.named)
            EXPECT_NE(built.result.error.find(part), std::string::npos) << built.result.error;
    }
}

TEST(PackDirectoryEntries, StoredScrambledAsThirtyLittleEndianBytes)
{
    std::vector<PackageEntry> entries(3);
    for (const auto& [entry, file] : {std::pair{&entries[0], "Preview.img"}, {&entries[1], "Scenarios"},
                                      {&entries[2], "aw.dat"}}) {
        entry->name = EntryName(file);
        entry->extension = EntryExtension(file);
    }
    entries[0].offset = 0x01020304;
    entries[0].size = 0x0A0B0C0D;
    entries[0].depth = 3;
    entries[0].pieces = 2;
    entries[1].extension = kFolderExtension;
    entries[1].folder = true;
    entries[1].size = 5 | 9 << 16;
    entries[1].depth = 2;
    ScrambleDirectory(entries);
    Bytes out = {0xAA};
    AppendEntries(entries, out);
    EXPECT_EQ(out, test::HexFixture("package-entries.hex"));
}

} // namespace
