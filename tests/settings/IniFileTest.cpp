#include "settings/IniFile.h"

#include <gtest/gtest.h>

#include "support/LineEnds.h"
#include "support/TempFolder.h"

namespace qvx {
namespace {

// The row, the file, the key asked for, and what it reads as ("dflt": the fallback).
// A hand-edited file may end its lines in any platform's way.
TEST(IniRead, FindsTheValueWhateverEndsTheLines) {
    const char* const cases[][4] = {
        {"plain", "[QVOptions]\r\nLogErrors=no\r\n", "LogErrors", "no"},
        {"blank lines skipped", "[QVOptions]\r\n\r\nLogErrors=no", "LogErrors", "no"},
        {"trailing space kept", "[QVOptions]\r\nLogErrors=yes \r\n", "LogErrors", "yes "},
        {"value holds =", "[QVOptions]\r\nKey=a=b\r\n", "Key", "a=b"},
        {"spaced key", "[QVOptions]\r\nLogErrors = no\r\n", "LogErrors", "dflt"},
        {"section case", "[qvoptions]\r\nLogErrors=no\r\n", "LogErrors", "dflt"},
        {"indented header", " [QVOptions]\r\nLogErrors=no\r\n", "LogErrors", "dflt"},
        {"key case", "[QVOptions]\r\nlogerrors=no\r\n", "LogErrors", "dflt"},
        {"last of two", "[QVOptions]\r\nLogErrors=no\r\nLogErrors=yes\r\n", "LogErrors", "yes"},
        {"key inside a line", "[QVOptions]\r\n;XLogErrors=q\r\n", "LogErrors", "q"},
        {"last header", "[QVOptions]\r\nA=1\r\n[X]\r\n[QVOptions]\r\nB=2\r\n", "A", "dflt"},
        {"header again", "[QVOptions]\r\n[X]\r\n[QVOptions]\r\nLogErrors=no\r\n", "LogErrors",
         "no"},
        // The section runs to the last header after it.
        {"section to the next", "[QVOptions]\r\n[A]\r\nLogErrors=a\r\n[B]\r\nLogErrors=b\r\n",
         "LogErrors", "a"},
        {"other section", "[Other]\r\nLogErrors=no\r\n", "LogErrors", "dflt"},
        {"no section", "\r\n\r\n", "LogErrors", "dflt"},
        {"empty value", "[QVOptions]\r\nLogErrors=\r\n", "LogErrors", ""},
        {"UTF-8 mark", "\xEF\xBB\xBF[QVOptions]\r\nLogErrors=no\r\n", "LogErrors", "no"},
    };
    test::TempFolder folder;
    EXPECT_EQ(ReadIniValue(folder.File("settings.ini"), "QVOptions", "LogErrors", "dflt"), "dflt");
    for (const auto& [name, file, key, expected] : cases) {
        SCOPED_TRACE(name);
        for (const std::string_view end : test::kLineEnds) {
            folder.Write("settings.ini", test::WithLineEnd(file, end));
            EXPECT_EQ(ReadIniValue(folder.File("settings.ini"), "QVOptions", key, "dflt"),
                      expected);
        }
    }
}

// The row, the file before (nullptr: none), the key and value written, the file after.
TEST(IniWrite, LeavesTheFileAsExpected) {
    const char* const cases[][5] = {
        {"no file", nullptr, "AutoLineCheck", "no", "[QVOptions]\r\nAutoLineCheck=no\r\n"},
        {"empty file", "", "LogErrors", "no", "[QVOptions]\r\nLogErrors=no\r\n"},
        {"appended", "[QVOptions]\r\n\r\nLogErrors=no", "UseEditor", "no",
         "[QVOptions]\r\nLogErrors=no\r\nUseEditor=no\r\n"},
        {"replaced", "[QVOptions]\r\nLogErrors=no\r\nUseEditor=no\r\n", "LogErrors", "yes",
         "[QVOptions]\r\nLogErrors=yes\r\nUseEditor=no\r\n"},
        {"section case", "[qvoptions]\r\nLogErrors=no\r\n", "LogErrors", "yes",
         "[qvoptions]\r\nLogErrors=no\r\n[QVOptions]\r\nLogErrors=yes\r\n"},
        {"new section", "[Other]\r\n\r\nA=1\r\n", "LogErrors", "no",
         "[Other]\r\n\r\nA=1\r\n[QVOptions]\r\nLogErrors=no\r\n"},
        {"no last end", "[Other]\r\nA=1", "LogErrors", "no",
         "[Other]\r\nA=1\r\n[QVOptions]\r\nLogErrors=no\r\n"},
        {"spaced key", "[QVOptions]\r\nLogErrors = no\r\n", "LogErrors", "yes",
         "[QVOptions]\r\nLogErrors = no\r\nLogErrors=yes\r\n"},
        {"key in the section", "[QVOptions]\r\n[A]\r\nX=1\r\n[B]\r\nY=2\r\n", "LogErrors", "no",
         "[QVOptions]\r\n[A]\r\nX=1\r\nLogErrors=no\r\n[B]\r\nY=2\r\n"},
        {"key in a later header", "[QVOptions]\r\n[A]\r\nLogErrors=a\r\n[B]\r\n", "LogErrors", "no",
         "[QVOptions]\r\n[A]\r\nLogErrors=no\r\n[B]\r\n"},
        {"LF ends", "[QVOptions]\nLogErrors=no\n", "LogErrors", "yes",
         "[QVOptions]\r\nLogErrors=yes\r\n"},
        {"UTF-8 mark", "\xEF\xBB\xBF[QVOptions]\r\nA=1\r\n", "A", "2",
         "\xEF\xBB\xBF[QVOptions]\r\nA=2\r\n"},
    };
    for (const auto& [name, before, key, value, after] : cases) {
        SCOPED_TRACE(name);
        test::TempFolder folder;
        if (before) folder.Write("settings.ini", before);
        ASSERT_TRUE(WriteIniValue(folder.File("settings.ini"), "QVOptions", key, value));
        EXPECT_EQ(folder.Read("settings.ini"), after);
        EXPECT_EQ(ReadIniValue(folder.File("settings.ini"), "QVOptions", key, "dflt"), value);
    }
}

}  // namespace
}  // namespace qvx
