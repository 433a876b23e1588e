#include <gtest/gtest.h>

#include "script/ScriptFile.h"
#include "support/LineEnds.h"
#include "support/TempFolder.h"

namespace qvx {
namespace {

// Files from every editor: the same lines whatever ends them. Lines are
// numbered from one, the last match counts, and a text split by a line end
// is no match.
TEST(ScriptQueries, SameAnswersWhateverEndsTheLines) {
    test::TempFolder folder;
    const ProgramPaths& paths = folder.paths();
    for (const std::string_view end : test::kLineEnds) {
        SCOPED_TRACE(end == "\n" ? "LF" : end == "\r" ? "CR" : "CR LF");
        folder.Write("demo.txt", test::WithLineEnd(
                                     "x\r\n[:dv sx 0]\r\n[:phone\r\non]\r\n[:DV SX 1]\r\nw", end));
        EXPECT_EQ(FindLastScriptLine(paths, "[:dv sx ", false), 5);
        EXPECT_EQ(FindLastScriptLine(paths, "[:dv sx ", true), 2);
        EXPECT_TRUE(ScriptContains(paths, "[:DV SX 0]", false));
        EXPECT_FALSE(ScriptContains(paths, "[:DV SX 0]", true));
        EXPECT_FALSE(ScriptContains(paths, "[:phone on]", false));
        EXPECT_EQ(ReadScriptLine(paths, 5), "[:DV SX 1]");
        EXPECT_EQ(ReadScriptLine(paths, 6), "w");
        EXPECT_EQ(ReadScriptLine(paths, 0), "");
    }
    folder.Write("demo.txt", "sing [:phone on] now");
    EXPECT_TRUE(ScriptContains(paths, "[:phone on]", true));
}

}  // namespace
}  // namespace qvx
