#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/TempFolder.h"

namespace qvx {
namespace {

using test::TempFolder;

// The built program, started in the folder through the shell the way an
// editor or a batch job would.
class CheckProgramTest : public ::testing::Test {
  protected:
    int Start(const std::string& arguments) const {
        const std::string command = "cd '" + folder.folder() + "' && '" QUILLVOX_CHECK_PATH "' " +
                                    arguments + " >out.txt 2>err.txt";
        const int raw = std::system(command.c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }

    TempFolder folder;
};

TEST_F(CheckProgramTest, ReportsFindingsWithTheirStatus) {
    folder.Write("a.txt", "[:np]\r\n[:tone<440 500>]\r\n");
    folder.Write("b.txt", "[:np]\r\n");
    EXPECT_EQ(Start("a.txt b.txt"), 1);
    EXPECT_EQ(folder.Read("out.txt"),
              "a.txt:2: error: error! missing comma sign , for separation between parameters in "
              "tone command on line 2: [:tone<440 500>]\n");
    EXPECT_EQ(folder.Read("err.txt"), "");
    EXPECT_EQ(Start("b.txt"), 0);
    EXPECT_EQ(Start("b.txt missing.txt"), 2);
    EXPECT_EQ(folder.Read("err.txt"), "quillvox-check: missing.txt: no such file.\n");
    EXPECT_FALSE(folder.Exists("errors.log"));
}

TEST_F(CheckProgramTest, FixRewritesInPlace) {
    folder.Write("a.txt", "[:NP\r\nHello");
    EXPECT_EQ(Start("--fix a.txt"), 1);
    EXPECT_EQ(folder.Read("a.txt"), "[:np]\r\nhello\r\n");
    EXPECT_EQ(folder.Read("out.txt"), "a.txt: corrections made: 1\n");
    EXPECT_EQ(Start("--fix a.txt"), 0);
}

TEST_F(CheckProgramTest, HelpAndWrongUse) {
    EXPECT_EQ(Start("--help"), 0);
    EXPECT_TRUE(folder.Read("out.txt").starts_with("Usage: quillvox-check [--fix] FILE...\n"));
    EXPECT_EQ(Start(""), 2);
    EXPECT_EQ(folder.Read("out.txt"), "");
    EXPECT_NE(folder.Read("err.txt").find("--help"), std::string::npos);
}

}  // namespace
}  // namespace qvx
