#include <gtest/gtest.h>

#include "script/PhonemeToneWriters.h"
#include "speak/PhonemeMap.h"
#include "speak/ScriptParser.h"

namespace qvx::speak {
namespace {

std::string Number(std::optional<std::int32_t> value) {
    return value ? std::to_string(*value) : "-";
}

// The events as short words, one "|" between them, e.g. "say hi | rate 200".
std::string Describe(const ParsedScript& parsed) {
    struct Words {
        std::string operator()(const SpeakText& e) { return "say " + e.text; }
        std::string operator()(const SelectVoice& e) { return std::string("voice ") + e.letter; }
        std::string operator()(const DesignVoice& e) {
            return "dv " + e.parameter + " " + Number(e.value);
        }
        std::string operator()(const SetRate& e) { return "rate " + Number(e.wordsPerMinute); }
        std::string operator()(const PlayTone& e) {
            return "tone " + Number(e.hertz) + " " + Number(e.milliseconds);
        }
        std::string operator()(const Dial& e) { return "dial " + e.keys; }
        std::string operator()(const PlaySound& e) { return "play " + e.name; }
        std::string operator()(const SingPhonemes& e) {
            std::string codes;
            for (const std::string& code : e.codes) codes += (codes.empty() ? "" : "+") + code;
            return "sing " + codes + " " + Number(e.milliseconds) + " " + Number(e.pitch);
        }
    };
    std::string text;
    for (const ScriptEvent& event : parsed.events) {
        text += (text.empty() ? "" : " | ") + std::visit(Words{}, event);
    }
    return text;
}

struct ParseCase {
    const char* script;
    const char* events;
    std::size_t warnings;
};

const ParseCase kParseCases[] = {
    // Names by unique prefix, case ignored.
    {"[:ra 200]", "rate 200", 0},
    {"[:rate 250]", "rate 250", 0},
    {"[:R 90]", "rate 90", 0},
    {"[:RaTe 300]", "rate 300", 0},
    {"[:di 12]", "dial 12", 0},
    {"[:NB]", "voice b", 0},
    // Ambiguous ("d": dial or dv, "p": play or phone, "n": any voice) or
    // unknown: no event, never spoken, one warning.
    {"[:d 1]", "", 1},
    {"[:p x]", "", 1},
    {"[:n]", "", 1},
    {"[:volume 50]", "", 1},
    {"[:]", "", 1},
    {"[:rates 1]", "", 1},
    // Parameters plain, in "<...>" or quoted.
    {"[:tone<440,500>]", "tone 440 500", 0},
    {"[:tone 440,500]", "tone 440 500", 0},
    {"[:tone 440 500]", "tone 440 500", 0},
    {"[:tone \"440, 500\"]", "tone 440 500", 0},
    {"[:dial \"555 12,3\"]", "dial 555 12,3", 0},
    {"[:dial <9]1>]", "dial 9]1", 0},
    {"[:play bell.wav]", "play bell.wav", 0},
    // Design-voice pairs; an unknown name and a name without number are skipped.
    {"[:dv ap 150 pr 0 zz 3 sx]", "dv ap 150 | dv pr 0", 2},
    // Text between commands is spoken; blank lines give nothing.
    {"  \r\n\r\nhello [:np] world  \r\n\t \r\n", "say hello | voice p | say world", 0},
    // An unclosed command silences the rest of its line only.
    {"one [:ra 200\r\ntwo", "say one | say two", 1},
    // Entries count only in phoneme mode, with or without pitch.
    {"[aa<100,1>]\r\n[:phone on]\r\n[aa<500,34>][EH<200>]\r\n[:ph off][iy<1,2>]",
     "sing aa 500 34 | sing eh 200 -", 2},
    {"[:phone on][hxeh<200,3>][,<250,1>]", "sing hx+eh 200 3 | sing , 250 1", 0},
};

class ParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, ScriptGivesItsEvents) {
    const ParsedScript parsed = ParseScript(GetParam().script);
    EXPECT_EQ(Describe(parsed), GetParam().events);
    EXPECT_EQ(parsed.warnings.size(), GetParam().warnings);
    for (const std::string& warning : parsed.warnings) EXPECT_TRUE(warning.starts_with("line "));
}

INSTANTIATE_TEST_SUITE_P(Scripts, ParseTest, ::testing::ValuesIn(kParseCases));

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
    for (std::string_view code : PhonemeCodes) {
        EXPECT_TRUE(EspeakPhoneme(code).has_value()) << code;
    }
    EXPECT_EQ(EspeakPhonemeInput({"hx", "eh", "l", "ow"}), "[[hEloU]] ");
    EXPECT_EQ(EspeakPhoneme(","), EspeakPhoneme("ao"));  // the one-letter form
}

}  // namespace
}  // namespace qvx::speak
