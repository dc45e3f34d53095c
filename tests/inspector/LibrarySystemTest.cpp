#include "inspector/rmLibrarySystem.h"

#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/KeyValueStoreFile.h"
#include "platform/ManualTimerService.h"

#include "ExpectMessage.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// A window that keeps its place and state in fields and records what it was told.
class FakeWindow : public platform::PlacedWindow {
public:
    std::string Name() const override { return "DlgOptions"; }
    platform::Rect BoundsRect() const override
    {
        return state == platform::WindowState::Minimized ? platform::Rect{-32000, -32000, -31840, -31970} : bounds;
    }
    void SetBoundsRect(const platform::Rect& newBounds) override
    {
        bounds = newBounds;
        ++boundsChanges;
    }
    platform::WindowState State() const override { return state; }
    void SetState(platform::WindowState newState) override { state = newState; }
    void LockUpdates(bool locked) override { this->locked = locked; }
    void ShowWarning(const std::string& text) override { warnings.push_back(text); }

    platform::Rect bounds{10, 20, 310, 220};
    platform::WindowState state = platform::WindowState::Normal;
    bool locked = false;
    int boundsChanges = 0;
    std::vector<std::string> warnings;
};

} // namespace

TEST(Registry, StringsWithDefaults)
{
    platform::KeyValueStore root;
    EXPECT_EQ(ReadRegString(root, "Software\\Valdrune", "Last", "none"), "none");
    WriteRegString(root, "Software\\Valdrune", "Last", "map.fw");
    EXPECT_EQ(ReadRegString(root, "software\\VALDRUNE\\", "last", "none"), "map.fw");
    EXPECT_TRUE(root.KeyExists("Software"));
    EXPECT_EQ(ReadRegString(root, "Software\\Valdrune", "Other", ""), "");
}

TEST(Registry, StoreFilesKeepValuesAndWindowPlacesForTheNextRun)
{
    platform::TemporaryFolder config;
    const std::filesystem::path file = config.Path() / "sub" / "current-user.store";
    FakeWindow window;
    {
        ManualTimerService timers;
        platform::KeyValueStoreFile first(file, {});
        WriteRegString(first.Store(), "Software\\Valdrune", "Last", "map.fw");
        SaveDialogPosition(window, "Software\\Valdrune", first.Store());
        EXPECT_FALSE(std::filesystem::exists(file)); // the changes are written together on the next tick
        timers.Advance(1);
        EXPECT_TRUE(std::filesystem::exists(file));
        WriteRegString(first.Store(), "Software\\Valdrune", "Last", "later.fw"); // written on the way out
    }
    platform::KeyValueStoreFile next(file, {});
    EXPECT_EQ(ReadRegString(next.Store(), "Software\\Valdrune", "Last", "none"), "later.fw");
    FakeWindow moved;
    moved.bounds = {};
    EXPECT_TRUE(LoadDialogPosition(moved, "Software\\Valdrune", next.Store()));
    EXPECT_EQ(moved.bounds, window.bounds);
}

TEST(WindowPlace, DialogPositionRoundTripsOnlyWhenComplete)
{
    platform::KeyValueStore root;
    FakeWindow saved;
    SaveDialogPosition(saved, "Software\\Valdrune", root);
    int32_t top = 0;
    EXPECT_TRUE(root.ReadInteger("Software\\Valdrune\\Dialog\\DlgOptions", "Top", top));
    EXPECT_EQ(top, 20);

    FakeWindow loaded;
    loaded.bounds = {};
    EXPECT_TRUE(LoadDialogPosition(loaded, "Software\\Valdrune", root));
    EXPECT_EQ(loaded.bounds, saved.bounds);
    EXPECT_EQ(loaded.boundsChanges, 1);

    platform::KeyValueStore partial;
    partial.WriteInteger("K\\Dialog\\DlgOptions", "Top", 5);
    FakeWindow untouched;
    EXPECT_FALSE(LoadDialogPosition(untouched, "K", partial));
    EXPECT_EQ(untouched.boundsChanges, 0);
}

