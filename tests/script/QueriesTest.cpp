#include <gtest/gtest.h>

#include "script/ScriptFile.h"
#include "support/LineEnds.h"
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
    for (const char* script : {"[:phone\r\non]\r\n", "[:phone\non]", "[:phone\ron]"}) {
        folder.Write("demo.txt", script);
        EXPECT_FALSE(ScriptContains(folder.paths(), "[:phone on]", false)) << script;
    }
}

TEST(ScriptContains, MissingScriptIsFalseAndStaysMissing) {
    test::TempFolder folder;
    EXPECT_FALSE(ScriptContains(folder.paths(), "[:np]", false));
    EXPECT_FALSE(folder.Exists("demo.txt"));
}

// Files from every editor: the same lines whatever ends them.
TEST(FindLastScriptLine, NumbersFromOneAndTakesTheLast) {
    test::TempFolder folder;
    for (const std::string_view end : test::kLineEnds) {
        folder.Write("demo.txt",
                     test::WithLineEnd("x\r\n[:dv sx 0]\r\ny\r\nz\r\n[:DV SX 1]\r\nw", end));
        EXPECT_EQ(FindLastScriptLine(folder.paths(), "[:dv sx ", false), 5);
        EXPECT_EQ(FindLastScriptLine(folder.paths(), "[:dv sx ", true), 2);
        EXPECT_EQ(FindLastScriptLine(folder.paths(), "[:nv]", false), 0);
        EXPECT_EQ(ReadScriptLine(folder.paths(), 5), "[:DV SX 1]");
        EXPECT_EQ(ReadScriptLine(folder.paths(), 6), "w");
        EXPECT_EQ(ReadScriptLine(folder.paths(), 0), "");
        EXPECT_EQ(ReadScriptLine(folder.paths(), 7), "");
    }
}

TEST(ReadScriptLine, MissingScriptIsEmpty) {
    test::TempFolder folder;
    EXPECT_EQ(ReadScriptLine(folder.paths(), 1), "");
    EXPECT_EQ(FindLastScriptLine(folder.paths(), "x", false), 0);
}

}  // namespace
}  // namespace qvx
