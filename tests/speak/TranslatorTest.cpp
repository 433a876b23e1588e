#include <gtest/gtest.h>

#include <cmath>

#include "common/LineReader.h"
#include "speak/Notes.h"
#include "speak/ScriptParser.h"
#include "speak/Timeline.h"

namespace qvx::speak {
namespace {

struct Translated {
    std::vector<Segment> segments;
    std::vector<std::string> warnings;
};

// The script parsed and translated line by line, as speak43 does.
Translated TranslateText(std::string_view script) {
    Translated out;
    ScriptParser parser;
    Translator translator;
    const WarningSink warn = [&out](const std::string& w) { out.warnings.push_back(w); };
    const SegmentSink keep = [&out](const Segment& s) {
        out.segments.push_back(s);
        return true;
    };
    LineSplitter lines(script);
    std::string_view line;
    while (lines.Next(line)) {
        parser.ParseLine(
            line, [&](const ScriptEvent& e) { EXPECT_TRUE(translator.Translate(e, keep, warn)); },
            warn);
    }
    return out;
}

// A segment as short words: "sing [[oUr]] 262~ 400,0" is sung at 262 Hz with
// vibrato, its first phoneme 400 ms, its second natural.
std::string Describe(const Segment& segment) {
    struct Words {
        std::string operator()(const SpeechSegment& s) { return "speak " + s.text; }
        std::string operator()(const SungSegment& s) {
            std::string lengths;
            for (const SungPart& part : s.parts) {
                lengths += (lengths.empty() ? "" : ",") + std::to_string(part.milliseconds);
            }
            return "sing " + s.phonemeInput.substr(0, s.phonemeInput.size() - 1) + " " +
                   std::to_string(std::lround(s.hertz)) + (s.vibrato ? "~ " : " ") + lengths;
        }
        std::string operator()(const ToneSegment& s) {
            return "tone " + std::to_string(std::lround(s.hertz)) + " " +
                   std::to_string(s.milliseconds);
        }
        std::string operator()(const DialSegment& s) { return "dial " + s.keys; }
        std::string operator()(const SilenceSegment& s) {
            return "rest " + std::to_string(s.milliseconds);
        }
        std::string operator()(const SoundSegment& s) { return "play " + s.name; }
        std::string operator()(const VolumeSegment& s) {
            return "volume " + std::to_string(std::lround(s.gain * 100));
        }
    };
    return std::visit(Words{}, segment);
}

TEST(Translator, ScriptsGiveTheirSegments) {
    struct Row {
        const char* script;
        const char* segments;
        std::size_t warnings;
    };
    const Row rows[] = {
        // Sung phonemes go to the engine in groups of one pitch: a phoneme
        // without a pitch keeps the one before it (the voice's at first), a
        // silence or a pause ends a group, a blank separates words.
        {"[:phoneme on][dow<400,25>rey<400,27> miy<400,29>_<100>]",
         "sing [[d]] 122 0 | sing [[oUr]] 262~ 400,0 | sing [[eI m]] 294~ 400,0 | "
         "sing [[i:]] 330~ 400 | rest 100",
         0},
        {"[:phoneme on][aa<500,34>]\r\n[ey<200>][iy<300,220>][ow<100>uw _]",
         "sing [[A:]] 440~ 500 | sing [[eI]] 440~ 200 | sing [[i:]] 220 300 | "
         "sing [[oUu:]] 220 100,0 | rest 50",
         0},
        // Pauses of "," and "." as the script sets them; 0 rests not at all.
        {"[:comma 50][:period 300][:phoneme on][aa<100,30>,aa.][:pp 0][aa.][:cp -1][aa,]",
         "sing [[A:]] 349~ 100 | rest 50 | sing [[A:]] 349~ 0 | rest 300 | sing [[A:]] 349~ 0 | "
         "sing [[A:]] 349~ 0",
         1},
        // Out-of-range sung values are bounded or kept, with a warning.
        {"[:phoneme on][aa<0,5>][aa<99999,-3>]", "sing [[A:]] 82~ 1 | sing [[A:]] 82~ 20000", 3},
        {"[:pause 300][:pause -5][:pause 99999]", "rest 300 | rest 60000", 2},
        {"[:volume set 60][:volume up 50][:volume down 300][:volume up 30]",
         "volume 60 | volume 100 | volume 0 | volume 30", 0},
        {"[:tone<20000,100>][:tone<440,0>][:tone<440,-5>][:tone<5,99999999>]"
         "[:tone<20,60000>][:tone<10000,1>]",
         "tone 10000 100 | tone 20 60000 | tone 20 60000 | tone 10000 1", 5},
        {"[:dial 5-#][:dial 12x3][:dial \"\"]", "dial 5-#", 1},
        // Sound files are those of the program folder only.
        {"[:play ../secret.wav][:play /etc/x.wav][:play bell.wav]", "play bell.wav", 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.script);
        const Translated t = TranslateText(row.script);
        std::string segments;
        for (const Segment& s : t.segments)
            segments += (segments.empty() ? "" : " | ") + Describe(s);
        EXPECT_EQ(segments, row.segments);
        EXPECT_EQ(t.warnings.size(), row.warnings);
    }
}

TEST(Translator, NoEngineCallTakesMorePhonemesThanItCanBear) {
    const Translated t = TranslateText("[:phoneme on][" + std::string(150, 'm') + "]");
    std::vector<std::size_t> sizes;
    for (const Segment& s : t.segments) sizes.push_back(std::get<SungSegment>(s).parts.size());
    EXPECT_EQ(sizes, (std::vector<std::size_t>{kMostPhonemesPerCall, kMostPhonemesPerCall,
                                               150 - 2 * kMostPhonemesPerCall}));
}

TEST(Notes, NoteNumbersAreEqualTemperedAndOtherNumbersHertz) {
    struct Row {
        std::int32_t pitch;
        double hertz;
        bool vibrato;
    };
    for (const Row& row :
         {Row{1, 65.41, true}, Row{13, 130.81, true}, Row{25, 261.63, true}, Row{34, 440.0, true},
          Row{37, 523.25, true}, Row{0, 0, false}, Row{38, 38, false}, Row{220, 220, false}}) {
        SCOPED_TRACE(row.pitch);
        const SungPitch pitch = PitchOfEntry(row.pitch);
        EXPECT_NEAR(pitch.hertz, row.hertz, 0.01);
        EXPECT_EQ(pitch.vibrato, row.vibrato);
    }
}

TEST(Translator, VoicesHaveTheirSexAndPitchAndKeepTheRate) {
    struct Row {
        const char* command;
        bool male;
        std::int32_t pitch;
    };
    const Row rows[] = {{"[:np]", true, 122},  {"[:nh]", true, 89},   {"[:nf]", true, 155},
                        {"[:nd]", true, 110},  {"[:nb]", false, 208}, {"[:nu]", false, 240},
                        {"[:nw]", false, 200}, {"[:nr]", false, 106}, {"[:nk]", false, 306},
                        {"[:nv]", true, 122}};
    std::vector<std::string_view> variants;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.command);
        const Translated t = TranslateText(std::string("[:ra 300]") + row.command + "hi");
        ASSERT_EQ(t.segments.size(), 1u);
        const VoiceSettings& voice = std::get<SpeechSegment>(t.segments[0]).voice;
        EXPECT_EQ(voice.male, row.male);
        EXPECT_EQ(voice.averagePitch, row.pitch);
        EXPECT_EQ(voice.wordsPerMinute, 300);
        if (row.command != std::string("[:nv]")) variants.push_back(voice.variant);
    }
    std::sort(variants.begin(), variants.end());
    EXPECT_EQ(std::unique(variants.begin(), variants.end()), variants.end())
        << "voices share a variant";
}

