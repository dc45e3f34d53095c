#include "inspector/rmLibrarySystem.h"

#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/KeyValueStoreFile.h"
#include "platform/ManualTimerService.h"
#include "platform/Registry.h"

#include "ExpectMessage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

TEST(Registry, StoreFilesKeepValuesAndWindowPlacesForTheNextRun)
{
    platform::TemporaryFolder config;
    const std::filesystem::path file = config.Path() / "sub" / "current-user.store";
    FakeWindow window;
    {
        ManualTimerService timers;
        platform::KeyValueStoreFile first(file, {});
        EXPECT_EQ(ReadRegString(first.Store(), "Software\\Valdrune", "Last", "none"), "none");
        WriteRegString(first.Store(), "Software\\Valdrune", "Last", "map.fw");
        EXPECT_EQ(ReadRegString(first.Store(), "software\\VALDRUNE\\", "last", "none"), "map.fw");
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
    EXPECT_EQ(moved.boundsChanges, 1);
    platform::KeyValueStore partial; // a place without all four values is not used
    partial.WriteInteger("K\\Dialog\\DlgOptions", "Top", 5);
    EXPECT_FALSE(LoadDialogPosition(window, "K", partial));
    EXPECT_EQ(window.boundsChanges, 0);
}

TEST(Registry, AnUnreadableStoreFileIsSetAsideAndAFreshOneWritten)
{
    platform::TemporaryFolder config;
    const std::filesystem::path file = config.Path() / "current-user.store";
    std::ofstream(file) << "not a store\n";
    std::vector<std::string> reports;
    const auto report = [&](const std::string& message) { reports.push_back(message); };
    platform::Registry registry(config.Path(), report);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("could not be read: line 1: this is not a store file"), std::string::npos) << reports[0];
    EXPECT_NE(reports[0].find("set aside as"), std::string::npos) << reports[0];
    EXPECT_TRUE(std::filesystem::exists(file.string() + ".bad"));
    registry.Root(platform::RegistryRootKey::CurrentUser).WriteString("Soft", "v", "new");
    platform::KeyValueStoreFile reread(file, report);
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_TRUE(reread.Store().ValueExists("soft", "v"));
}

TEST(WindowPlace, FormStateKeepsTheNormalPlaceMaximisedOnlyItsStateAndBadStatesWarn)
{
    platform::KeyValueStore root;
    FakeWindow minimised, maximised, loaded, loadedMax, fresh, stateless;
    minimised.state = platform::WindowState::Minimized;
    SaveFormState(minimised, "App", root);
    EXPECT_EQ(minimised.state, platform::WindowState::Minimized);
    EXPECT_FALSE(minimised.locked);
    loaded.bounds = {};
    LoadFormState(loaded, "App", false, true, root);
    EXPECT_EQ(loaded.bounds, (platform::Rect{10, 20, 310, 220}));
    EXPECT_EQ(loaded.state, platform::WindowState::Minimized);
    EXPECT_TRUE(loaded.warnings.empty());
    LoadFormState(stateless, "App", false, false, root);
    EXPECT_EQ(stateless.state, platform::WindowState::Normal);
    maximised.state = platform::WindowState::Maximized;
    maximised.bounds = {1, 2, 3, 4};
    SaveFormState(maximised, "Max", root);
    EXPECT_FALSE(root.ValueExists("Max\\Form\\DlgOptions", "Left"));
    LoadFormState(loadedMax, "Max", false, true, root);
    EXPECT_EQ(loadedMax.state, platform::WindowState::Maximized);
    EXPECT_EQ(loadedMax.bounds, (platform::Rect{10, 20, 310, 220}));
    LoadFormState(fresh, "Elsewhere", true, true, root); // new windows follow the flag
    EXPECT_EQ(fresh.state, platform::WindowState::Maximized);
    LoadFormState(fresh, "Elsewhere", false, true, root);
    EXPECT_EQ(fresh.state, platform::WindowState::Normal);
    root.WriteInteger("App\\Form\\DlgOptions", "WinState", 7);
    LoadFormState(fresh, "App", false, true, root);
    EXPECT_EQ(fresh.warnings, std::vector<std::string>{"Error occured while restoring window state."});
    EXPECT_EQ(fresh.state, platform::WindowState::Normal);
}

TEST(SystemQueries, FileTypesTemporaryFilesAndTheVolumeOfTheCurrentFolder)
{
    EXPECT_EQ(GetFileType("notes.Txt"), "TXT File");
    EXPECT_EQ(GetFileType("/x/archive.tar.gz"), "GZ File");
    EXPECT_EQ(GetFileType("README"), "File");
    ExpectThrowWithMessage<Exception>([&] { GetFileType(""); }, "No file specified");
    const std::filesystem::path first = GetTempFile("rmt", true), second = GetTempFile("rmt", true);
    EXPECT_NE(first, second);
    EXPECT_TRUE(std::filesystem::exists(first));
    EXPECT_EQ(first.parent_path(), GetTempDir());
    EXPECT_EQ(first.filename().string().rfind("rmt", 0), 0u);
    std::filesystem::remove(first);
    std::filesystem::remove(second);
    EXPECT_GT(GetMediaInfo(0, 4), 0);
    EXPECT_EQ(GetMediaInfo(0, 5), GetMediaInfo(0, 8) * GetMediaInfo(0, 4));
    EXPECT_LE(GetMediaInfo(0, 6), GetMediaInfo(0, 5));
    EXPECT_GE(GetMediaInfo(0, 9), 0);
    EXPECT_EQ(GetMediaInfo(0, 12), -1);
    EXPECT_EQ(GetMediaInfo(3, 4), -1); // no drive letters here
    EXPECT_EQ(WinOSVersion(), 7);
}
