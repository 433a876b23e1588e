#include "speak/Timeline.h"

#include <algorithm>

#include "speak/DialTones.h"
#include "speak/PhonemicText.h"

namespace qvx::speak {

bool Translator::Translate(const ScriptEvent& event, const SegmentSink& out,
                           const WarningSink& warn) {
    out_ = &out;
    warn_ = &warn;
    return std::visit([this](const auto& e) { return On(e); }, event);
}

bool Translator::On(const SpeakText& e) {
    return (*out_)(SpeechSegment{e.text, voice_});
}

bool Translator::On(const SelectVoice& e) {
    const std::int32_t rate = voice_.wordsPerMinute;
    voice_ = e.letter == 'v' ? userVoice_ : *VoiceForLetter(e.letter);
    voice_.wordsPerMinute = rate;
    onUserVoice_ = e.letter == 'v';
    return true;
}

bool Translator::On(const DesignVoice& e) {
    ApplyDesignParameter(voice_, e.parameter, e.value);
    // The user-defined voice remembers what was designed while it spoke.
    if (onUserVoice_) userVoice_ = voice_;
    return true;
}

bool Translator::On(const SetRate& e) {
    voice_.wordsPerMinute = ClampScriptRate(e.wordsPerMinute);
    return true;
}

std::int32_t Translator::Bounded(std::int32_t milliseconds, std::int32_t longest,
                                 std::string_view what) {
    if (milliseconds >= 0 && milliseconds <= longest) return milliseconds;
    (*warn_)(std::string(what) + " of " + std::to_string(milliseconds) +
             " ms is brought within 0.." + std::to_string(longest));
    return std::clamp(milliseconds, 0, longest);
}

bool Translator::On(const SetPause& e) {
    const bool comma = e.kind == PauseKind::Comma;
    (comma ? commaMs_ : periodMs_) =
        Bounded(e.milliseconds, kLongestPauseMs, comma ? "a comma pause" : "a period pause");
    return true;
}

bool Translator::On(const Pause& e) {
    const std::int32_t length = Bounded(e.milliseconds, kLongestPauseMs, "a pause");
    return length == 0 || (*out_)(SilenceSegment{length});
}

bool Translator::On(const SetVolume& e) {
    const std::int32_t from = e.change == VolumeChange::Set ? 0 : loudness_;
    const std::int64_t wanted =
        std::int64_t(from) + (e.change == VolumeChange::Down ? -std::int64_t(e.amount) : e.amount);
    loudness_ = static_cast<std::int32_t>(std::clamp<std::int64_t>(wanted, 0, kLoudest));
    return (*out_)(VolumeSegment{double(loudness_) / kLoudest});
}

bool Translator::On(const PlayTone& e) {
    if (e.milliseconds <= 0) {
        (*warn_)("a tone of no length is skipped");
        return true;
    }
    if (e.hertz < kLowestToneHz || e.hertz > kHighestToneHz) {
        (*warn_)("a tone of " + std::to_string(e.hertz) + " Hz is outside " +
                 std::to_string(kLowestToneHz) + ".." + std::to_string(kHighestToneHz) +
                 " Hz and is played at the nearest limit");
    }
    if (e.milliseconds > kLongestToneMs) {
        (*warn_)("a tone longer than " + std::to_string(kLongestToneMs) + " ms is shortened");
    }
    const double hertz = std::clamp(e.hertz, kLowestToneHz, kHighestToneHz);
    return (*out_)(ToneSegment{hertz, std::min(e.milliseconds, kLongestToneMs)});
}

bool Translator::On(const Dial& e) {
    for (char c : e.keys) {
        if (!FindDialKey(c) && kDialPauses.find(c) == std::string_view::npos) {
            (*warn_)(Quoted(std::string(1, c)) + " cannot be dialled; " + Quoted(e.keys) +
                     " is skipped");
            return true;
        }
    }
    return e.keys.empty() || (*out_)(DialSegment{e.keys});
}

bool Translator::On(const PlaySound& e) {
    // Sound files lie in the program folder: a name that reaches elsewhere
    // is refused rather than read.
    if (e.name.find_first_of(std::string_view("/\\\0", 3)) != std::string::npos || e.name == ".." ||
        e.name == ".") {
        (*warn_)("the sound " + Quoted(e.name) + " is not a file of the program folder; skipped");
        return true;
    }
    return (*out_)(SoundSegment{e.name});
}

// Phonemes go to the engine in groups sung at one pitch: a phoneme with a
// pitch of its own starts a new group when the pitch changes, a silence or a
// pause ends one, and no group is longer than the engine takes.
bool Translator::On(const SingPhonemes& e) {
    PhonemicReader reader(e.text);
    PhonemicItem item;
    SungSegment group;
    while (reader.Next(item)) {
        if (item.pitch) {
            const SungPitch pitch = PitchOfEntry(*item.pitch);
            if (pitch.hertz < kLowestToneHz) {
                (*warn_)("a sung pitch of " + std::to_string(*item.pitch) +
                         " is kept at the one before");
            } else {
                pitch_ = pitch;
            }
        }
        std::int32_t length = item.milliseconds.value_or(0);
        if (item.milliseconds && (length <= 0 || length > kLongestSungMs)) {
            (*warn_)("a sung length of " + std::to_string(length) + " ms is brought within 1.." +
                     std::to_string(kLongestSungMs));
            length = std::clamp(length, 1, kLongestSungMs);
        }
        const bool silence =
            item.kind != PhonemicKind::Phoneme || item.phoneme.code == kSilenceCode;
        const SungPitch pitch = pitch_.value_or(SungPitch{double(voice_.averagePitch), false});
        if (!group.parts.empty() &&
            (silence || pitch.hertz != group.hertz || pitch.vibrato != group.vibrato ||
             group.parts.size() == kMostPhonemesPerCall)) {
            if (!FlushSung(group)) return false;
        }
        if (silence) {
            const std::int32_t rest = item.kind == PhonemicKind::CommaPause    ? commaMs_
                                      : item.kind == PhonemicKind::PeriodPause ? periodMs_
                                      : item.milliseconds                      ? length
                                                                               : kShortSilenceMs;
            if (rest > 0 && !(*out_)(SilenceSegment{rest})) return false;
            continue;
        }
        if (group.parts.empty()) {
            group = SungSegment{"[[", {}, pitch.hertz, pitch.vibrato, voice_};
        } else if (item.startsWord) {
            group.phonemeInput += ' ';
        }
        group.phonemeInput += item.phoneme.mnemonic;
        group.parts.push_back({item.phoneme.mnemonic, length});
    }
    return group.parts.empty() || FlushSung(group);
}

bool Translator::FlushSung(SungSegment& group) {
    // The blank keeps espeak-ng from speaking whatever would follow "]]".
    group.phonemeInput += "]] ";
    const bool accepted = (*out_)(group);
    group.parts.clear();
    return accepted;
}

}  // namespace qvx::speak
