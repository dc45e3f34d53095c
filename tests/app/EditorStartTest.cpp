// Runs the built editor under the offscreen platform, in a working folder laid
// out as the program expects (fw.xml and res/ beside it), and checks that it
// starts, shows its window and quits cleanly. A message box at start-up would
// wait for an answer that never comes: the time limit turns that into a failure.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

#include "platform/FileSystem.h"

TEST(EditorStart, StartsAndQuitsCleanly)
{
    platform::TemporaryFolder work;
    ASSERT_TRUE(work.Valid()) << work.Error();
    const std::filesystem::path data = VALDRUNE_DATA_DIR;
    std::filesystem::copy(data / "fw.xml", work.Path() / "fw.xml");
    std::filesystem::copy(data / "res", work.Path() / "res", std::filesystem::copy_options::recursive);

    // The editor's settings stores go to the working folder, never to the user's own.
    const std::string command = "cd \"" + work.Path().string() + "\" && XDG_CONFIG_HOME=\"" +
                                (work.Path() / "config").string() + "\" QT_QPA_PLATFORM=offscreen timeout 120 \"" +
                                VALDRUNE_EDITOR + "\" --quit-when-idle 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    int status = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status)) << output;
    EXPECT_EQ(WEXITSTATUS(status), 0) << output;
}
