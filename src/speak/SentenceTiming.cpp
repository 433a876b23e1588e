#include "speak/SentenceTiming.h"

namespace qvx::speak {
namespace {

// How far ahead of the last match a phoneme is looked for: past a stress mark,
// a syllable mark and a word break, never into the next syllable but one.
constexpr std::size_t kSearchWindow = 6;

bool IsPause(std::string_view mnemonic) {
    return mnemonic.empty() || mnemonic.front() == '_';
}

// Walks the translation alongside the phonemes the engine spoke.
class StressReader {
  public:
    explicit StressReader(std::string_view text) : text_(text) {}
    bool Stressed(std::string_view mnemonic) {
        const std::string_view ahead = text_.substr(at_, kSearchWindow + mnemonic.size());
        const std::size_t found = ahead.find(mnemonic);
        if (found == std::string_view::npos) return false;
        const bool stressed = ahead.substr(0, found).find('\'') != std::string_view::npos;
        at_ += found + mnemonic.size();
        return stressed;
    }

  private:
    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace

std::vector<SentenceTiming> TimeSentences(std::span<const SpeechMark> marks,
                                          std::string_view stressedPhonemes,
                                          std::size_t totalSamples, int sampleRate) {
    std::vector<SentenceTiming> sentences;
    StressReader stress(stressedPhonemes);
    bool sounding = false;
    const auto seconds = [sampleRate](std::size_t sample) { return double(sample) / sampleRate; };
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const SpeechMark& mark = marks[i];
        if (mark.sentence || sentences.empty()) {
            if (sentences.empty() || sounding) sentences.emplace_back();
            sounding = false;
        }
        if (mark.sentence || IsPause(mark.mnemonic)) continue;
        std::size_t end = totalSamples;
        for (std::size_t j = i + 1; j < marks.size(); ++j) {
            if (!marks[j].sentence) {
                end = marks[j].sample;
                break;
            }
        }
        const Stretch phoneme{seconds(mark.sample), seconds(std::max(end, mark.sample))};
        SentenceTiming& sentence = sentences.back();
        if (!sounding) sentence.sounding.start = phoneme.start;
        sentence.sounding.end = phoneme.end;
        sounding = true;
        if (stress.Stressed(mark.mnemonic)) sentence.stressed.push_back(phoneme);
    }
    if (!sentences.empty() && !sounding) sentences.pop_back();
    return sentences;
}

}  // namespace qvx::speak
