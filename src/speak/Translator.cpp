#include "speak/Translator.h"

#include <algorithm>

#include "speak/DialTones.h"

namespace qvx::speak {

bool Translator::Translate(const ScriptEvent& event, const SegmentSink& out,
                           const WarningSink& warn) {
    const Sinks to{out, warn};
    return std::visit([this, &to](const auto& e) { return On(e, to); }, event);
}

bool Translator::On(const SpeakText& e, const Sinks& to) {
    return to.out(SpeechSegment{e.text, voice_});
}

bool Translator::On(const SelectVoice& e, const Sinks&) {
    const std::int32_t rate = voice_.wordsPerMinute;
    voice_ = e.letter == 'v' ? userVoice_ : *VoiceForLetter(e.letter);
    voice_.wordsPerMinute = rate;
    onUserVoice_ = e.letter == 'v';
    return true;
}

bool Translator::On(const DesignVoice& e, const Sinks&) {
    ApplyDesignParameter(voice_, e.parameter, e.value);
    // The user-defined voice remembers what was designed while it spoke.
    if (onUserVoice_) userVoice_ = voice_;
    return true;
}

bool Translator::On(const SetRate& e, const Sinks&) {
    voice_.wordsPerMinute = ClampScriptRate(e.wordsPerMinute);
    return true;
}

namespace {

std::int32_t Bounded(std::int32_t milliseconds, std::int32_t longest, std::string_view what,
                     const WarningSink& warn) {
    if (milliseconds >= 0 && milliseconds <= longest) return milliseconds;
    warn(std::string(what) + " of " + std::to_string(milliseconds) + " ms is brought within 0.." +
         std::to_string(longest));
    return std::clamp(milliseconds, 0, longest);
}

}  // namespace

bool Translator::On(const SetPause& e, const Sinks& to) {
    const bool comma = e.kind == PauseKind::Comma;
    (comma ? commaMs_ : periodMs_) = Bounded(e.milliseconds, kLongestPauseMs,
                                             comma ? "a comma pause" : "a period pause", to.warn);
    return true;
}

bool Translator::On(const Pause& e, const Sinks& to) {
    const std::int32_t length = Bounded(e.milliseconds, kLongestPauseMs, "a pause", to.warn);
    return length == 0 || to.out(SilenceSegment{length});
}

bool Translator::On(const SetVolume& e, const Sinks& to) {
    const std::int32_t from = e.change == VolumeChange::Set ? 0 : loudness_;
    const std::int64_t wanted =
        std::int64_t(from) + (e.change == VolumeChange::Down ? -std::int64_t(e.amount) : e.amount);
    loudness_ = static_cast<std::int32_t>(std::clamp<std::int64_t>(wanted, 0, kLoudest));
    return to.out(VolumeSegment{double(loudness_) / kLoudest});
}

bool Translator::On(const PlayTone& e, const Sinks& to) {
    if (e.milliseconds <= 0) {
        to.warn("a tone of no length is skipped");
        return true;
    }
    if (e.hertz < kLowestToneHz || e.hertz > kHighestToneHz) {
        to.warn("a tone of " + std::to_string(e.hertz) + " Hz is outside " +
                std::to_string(kLowestToneHz) + ".." + std::to_string(kHighestToneHz) +
                " Hz and is played at the nearest limit");
    }
    if (e.milliseconds > kLongestToneMs) {
        to.warn("a tone longer than " + std::to_string(kLongestToneMs) + " ms is shortened");
    }
    const double hertz = std::clamp(e.hertz, kLowestToneHz, kHighestToneHz);
    return to.out(ToneSegment{hertz, std::min(e.milliseconds, kLongestToneMs)});
}

bool Translator::On(const Dial& e, const Sinks& to) {
    for (char c : e.keys) {
        if (!FindDialKey(c) && kDialPauses.find(c) == std::string_view::npos) {
            to.warn(Quoted(std::string(1, c)) + " cannot be dialled; " + Quoted(e.keys) +
                    " is skipped");
            return true;
        }
    }
    return e.keys.empty() || to.out(DialSegment{e.keys});
}

bool Translator::On(const PlaySound& e, const Sinks& to) {
    // Sound files lie in the program folder: a name that reaches elsewhere
    // is refused rather than read.
    if (e.name.find_first_of(std::string_view("/\\\0", 3)) != std::string::npos || e.name == ".." ||
        e.name == ".") {
        to.warn("the sound " + Quoted(e.name) + " is not a file of the program folder; skipped");
        return true;
    }
    return to.out(SoundSegment{e.name});
}

// Phonemes go to the engine in groups sung at one pitch: a phoneme with a
// pitch of its own starts a new group when the pitch changes, a silence or a
// pause ends one, and no group is longer than the engine takes.
bool Translator::On(const PhonemicItem& item, const Sinks& to) {
    if (item.pitch) {
        const SungPitch pitch = PitchOfEntry(*item.pitch);
        if (pitch.hertz < kLowestToneHz) {
            to.warn("a sung pitch of " + std::to_string(*item.pitch) +
                    " is kept at the one before");
        } else {
            pitch_ = pitch;
        }
    }
    std::int32_t length = item.milliseconds.value_or(0);
    if (item.milliseconds && (length <= 0 || length > kLongestSungMs)) {
        to.warn("a sung length of " + std::to_string(length) + " ms is brought within 1.." +
                std::to_string(kLongestSungMs));
        length = std::clamp(length, 1, kLongestSungMs);
    }
    const bool silence = item.kind != PhonemicKind::Phoneme || item.phoneme.code == kSilenceCode;
    const SungPitch pitch = pitch_.value_or(SungPitch{double(voice_.averagePitch), false});
    if (!group_.parts.empty() &&
        (silence || pitch.hertz != group_.hertz || pitch.vibrato != group_.vibrato ||
         group_.parts.size() == kMostPhonemesPerCall)) {
        if (!FlushSung(to.out)) return false;
    }
    if (silence) {
        const std::int32_t rest = item.kind == PhonemicKind::CommaPause    ? commaMs_
                                  : item.kind == PhonemicKind::PeriodPause ? periodMs_
                                  : item.milliseconds                      ? length
                                                                           : kShortSilenceMs;
        return rest <= 0 || to.out(SilenceSegment{rest});
    }
    if (group_.parts.empty()) {
        group_ = SungSegment{"[[", {}, pitch.hertz, pitch.vibrato, voice_};
    } else if (item.startsWord) {
        group_.phonemeInput += ' ';
    }
    group_.phonemeInput += item.phoneme.mnemonic;
    group_.parts.push_back({item.phoneme.mnemonic, length});
    return true;
}

bool Translator::On(const PhonemicEnd&, const Sinks& to) {
    return group_.parts.empty() || FlushSung(to.out);
}

bool Translator::FlushSung(const SegmentSink& out) {
    // The blank keeps espeak-ng from speaking whatever would follow "]]".
    group_.phonemeInput += "]] ";
    const bool accepted = out(group_);
    group_.parts.clear();
    return accepted;
}

}  // namespace qvx::speak
