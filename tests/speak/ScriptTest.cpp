#include <gtest/gtest.h>

#include <cmath>

#include "common/LineReader.h"
#include "speak/EspeakEngine.h"
#include "speak/ScriptParser.h"
#include "speak/SoundFile.h"
#include "speak/SungNote.h"
#include "speak/Translator.h"
#include "support/LineEnds.h"

namespace qvx::speak {
namespace {

using std::to_string;

// A segment as short words: "speak hi (f1 208 100 300)" in a voice of variant
// f1, average pitch 208 Hz, range 100 %, 300 words a minute; "sing [[oUr]]
// 262~ 400,0" sung at 262 Hz with vibrato, its first phoneme 400 ms long, its
// second natural.
struct Words {
    std::string operator()(const SpeechSegment& s) {
        return "speak " + s.text + " (" + std::string(s.voice.variant) + " " +
               to_string(s.voice.averagePitch) + " " + to_string(s.voice.pitchRange) + " " +
               to_string(s.voice.wordsPerMinute) + ")";
    }
    std::string operator()(const SungSegment& s) {
        std::string lengths;
        for (const SungPart& part : s.parts) {
            lengths += (lengths.empty() ? "" : ",") + to_string(part.milliseconds);
        }
        return "sing " + s.phonemeInput.substr(0, s.phonemeInput.size() - 1) + " " +
               to_string(std::lround(s.hertz)) + (s.vibrato ? "~ " : " ") + lengths;
    }
    std::string operator()(const ToneSegment& s) {
        return "tone " + to_string(std::lround(s.hertz)) + " " + to_string(s.milliseconds);
    }
    std::string operator()(const DialSegment& s) { return "dial " + s.keys; }
    std::string operator()(const SilenceSegment& s) { return "rest " + to_string(s.milliseconds); }
    std::string operator()(const SoundSegment& s) { return "play " + s.name; }
    std::string operator()(const VolumeSegment& s) {
        return "volume " + to_string(std::lround(s.gain * 100));
    }
};

// A script read line by line as speak43 reads it: its segments and, as "!N",
// its warnings with their line numbers, joined by " | ". Each line is followed
// by a bracket that would close a command left open in it, or else open one:
// the bytes after a line belong to the next one and must not be read.
std::string Read(std::string_view script) {
    std::string out;
    const auto add = [&out](const std::string& item) { out += (out.empty() ? "" : " | ") + item; };
    ScriptParser parser;
    Translator translator;
    std::size_t number = 1;
    const WarningSink warn = [&](const std::string&) { add("!" + to_string(number)); };
    const SegmentSink keep = [&](const Segment& s) {
        add(std::visit(Words{}, s));
        return true;
    };
    std::string_view line;
    for (LineSplitter lines(script); lines.Next(line); ++number) {
        const bool opens = line.find('[') != std::string_view::npos;
        const std::string padded = std::string(line) + (opens ? "]" : "[");
        parser.ParseLine(
            std::string_view(padded).substr(0, line.size()),
            [&](const ScriptEvent& e) { EXPECT_TRUE(translator.Translate(e, keep, warn)); }, warn);
    }
    return out;
}

TEST(Script, LinesGiveTheirSegmentsAndWarnOnTheTrueLineWhateverTheLineEnds) {
    struct Row {
        const char* name;
        const char* script;  // lines end in CR LF here; each is also read with LF and CR
        const char* read;
    };
    const Row rows[] = {
        // Names by unique beginning, case ignored, numbers glued to the name.
        {"command names by their beginning", "[:RaTe 300]a[:R 90]b[:rate100]c",
         "speak a (m1 122 100 300) | speak b (m1 122 100 90) | speak c (m1 122 100 100)"},
        // Val remembers its design; the other voices start fresh and keep the
        // rate. Unknown design-voice names and names without number are skipped.
        {"voices and their designs",
         "[:name VAL][:dv ap 200][:ra 300][:name Paul]a[:na k]b[:name val]c\r\n[:name bob]",
         "speak a (m1 122 100 300) | speak b (f5 306 100 300) | speak c (m1 200 100 300) | !2"},
        {"design values bounded",
         "[:nb][:dv ap 300][:nb]a[:dv ap 900 pr 300 zz 3][:ra 5]b[:dv ap 10 pr -4 sx 0][:ra 9999]c"
         "[:dv sx 1 pr]d",
         "speak a (f1 208 100 180) | !1 | speak b (f1 350 250 75) | speak c (f1 50 0 600) | !1 | "
         "speak d (m1 50 0 600)"},
        // Ambiguous ("d": dial, dv or define; "p", "n", "c") or unknown. Blank
        // lines give nothing; an unclosed command silences the rest of its line.
        {"ambiguous or unknown names, blank lines",
         "[:d 1]\r\n[:p x][:n]\r\n[:c 5]\r\n[:]\r\n[:rates 1]\r\n \t\r\n\r\nsix [:ra 200",
         "!1 | !2 | !2 | !3 | !4 | !5 | speak six (m1 122 100 180) | !8"},
        // Parameters plain, in "<...>" or quoted; values out of range are
        // bounded or skipped.
        {"tone parameters and bounds",
         "[:tone<440,500>][:tone 440 500][:tone \"440, 500\"][:tone 440][:tone<20000,100>]"
         "[:tone<440,0>][:tone<440,-5>][:tone<5,99999999>][:tone<20,60000>][:tone<10000,1>]",
         "tone 440 500 | tone 440 500 | tone 440 500 | !1 | !1 | tone 10000 100 | !1 | !1 | !1 | "
         "!1 | tone 20 60000 | tone 20 60000 | tone 10000 1"},
        // Text is cut by clause breaks before a run of dotted letters, or a
        // word, grows past 80 bytes (those above 0x7F counted twice): after a
        // mark or between characters; a blank ends a run unless a dotted word follows.
        {"a long word cut", "xäääääääääääääääääääää",
         "speak xäääääääääääääääääää , ää (m1 122 100 180)"},
        {"a four-byte character kept whole", "x😀😀😀😀😀😀😀😀😀😀",
         "speak x😀😀😀😀😀😀😀😀😀 , 😀 (m1 122 100 180)"},
        {"a long dotted run cut", "a.ääääääääääääääääääääääääääääääääääääääää",
         "speak a. , ääääääääääääääääääää , ääääääääääääääääääää (m1 122 100 180)"},
        {"a blank ends a run", "äääääääääääääää äääääääääääääää ä.ääääääääääääää",
         "speak äääääääääääääää äääääääääääääää ä. , ääääääääääääää (m1 122 100 180)"},
        {"a key that cannot be dialled", "[:dial 12x][:dial 5]", "!1 | dial 5"},
        {"volume", "[:volume set 60][:vo up 50][:volume D 300][:volume up 30]\r\n[:volume loud 5]",
         "volume 60 | volume 100 | volume 0 | volume 30 | !2"},
        // Sound files are those of the program folder only.
        {"sound files of the program folder only",
         "[:play <Bell]1.WAV>][:play ../secret.wav][:play /etc/x.wav]",
         "play Bell]1.WAV | !1 | !1"},
        // Phonemic text counts only in phoneme mode, which every spelling of
        // the command switches; a bracket with a fault is skipped whole.
        {"phoneme mode",
         "[aa<100,1>]\r\n[:phoneme arpabet speak on][aa<500,34>]\r\n[:ph off][iy<1,2>]\r\n"
         "[:phon on][ey<200>][iy<300,220>][ow<100>uw _]",
         "!1 | sing [[A:]] 440~ 500 | !3 | sing [[eI]] 440~ 200 | sing [[i:]] 220 300 | "
         "sing [[oUu:]] 220 100,0 | rest 50"},
        // A fault costs its own piece only: an unknown code ("h", "o", "oh")
        // with the length written after it, a phoneme whose length cannot be
        // read, a length after no phoneme; an unclosed "<" the rest.
        {"faults cost their own piece",
         "[:phoneme on]\r\n[hello][oh<400,25>iy]\r\n[<100>aa][aa<1,x>][aa<>]\r\n[aa<400]\r\n"
         "[:phoneme sampa on][:phoneme o]",
         "!2 | !2 | sing [[@Ll]] 122 0,0 | !2 | sing [[i:]] 122 0 | !3 | sing [[A:]] 122 0 | !3 | "
         "!3 | !4 | !5 | !5"},
        // Notes are 1..37, other numbers hertz; 0 keeps the pitch before, and
        // hertz are bounded as a tone's.
        {"notes and hertz",
         "[:phoneme on][aa<1,1>][aa<1,37>][aa<1,38>][aa<1,0>][aa<1,100000>][aa<1,10000>]",
         "sing [[A:]] 65~ 1 | sing [[A:]] 523~ 1 | sing [[A:]] 38 1 | !1 | sing [[A:]] 38 1 | !1 | "
         "sing [[A:]] 10000 1 | sing [[A:]] 10000 1"},
        // Two-character codes before one ("HXAR": hx, ar), case ignored; marks
        // are silent but "," and "." pause, and a "," carrying a length is "ao".
        {"two-character codes first", "[:phoneme on][brr shaa SSH DH'ax nxc HXAR]",
         "sing [[b3 SA: sS D@ NO: hA@]] 122 0,0,0,0,0,0,0,0,0,0,0,0"},
        {"marks in phonemic text", "[:phoneme on]['hx`eh\",l/ow\"\\-*#)?!+. ,<250,1>]",
         "sing [[hE]] 122 0,0 | rest 95 | sing [[loU]] 122 0,0 | rest 470 | sing [[O:]] 65~ 250"},
        // Text ends with the pause of its last mark (quotes aside) and with
        // none without one.
        {"pauses after text",
         "One, [:pp 200]two.[:cp 30]three,[:pp 0]four!\r\n[:pp 300]\"five?\"\r\nsix",
         "speak One, (m1 122 100 180) | rest 95 | speak two. (m1 122 100 180) | rest 200 | "
         "speak three, (m1 122 100 180) | rest 30 | speak four! (m1 122 100 180) | "
         "speak \"five?\" (m1 122 100 180) | rest 300 | speak six (m1 122 100 180)"},
        // Pauses of "," and "." in phonemic text as the script sets them; 0
        // rests not at all.
        {"pauses in phonemic text",
         "[:comma 50][:period 300][:phoneme on][aa<100,30>,aa.][:pp 0][aa.][:cp -1][aa,]",
         "sing [[A:]] 349~ 100 | rest 50 | sing [[A:]] 349~ 0 | rest 300 | sing [[A:]] 349~ 0 | "
         "!1 | sing [[A:]] 349~ 0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        for (std::string_view end : test::kLineEnds) {
            const std::string script = test::WithLineEnd(row.script, end);
            EXPECT_EQ(Read(script), row.read) << testing::PrintToString(script);
        }
    }
}

// A design of the other sex switches the variant: each voice's own variant
// must be of its sex. Val is Paul's until designed. Its voice file for
// espeak-ng is the variant's with its own pitch.
TEST(Voices, EachHasAVariantOfItsSexAndAPitchSpanAroundItsAverage) {
    for (const VoiceRow& named : VoiceTable()) {
        SCOPED_TRACE(named.name);
        const VoiceSettings voice = *VoiceForLetter(named.letter);
        EXPECT_EQ(voice.male, voice.variant.starts_with('m'));
        const PitchSpan span = EspeakPitchSpan(voice);
        EXPECT_TRUE(span.low < voice.averagePitch && voice.averagePitch < span.high);
        // The variant's own lines with the language and the pitch replaced.
        EXPECT_EQ(VoiceFileText(voice, "name x\nlanguage de\npitch 1 2\nbreath 3\n"),
                  "language en-us\nbreath 3\npitch " + to_string(span.low) + " " +
                      to_string(span.high) + "\n");
    }
}

TEST(SungNote, PartsAreCutAtTheEngineMarksAndFallBackWhenTheyDoNotMatch) {
    // A rendering of three "phonemes", each a block of one level between
    // quiet ends: 100 quiet, 300 at 1000, 200 at 2000, 400 at 3000, 100 quiet.
    SungSound sound;
    for (auto [count, level] :
         {std::pair{100, 0}, {300, 1000}, {200, 2000}, {400, 3000}, {100, 0}}) {
        sound.samples.insert(sound.samples.end(), count, static_cast<std::int16_t>(level));
    }
    sound.marks = {{"_", 0}, {"t", 100}, {"r-", 400}, {"eI", 600}, {"_:", 1000}};
    const std::vector<SungPart> parts{{"t#", 0}, {"eI", 100}};  // "r-" is espeak-ng's own
    const std::vector<std::int16_t> shaped = ShapeSung(sound, parts, 100, false, 1000);
    // "t#" natural from the start (quiet start dropped) to "eI"; "eI" 100 ms.
    ASSERT_EQ(shaped.size(), 500u + 100u);
    EXPECT_EQ(shaped[0], 1000);
    EXPECT_EQ(shaped[499], 2000);
    EXPECT_EQ(shaped[550], 3000);
    EXPECT_TRUE(shaped[500] == 0 && shaped.back() == 0);  // a fitted part fades in and out
    // More parts than marks: the whole is fitted to the lengths added up.
    const std::vector<SungPart> more{{"t", 200}, {"eI", 100}, {"k", 300}};
    EXPECT_EQ(ShapeSung(sound, more, 100, false, 1000).size(), 600u);
}

TEST(SoundFileConversion, MixesChannelsAndConvertsRatesTheSameInAnyBlocks) {
    std::vector<float> mono;
    MixToMono(std::vector<float>{0.2f, 0.4f, -1.0f, 1.0f, 0.5f}, 2, mono);
    EXPECT_EQ(mono, (std::vector<float>{0.3f, 0.0f}));  // a torn last frame is dropped

    std::vector<float> input(1000);
    for (std::size_t i = 0; i < input.size(); ++i) input[i] = std::sin(0.05f * i);
    for (auto [from, to] : {std::pair{44100, 22050}, {8000, 22050}, {22050, 22050}, {1, 4}}) {
        SCOPED_TRACE(std::to_string(from) + " to " + std::to_string(to));
        std::vector<float> whole, pieces;
        RateConverter once(from, to);
        once.Push(input, whole);
        once.Finish(whole);
        RateConverter blocks(from, to);
        for (std::size_t at = 0, size = 1; at < input.size();
             at += size, size = size * 3 % 97 + 1) {
            blocks.Push(std::span(input).subspan(at, std::min(size, input.size() - at)), pieces);
        }
        blocks.Finish(pieces);
        // Positions n * from / to up to the last input sample.
        EXPECT_EQ(whole.size(), (input.size() - 1) * std::size_t(to) / std::size_t(from) + 1);
        EXPECT_EQ(pieces, whole);
        const double at = 3.0 * from / to;  // linear between the samples around it
        const auto left = static_cast<std::size_t>(at);
        EXPECT_NEAR(whole[3], input[left] + (at - left) * (input[left + 1] - input[left]), 1e-5);
    }
    std::vector<std::int16_t> pcm;
    ToPcm16(std::vector<float>{2.0f, -2.0f, 0.5f}, pcm);
    EXPECT_EQ(pcm, (std::vector<std::int16_t>{32767, -32767, 16384}));
}

}  // namespace
}  // namespace qvx::speak
