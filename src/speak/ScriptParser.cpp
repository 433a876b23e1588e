#include "speak/ScriptParser.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <functional>

#include "common/AsciiCase.h"
#include "common/NumericText.h"
#include "common/TextFile.h"
#include "speak/PhonemeMap.h"

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

class LineParser;
using CommandHandler = void (LineParser::*)(std::string_view command, const std::vector<Token>&);

struct CommandName {
    std::string_view name;
    CommandHandler handler;
};

// Design-voice parameters the synthesizer knows. Only some change the sound
// here; the rest are accepted without a sound.
constexpr std::array<std::string_view, 28> kDesignParameters{
    "sx", "ap", "pr", "hs", "br", "lx", "sm", "ri", "nf", "la", "bf", "hr", "sr", "as",
    "qu", "f4", "f5", "b4", "b5", "g1", "g2", "g3", "g4", "g5", "gv", "gh", "gf", "gn"};

class LineParser {
  public:
    LineParser(ParsedScript& out, bool& phoneMode) : out_(out), phoneMode_(phoneMode) {}

    void Parse(std::string_view line, std::size_t lineNumber) {
        line_ = lineNumber;
        std::string text;
        std::size_t i = 0;
        while (i < line.size()) {
            if (line[i] != '[') {
                text += line[i++];
                continue;
            }
            FlushText(text);
            const bool isCommand = i + 1 < line.size() && line[i + 1] == ':';
            const std::size_t end = FindClose(line, i + (isCommand ? 2 : 1));
            if (end == std::string_view::npos) {
                Warn("a bracket is not closed; the rest of the line is skipped");
                return;
            }
            const std::string_view body =
                line.substr(i + (isCommand ? 2 : 1), end - i - (isCommand ? 2 : 1));
            if (isCommand) {
                Command(body);
            } else if (phoneMode_) {
                PhonemeEntry(body);
            } else {
                Warn("\"[" + std::string(body) + "]\" is skipped outside phoneme mode");
            }
            i = end + 1;
        }
        FlushText(text);
    }

    void Voice(std::string_view command, const std::vector<Token>&) {
        Emit(SelectVoice{command[1]});
    }

    void DesignVoiceCommand(std::string_view, const std::vector<Token>& tokens) {
        const std::vector<std::string> words = Words(tokens);
        for (std::size_t i = 0; i < words.size(); i += 2) {
            const std::string name = ToLowerAscii(words[i]);
            const auto value = i + 1 < words.size() ? Number(words[i + 1]) : std::nullopt;
            if (std::find(kDesignParameters.begin(), kDesignParameters.end(), name) ==
                kDesignParameters.end()) {
                Warn("unknown voice parameter \"" + words[i] + "\" is skipped");
            } else if (!value) {
                Warn("voice parameter \"" + words[i] + "\" has no number and is skipped");
            } else {
                Emit(DesignVoice{name, *value});
            }
        }
    }

    void Rate(std::string_view, const std::vector<Token>& tokens) {
        const std::vector<std::string> words = Words(tokens);
        const auto rate = words.empty() ? std::nullopt : Number(words[0]);
        if (!rate) return Warn("the rate has no number and is skipped");
        Emit(SetRate{*rate});
    }

    void Tone(std::string_view, const std::vector<Token>& tokens) {
        const std::vector<std::string> words = Words(tokens);
        const auto hertz = !words.empty() ? Number(words[0]) : std::nullopt;
        const auto length = words.size() > 1 ? Number(words[1]) : std::nullopt;
        if (!hertz || !length) return Warn("a tone needs a frequency and a length; skipped");
        Emit(PlayTone{*hertz, *length});
    }

    void DialCommand(std::string_view, const std::vector<Token>& tokens) {
        if (tokens.empty()) return;
        Emit(Dial{tokens[0].text});
    }

    void Play(std::string_view, const std::vector<Token>& tokens) {
        if (tokens.empty()) return Warn("a sound command names no file; skipped");
        Emit(PlaySound{tokens[0].text});
    }

