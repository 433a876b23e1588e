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

// One value writer: the value as given, below the minimum, above the maximum.
#define BOUNDS(Writer, inside, insideLine, low, lowLine, high, highLine)                           \
    WriterCase{#Writer " inside", [](const ProgramPaths& p) { return Writer(p, inside); },         \
               insideLine},                                                                        \
        WriterCase{#Writer " low", [](const ProgramPaths& p) { return Writer(p, low); }, lowLine}, \
        WriterCase {                                                                               \
#Writer " high", [](const ProgramPaths& p) { return Writer(p, high); }, highLine           \
    }

INSTANTIATE_TEST_SUITE_P(
    OneValue, WriterLines,
    ::testing::Values(
        BOUNDS(WriteVoiceRate, 180, "[:ra 180]", -3, "[:ra 0]", 1500, "[:ra 999]"),
        BOUNDS(WriteAveragePitch, 120, "[:dv ap 120]", 99, "[:dv ap 100]", 301, "[:dv ap 300]"),
        BOUNDS(WritePitchRange, 12, "[:dv pr 12]", 0, "[:dv pr 1]", 251, "[:dv pr 250]"),
        BOUNDS(WriteBreathiness, 0, "[:dv br 0]", -1, "[:dv br 0]", 80, "[:dv br 72]"),
        BOUNDS(WriteGender, 0, "[:dv sx 0]", -4, "[:dv sx 0]", 2, "[:dv sx 1]"),
        BOUNDS(WriteHeadSize, 100, "[:dv hs 100]", 64, "[:dv hs 65]", 146, "[:dv hs 145]"),
        BOUNDS(WriteLaxBreathiness, 50, "[:dv lx 50]", -1, "[:dv lx 0]", 101, "[:dv lx 100]"),
        BOUNDS(WriteSmoothness, 3, "[:dv sm 3]", -1, "[:dv sm 0]", 101, "[:dv sm 100]"),
        BOUNDS(WriteRichness, 4, "[:dv ri 4]", -1, "[:dv ri 0]", 101, "[:dv ri 100]"),
        BOUNDS(WriteSampling, 5, "[:dv nf 5]", -1, "[:dv nf 0]", 101, "[:dv nf 100]"),
        BOUNDS(WriteLaryngealisation, 6, "[:dv la 6]", -1, "[:dv la 0]", 101, "[:dv la 100]"),
        BOUNDS(WriteBassFall, 40, "[:dv bf 40]", -1, "[:dv bf 0]", 41, "[:dv bf 40]"),
        BOUNDS(WriteHatRise, 2, "[:dv hr 2]", 1, "[:dv hr 2]", 101, "[:dv hr 100]"),
        BOUNDS(WriteStressLevel, 1, "[:dv sr 1]", 0, "[:dv sr 1]", 101, "[:dv sr 100]"),
        BOUNDS(WriteAssertiveness, 7, "[:dv as 7]", -1, "[:dv as 0]", 101, "[:dv as 100]"),
        BOUNDS(WriteQuickness, 8, "[:dv qu 8]", -1, "[:dv qu 0]", 101, "[:dv qu 100]"),
        BOUNDS(WriteVoiceGain, 86, "[:dv gv 86]", -1, "[:dv gv 0]", 87, "[:dv gv 86]"),
        BOUNDS(WriteAspirationGain, 9, "[:dv gh 9]", -1, "[:dv gh 0]", 87, "[:dv gh 86]"),
        BOUNDS(WriteFricationGain, 10, "[:dv gf 10]", -1, "[:dv gf 0]", 87, "[:dv gf 86]"),
        BOUNDS(WriteNasalisationGain, 11, "[:dv gn 11]", -1, "[:dv gn 0]", 87, "[:dv gn 86]"),
        BOUNDS(WriteVoice, 6, "[:np]", 0, "[:nb]", 42, "[:nv]")));
#undef BOUNDS

#define CASE(text, call, line)                                 \
    WriterCase {                                               \
        text, [](const ProgramPaths& p) { return call; }, line \
    }

INSTANTIATE_TEST_SUITE_P(
    FormantFirst, WriterLines,
    ::testing::Values(
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

TEST(PhonemeEntry, EveryCodeIsWritten) {
    test::TempFolder folder;
    for (auto code : PhonemeCodes) ASSERT_TRUE(WritePhonemeEntry(folder.paths(), code, 100, 2));
    EXPECT_EQ(SplitLines(folder.Read("demo.txt")).size(), PhonemeCodes.size());
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
    folder.Write("bell.wav", "RIFF");
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
