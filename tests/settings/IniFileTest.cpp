#include "settings/IniFile.h"

#include <gtest/gtest.h>

#include "support/LineEnds.h"
#include "support/TempFolder.h"

namespace qvx {
namespace {

// The file, the key asked for, and what it reads as ("dflt": the fallback).
// A hand-edited file may end its lines in any platform's way.
TEST(IniRead, FindsTheValueWhateverEndsTheLines) {
    const char* const cases[][3] = {
        {"[QVOptions]\r\nLogErrors=no\r\n", "LogErrors", "no"},
        {"[QVOptions]\r\n\r\nLogErrors=no", "LogErrors", "no"},  // blank lines skipped
        {"[QVOptions]\r\nLogErrors=yes \r\n", "LogErrors", "yes "},
        {"[QVOptions]\r\nKey=a=b\r\n", "Key", "a=b"},
        {"[QVOptions]\r\nLogErrors = no\r\n", "LogErrors", "dflt"},
        {"[qvoptions]\r\nLogErrors=no\r\n", "LogErrors", "dflt"},
        {" [QVOptions]\r\nLogErrors=no\r\n", "LogErrors", "dflt"},
        {"[QVOptions]\r\nlogerrors=no\r\n", "LogErrors", "dflt"},
        {"[QVOptions]\r\nLogErrors=no\r\nLogErrors=yes\r\n", "LogErrors", "yes"},
        {"[QVOptions]\r\n;XLogErrors=q\r\n", "LogErrors", "q"},  // anywhere in the line
        {"[QVOptions]\r\nA=1\r\n[X]\r\n[QVOptions]\r\nB=2\r\n", "A", "dflt"},  // last header
        {"[QVOptions]\r\n[X]\r\n[QVOptions]\r\nLogErrors=no\r\n", "LogErrors", "no"},
        // The section runs to the last header after it.
        {"[QVOptions]\r\n[A]\r\nLogErrors=a\r\n[B]\r\nLogErrors=b\r\n", "LogErrors", "a"},
        {"[Other]\r\nLogErrors=no\r\n", "LogErrors", "dflt"},
        {"\r\n\r\n", "LogErrors", "dflt"},
        {"[QVOptions]\r\nLogErrors=\r\n", "LogErrors", ""},
        {"\xEF\xBB\xBF[QVOptions]\r\nLogErrors=no\r\n", "LogErrors", "no"},  // UTF-8 mark
    };
    test::TempFolder folder;
    EXPECT_EQ(ReadIniValue(folder.File("settings.ini"), "QVOptions", "LogErrors", "dflt"), "dflt");
    for (const auto& [file, key, expected] : cases) {
        for (const std::string_view end : test::kLineEnds) {
            folder.Write("settings.ini", test::WithLineEnd(file, end));
            EXPECT_EQ(ReadIniValue(folder.File("settings.ini"), "QVOptions", key, "dflt"), expected)
                << file;
        }
    }
}

// The file before (nullptr: none), the key and value written, the file after.
TEST(IniWrite, LeavesTheFileAsExpected) {
    const char* const cases[][4] = {
        {nullptr, "AutoLineCheck", "no", "[QVOptions]\r\nAutoLineCheck=no\r\n"},
        {"", "LogErrors", "no", "[QVOptions]\r\nLogErrors=no\r\n"},
        {"[QVOptions]\r\n\r\nLogErrors=no", "UseEditor", "no",
         "[QVOptions]\r\nLogErrors=no\r\nUseEditor=no\r\n"},
        {"[QVOptions]\r\nLogErrors=no\r\nUseEditor=no\r\n", "LogErrors", "yes",
         "[QVOptions]\r\nLogErrors=yes\r\nUseEditor=no\r\n"},
        {"[qvoptions]\r\nLogErrors=no\r\n", "LogErrors", "yes",
         "[qvoptions]\r\nLogErrors=no\r\n[QVOptions]\r\nLogErrors=yes\r\n"},
        {"[Other]\r\n\r\nA=1\r\n", "LogErrors", "no",
         "[Other]\r\n\r\nA=1\r\n[QVOptions]\r\nLogErrors=no\r\n"},
        {"[Other]\r\nA=1", "LogErrors", "no", "[Other]\r\nA=1\r\n[QVOptions]\r\nLogErrors=no\r\n"},
        {"[QVOptions]\r\nLogErrors = no\r\n", "LogErrors", "yes",
         "[QVOptions]\r\nLogErrors = no\r\nLogErrors=yes\r\n"},
        {"[QVOptions]\r\n[A]\r\nX=1\r\n[B]\r\nY=2\r\n", "LogErrors", "no",
         "[QVOptions]\r\n[A]\r\nX=1\r\nLogErrors=no\r\n[B]\r\nY=2\r\n"},
        {"[QVOptions]\r\n[A]\r\nLogErrors=a\r\n[B]\r\n", "LogErrors", "no",
         "[QVOptions]\r\n[A]\r\nLogErrors=no\r\n[B]\r\n"},
        {"[QVOptions]\nLogErrors=no\n", "LogErrors", "yes", "[QVOptions]\r\nLogErrors=yes\r\n"},
        {"\xEF\xBB\xBF[QVOptions]\r\nA=1\r\n", "A", "2", "\xEF\xBB\xBF[QVOptions]\r\nA=2\r\n"},
    };
    for (const auto& [before, key, value, after] : cases) {
        test::TempFolder folder;
        if (before) folder.Write("settings.ini", before);
        ASSERT_TRUE(WriteIniValue(folder.File("settings.ini"), "QVOptions", key, value));
        EXPECT_EQ(folder.Read("settings.ini"), after);
        EXPECT_EQ(ReadIniValue(folder.File("settings.ini"), "QVOptions", key, "dflt"), value);
    }
}

}  // namespace
}  // namespace qvx