TEST(Translator, DesignVoiceAndRateAreClamped) {
    const Translated t =
        TranslateText("[:dv ap 900 pr 300][:ra 5]a[:dv ap 10 pr -4 sx 0][:ra 9999]b");
    ASSERT_EQ(t.segments.size(), 2u);
    const VoiceSettings& a = std::get<SpeechSegment>(t.segments[0]).voice;
    EXPECT_EQ(a.averagePitch, 350);
    EXPECT_EQ(a.pitchRange, 250);
    EXPECT_EQ(a.wordsPerMinute, 75);
    const VoiceSettings& b = std::get<SpeechSegment>(t.segments[1]).voice;
    EXPECT_EQ(b.averagePitch, 50);
    EXPECT_EQ(b.pitchRange, 0);
    EXPECT_FALSE(b.male);
    EXPECT_EQ(b.wordsPerMinute, 600);
    EXPECT_EQ(EspeakRate(600), 450);
    EXPECT_EQ(EspeakRate(75), 80);
}

TEST(Translator, UserDefinedVoiceRemembersItsDesignButOthersStartFresh) {
    const Translated t = TranslateText("[:nv][:dv ap 200]a[:np]b[:nv]c[:nb][:dv ap 300][:nb]d");
    ASSERT_EQ(t.segments.size(), 4u);
    EXPECT_EQ(std::get<SpeechSegment>(t.segments[1]).voice.averagePitch, 122);
    EXPECT_EQ(std::get<SpeechSegment>(t.segments[2]).voice.averagePitch, 200);
    EXPECT_EQ(std::get<SpeechSegment>(t.segments[3]).voice.averagePitch, 208);
}

TEST(Translator, MonotoneHasNoPitchSpan) {
    VoiceSettings voice = DefaultVoice();
    voice.pitchRange = 0;
    const PitchSpan flat = EspeakPitchSpan(voice);
    EXPECT_EQ(flat.low, flat.high);
    voice.pitchRange = 200;
    const PitchSpan wide = EspeakPitchSpan(voice);
    voice.pitchRange = 100;
    const PitchSpan normal = EspeakPitchSpan(voice);
    EXPECT_GT(wide.high - wide.low, normal.high - normal.low);
    EXPECT_LT(normal.low, 122);
    EXPECT_GT(normal.high, 122);
}

}  // namespace
}  // namespace qvx::speak