    void Phone(std::string_view, const std::vector<Token>& tokens) {
        for (const std::string& word : Words(tokens)) {
            const std::string lower = ToLowerAscii(word);
            if (lower == "on") phoneMode_ = true;
            if (lower == "off") phoneMode_ = false;
        }
    }

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

    void FlushText(std::string& text) {
        const auto first = text.find_first_not_of(" \t\n");
        if (first != std::string::npos) {
            const auto last = text.find_last_not_of(" \t\n");
            Emit(SpeakText{text.substr(first, last - first + 1)});
        }
        text.clear();
    }

    void Command(std::string_view body) {
        std::size_t nameEnd = 0;
        while (nameEnd < body.size() && std::isalpha(static_cast<unsigned char>(body[nameEnd]))) {
            ++nameEnd;
        }
        const std::string name = ToLowerAscii(body.substr(0, nameEnd));
        const CommandName* match = Match(name);
        if (!match) {
            return Warn("unknown command \"[:" + std::string(body) + "]\" is skipped");
        }
        (this->*match->handler)(match->name, Tokenize(body.substr(nameEnd)));
    }

    static const CommandName* Match(const std::string& name);

    void PhonemeEntry(std::string_view body) {
        // "[code<ms,pitch>]": the codes, then an optional length and pitch.
        const std::size_t open = body.find('<');
        const PhonemeSplit split = SplitPhonemeCodes(body.substr(0, open));
        if (split.unknown) {
            return Warn("\"" + std::string(1, *split.unknown) + "\" is no phoneme code; \"[" +
                        std::string(body) + "]\" is skipped");
        }
        if (split.codes.empty()) return;
        SingPhonemes entry{split.codes, std::nullopt, std::nullopt};
        if (open != std::string_view::npos) {
            const std::size_t close = body.find('>', open);
            const std::vector<std::string> words =
                Words({{std::string(body.substr(open + 1, close - open - 1)), true}});
            if (!words.empty()) entry.milliseconds = Number(words[0]);
            if (words.size() > 1) entry.pitch = Number(words[1]);
            if ((!words.empty() && !entry.milliseconds) || (words.size() > 1 && !entry.pitch)) {
                return Warn("\"[" + std::string(body) +
                            "]\" has a length or pitch that is no number; skipped");
            }
        }
        Emit(std::move(entry));
    }

    template <class Event>
    void Emit(Event event) {
        out_.events.emplace_back(std::in_place_type<Event>, std::move(event));
    }

    void Warn(const std::string& what) {
        out_.warnings.push_back("line " + std::to_string(line_) + ": " + what);
    }

    ParsedScript& out_;
    bool& phoneMode_;
    std::size_t line_ = 0;
};

constexpr CommandName kCommands[] = {
    {"nb", &LineParser::Voice},
    {"nd", &LineParser::Voice},
    {"nf", &LineParser::Voice},
    {"nh", &LineParser::Voice},
    {"nk", &LineParser::Voice},
    {"np", &LineParser::Voice},
    {"nr", &LineParser::Voice},
    {"nu", &LineParser::Voice},
    {"nw", &LineParser::Voice},
    {"nv", &LineParser::Voice},
    {"dv", &LineParser::DesignVoiceCommand},
    {"rate", &LineParser::Rate},
    {"tone", &LineParser::Tone},
    {"dial", &LineParser::DialCommand},
    {"play", &LineParser::Play},
    {"phone", &LineParser::Phone},
};

// A name matches a command it spells out, or the one command it begins.
const CommandName* LineParser::Match(const std::string& name) {
    if (name.empty()) return nullptr;
    for (const CommandName& command : kCommands) {
        if (command.name == name) return &command;
    }
    const CommandName* found = nullptr;
    for (const CommandName& command : kCommands) {
        if (command.name.starts_with(name)) {
            if (found) return nullptr;  // ambiguous
            found = &command;
        }
    }
    return found;
}

}  // namespace

ParsedScript ParseScript(std::string_view bytes) {
    ParsedScript parsed;
    bool phoneMode = false;
    const std::vector<std::string> lines = SplitLines(bytes);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        LineParser(parsed, phoneMode).Parse(lines[n], n + 1);
    }
    return parsed;
}

}  // namespace qvx::speak
