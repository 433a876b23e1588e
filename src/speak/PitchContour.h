#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace qvx::speak {

// The five intonation values of a voice, as "[:dv bf|hr|sr|as|qu]" set them.
struct Intonation {
    std::int32_t baselineFall = 18;   // bf: hertz the baseline falls over a sentence
    std::int32_t hatRise = 18;        // hr: hertz the stressed phrase stands above it
    std::int32_t stressRise = 32;     // sr: hertz each stressed syllable rises
    std::int32_t assertiveness = 80;  // as: percent of the deepest final fall
    std::int32_t quickness = 40;      // qu: percent, how fast the pitch reaches a target

    bool operator==(const Intonation&) const = default;
};

// Sets the value named by `parameter` ("bf", "hr", "sr", "as", "qu"), clamped
// to its limits; false, with nothing changed, for any other name.
bool SetIntonation(Intonation& intonation, std::string_view parameter, std::int32_t value);

// A stretch of a rendering, in seconds from its start.
struct Stretch {
    double start;
    double end;
};

// One sentence as the engine timed it: from its first sound to the end of
// its last, with the stressed vowels in order.
struct SentenceTiming {
    Stretch sounding;
    std::vector<Stretch> stressed;
};

// The fundamentals espeak-ng's constant pitch is kept within.
inline constexpr double kLowestF0 = 50;
inline constexpr double kHighestF0 = 550;

// The fundamental over time of sentences spoken with a voice's average pitch
// (hertz) and range (percent; 0 is a monotone): a baseline that falls by bf
// over each sentence, a hat of hr from the first stressed vowel to the last,
// sr more on each stressed vowel and a final fall over the last one whose
// depth follows as, all scaled by the range and centred on the average.
// The pitch follows these targets with a lag that quickness shortens.
class PitchContour {
  public:
    PitchContour(std::span<const SentenceTiming> sentences, double averagePitch,
                 double rangePercent, const Intonation& intonation);
    // Hertz at `seconds`; before, between and after the sentences it holds the
    // nearest value, since nothing is voiced there.
    double At(double seconds) const;

  private:
    void AddSentence(const SentenceTiming& sentence, double averagePitch, double scale,
                     const Intonation& intonation);

    double average_;
    double lag_;                // seconds
    std::vector<float> hertz_;  // one value every kStep seconds from 0
};

}  // namespace qvx::speak
