#include "speak/ScriptParser.h"

#include <algorithm>
#include <array>
#include <optional>
#include <ranges>
#include <vector>

#include "common/AsciiCase.h"
#include "common/NumericText.h"
#include "speak/PhonemicText.h"
#include "speak/Voices.h"

namespace qvx::speak {
namespace {

struct Token {
    std::string text;
    bool grouped = false;  // it came in double quotes or in "<...>"
};

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == ',';
}

std::vector<Token> Tokenize(std::string_view rest) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < rest.size()) {
        const char c = rest[i];
        if (IsSeparator(c)) {
            ++i;
        } else if (c == '"' || c == '<') {
            const char close = c == '"' ? '"' : '>';
            const std::size_t end = rest.find(close, i + 1);
            const std::size_t stop = end == std::string_view::npos ? rest.size() : end;
            tokens.push_back({std::string(rest.substr(i + 1, stop - i - 1)), true});
            i = stop + 1;
        } else {
            std::size_t end = i;
            while (end < rest.size() && !IsSeparator(rest[end]) && rest[end] != '"' &&
                   rest[end] != '<') {
                ++end;
            }
            tokens.push_back({std::string(rest.substr(i, end - i)), false});
            i = end;
        }
    }
    return tokens;
}

// The words of the tokens, a quoted or bracketed group split at its blanks and
// commas: "<440,500>" and "440 500" give the same numbers.
std::vector<std::string> Words(const std::vector<Token>& tokens) {
    std::vector<std::string> words;
    for (const Token& token : tokens) {
        if (!token.grouped) {
            words.push_back(token.text);
            continue;
        }
        for (const Token& inner : Tokenize(token.text)) words.push_back(inner.text);
    }
    return words;
}

std::optional<std::int32_t> Number(std::string_view word) {
    const NumericValue parsed = ParseNumericText(word);
    if (parsed.status != NumericStatus::Valid) return std::nullopt;
    return parsed.value;
}

std::optional<std::int32_t> FirstNumber(const std::vector<std::string>& words) {
    return words.empty() ? std::nullopt : Number(words[0]);
}

// The row whose name `word` spells out or, failing that, the one row whose
// name it begins; case ignored. Nothing for an ambiguous or unknown word.
template <class Rows>
const std::ranges::range_value_t<Rows>* MatchAbbreviation(const Rows& rows, std::string_view word) {
    using Row = std::ranges::range_value_t<Rows>;
    const std::string lower = ToLowerAscii(word);
    for (const Row& row : rows) {
        if (row.name == lower) return &row;
    }
    const Row* found = nullptr;
    for (const Row& row : rows) {
        if (!lower.empty() && row.name.starts_with(lower)) {
            if (found) return nullptr;
            found = &row;
        }
    }
    return found;
}

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

template <class Value>
struct Option {
    std::string_view name;
    Value value;
};

constexpr Option<std::optional<bool>> kPhonemeOptions[] = {
    {"arpabet", std::nullopt}, {"speak", std::nullopt}, {"on", true}, {"off", false}};
constexpr Option<VolumeChange> kVolumeOptions[] = {
    {"set", VolumeChange::Set}, {"up", VolumeChange::Up}, {"down", VolumeChange::Down}};

// Design-voice parameters the synthesizer knows. All but the intonation's
// (bf, hr, sr, as, qu) change the sound here; those are accepted silently.
constexpr std::array<std::string_view, 28> kDesignParameters{
    "sx", "ap", "pr", "hs", "br", "lx", "sm", "ri", "nf", "la", "bf", "hr", "sr", "as",
    "qu", "f4", "f5", "b4", "b5", "g1", "g2", "g3", "g4", "g5", "gv", "gh", "gf", "gn"};

class LineParser;
using CommandHandler = void (LineParser::*)(std::string_view name, const std::vector<Token>&);

struct CommandName {
    std::string_view name;
    CommandHandler handler;
};

class LineParser {
  public:
    LineParser(bool& phonemeMode, const EventSink& emit, const WarningSink& warn)
        : phonemeMode_(phonemeMode), emit_(emit), warn_(warn) {}

