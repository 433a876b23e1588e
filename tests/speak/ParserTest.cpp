#include <gtest/gtest.h>

#include "common/LineReader.h"
#include "speak/PhonemicText.h"
#include "speak/ScriptParser.h"
#include "support/LineEnds.h"

namespace qvx::speak {
namespace {

std::string Number(std::optional<std::int32_t> value) {
    return value ? std::to_string(*value) : "-";
}

// An event as short words, e.g. "rate 200".
std::string Describe(const ScriptEvent& event) {
    struct Words {
        std::string operator()(const SpeakText& e) { return "say " + e.text; }
        std::string operator()(const SelectVoice& e) { return std::string("voice ") + e.letter; }
        std::string operator()(const DesignVoice& e) {
            return "dv " + e.parameter + " " + std::to_string(e.value);
        }
        std::string operator()(const SetRate& e) {
            return "rate " + std::to_string(e.wordsPerMinute);
        }
        std::string operator()(const SetPause& e) {
            return (e.kind == PauseKind::Comma ? "comma " : "period ") +
                   std::to_string(e.milliseconds);
        }
        std::string operator()(const Pause& e) { return "pause " + std::to_string(e.milliseconds); }
        std::string operator()(const SetVolume& e) {
            const char* change[] = {"set", "up", "down"};
            return std::string("volume ") + change[int(e.change)] + " " + std::to_string(e.amount);
        }
        std::string operator()(const PlayTone& e) {
            return "tone " + std::to_string(e.hertz) + " " + std::to_string(e.milliseconds);
        }
        std::string operator()(const Dial& e) { return "dial " + e.keys; }
        std::string operator()(const PlaySound& e) { return "play " + e.name; }
        std::string operator()(const SingPhonemes& e) { return "sing " + e.text; }
    };
    return std::visit(Words{}, event);
}

// A script parsed line by line as speak43 reads it: its events joined by
// " | ", and the line number of each warning.
struct Parsed {
    std::string events;
    std::vector<std::size_t> warningLines;
};

Parsed Parse(std::string_view script) {
    Parsed parsed;
    ScriptParser parser;
    LineSplitter lines(script);
    std::string_view line;
    for (std::size_t number = 1; lines.Next(line); ++number) {
        parser.ParseLine(
            line,
            [&](const ScriptEvent& e) {
                parsed.events += (parsed.events.empty() ? "" : " | ") + Describe(e);
            },
            [&](const std::string&) { parsed.warningLines.push_back(number); });
    }
    return parsed;
}

struct ParseCase {
    const char* script;  // lines end in CR LF here; every row is also read with LF and CR
    const char* events;
    std::vector<std::size_t> warningLines;
};

const ParseCase kParseCases[] = {
    // Names by unique beginning, case ignored, numbers glued to the name.
    {"[:ra 200][:RaTe 300][:R 90][:rate100]", "rate 200 | rate 300 | rate 90 | rate 100", {}},
    {"[:di 12][:NB][:tone100,2000]", "dial 12 | voice b | tone 100 2000", {}},
    {"[:name Paul][:na k][:name VAL]\r\n[:name bob]", "voice p | voice k | voice v", {2}},
    // Ambiguous ("d": dial, dv or define; "p", "n", "c") or unknown.
    {"[:d 1]\r\n[:p x][:n]\r\n[:c 5]\r\n[:]\r\n[:rates 1]", "", {1, 2, 2, 3, 4, 5}},
    // Documented commands with no effect on the sound.
    {"[:punct some][:mode spell on][:say letter][:index 3][:error speak][:log on]"
     "[:sync][:pronounce x][:lang us][:define \"a\" \"b\"][:enable][:flush all]",
     "",
     {}},
    {"[:comma 50][:cp 60][:period 100][:pp 120][:pause 300]",
     "comma 50 | comma 60 | period 100 | period 120 | pause 300",
     {}},
    {"[:volume set 60][:vo up 10][:volume D 5]\r\n[:volume 50]\r\n[:volume loud 5]",
     "volume set 60 | volume up 10 | volume down 5",
     {2, 3}},
    // Parameters plain, in "<...>" or quoted.
    {"[:tone<440,500>][:tone 440 500][:tone \"440, 500\"]\r\n[:tone 440]",
     "tone 440 500 | tone 440 500 | tone 440 500",
     {2}},
    {"[:dial \"555 12,3\"][:dial <9]1>][:play Bell.WAV]",
     "dial 555 12,3 | dial 9]1 | play Bell.WAV",
     {}},
    // Design-voice pairs; an unknown name and a name without number are skipped.
    {"[:dv ap 150 pr 0 zz 3 sx]", "dv ap 150 | dv pr 0", {1, 1}},
    // Text between commands is spoken; blank lines give nothing.
    {"  \r\n\r\nhello [:np] world  \r\n\t \r\n", "say hello | voice p | say world", {}},
    // An unclosed command silences the rest of its line only.
    {"one [:ra 200\r\ntwo", "say one | say two", {1}},
    // Phonemic text counts only in phoneme mode, which every spelling of the
    // command switches; a bracket with a fault is skipped whole.
    {"[aa<100,1>]\r\n[:phoneme arpabet speak on][aa<500,34>]\r\n[:ph off][iy<1,2>]\r\n"
     "[:phon on][dow<400,25>rey<400,27> miy<400,29>_<100>]\r\n[:phone on][,<250,1>]",
     "sing aa<500,34> | sing dow<400,25>rey<400,27> miy<400,29>_<100> | sing ,<250,1>",
     {1, 3}},
    {"[:phoneme on]\r\n[hello]\r\n[<100>aa][aa<1,x>][aa<>]\r\n[aa<400]\r\n[:phoneme sampa on]"
     "[:phoneme o]",
     "",
     {2, 3, 3, 3, 4, 5, 5}},
};

class ParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, ScriptGivesItsEventsAndWarnsOnTheTrueLine) {
    for (std::string_view end : test::kLineEnds) {
        SCOPED_TRACE(testing::PrintToString(end));
        const Parsed parsed = Parse(test::WithLineEnd(GetParam().script, end));
        EXPECT_EQ(parsed.events, GetParam().events);
        EXPECT_EQ(parsed.warningLines, GetParam().warningLines);
    }
}

INSTANTIATE_TEST_SUITE_P(Scripts, ParseTest, ::testing::ValuesIn(kParseCases));

// Phonemic text as items: "/" before a phoneme that starts a word, "," and
// "." for the pauses, the fault after "!".
std::string Items(std::string_view text) {
    PhonemicReader reader(text);
    PhonemicItem item;
    std::string out;
    while (reader.Next(item)) {
        if (!out.empty()) out += ' ';
        if (item.kind != PhonemicKind::Phoneme) {
            out += item.kind == PhonemicKind::CommaPause ? "," : ".";
            continue;
        }
        out += (item.startsWord ? "/" : "") + std::string(item.phoneme.code);
        if (item.milliseconds) out += "<" + Number(item.milliseconds);
        if (item.pitch) out += "," + Number(item.pitch);
        if (item.milliseconds) out += ">";
    }
    return reader.fault().empty() ? out : out + " !" + reader.fault();
}

TEST(PhonemicText, CodesLengthsPitchesWordsAndMarks) {
    struct Row {
        const char* text;
        const char* items;
    };
    for (const Row& row : {
             Row{"dow<400,25>rey<400, 27> miy<400,29>_<100>",
                 "d ow<400,25> r ey<400,27> /m iy<400,29> _<100>"},
             // Two characters before one; case ignored.
             Row{"brr shaa SSH DH'ax nxc", "b rr /sh aa /s sh /dh ax /nx c"},
             Row{"el yu yx dx q rx tx lx", "el /yu /yx /dx /q /rx /tx /lx"},
             // Only "," and "." pause; a "," carrying a length is "ao".
             Row{"'hx`eh\",l/ow\\-*#)?!+. ,<250,1>", "hx eh , l ow . /c<250,1>"},
             Row{"aax", "aa !\"x\" is no phoneme code"},
             Row{"<100>aa", " !\"<\" follows no phoneme"},
             Row{"aa<1,x>", " !\"<1,x>\" is no length and pitch"},
             Row{"aa<5", " !\"<\" is not closed"},
         }) {
        EXPECT_EQ(Items(row.text), row.items) << row.text;
    }
}

}  // namespace
}  // namespace qvx::speak
