#include "settings/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/LineEnds.h"
#include "support/TempFolder.h"

namespace qvx {
namespace {

std::string Read(const test::TempFolder& folder, const std::string& key,
                 const std::string& fallback = "dflt") {
    return ReadIniValue(folder.File("settings.ini"), "QVOptions", key, fallback);
}

struct ReadCase {
    const char* name;
    const char* file;
    const char* key;
    const char* expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class IniRead : public ::testing::TestWithParam<ReadCase> {};

// A hand-edited file may end its lines in any platform's way.
TEST_P(IniRead, FindsTheValueWhateverEndsTheLines) {
    test::TempFolder folder;
    for (const std::string_view end : test::kLineEnds) {
        folder.Write("settings.ini", test::WithLineEnd(GetParam().file, end));
        EXPECT_EQ(Read(folder, GetParam().key), GetParam().expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniRead,
    ::testing::Values(
        ReadCase{"plain", "[QVOptions]\r\nLogErrors=no\r\n", "LogErrors", "no"},
        ReadCase{"blank lines skipped", "[QVOptions]\r\n\r\nLogErrors=no", "LogErrors", "no"},
        ReadCase{"value untrimmed", "[QVOptions]\r\nLogErrors=yes \r\n", "LogErrors", "yes "},
        ReadCase{"after the first equals", "[QVOptions]\r\nKey=a=b\r\n", "Key", "a=b"},
        ReadCase{"blanks around equals", "[QVOptions]\r\nLogErrors = no\r\n", "LogErrors", "dflt"},
        ReadCase{"header case matters", "[qvoptions]\r\nLogErrors=no\r\n", "LogErrors", "dflt"},
        ReadCase{"header untrimmed", " [QVOptions]\r\nLogErrors=no\r\n", "LogErrors", "dflt"},
        ReadCase{"key case matters", "[QVOptions]\r\nlogerrors=no\r\n", "LogErrors", "dflt"},
        ReadCase{"last key line wins", "[QVOptions]\r\nLogErrors=no\r\nLogErrors=yes\r\n",
                 "LogErrors", "yes"},
        ReadCase{"key anywhere in the line", "[QVOptions]\r\n;XLogErrors=q\r\n", "LogErrors", "q"},
        ReadCase{"last section header", "[QVOptions]\r\nA=1\r\n[X]\r\n[QVOptions]\r\nB=2\r\n", "A",
                 "dflt"},
        ReadCase{"bound is the last header after",
                 "[QVOptions]\r\n[A]\r\nLogErrors=a\r\n[B]\r\nLogErrors=b\r\n", "LogErrors", "a"},
        ReadCase{"other section only", "[Other]\r\nLogErrors=no\r\n", "LogErrors", "dflt"},
        ReadCase{"empty file", "", "LogErrors", "dflt"},
        ReadCase{"only blank lines", "\r\n\r\n", "LogErrors", "dflt"},
        ReadCase{"empty value", "[QVOptions]\r\nLogErrors=\r\n", "LogErrors", ""}));

TEST(IniRead, MissingFileGivesTheFallback) {
    test::TempFolder folder;
    EXPECT_EQ(Read(folder, "LogErrors", "yes"), "yes");
}

struct WriteCase {
    const char* name;
    const char* before;  // nullptr: no file
    const char* key;
    const char* value;
    const char* after;
};

void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.name;
}

class IniWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniWrite, LeavesTheFileAsExpected) {
    test::TempFolder folder;
    if (GetParam().before) folder.Write("settings.ini", GetParam().before);
    ASSERT_TRUE(
        WriteIniValue(folder.File("settings.ini"), "QVOptions", GetParam().key, GetParam().value));
    EXPECT_EQ(folder.Read("settings.ini"), GetParam().after);
    EXPECT_EQ(Read(folder, GetParam().key), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniWrite,
    ::testing::Values(
        WriteCase{"new file", nullptr, "AutoLineCheck", "no",
                  "[QVOptions]\r\nAutoLineCheck=no\r\n"},
        WriteCase{"new key drops blank lines", "[QVOptions]\r\n\r\nLogErrors=no", "UseEditor", "no",
                  "[QVOptions]\r\nLogErrors=no\r\nUseEditor=no\r\n"},
        WriteCase{"replace key line", "[QVOptions]\r\nLogErrors=no\r\nUseEditor=no\r\n",
                  "LogErrors", "yes", "[QVOptions]\r\nLogErrors=yes\r\nUseEditor=no\r\n"},
        WriteCase{"lower-case header gets a second section", "[qvoptions]\r\nLogErrors=no\r\n",
                  "LogErrors", "yes",
                  "[qvoptions]\r\nLogErrors=no\r\n[QVOptions]\r\nLogErrors=yes\r\n"},
        WriteCase{"append keeps blank lines", "[Other]\r\n\r\nA=1\r\n", "LogErrors", "no",
                  "[Other]\r\n\r\nA=1\r\n[QVOptions]\r\nLogErrors=no\r\n"},
        WriteCase{"append after an unfinished last line", "[Other]\r\nA=1", "LogErrors", "no",
                  "[Other]\r\nA=1\r\n[QVOptions]\r\nLogErrors=no\r\n"},
        WriteCase{"blanks around equals add a new line", "[QVOptions]\r\nLogErrors = no\r\n",
                  "LogErrors", "yes", "[QVOptions]\r\nLogErrors = no\r\nLogErrors=yes\r\n"},
        WriteCase{"insert before the last following header",
                  "[QVOptions]\r\n[A]\r\nX=1\r\n[B]\r\nY=2\r\n", "LogErrors", "no",
                  "[QVOptions]\r\n[A]\r\nX=1\r\nLogErrors=no\r\n[B]\r\nY=2\r\n"},
        WriteCase{"key under a middle section is the key",
                  "[QVOptions]\r\n[A]\r\nLogErrors=a\r\n[B]\r\n", "LogErrors", "no",
                  "[QVOptions]\r\n[A]\r\nLogErrors=no\r\n[B]\r\n"},
        WriteCase{"a file of LF lines is found and rewritten", "[QVOptions]\nLogErrors=no\n",
                  "LogErrors", "yes", "[QVOptions]\r\nLogErrors=yes\r\n"},
        WriteCase{"empty file", "", "LogErrors", "no", "[QVOptions]\r\nLogErrors=no\r\n"}));

TEST(IniWrite, ReadOnlyFileIsReportedAndUnchanged) {
    test::TempFolder folder;
    folder.Write("settings.ini", "[QVOptions]\r\nLogErrors=no\r\n");
    std::filesystem::permissions(folder.File("settings.ini"), std::filesystem::perms::owner_read);
    const FileResult result =
        WriteIniValue(folder.File("settings.ini"), "QVOptions", "LogErrors", "yes");
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("settings.ini"), std::string::npos);
    EXPECT_EQ(folder.Read("settings.ini"), "[QVOptions]\r\nLogErrors=no\r\n");
}

}  // namespace
}  // namespace qvx