TEST(WindowPlace, FormStateKeepsTheNormalPlaceOfAMinimisedWindow)
{
    platform::KeyValueStore root;
    FakeWindow minimised;
    minimised.state = platform::WindowState::Minimized;
    SaveFormState(minimised, "App", root);
    EXPECT_EQ(minimised.state, platform::WindowState::Minimized);
    EXPECT_FALSE(minimised.locked);

    FakeWindow loaded;
    loaded.bounds = {};
    LoadFormState(loaded, "App", false, true, root);
    EXPECT_EQ(loaded.bounds, (platform::Rect{10, 20, 310, 220}));
    EXPECT_EQ(loaded.state, platform::WindowState::Minimized);
    EXPECT_TRUE(loaded.warnings.empty());

    FakeWindow stateless;
    LoadFormState(stateless, "App", false, false, root);
    EXPECT_EQ(stateless.state, platform::WindowState::Normal);
}

TEST(WindowPlace, MaximisedStoresOnlyItsStateAndNewWindowsFollowTheFlag)
{
    platform::KeyValueStore root;
    FakeWindow maximised;
    maximised.state = platform::WindowState::Maximized;
    SaveFormState(maximised, "App", root);
    EXPECT_FALSE(root.ValueExists("App\\Form\\DlgOptions", "Left"));

    FakeWindow loaded;
    LoadFormState(loaded, "App", false, true, root);
    EXPECT_EQ(loaded.state, platform::WindowState::Maximized);
    EXPECT_EQ(loaded.bounds, (platform::Rect{10, 20, 310, 220}));

    FakeWindow fresh;
    LoadFormState(fresh, "Elsewhere", true, true, root);
    EXPECT_EQ(fresh.state, platform::WindowState::Maximized);
    LoadFormState(fresh, "Elsewhere", false, true, root);
    EXPECT_EQ(fresh.state, platform::WindowState::Normal);
}

TEST(WindowPlace, BadStoredStateIsAWarning)
{
    platform::KeyValueStore root;
    root.WriteInteger("App\\Form\\DlgOptions", "WinState", 7);
    FakeWindow window;
    LoadFormState(window, "App", false, true, root);
    ASSERT_EQ(window.warnings.size(), 1u);
    EXPECT_EQ(window.warnings[0], "Error occured while restoring window state.");
    EXPECT_EQ(window.state, platform::WindowState::Normal);
}

TEST(SystemQueries, FileTypesAndTemporaryFiles)
{
    EXPECT_EQ(GetFileType("notes.Txt"), "TXT File");
    EXPECT_EQ(GetFileType("/x/archive.tar.gz"), "GZ File");
    EXPECT_EQ(GetFileType("README"), "File");
    ExpectThrowWithMessage<Exception>([&] { GetFileType(""); }, "No file specified");

    const std::filesystem::path first = GetTempFile("rmt", true);
    const std::filesystem::path second = GetTempFile("rmt", true);
    EXPECT_NE(first, second);
    EXPECT_TRUE(std::filesystem::exists(first));
    EXPECT_EQ(first.parent_path(), GetTempDir());
    EXPECT_EQ(first.filename().string().rfind("rmt", 0), 0u);
    std::filesystem::remove(first);
    std::filesystem::remove(second);
}

TEST(SystemQueries, VolumeOfTheCurrentFolder)
{
    EXPECT_GT(GetMediaInfo(0, 4), 0);
    EXPECT_EQ(GetMediaInfo(0, 5), GetMediaInfo(0, 8) * GetMediaInfo(0, 4));
    EXPECT_LE(GetMediaInfo(0, 6), GetMediaInfo(0, 5));
    EXPECT_GE(GetMediaInfo(0, 9), 0);
    EXPECT_EQ(GetMediaInfo(0, 12), -1);
    EXPECT_EQ(GetMediaInfo(3, 4), -1); // no drive letters here
    EXPECT_EQ(WinOSVersion(), 7);
}
