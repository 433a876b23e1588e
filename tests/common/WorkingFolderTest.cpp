#include "common/WorkingFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/TempFolder.h"

namespace qvx {
namespace {

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

TEST(WorkingFolderTest, FilesLeaveTheProgramFolderOnlyWhenItCannotBeWritten) {
    const test::TempFolder root;
    const std::string r = root.folder(), program = r + "/program";
    mkdir(program.c_str(), 0755);
    root.Write("file", "");
    mkdir(root.File("kept").c_str(), 0755);
    mkdir(root.File("kept/quillvox").c_str(), 0750);
    mkdir(root.File("taken").c_str(), 0755);
    root.Write("taken/quillvox", "");
    struct Row {
        const char* name;
        bool programWritable;
        std::string xdgDataHome, home, working;
        std::string error = "";  // the end of the message when no folder can be had
        mode_t mode = 0700;
    };
    const std::string cannot = "cannot be written to, and ";
    const Row rows[] = {
        {"writable program folder", true, r + "/xdg", r + "/home", program, "", 0755},
        {"read-only, XDG_DATA_HOME set", false, r + "/xdg/", r + "/home", r + "/xdg/quillvox"},
        {"read-only, XDG_DATA_HOME unset", false, "", r + "/home",
         r + "/home/.local/share/quillvox"},
        {"read-only, relative XDG_DATA_HOME", false, "xdg", r + "/h2",
         r + "/h2/.local/share/quillvox"},
        {"read-only, folder there already", false, r + "/kept", "", r + "/kept/quillvox", "", 0750},
        {"read-only, no home", false, "", "relative", program,
         cannot + "neither XDG_DATA_HOME nor HOME names a folder for them."},
        {"read-only, data home is a file", false, r + "/file", "", program,
         cannot + "the folder " + r + "/file/quillvox cannot be made: Not a directory."},
        {"read-only, data folder is a file", false, r + "/taken", "", program,
         cannot + r + "/taken/quillvox is not a folder."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const PathsChoice choice = ChooseProgramPaths(program + "/", {row.xdgDataHome, row.home},
                                                      [&](const std::string& f) {
                                                          EXPECT_EQ(f, program);
                                                          return row.programWritable;
                                                      });
        EXPECT_EQ(choice.paths.program, program);
        EXPECT_EQ(choice.paths.folder, row.working);
        EXPECT_EQ(choice.paths.script, row.working + "/demo.txt");
        EXPECT_EQ(choice.paths.settings, row.working + "/settings.ini");
        EXPECT_EQ(choice.paths.errorLog, row.working + "/errors.log");
        EXPECT_EQ(choice.error.empty(), row.error.empty()) << choice.error;
        EXPECT_TRUE(choice.error.ends_with(row.error)) << choice.error;
        if (row.error.empty()) {
            EXPECT_EQ(ModeOf(row.working), row.mode);
        }
        // A writable program folder makes nothing elsewhere.
        EXPECT_FALSE(row.programWritable && std::filesystem::exists(row.xdgDataHome));
    }
}

TEST(WorkingFolderTest, TheWritableProbeAsksTheSystem) {
    const test::TempFolder root;
    EXPECT_TRUE(CanWriteFolder(root.folder()));
    EXPECT_FALSE(CanWriteFolder(root.File("missing")));
    // Not writable even for root, as the tests run in CI.
    EXPECT_FALSE(CanWriteFolder("/proc/1"));
    EXPECT_EQ(ChooseProgramPaths("/proc/1", {root.folder(), ""}).paths.folder,
              root.File("quillvox"));
}

}  // namespace
}  // namespace qvx
