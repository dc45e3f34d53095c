#include "platform/FileSystem.h"
#include "platform/ReplaceFiles.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using platform::TemporaryFolder;

// The target is replaced whole, with no temporary file left beside it; a link is
// written through and stays a link; a new file takes the umask, a replaced one
// keeps its mode; a read-only file is refused and left as it was, even for the superuser.
TEST(FileSystem, AtomicWriteFollowsLinksKeepsTheModeAndRefusesReadOnlyFiles)
{
    const mode_t umask = ::umask(077);
    struct Case {
        bool link;
        fs::perms mode;
        bool written;
    };
    for (const Case c : {Case{true, fs::perms(0644), true}, Case{false, fs::perms(0600), true},
                         Case{true, fs::perms(0600), true}, Case{false, fs::perms(0444), false}}) {
        SCOPED_TRACE(testing::Message() << "link " << c.link << " mode " << std::oct << int(c.mode));
        TemporaryFolder folder;
        const fs::path file = folder.Path() / "real" / "mission.fw", named = folder.Path() / "named.fw";
        fs::create_directory(file.parent_path());
        std::string error;
        ASSERT_TRUE(platform::WriteFileAtomically(file, std::vector<uint8_t>{1}, error)) << error;
        EXPECT_EQ(fs::status(file).permissions(), fs::perms(0600));
        fs::permissions(file, c.mode);
        if (c.link)
            fs::create_symlink("real/mission.fw", named);
        const std::vector<uint8_t> fresh{2, 3};
        EXPECT_EQ(platform::WriteFileAtomically(c.link ? named : file, fresh, error), c.written);
        std::vector<uint8_t> read;
        ASSERT_TRUE(platform::ReadFileBytes(file, read, error)) << error;
        EXPECT_EQ(read, c.written ? fresh : std::vector<uint8_t>{1});
        EXPECT_EQ(fs::status(file).permissions(), c.mode);
        EXPECT_EQ(fs::is_symlink(named), c.link);
        EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1);
        EXPECT_TRUE(c.written || error.find("mission.fw\": the file is read-only") != std::string::npos) << error;
    }
    // A pipe (like a device) is not replaced by a file; a missing folder and a missing name are said.
    TemporaryFolder folder;
    const fs::path pipe = folder.Path() / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
    std::string error;
    EXPECT_FALSE(platform::WriteFileAtomically(pipe, std::vector<uint8_t>{1}, error));
    EXPECT_TRUE(fs::is_fifo(pipe)) << error;
    EXPECT_FALSE(platform::WriteFileAtomically(folder.Path() / "missing" / "out.bin", std::vector<uint8_t>{1}, error));
    EXPECT_NE(error.find("missing/out.bin"), std::string::npos) << error;
    EXPECT_FALSE(platform::WriteFileAtomically(folder.Path() / "", std::vector<uint8_t>{1}, error));
    // The system follows 40 symbolic links in a row, and so does the writer; 41 are refused.
    for (int i = 1; i <= 41; ++i)
        fs::create_symlink(i == 1 ? "out.bin" : "l" + std::to_string(i - 1), folder.Path() / ("l" + std::to_string(i)));
    EXPECT_TRUE(platform::WriteFileAtomically(folder.Path() / "l40", std::vector<uint8_t>{1}, error)) << error;
    EXPECT_FALSE(platform::WriteFileAtomically(folder.Path() / "l41", std::vector<uint8_t>{1}, error));
    EXPECT_NE(error.find("l41\": it leads through more than 40"), std::string::npos) << error;
    ::umask(umask);
}

TEST(FileSystem, ReadRefusesMissingAndOversizedFiles)
{
    TemporaryFolder folder;
    std::string error;
    std::vector<uint8_t> bytes{42};
    EXPECT_FALSE(platform::ReadFileBytes(folder.Path() / "nothing", bytes, error));
    EXPECT_TRUE(bytes.empty() && error.find("nothing") != std::string::npos) << error;

    fs::path big = folder.Path() / "big";
    std::ofstream(big, std::ios::binary) << std::string(100, 'x');
    EXPECT_FALSE(platform::ReadFileBytes(big, bytes, error, 99));
    EXPECT_TRUE(platform::ReadFileBytes(big, bytes, error, 100) && bytes.size() == 100u);

    // Files under /proc report a length of 0: read to their end all the same, and capped.
    ASSERT_TRUE(platform::ReadFileBytes("/proc/self/status", bytes, error)) << error;
    EXPECT_NE(std::string(bytes.begin(), bytes.end()).find("\nPid:"), std::string::npos);
    EXPECT_FALSE(platform::ReadFileBytes("/proc/self/status", bytes, error, 10));

    // A pipe would wait for a writer and a device never end: only regular files are read.
    ASSERT_EQ(::mkfifo((folder.Path() / "pipe").c_str(), 0666), 0);
    fs::create_symlink("/dev/zero", folder.Path() / "zero.fw");
    for (const char* name : {"pipe", "zero.fw"}) {
        EXPECT_FALSE(platform::ReadFileBytes(folder.Path() / name, bytes, error));
        EXPECT_NE(error.find(std::string(name) + "\": it is not a regular file"), std::string::npos) << error;
    }
}

