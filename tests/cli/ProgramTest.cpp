#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/TempFolder.h"

namespace qvx {
namespace {

// The built program, started through the shell the way an editor or a batch
// job would: its exit status and its two streams.
TEST(CheckProgramTest, ExitStatusAndStreams) {
    test::TempFolder folder;
    const auto start = [&](const std::string& arguments, const std::string& out = "out.txt",
                           const std::string& limit = "unlimited") {
        const std::string command = "cd '" + folder.folder() + "' && ulimit -f " + limit + " && '" +
                                    QUILLVOX_CHECK_PATH "' " + arguments + " >" + out +
                                    " 2>err.txt";
        const int raw = std::system(command.c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    };
    folder.Write("a.txt", "[:np]\r\n[:bogus]\r\n");
    EXPECT_EQ(start("a.txt"), 1);
    EXPECT_EQ(folder.Read("out.txt"),
              "a.txt:2: error: error! invalid command: [:bogus] on line 2\n");
    // Findings that cannot be printed are no clean result.
    EXPECT_EQ(start("--help", "/dev/full"), 2);
    EXPECT_EQ(start("a.txt", "/dev/full"), 2);
    EXPECT_EQ(folder.Read("err.txt"), "quillvox-check: the output could not be written.\n");
    folder.Write("a.txt", "[:NP\r\nHello");
    EXPECT_EQ(start("--fix a.txt"), 1);
    EXPECT_EQ(start("--fix a.txt"), 0);
    // Past the file-size limit the fix fails with a message and leaves nothing behind.
    folder.Write("b.txt", std::string(5000, 'A'));
    EXPECT_EQ(start("--fix b.txt", "out.txt", "4"), 2);
    EXPECT_NE(folder.Read("err.txt").find("b.txt: File too large."), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.folder()), {}), 4);
}

}  // namespace
}  // namespace qvx
