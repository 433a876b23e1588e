#include "speak/Timeline.h"

#include <algorithm>
#include <string_view>

#include "common/AsciiCase.h"
#include "speak/Notes.h"
#include "speak/PhonemeMap.h"

namespace qvx::speak {
namespace {

struct DialKey {
    char key;
    double low;
    double high;
};

// The standard touch-tone pairs.
constexpr DialKey kDialKeys[] = {
    {'1', 697, 1209}, {'2', 697, 1336}, {'3', 697, 1477}, {'a', 697, 1633},
    {'4', 770, 1209}, {'5', 770, 1336}, {'6', 770, 1477}, {'b', 770, 1633},
    {'7', 852, 1209}, {'8', 852, 1336}, {'9', 852, 1477}, {'c', 852, 1633},
    {'*', 941, 1209}, {'0', 941, 1336}, {'#', 941, 1477}, {'d', 941, 1633},
};
constexpr std::string_view kDialPauses = "-, ";

const DialKey* FindDialKey(char c) {
    const char lower = ToLowerAscii(c);
    for (const DialKey& key : kDialKeys) {
        if (key.key == lower) return &key;
    }
    return nullptr;
}

class Translator {
  public:
    Timeline Run(const ParsedScript& script) {
        for (const ScriptEvent& event : script.events) {
            std::visit([this](const auto& e) { On(e); }, event);
        }
        return std::move(out_);
    }

    void On(const SpeakText& e) { Add(SpeechSegment{e.text, voice_}); }

    void On(const SelectVoice& e) {
        const std::int32_t rate = voice_.wordsPerMinute;
        voice_ = e.letter == 'v' ? userVoice_ : *VoiceForLetter(e.letter);
        voice_.wordsPerMinute = rate;
        onUserVoice_ = e.letter == 'v';
    }

    void On(const DesignVoice& e) {
        ApplyDesignParameter(voice_, e.parameter, e.value);
        // The user-defined voice remembers what was designed while it spoke.
        if (onUserVoice_) userVoice_ = voice_;
    }

    void On(const SetRate& e) { voice_.wordsPerMinute = ClampScriptRate(e.wordsPerMinute); }

    void On(const PlayTone& e) {
        if (e.milliseconds <= 0) return Warn("a tone of no length is skipped");
        if (e.hertz < kLowestToneHz || e.hertz > kHighestToneHz) {
            Warn("a tone of " + std::to_string(e.hertz) + " Hz is outside " +
                 std::to_string(kLowestToneHz) + ".." + std::to_string(kHighestToneHz) +
                 " Hz and is played at the nearest limit");
        }
        if (e.milliseconds > kLongestToneMs) {
            Warn("a tone longer than " + std::to_string(kLongestToneMs) + " ms is shortened");
        }
        const double hertz = std::clamp(e.hertz, kLowestToneHz, kHighestToneHz);
        Add(ToneSegment{{hertz}, std::min(e.milliseconds, kLongestToneMs)});
    }

    void On(const Dial& e) {
        for (char c : e.keys) {
            if (!FindDialKey(c) && kDialPauses.find(c) == std::string_view::npos) {
                return Warn("\"" + std::string(1, c) + "\" cannot be dialled; \"" + e.keys +
                            "\" is skipped");
            }
        }
        for (char c : e.keys) {
            if (const DialKey* key = FindDialKey(c)) {
                Add(ToneSegment{{key->low, key->high}, kDialKeyMs});
                Add(SilenceSegment{kDialGapMs});
            } else {
                Add(SilenceSegment{kDialGapMs});
            }
        }
    }

    void On(const PlaySound& e) {
        // Sound files lie in the program folder: a name that reaches elsewhere
        // is refused rather than read.
        if (e.name.find_first_of("/\\") != std::string::npos || e.name == ".." || e.name == ".") {
            return Warn("the sound \"" + e.name +
                        "\" is not a file of the program folder; skipped");
        }
        Add(SoundSegment{e.name});
    }

    void On(const SingPhonemes& e) {
        if (e.pitch) {
            const SungPitch pitch = PitchOfEntry(*e.pitch);
            if (pitch.hertz < kLowestToneHz) {
                Warn("a sung pitch of " + std::to_string(*e.pitch) + " is kept at the one before");
            } else {
                pitch_ = pitch;
            }
        }
        std::int32_t length = e.milliseconds.value_or(0);
        if (e.milliseconds && (length <= 0 || length > kLongestSungMs)) {
            Warn("a sung length of " + std::to_string(length) + " ms is brought within 1.." +
                 std::to_string(kLongestSungMs));
            length = std::clamp(length, 1, kLongestSungMs);
        }
        const SungPitch pitch = pitch_.value_or(SungPitch{double(voice_.averagePitch), false});
        Add(SungSegment{EspeakPhonemeInput(e.codes), length, pitch.hertz, pitch.vibrato, voice_});
    }

  private:
    template <class Kind>
    void Add(Kind segment) {
        out_.segments.emplace_back(std::in_place_type<Kind>, std::move(segment));
    }
    void Warn(std::string what) { out_.warnings.push_back(std::move(what)); }

    Timeline out_;
    VoiceSettings voice_ = DefaultVoice();
    VoiceSettings userVoice_ = DefaultVoice();
    bool onUserVoice_ = false;
    std::optional<SungPitch> pitch_;
};

}  // namespace

Timeline Translate(const ParsedScript& script) {
    Timeline timeline = Translator().Run(script);
    timeline.warnings.insert(timeline.warnings.begin(), script.warnings.begin(),
                             script.warnings.end());
    return timeline;
}

}  // namespace qvx::speak
