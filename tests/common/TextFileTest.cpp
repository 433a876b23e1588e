#include "common/TextFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "common/AsciiCase.h"
#include "common/FileExists.h"
#include "support/TempFolder.h"

namespace qvx {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

TEST(SplitLines, LineEnds) {
    EXPECT_EQ(SplitLines(""), Lines{});
    EXPECT_EQ(SplitLines("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLines("a\r\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLines("a\rb"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLines("a\nb\r\n"), (Lines{"a\nb"}));
    EXPECT_EQ(SplitLines("\r\n\r\n"), (Lines{"", ""}));
    EXPECT_EQ(SplitLines("x\r\r\ny"), (Lines{"x", "", "y"}));
}

TEST(ReadLines, MissingFileIsNoContent) {
    test::TempFolder folder;
    EXPECT_FALSE(ReadLines(folder.File("none.txt")).has_value());
    folder.Write("empty.txt", "");
    EXPECT_EQ(ReadLines(folder.File("empty.txt")).value(), Lines{});
}

TEST(AppendToFile, CreatesAndJoinsAnUnfinishedLine) {
    test::TempFolder folder;
    const auto path = folder.File("a.txt");
    ASSERT_TRUE(AppendToFile(path, "one\r\n"));
    folder.Write("b.txt", "last");
    ASSERT_TRUE(AppendToFile(folder.File("b.txt"), "[:np]\r\n"));
    EXPECT_EQ(folder.Read("a.txt"), "one\r\n");
    EXPECT_EQ(folder.Read("b.txt"), "last[:np]\r\n");
}

TEST(AppendToFile, RefusesAReadOnlyFileAndSaysWhy) {
    test::TempFolder folder;
    folder.Write("ro.txt", "keep\r\n");
    fs::permissions(folder.File("ro.txt"), fs::perms::owner_read);
    const FileResult result = AppendToFile(folder.File("ro.txt"), "more");
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find(folder.File("ro.txt")), std::string::npos);
    EXPECT_NE(result.error.find("read-only"), std::string::npos);
    EXPECT_EQ(folder.Read("ro.txt"), "keep\r\n");
}

TEST(RewriteFile, ReplacesContentAndKeepsPermissions) {
    test::TempFolder folder;
    folder.Write("s.ini", "old\r\n");
    fs::permissions(folder.File("s.ini"),
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(RewriteFile(folder.File("s.ini"), "new\r\n"));
    EXPECT_EQ(folder.Read("s.ini"), "new\r\n");
    EXPECT_EQ(fs::status(folder.File("s.ini")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.folder()), fs::directory_iterator()), 1)
        << "no temporary file is left behind";
}

TEST(RewriteFile, WritesThroughASymbolicLink) {
    test::TempFolder folder;
    folder.Write("real.ini", "old");
    fs::create_symlink(folder.File("real.ini"), folder.File("link.ini"));
    ASSERT_TRUE(RewriteFile(folder.File("link.ini"), "new"));
    EXPECT_TRUE(fs::is_symlink(folder.File("link.ini")));
    EXPECT_EQ(folder.Read("real.ini"), "new");
}

TEST(RewriteFile, LeavesAReadOnlyFileAlone) {
    test::TempFolder folder;
    folder.Write("ro.ini", "old");
    fs::permissions(folder.File("ro.ini"), fs::perms::owner_read);
    const FileResult result = RewriteFile(folder.File("ro.ini"), "new");
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("ro.ini"), std::string::npos);
    EXPECT_EQ(folder.Read("ro.ini"), "old");
}

TEST(RewriteFile, MissingFolderIsReported) {
    test::TempFolder folder;
    const FileResult result = RewriteFile(folder.File("no/such/file.txt"), "x");
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
}

TEST(DeleteFileIfPresent, MissingFileIsNoFailure) {
    test::TempFolder folder;
    EXPECT_TRUE(DeleteFileIfPresent(folder.File("none")));
    folder.Write("x", "1");
    EXPECT_TRUE(DeleteFileIfPresent(folder.File("x")));
    EXPECT_FALSE(folder.Exists("x"));
}

TEST(FileExists, FilesFoldersAndNothing) {
    test::TempFolder folder;
    folder.Write(".hidden", "");
    EXPECT_TRUE(FileExists(folder.File(".hidden")));
    EXPECT_TRUE(FileExists(folder.folder()));
    EXPECT_FALSE(FileExists(folder.File("missing")));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists(std::string("bad\0name", 8)));
}

TEST(AsciiCase, OnlyAsciiLettersChange) {
    EXPECT_EQ(ToLowerAscii("[:DV SX 1] Hello"), "[:dv sx 1] hello");
    EXPECT_EQ(ToLowerAscii("\xC3\x84rger \xC4"),
              "\xC3\x84rger \xC4");  // UTF-8 and Latin-1 bytes kept
    EXPECT_TRUE(ContainsText("x [:PHONE ON] y", "[:phone on]", false));
    EXPECT_FALSE(ContainsText("x [:PHONE ON] y", "[:phone on]", true));
    EXPECT_FALSE(ContainsText("[:phone o", "[:phone on]", false));
}

}  // namespace
}  // namespace qvx
