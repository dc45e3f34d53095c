// Runs the built editor under the offscreen platform and checks that it starts,
// shows its window and quits cleanly.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>

TEST(EditorStart, StartsAndQuitsCleanly)
{
    std::string command = std::string("QT_QPA_PLATFORM=offscreen \"") + VALDRUNE_EDITOR + "\" --quit-when-idle 2>&1";
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
