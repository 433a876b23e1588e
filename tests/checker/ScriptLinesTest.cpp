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

TEST(ScriptLineReaderTest, LineEndIsTheFirstLinesOwn) {
    test::TempFolder folder;
    const std::pair<std::string, std::string_view> cases[] = {
        {"a\nb\r\n", "\n"}, {"a\rb\n", "\r"}, {"a\r\nb\n", "\r\n"}, {"a", "\r\n"}, {"", "\r\n"}};
    for (const auto& [bytes, end] : cases) {
        folder.Write("demo.txt", bytes);
        ScriptLineReader reader(folder.File("demo.txt"));
        for (ScriptLine line; reader.Next(line);) {
        }
        EXPECT_EQ(reader.LineEnd(), end) << bytes;
    }
    EXPECT_FALSE(ScriptLineReader(folder.File("absent.txt")).ok());
}

TEST(ScriptTextTest, IsAllSpacesAndCountOccurrences) {
    EXPECT_TRUE(IsAllSpaces(""));
    EXPECT_TRUE(IsAllSpaces("  "));
    EXPECT_FALSE(IsAllSpaces(" a "));
    EXPECT_FALSE(IsAllSpaces(" \t"));
    EXPECT_EQ(CountOccurrences("[:dial \"5551234\"]", "\""), 2);
    EXPECT_EQ(CountOccurrences("aaaa", "aa"), 2);
    EXPECT_EQ(CountOccurrences("aaa", "aa"), 1);
    EXPECT_EQ(CountOccurrences("abc", ""), 0);
}

}  // namespace
}  // namespace qvx
