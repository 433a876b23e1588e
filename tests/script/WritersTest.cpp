#include "script/Writers.h"

#include <gtest/gtest.h>

#include "script/PhonemeToneWriters.h"
#include "support/TempFolder.h"

namespace qvx {
namespace {

// Each writer appends one line, its numbers held to their bounds (formant
// numbers too) and a tone's length written as given; a last line without its
// line end is joined. A dial text with quotes of its own is not quoted again.
TEST(Writers, AppendOneBoundedLineEach) {
    test::TempFolder folder;
    folder.Write("demo.txt", "hello");
    const ProgramPaths& p = folder.paths();
    for (const Result<void>& written :
         {WriteBoundedCommand(p, kVoiceRate, 1500), WriteBoundedCommand(p, kGender, 2),
          WriteVoice(p, 0), WriteVoice(p, 42), WriteFormantCommand(p, kFormantFrequency, 3, 1000),
          WriteFormantCommand(p, kFormantFrequency, 9, 2000),
          WriteFormantCommand(p, kFormantBandwidth, 1, 50),
          WriteFormantCommand(p, kFormantGain, 0, 90), WriteFormantCommand(p, kFormantGain, 7, -1),
          WriteDial(p, ""), WriteDial(p, " 5,5 \"x"), WritePhonemeEntry(p, "c", 10, 40),
          WritePhonemeEntry(p, "zh", 30000, -2), WriteToneNote(p, 0, 1), WriteToneNote(p, 50, 1),
          WriteToneFrequency(p, 5, -5), WriteToneFrequency(p, 30000, 100)}) {
        EXPECT_TRUE(written.ok()) << written.error();
    }
    EXPECT_EQ(folder.Read("demo.txt"),
              "hello[:ra 999]\r\n[:dv sx 1]\r\n[:nb]\r\n[:nv]\r\n"
              "[:dv f4 2000]\r\n[:dv f5 2500]\r\n[:dv b4 100]\r\n[:dv g1 86]\r\n[:dv g5 0]\r\n"
              "[:dial \"\"]\r\n[:dial  5,5 \"x]\r\n[,<20,37>]\r\n[zh<20000,1>]\r\n"
              "[:tone<262,1>]\r\n[:tone<2096,1>]\r\n[:tone<20,-5>]\r\n[:tone<20000,100>]\r\n");
}

// An unknown phoneme code and a missing sound write nothing, not even an
// empty script; a sound is found whatever its capitals, as the check and
// speak43 find it, and written as given.
TEST(Writers, NothingForAnUnknownCodeOrAMissingSound) {
    test::TempFolder folder;
    for (const char* code : {"AA", " aa", "", "q", "aa "}) {
        EXPECT_TRUE(WritePhonemeEntry(folder.paths(), code, 500, 13))
            << testing::PrintToString(code);
    }
    EXPECT_TRUE(WritePlay(folder.paths(), "bell"));
    EXPECT_FALSE(folder.Exists("demo.txt"));
    folder.Write("Bell.WAV", "RIFF");
    ASSERT_TRUE(WritePlay(folder.paths(), "bell"));
    EXPECT_EQ(folder.Read("demo.txt"), "[:play bell.wav]\r\n");
}

}  // namespace
}  // namespace qvx
