#include "speak/PhonemeGains.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace qvx::speak {
namespace {

// espeak-ng's mnemonics for en-us, syllabic nasals included.
constexpr std::array<std::string_view, 10> kFricatives{"f", "v", "T", "D",  "s",
                                                       "z", "S", "Z", "tS", "dZ"};
constexpr std::array<std::string_view, 6> kNasals{"m", "n", "N", "n-", "m-", "N-"};

bool IsOneOf(std::string_view mnemonic, std::span<const std::string_view> set) {
    return std::find(set.begin(), set.end(), mnemonic) != set.end();
}

// The gain of the stretch an espeak-ng phoneme starts: aspiration for /h/,
// frication for the fricatives and affricates, nasal for the nasals, 1 for
// the rest.
double GainOfPhoneme(std::string_view mnemonic, const StretchGains& gains) {
    if (mnemonic == "h") return gains.aspiration;
    if (IsOneOf(mnemonic, kFricatives)) return gains.frication;
    if (IsOneOf(mnemonic, kNasals)) return gains.nasal;
    return 1;
}

}  // namespace

void StretchScaler::Scale(std::span<std::int16_t> samples, std::span<const PhonemeMark> starts) {
    for (const PhonemeMark& start : starts) {
        ahead_.push_back({start.sample, GainOfPhoneme(start.mnemonic, gains_)});
    }
    std::stable_sort(ahead_.begin(), ahead_.end(),
                     [](const Change& a, const Change& b) { return a.sample < b.sample; });
    std::size_t next = 0;
    for (std::int16_t& sample : samples) {
        for (; next < ahead_.size() && ahead_[next].sample <= done_; ++next) {
            target_ = ahead_[next].gain;
            step_ = std::abs(target_ - gain_) / double(glide_);
        }
        gain_ =
            gain_ < target_ ? std::min(target_, gain_ + step_) : std::max(target_, gain_ - step_);
        ++done_;
        if (gain_ == 1) continue;
        sample =
            static_cast<std::int16_t>(std::clamp(std::lround(sample * gain_), -32768L, 32767L));
    }
    ahead_.erase(ahead_.begin(), ahead_.begin() + std::ptrdiff_t(next));
}

}  // namespace qvx::speak
