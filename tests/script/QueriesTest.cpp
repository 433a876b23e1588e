#include <gtest/gtest.h>

#include "script/ScriptFile.h"
#include "support/TempFolder.h"

namespace qvx {
namespace {

TEST(ScriptContains, CaseAndPlacement) {
    test::TempFolder folder;
    folder.Write("demo.txt", "hello\r\n[:PHONE ON]\r\n");
    EXPECT_TRUE(ScriptContains(folder.paths(), "[:phone on]", false));
    EXPECT_FALSE(ScriptContains(folder.paths(), "[:phone on]", true));
    EXPECT_TRUE(ScriptContains(folder.paths(), "[:PHONE ON]", true));
    folder.Write("demo.txt", "sing [:phone on] now");
    EXPECT_TRUE(ScriptContains(folder.paths(), "[:phone on]", false));
}

TEST(ScriptContains, TextSplitByALineEndIsNotFound) {
    test::TempFolder folder;
    folder.Write("demo.txt", "[:phone\r\non]\r\n");
    EXPECT_FALSE(ScriptContains(folder.paths(), "[:phone on]", false));
    // A lone LF stays inside its line, so text around it is one line.
    folder.Write("demo.txt", "a\nb\r\n");
    EXPECT_TRUE(ScriptContains(folder.paths(), "a\nb", true));
}

TEST(ScriptContains, MissingScriptIsFalseAndStaysMissing) {
    test::TempFolder folder;
    EXPECT_FALSE(ScriptContains(folder.paths(), "[:np]", false));
    EXPECT_FALSE(folder.Exists("demo.txt"));
}

TEST(FindLastScriptLine, NumbersFromOneAndTakesTheLast) {
    test::TempFolder folder;
    folder.Write("demo.txt", "x\r\n[:dv sx 0]\r\ny\rz\r\n[:DV SX 1]\r\nw");
    EXPECT_EQ(FindLastScriptLine(folder.paths(), "[:dv sx ", false), 5);
    EXPECT_EQ(FindLastScriptLine(folder.paths(), "[:dv sx ", true), 2);
    EXPECT_EQ(FindLastScriptLine(folder.paths(), "[:nv]", false), 0);
    EXPECT_EQ(ReadScriptLine(folder.paths(), 5), "[:DV SX 1]");
    EXPECT_EQ(ReadScriptLine(folder.paths(), 6), "w");
    EXPECT_EQ(ReadScriptLine(folder.paths(), 0), "");
    EXPECT_EQ(ReadScriptLine(folder.paths(), 7), "");
}

TEST(ReadScriptLine, MissingScriptIsEmpty) {
    test::TempFolder folder;
    EXPECT_EQ(ReadScriptLine(folder.paths(), 1), "");
    EXPECT_EQ(FindLastScriptLine(folder.paths(), "x", false), 0);
}

}  // namespace
}  // namespace qvx
