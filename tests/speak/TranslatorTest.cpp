#include <gtest/gtest.h>

#include <cmath>

#include "speak/Notes.h"
#include "speak/ScriptParser.h"
#include "speak/Timeline.h"

namespace qvx::speak {
namespace {

Timeline TranslateText(std::string_view script) {
    return Translate(ParseScript(script));
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
        const Timeline t = TranslateText(std::string("[:ra 300]") + row.command + "hi");
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
    const Timeline t =
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
    const Timeline t = TranslateText("[:nv][:dv ap 200]a[:np]b[:nv]c[:nb][:dv ap 300][:nb]d");
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

TEST(Translator, DialKeysArePairsWithGapsAndPauses) {
    const Timeline t = TranslateText("[:dial 5-#]");
    ASSERT_EQ(t.segments.size(), 5u);
    const auto& five = std::get<ToneSegment>(t.segments[0]);
    EXPECT_EQ(five.hertz, (std::vector<double>{770, 1336}));
    EXPECT_EQ(five.milliseconds, 100);
    EXPECT_EQ(std::get<SilenceSegment>(t.segments[1]).milliseconds, 100);
    EXPECT_EQ(std::get<SilenceSegment>(t.segments[2]).milliseconds, 100);  // "-"
    EXPECT_EQ(std::get<ToneSegment>(t.segments[3]).hertz, (std::vector<double>{941, 1477}));
    // A foreign character skips the whole number.
    EXPECT_TRUE(TranslateText("[:dial 12x3]").segments.empty());
}

TEST(Translator, TonesOutsideWhatCanBePlayedAreBoundedOrSkipped) {
    const Timeline t =
        TranslateText("[:tone<20000,100>][:tone<440,0>][:tone<440,-5>][:tone<5,99999999>]");
    ASSERT_EQ(t.segments.size(), 2u);
    EXPECT_EQ(std::get<ToneSegment>(t.segments[0]).hertz[0], kHighestToneHz);
    EXPECT_EQ(std::get<ToneSegment>(t.segments[1]).hertz[0], kLowestToneHz);
    EXPECT_EQ(std::get<ToneSegment>(t.segments[1]).milliseconds, kLongestToneMs);
}

TEST(Translator, SoundNamesThatLeaveTheProgramFolderAreRefused) {
    const Timeline t = TranslateText("[:play ../secret.wav][:play /etc/x.wav][:play bell.wav]");
    ASSERT_EQ(t.segments.size(), 1u);
    EXPECT_EQ(std::get<SoundSegment>(t.segments[0]).name, "bell.wav");
    EXPECT_EQ(t.warnings.size(), 2u);
}

TEST(Translator, SungEntriesKeepThePreviousPitch) {
    const Timeline t = TranslateText("[:phone on][aa<500,34>][ey<200>][iy<300,220>][ow<100>][uw]");
    ASSERT_EQ(t.segments.size(), 5u);
    const auto& first = std::get<SungSegment>(t.segments[0]);
    EXPECT_NEAR(first.hertz, 440, 0.01);
    EXPECT_TRUE(first.vibrato);
    EXPECT_EQ(first.milliseconds, 500);
    EXPECT_EQ(first.phonemeInput, "[[A:]] ");
    EXPECT_NEAR(std::get<SungSegment>(t.segments[1]).hertz, 440, 0.01);
    const auto& hertz = std::get<SungSegment>(t.segments[2]);
    EXPECT_EQ(hertz.hertz, 220);
    EXPECT_FALSE(hertz.vibrato);
    EXPECT_EQ(std::get<SungSegment>(t.segments[3]).hertz, 220);
    EXPECT_EQ(std::get<SungSegment>(t.segments[4]).milliseconds, 0);  // natural length
}

}  // namespace
}  // namespace qvx::speak
