#include <gtest/gtest.h>

#include "speak/PhonemeMap.h"
#include "speak/ScriptParser.h"

namespace qvx::speak {
namespace {

template <class Event>
const Event& Only(const ParsedScript& parsed) {
    EXPECT_EQ(parsed.events.size(), 1u);
    EXPECT_TRUE(std::holds_alternative<Event>(parsed.events.at(0)));
    return std::get<Event>(parsed.events.at(0));
}

TEST(ScriptParser, CommandNamesMatchByUniquePrefixIgnoringCase) {
    struct Row {
        const char* script;
        std::int32_t rate;
    };
    for (const Row& row : {Row{"[:ra 200]", 200}, Row{"[:rate 250]", 250}, Row{"[:R 90]", 90},
                           Row{"[:RaTe 300]", 300}}) {
        SCOPED_TRACE(row.script);
        EXPECT_EQ(Only<SetRate>(ParseScript(row.script)).wordsPerMinute, row.rate);
    }
    EXPECT_EQ(Only<Dial>(ParseScript("[:di 12]")).keys, "12");
    EXPECT_EQ(Only<SelectVoice>(ParseScript("[:NB]")).letter, 'b');
}

TEST(ScriptParser, AmbiguousOrUnknownCommandsMakeNoEventAndAreNeverSpoken) {
    // "d" could be dial or dv, "p" play or phone, "n" any voice.
    for (const char* script : {"[:d 1]", "[:p x]", "[:n]", "[:volume 50]", "[:]", "[:rates 1]"}) {
        SCOPED_TRACE(script);
        const ParsedScript parsed = ParseScript(script);
        EXPECT_TRUE(parsed.events.empty());
        EXPECT_EQ(parsed.warnings.size(), 1u);
    }
}

TEST(ScriptParser, ParametersInQuotesOrAngleBracketsOrPlain) {
    for (const char* script :
         {"[:tone<440,500>]", "[:tone 440,500]", "[:tone 440 500]", "[:tone \"440, 500\"]"}) {
        SCOPED_TRACE(script);
        const PlayTone tone = Only<PlayTone>(ParseScript(script));
        EXPECT_EQ(tone.hertz, 440);
        EXPECT_EQ(tone.milliseconds, 500);
    }
    EXPECT_EQ(Only<Dial>(ParseScript("[:dial \"555 12,3\"]")).keys, "555 12,3");
    EXPECT_EQ(Only<Dial>(ParseScript("[:dial <9]1>]")).keys, "9]1");
    EXPECT_EQ(Only<PlaySound>(ParseScript("[:play bell.wav]")).name, "bell.wav");
}

TEST(ScriptParser, DesignVoiceTakesPairsAndSkipsWhatItCannotUse) {
    const ParsedScript parsed = ParseScript("[:dv ap 150 pr 0 zz 3 sx]");
    ASSERT_EQ(parsed.events.size(), 2u);
    EXPECT_EQ(std::get<DesignVoice>(parsed.events[0]).parameter, "ap");
    EXPECT_EQ(std::get<DesignVoice>(parsed.events[0]).value, 150);
    EXPECT_EQ(std::get<DesignVoice>(parsed.events[1]).parameter, "pr");
    EXPECT_EQ(std::get<DesignVoice>(parsed.events[1]).value, 0);
    EXPECT_EQ(parsed.warnings.size(), 2u);  // unknown "zz", "sx" without number
}

TEST(ScriptParser, TextBetweenCommandsIsSpokenAndBlankLinesGiveNothing) {
    const ParsedScript parsed = ParseScript("  \r\n\r\nhello [:np] world  \r\n\t \r\n");
    ASSERT_EQ(parsed.events.size(), 3u);
    EXPECT_EQ(std::get<SpeakText>(parsed.events[0]).text, "hello");
    EXPECT_EQ(std::get<SelectVoice>(parsed.events[1]).letter, 'p');
    EXPECT_EQ(std::get<SpeakText>(parsed.events[2]).text, "world");
    EXPECT_TRUE(parsed.warnings.empty());
}

TEST(ScriptParser, UnclosedCommandSkipsTheRestOfItsLineOnly) {
    const ParsedScript parsed = ParseScript("one [:ra 200\r\ntwo");
    ASSERT_EQ(parsed.events.size(), 2u);
    EXPECT_EQ(std::get<SpeakText>(parsed.events[0]).text, "one");
    EXPECT_EQ(std::get<SpeakText>(parsed.events[1]).text, "two");
    ASSERT_EQ(parsed.warnings.size(), 1u);
    EXPECT_EQ(parsed.warnings[0].rfind("line 1:", 0), 0u);
}

TEST(ScriptParser, PhonemeEntriesOnlyInPhonemeMode) {
    const ParsedScript parsed =
        ParseScript("[aa<100,1>]\r\n[:phone on]\r\n[aa<500,34>][EH<200>]\r\n[:ph off][iy<1,2>]");
    ASSERT_EQ(parsed.events.size(), 2u);
    const auto& sung = std::get<SingPhonemes>(parsed.events[0]);
    EXPECT_EQ(sung.codes, std::vector<std::string>{"aa"});
    EXPECT_EQ(sung.milliseconds, 500);
    EXPECT_EQ(sung.pitch, 34);
    const auto& kept = std::get<SingPhonemes>(parsed.events[1]);
    EXPECT_EQ(kept.codes, std::vector<std::string>{"eh"});
    EXPECT_EQ(kept.milliseconds, 200);
    EXPECT_FALSE(kept.pitch.has_value());
    EXPECT_EQ(parsed.warnings.size(), 2u);  // before phone on, and after phone off
}

TEST(ScriptParser, CommaEntryIsTheOneLetterFormOfAo) {
    const ParsedScript parsed = ParseScript("[:phone on][,<250,1>]");
    EXPECT_EQ(Only<SingPhonemes>(parsed).codes, std::vector<std::string>{","});
    EXPECT_EQ(EspeakPhoneme(","), EspeakPhoneme("ao"));
}

TEST(PhonemeCodes, TwoCharactersAreMatchedBeforeOne) {
    struct Row {
        const char* text;
        std::vector<std::string> codes;
    };
    for (const Row& row :
         {Row{"brr", {"b", "rr"}}, Row{"shaa", {"sh", "aa"}}, Row{"ssh", {"s", "sh"}},
          Row{"DH'ax", {"dh", "ax"}}, Row{"nxc", {"nx", "c"}}}) {
        SCOPED_TRACE(row.text);
        const PhonemeSplit split = SplitPhonemeCodes(row.text);
        EXPECT_FALSE(split.unknown.has_value());
        EXPECT_EQ(split.codes, row.codes);
    }
    EXPECT_EQ(SplitPhonemeCodes("aaqx").unknown, 'q');
    EXPECT_EQ(SplitPhonemeCodes("a").unknown, 'a');  // "a" alone is no code
}

TEST(PhonemeCodes, EveryCodeOfTheEditorHasAMnemonicAndInputEndsWithABlank) {
    for (const char* code :
         {"aa", "ae", "ah", "ao", "aw", "ax", "ay", "b",  "c",  "ch", "d", "dh", "eh", "en", "ey",
          "f",  "g",  "hx", "ih", "ix", "iy", "jh", "k",  "l",  "lx", "m", "n",  "nx", "or", "ow",
          "oy", "p",  "r",  "rr", "s",  "sh", "t",  "th", "uh", "uw", "v", "w",  "z",  "zh"}) {
        EXPECT_TRUE(EspeakPhoneme(code).has_value()) << code;
    }
    EXPECT_EQ(EspeakPhonemeInput({"hx", "eh", "l", "ow"}), "[[hEloU]] ");
}

}  // namespace
}  // namespace qvx::speak