// A crashed program's folders go when the next one of their kind is made: those
// no process locks that are an hour old. A live one and a young one stay.
TEST(FileSystem, TemporaryFolderIsUniqueAndRemovedWithItsContentsAndAbandonedOnesGo)
{
    fs::path kept;
    {
        TemporaryFolder a, b;
        ASSERT_TRUE(a.Valid() && b.Valid() && a.Path() != b.Path());
        fs::create_directories(a.Path() / "sub");
        std::ofstream(a.Path() / "sub" / "f.txt") << "x";
        kept = a.Path();
    }
    EXPECT_FALSE(fs::exists(kept));

    TemporaryFolder parent, live(parent.Path(), "mission");
    const fs::path abandoned = parent.Path() / "mission-Ab12Cd", young = parent.Path() / "mission-young1";
    fs::create_directories(abandoned / "Scenarios");
    fs::create_directory(young);
    for (const fs::path& old : {abandoned, live.Path()})
        fs::last_write_time(old, fs::file_time_type::clock::now() - std::chrono::hours(2));
    TemporaryFolder next(parent.Path(), "mission");
    EXPECT_TRUE(!fs::exists(abandoned) && fs::exists(live.Path()) && fs::exists(young) && fs::exists(next.Path()));
}

// Makes this process's system call `call` fail with `error` where its argument `arg`
// equals `value` (or, with `anyBit`, shares a bit with it).
static void RefuseCalls(uint32_t call, uint32_t arg, uint32_t value, int error, bool anyBit = false)
{
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, call, 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, uint32_t(offsetof(seccomp_data, args)) + 8 * arg),
        BPF_JUMP(BPF_JMP | (anyBit ? BPF_JSET : BPF_JEQ) | BPF_K, value, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | uint32_t(error)),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    const sock_fprog program{std::size(filter), filter};
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 || ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0)
        ::_exit(99);
}

