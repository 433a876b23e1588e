#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "speak/PhonemeMap.h"

namespace qvx::speak {

// One thing phonemic text asks for: a phoneme (silence "_" included) with
// the length and pitch written right after it, or the pause of a comma or of
// the end of a sentence.
enum class PhonemicKind { Phoneme, CommaPause, PeriodPause };

struct PhonemicItem {
    PhonemicKind kind = PhonemicKind::Phoneme;
    PhonemeCode phoneme;
    std::optional<std::int32_t> milliseconds;
    std::optional<std::int32_t> pitch;
    bool startsWord = false;  // a blank comes before it
};

// Reads the text between "[" and "]" in phoneme mode item by item, without
// copying it: codes one after another ("dow"), words separated by blanks,
// "<ms>" or "<ms,pitch>" right after a phoneme, and stress and syntax marks,
// of which only "," and "." make a pause. A "," that carries a length is the
// one-character form of "ao", as the phoneme dialog writes it ("[,<250,1>]").
class PhonemicReader {
  public:
    explicit PhonemicReader(std::string_view text) : text_(text) {}

    // The next item; false at the end of the text or at the first fault,
    // which fault() then describes (it stays empty at a clean end).
    bool Next(PhonemicItem& item);
    const std::string& fault() const { return fault_; }

  private:
    bool ReadLengthAndPitch(PhonemicItem& item);

    std::string_view text_;
    std::size_t at_ = 0;
    std::string fault_;
};

}  // namespace qvx::speak