    void Parse(std::string_view line) {
        std::size_t textStart = 0;
        std::size_t i = 0;
        while (i < line.size()) {
            if (line[i] != '[') {
                ++i;
                continue;
            }
            SpeakPlain(line.substr(textStart, i - textStart));
            const bool isCommand = i + 1 < line.size() && line[i + 1] == ':';
            const std::size_t open = i + (isCommand ? 2 : 1);
            const std::size_t end = FindClose(line, open);
            if (end == std::string_view::npos) {
                return warn_("a bracket is not closed; the rest of the line is skipped");
            }
            const std::string_view body = line.substr(open, end - open);
            if (isCommand) {
                Command(body);
            } else if (phonemeMode_) {
                PhonemicEntry(body);
            } else {
                warn_(Quoted("[" + std::string(body) + "]") + " is skipped outside phoneme mode");
            }
            i = textStart = end + 1;
        }
        SpeakPlain(line.substr(textStart));
    }

    void Voice(std::string_view name, const std::vector<Token>&) { Emit(SelectVoice{name[1]}); }

    void Name(std::string_view, const std::vector<Token>& tokens) {
        const std::vector<std::string> words = Words(tokens);
        const VoiceRow* voice = words.empty() ? nullptr : MatchAbbreviation(VoiceTable(), words[0]);
        if (!voice) return warn_("[:name] needs one of the ten voice names; skipped");
        Emit(SelectVoice{voice->letter});
    }

    void DesignVoiceCommand(std::string_view, const std::vector<Token>& tokens) {
        const std::vector<std::string> words = Words(tokens);
        for (std::size_t i = 0; i < words.size(); i += 2) {
            const std::string name = ToLowerAscii(words[i]);
            const auto value = i + 1 < words.size() ? Number(words[i + 1]) : std::nullopt;
            if (std::find(kDesignParameters.begin(), kDesignParameters.end(), name) ==
                kDesignParameters.end()) {
                warn_("unknown voice parameter " + Quoted(words[i]) + " is skipped");
            } else if (!value) {
                warn_("voice parameter " + Quoted(words[i]) + " has no number and is skipped");
            } else {
                Emit(DesignVoice{name, *value});
            }
        }
    }

    void Rate(std::string_view, const std::vector<Token>& tokens) {
        const auto rate = FirstNumber(Words(tokens));
        if (!rate) return warn_("the rate has no number and is skipped");
        Emit(SetRate{*rate});
    }

    void CommaPause(std::string_view, const std::vector<Token>& tokens) {
        SetPauseOf(PauseKind::Comma, tokens);
    }
    void PeriodPause(std::string_view, const std::vector<Token>& tokens) {
        SetPauseOf(PauseKind::Period, tokens);
    }

    void PauseCommand(std::string_view, const std::vector<Token>& tokens) {
        const auto length = FirstNumber(Words(tokens));
        if (!length) return warn_("the pause has no length and is skipped");
        Emit(Pause{*length});
    }

    void Volume(std::string_view, const std::vector<Token>& tokens) {
        const std::vector<std::string> words = Words(tokens);
        const auto* option = words.empty() ? nullptr : MatchAbbreviation(kVolumeOptions, words[0]);
        const auto amount = words.size() > 1 ? Number(words[1]) : std::nullopt;
        if (!option || !amount) {
            return warn_("the volume needs set, up or down and a number; skipped");
        }
        Emit(SetVolume{option->value, *amount});
    }

    void Tone(std::string_view, const std::vector<Token>& tokens) {
        const std::vector<std::string> words = Words(tokens);
        const auto hertz = FirstNumber(words);
        const auto length = words.size() > 1 ? Number(words[1]) : std::nullopt;
        if (!hertz || !length) return warn_("a tone needs a frequency and a length; skipped");
        Emit(PlayTone{*hertz, *length});
    }

    void DialCommand(std::string_view, const std::vector<Token>& tokens) {
        if (tokens.empty()) return;
        Emit(Dial{tokens[0].text});
    }

    void Play(std::string_view, const std::vector<Token>& tokens) {
        if (tokens.empty()) return warn_("a sound command names no file; skipped");
        Emit(PlaySound{tokens[0].text});
    }

    void Phoneme(std::string_view, const std::vector<Token>& tokens) {
        std::optional<bool> mode;
        for (const std::string& word : Words(tokens)) {
            const auto* option = MatchAbbreviation(kPhonemeOptions, word);
            if (!option) {
                return warn_("unknown phoneme option " + Quoted(word) + "; the command is skipped");
            }
            if (option->value) mode = option->value;
        }
        if (mode) phonemeMode_ = *mode;
    }

