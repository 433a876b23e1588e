#include "script/Writers.h"

#include <gtest/gtest.h>

#include <functional>

#include "script/PhonemeToneWriters.h"
#include "support/TempFolder.h"

namespace qvx {
namespace {

using Write = std::function<FileResult(const ProgramPaths&)>;

struct WriterCase {
    const char* name;
    Write write;
    const char* line;
};

void PrintTo(const WriterCase& c, std::ostream* os) {
    *os << c.name;
}

class WriterLines : public ::testing::TestWithParam<WriterCase> {};

TEST_P(WriterLines, AppendsExactlyOneBoundedLine) {
    test::TempFolder folder;
    ASSERT_TRUE(GetParam().write(folder.paths()));
    EXPECT_EQ(folder.Read("demo.txt"), std::string(GetParam().line) + "\r\n");
}

#define CASE(text, call, line)                                 \
    WriterCase {                                               \
        text, [](const ProgramPaths& p) { return call; }, line \
    }

INSTANTIATE_TEST_SUITE_P(
    BoundedFirst, WriterLines,
    ::testing::Values(
        CASE("rate capped at 999", WriteVoiceRate(p, 1500), "[:ra 999]"),
        CASE("gender low", WriteGender(p, -4), "[:dv sx 0]"),
        CASE("gender high", WriteGender(p, 2), "[:dv sx 1]"),
        CASE("voice", WriteVoice(p, 6), "[:np]"), CASE("voice low", WriteVoice(p, 0), "[:nb]"),
        CASE("voice high", WriteVoice(p, 42), "[:nv]"),
        CASE("frequency raises formant then value", WriteFormantFrequency(p, 3, 1000),
             "[:dv f4 2000]"),
        CASE("frequency f4 maximum", WriteFormantFrequency(p, 4, 4700), "[:dv f4 4650]"),
        CASE("frequency f5 has room", WriteFormantFrequency(p, 5, 4700), "[:dv f5 4700]"),
        CASE("frequency f5 minimum", WriteFormantFrequency(p, 9, 2000), "[:dv f5 2500]"),
        CASE("bandwidth", WriteFormantBandwidth(p, 5, 3000), "[:dv b5 2048]"),
        CASE("bandwidth low formant", WriteFormantBandwidth(p, 1, 50), "[:dv b4 100]"),
        CASE("gain low formant", WriteFormantGain(p, 0, 90), "[:dv g1 86]"),
        CASE("gain high formant", WriteFormantGain(p, 7, -1), "[:dv g5 0]"),
        CASE("gain middle", WriteFormantGain(p, 3, 50), "[:dv g3 50]")));

INSTANTIATE_TEST_SUITE_P(
    TextAndSung, WriterLines,
    ::testing::Values(
        CASE("empty dial", WriteDial(p, ""), "[:dial \"\"]"),
        CASE("dial quoted", WriteDial(p, " 5,5 x"), "[:dial \" 5,5 x\"]"),
        CASE("dial with quotes unchanged", WriteDial(p, " 5,5 \"x"), "[:dial  5,5 \"x]"),
        CASE("phone on", WritePhoneOn(p), "[:phone on]"),
        CASE("entry", WritePhonemeEntry(p, "aa", 500, 13), "[aa<500,13>]"),
        CASE("entry c is a comma", WritePhonemeEntry(p, "c", 250, 1), "[,<250,1>]"),
        CASE("entry bounded", WritePhonemeEntry(p, "ah", 10, 40), "[ah<20,37>]"),
        CASE("entry long", WritePhonemeEntry(p, "zh", 30000, -2), "[zh<20000,1>]"),
        CASE("tone note", WriteToneNote(p, 10, 500), "[:tone<440,500>]"),
        CASE("tone note low", WriteToneNote(p, 0, 1), "[:tone<262,1>]"),
        CASE("tone note high", WriteToneNote(p, 50, 1), "[:tone<2096,1>]"),
        CASE("tone frequency low", WriteToneFrequency(p, 5, 100), "[:tone<20,100>]"),
        CASE("tone length unbounded", WriteToneFrequency(p, 30000, -5), "[:tone<20000,-5>]")));
#undef CASE

TEST(PhonemeEntry, UnknownCodeWritesNothingAndCreatesNothing) {
    test::TempFolder folder;
    for (const char* code : {"AA", " aa", "", "q", "aa "}) {
        EXPECT_TRUE(WritePhonemeEntry(folder.paths(), code, 500, 13));
    }
    EXPECT_FALSE(folder.Exists("demo.txt"));
}

TEST(ToneFrequencyTable, FixedValues) {
    EXPECT_EQ(NoteFrequency(1), 262);
    EXPECT_EQ(NoteFrequency(12), 496);
    EXPECT_EQ(NoteFrequency(22), 880);
    EXPECT_EQ(NoteFrequency(37), 2096);
    EXPECT_TRUE(std::is_sorted(ToneFrequencyTable.begin(), ToneFrequencyTable.end()));
}

TEST(WritePlay, WritesOnlyWhenTheSoundExists) {
    test::TempFolder folder;
    EXPECT_TRUE(WritePlay(folder.paths(), "bell"));
    EXPECT_FALSE(folder.Exists("demo.txt"));
    // The name is matched as the check and speak43 match it, and written as given.
    folder.Write("Bell.WAV", "RIFF");
    ASSERT_TRUE(WritePlay(folder.paths(), "bell"));
    EXPECT_EQ(folder.Read("demo.txt"), "[:play bell.wav]\r\n");
}

TEST(AppendScriptLine, TwoWritesOnAMissingFileAndAJoinedLastLine) {
    test::TempFolder folder;
    ASSERT_TRUE(WriteVoice(folder.paths(), 6));
    ASSERT_TRUE(WriteVoice(folder.paths(), 1));
    EXPECT_EQ(folder.Read("demo.txt"), "[:np]\r\n[:nb]\r\n");
    folder.Write("demo.txt", "hello");
    ASSERT_TRUE(WriteVoice(folder.paths(), 6));
    EXPECT_EQ(folder.Read("demo.txt"), "hello[:np]\r\n");
}

TEST(AppendScriptLine, ReadOnlyScriptIsReportedAndKept) {
    test::TempFolder folder;
    folder.Write("demo.txt", "[:np]\r\n");
    std::filesystem::permissions(folder.File("demo.txt"), std::filesystem::perms::owner_read);
    const FileResult result = WriteVoice(folder.paths(), 1);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("demo.txt"), std::string::npos);
    EXPECT_EQ(folder.Read("demo.txt"), "[:np]\r\n");
}

}  // namespace
}  // namespace qvx
