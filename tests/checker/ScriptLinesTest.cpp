#include "checker/ScriptLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TempFolder.h"

namespace qvx {
namespace {

struct Loaded {
    std::string text;
    LineKind kind;
    bool operator==(const Loaded&) const = default;
};

TEST(ScriptLineReaderTest, LowerCasesAndClassifiesEachLine) {
    test::TempFolder folder;
    folder.Write(
        "demo.txt",
        "[:NP]\r\n\xC3\x84pfel \xC9\r\n\r\n   \n  [:np]\r[ :np]\r\n[aa<500,13>]\r\n\t\r\n[:");
    ScriptLineReader reader(folder.File("demo.txt"));
    using enum LineKind;
    std::vector<Loaded> lines;
    for (ScriptLine line; reader.Next(line);) {
        EXPECT_EQ(line.number, lines.size() + 1);
        lines.push_back({std::string(line.text), line.kind});
    }
    EXPECT_EQ(lines, (std::vector<Loaded>{{"[:np]", Command},
                                          {"\xC3\x84pfel \xC9", String},
                                          {"", Blank},
                                          {"   ", Blank},
                                          {"  [:np]", String},
                                          {"[ :np]", String},
                                          {"[aa<500,13>]", String},
                                          {"\t", String},
                                          {"[:", Command}}));
    EXPECT_EQ(reader.LineEnd(), "\r\n");
}

}  // namespace
}  // namespace qvx
