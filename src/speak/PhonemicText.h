#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "speak/PhonemeMap.h"
#include "speak/Warnings.h"

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
// A fault costs only its own piece: an unknown code is skipped with the
// length written after it, and so is a phoneme whose length cannot be read;
// only a "<" that is never closed ends the text.
class PhonemicReader {
  public:
    explicit PhonemicReader(std::string_view text) : text_(text) {}

    // The next item; false at the end of the text. Each skipped piece gets
    // one warning that names it.
    bool Next(PhonemicItem& item, const WarningSink& warn);

  private:
    std::size_t UnknownCodeEnd() const;
    bool SkipLength(const WarningSink& warn);
    std::string_view Since(std::size_t from) const;

    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace qvx::speak