    // Documented commands that change nothing in a sound file or on a sound card.
    void Silent(std::string_view, const std::vector<Token>&) {}

  private:
    static std::size_t FindClose(std::string_view line, std::size_t from) {
        char open = 0;  // the quote or "<" we are inside of, if any
        for (std::size_t i = from; i < line.size(); ++i) {
            const char c = line[i];
            if (open) {
                if ((open == '"' && c == '"') || (open == '<' && c == '>')) open = 0;
            } else if (c == '"' || c == '<') {
                open = c;
            } else if (c == ']') {
                return i;
            }
        }
        return std::string_view::npos;
    }

    void SpeakPlain(std::string_view text) {
        const auto first = text.find_first_not_of(" \t\n");
        if (first == std::string_view::npos) return;
        const auto last = text.find_last_not_of(" \t\n");
        Emit(SpeakText{std::string(text.substr(first, last - first + 1))});
    }

    void Command(std::string_view body);

    // Each item goes on as soon as it is read; a fault ends the bracket there.
    void PhonemicEntry(std::string_view body) {
        PhonemicReader reader(body);
        PhonemicItem item;
        bool any = false;
        while (reader.Next(item)) {
            Emit(item);
            any = true;
        }
        if (!reader.fault().empty()) {
            warn_(Quoted("[" + std::string(body) + "]") + " is cut short: " + reader.fault());
        }
        if (any) Emit(PhonemicEnd{});
    }

    void SetPauseOf(PauseKind kind, const std::vector<Token>& tokens) {
        const auto length = FirstNumber(Words(tokens));
        if (!length) return warn_("the pause has no length and is skipped");
        Emit(SetPause{kind, *length});
    }

    template <class Event>
    void Emit(Event event) {
        emit_(ScriptEvent(std::in_place_type<Event>, std::move(event)));
    }

    bool& phonemeMode_;
    const EventSink& emit_;
    const WarningSink& warn_;
};

constexpr CommandName kCommands[] = {
    {"nb", &LineParser::Voice},         {"nd", &LineParser::Voice},
    {"nf", &LineParser::Voice},         {"nh", &LineParser::Voice},
    {"nk", &LineParser::Voice},         {"np", &LineParser::Voice},
    {"nr", &LineParser::Voice},         {"nu", &LineParser::Voice},
    {"nw", &LineParser::Voice},         {"nv", &LineParser::Voice},
    {"name", &LineParser::Name},        {"dv", &LineParser::DesignVoiceCommand},
    {"rate", &LineParser::Rate},        {"comma", &LineParser::CommaPause},
    {"cp", &LineParser::CommaPause},    {"period", &LineParser::PeriodPause},
    {"pp", &LineParser::PeriodPause},   {"pause", &LineParser::PauseCommand},
    {"volume", &LineParser::Volume},    {"tone", &LineParser::Tone},
    {"dial", &LineParser::DialCommand}, {"play", &LineParser::Play},
    {"phoneme", &LineParser::Phoneme},  {"punct", &LineParser::Silent},
    {"mode", &LineParser::Silent},      {"say", &LineParser::Silent},
    {"index", &LineParser::Silent},     {"error", &LineParser::Silent},
    {"log", &LineParser::Silent},       {"sync", &LineParser::Silent},
    {"pronounce", &LineParser::Silent}, {"lang", &LineParser::Silent},
    {"define", &LineParser::Silent},    {"enable", &LineParser::Silent},
    {"flush", &LineParser::Silent},
};

void LineParser::Command(std::string_view body) {
    std::size_t nameEnd = 0;
    while (nameEnd < body.size() && IsAsciiLetter(body[nameEnd])) {
        ++nameEnd;
    }
    const CommandName* match = MatchAbbreviation(kCommands, body.substr(0, nameEnd));
    if (!match)
        return warn_("unknown command " + Quoted("[:" + std::string(body) + "]") + " is skipped");
    (this->*match->handler)(match->name, Tokenize(body.substr(nameEnd)));
}

}  // namespace

void ScriptParser::ParseLine(std::string_view line, const EventSink& emit,
                             const WarningSink& warn) {
    LineParser(phonemeMode_, emit, warn).Parse(line);
}

}  // namespace qvx::speak