// Runs `write` in a child process that dies (as if killed) before step `step`;
// true when the write ended before reaching it.
static bool WriteDyingAt(int step, const std::function<void(const platform::WriteStepHook&)>& write)
{
    const pid_t child = ::fork();
    if (child == 0) {
        write([step](int at) { at == step ? ::_exit(0) : void(); });
        ::_exit(1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 1;
}

// True when a pair write over two files of 3 bytes, in a child process whose system
// refuses what `refuse` sets up, fails saying each of `parts`, and no message inside another.
static bool PairWriteSays(void (*refuse)(), std::initializer_list<const char*> parts)
{
    TemporaryFolder folder;
    const std::vector<uint8_t> fresh{2, 3};
    const platform::FileReplacement packages[] = {{folder.Path() / "m.pdb", fresh}, {folder.Path() / "m.pak", fresh}};
    std::string error;
    for (const auto& [file, bytes] : packages)
        platform::WriteFileAtomically(file, std::vector<uint8_t>{1, 1, 1}, error);
    return WriteDyingAt(-1, [&](const platform::WriteStepHook&) {
        refuse();
        bool said = !platform::ReplaceFilesTogether(packages, error) && error.find("\": Cannot") == std::string::npos;
        for (const char* part : parts)
            said = said && error.find(part) != std::string::npos;
        said ? void() : ::_exit(0);
    });
}

// A full disk is said as such, also where the old file has to be copied as hard links
// are refused; a folder that refuses new files is said to need writing.
TEST(FileSystem, WriteFailuresSayWhatTheSystemRefused)
{
    EXPECT_TRUE(PairWriteSays([] { RefuseCalls(__NR_write, 2, 2, ENOSPC); }, {"Cannot write \"", "m.pdb\": No space"}));
    const auto noLinksFullDisk = [] {
        RefuseCalls(__NR_linkat, 4, AT_SYMLINK_FOLLOW, EPERM, true);
        RefuseCalls(__NR_write, 2, 3, ENOSPC);
    };
    EXPECT_TRUE(PairWriteSays(noLinksFullDisk, {"Cannot keep a copy of \"", "m.pdb\": No space"}));
    EXPECT_TRUE(PairWriteSays([] { RefuseCalls(__NR_openat, 2, O_TMPFILE & ~O_DIRECTORY, EACCES, true); },
                              {"Permission denied. The folder \"", "\" must be writable"}));
}

// Killed at every step, a save or a pair of packages leaves each target wholly
// old or wholly new, and the next write into that folder leaves nothing else
// beside them, and the user's own files named like its temporaries. Until the
// renames begin, no unnamed temporary file has a name; named ones are held.
TEST(FileSystem, AWriterKilledAtAnyStepLeavesOldOrNewFilesAndTheNextWriteNothingElse)
{
    const char* const own[] = {".m.fw.backup", ".m.fw.before", ".m.fw.bak", ".m.pak.backup.old"};
    for (const bool unnamed : {true, false}) {
        bool done = false;
        for (int step = 0; !done; ++step) {
            SCOPED_TRACE(testing::Message() << "killed before step " << step << ", unnamed " << unnamed);
            TemporaryFolder folder;
            const fs::path pdb = folder.Path() / "m.pdb", pak = folder.Path() / "m.pak", fw = folder.Path() / "m.fw";
            const auto entries = [&] { return std::distance(fs::directory_iterator(folder.Path()), {}); };
            for (const char* name : own)
                std::ofstream(folder.Path() / name) << "mine";
            std::string error;
            for (const fs::path& file : {pdb, pak, fw})
                ASSERT_TRUE(platform::WriteFileAtomically(file, std::vector<uint8_t>{1}, error)) << error;
            const std::vector<uint8_t> fresh{2, 3};
            const platform::FileReplacement packages[] = {{pdb, fresh}, {pak, fresh}};
            done = WriteDyingAt(step, [&](const platform::WriteStepHook& hook) {
                if (!unnamed)
                    RefuseCalls(__NR_openat, 2, O_TMPFILE & ~O_DIRECTORY, EOPNOTSUPP, true);
                platform::ReplaceFilesTogether(packages, error, hook); // steps 0 to 6
                platform::WriteFileAtomically(fw, fresh, error, [&](int at) { hook(7 + at); });
            });
            // Each file is renamed into place at steps 2, 5 and 8.
            for (const auto& [file, renamed] : {std::pair{pdb, 2}, std::pair{pak, 5}, std::pair{fw, 8}}) {
                std::vector<uint8_t> read;
                EXPECT_TRUE(platform::ReadFileBytes(file, read, error)) << error;
                EXPECT_EQ(read, step > renamed ? fresh : std::vector<uint8_t>{1}) << file;
            }
            if ((unnamed && (step == 0 || step == 7)) || done) { // nothing is named, or all is in place
                EXPECT_EQ(entries(), 3 + std::ssize(own));
            }
            ASSERT_TRUE(platform::ReplaceFilesTogether(packages, error)) << error;
            ASSERT_TRUE(platform::WriteFileAtomically(fw, fresh, error)) << error;
            EXPECT_EQ(entries(), 3 + std::ssize(own));
        }
    }
}

// Two programs saving one file at once (two editors closing) where the file
// system has no unnamed temporary files: neither takes the other's staged file,
// every write succeeds and the file ends whole, as one of them wrote it.
TEST(FileSystem, TwoWritersOfOneFileBothSucceedWithoutUnnamedTemporaries)
{
    TemporaryFolder folder;
    const fs::path file = folder.Path() / "ini.xml";
    const auto bytes = [](int writer) { return std::vector<uint8_t>(65536, uint8_t('a' + writer)); };
    pid_t writers[2];
    for (int i = 0; i < 2; ++i) {
        if ((writers[i] = ::fork()) == 0) {
            RefuseCalls(__NR_openat, 2, O_TMPFILE & ~O_DIRECTORY, EOPNOTSUPP, true);
            int failed = 0;
            std::string error;
            for (int write = 0; write < 40; ++write)
                failed += !platform::WriteFileAtomically(file, bytes(i), error);
            ::_exit(failed);
        }
    }
    for (const pid_t writer : writers) {
        int status = 0;
        ::waitpid(writer, &status, 0);
        EXPECT_EQ(status, 0) << "writes failed: " << WEXITSTATUS(status);
    }
    std::vector<uint8_t> read;
    std::string error;
    EXPECT_TRUE(platform::ReadFileBytes(file, read, error) && (read == bytes(0) || read == bytes(1))) << error;
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}), 1);
}

TEST(FileSystem, ScratchFileIsWrittenWholeOrNotAtAll)
{
    platform::TemporaryFolder folder;
    std::string error;
    for (const std::vector<uint8_t>& bytes : {std::vector<uint8_t>{0, 1, 2, 0xFF}, std::vector<uint8_t>{7}}) {
        std::vector<uint8_t> read;
        ASSERT_TRUE(platform::WriteScratchFile(folder.Path() / "a.dat", bytes, error)) << error;
        ASSERT_TRUE(platform::ReadFileBytes(folder.Path() / "a.dat", read, error)) << error;
        EXPECT_EQ(read, bytes);
    }
    EXPECT_FALSE(platform::WriteScratchFile(folder.Path() / "none" / "b.dat", std::vector<uint8_t>{1}, error));
    EXPECT_NE(error.find("none/b.dat"), std::string::npos) << error;
}
