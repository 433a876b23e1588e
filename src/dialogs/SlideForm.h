#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "script/PhonemeToneWriters.h"

namespace qvx {

// What the phoneme and tone dialogs share: the reading of their number
// boxes, the length checks, the end-of-slide checks and the run of a slide.

enum class SlideDirection { None, Up, Down };  // no item, "Slide Up", "Slide Down"

// A box's text as the checks see it. A number that does not fit 32 bits is
// numeric but does not fit; its value is then saturated to just past the
// 32-bit range on its own side, so every range check refuses it.
struct BoxNumber {
    bool empty = true;
    bool numeric = false;
    bool fits = false;
    std::int64_t value = 0;
};
BoxNumber ReadBoxNumber(std::string_view text);

// Collects the messages of failed checks, each followed by CR LF.
class CheckMessages {
  public:
    void Add(std::string_view message);
    const std::string& Text() const { return text_; }

  private:
    std::string text_;
};

// The length box: empty, not numeric, below 50, above 20000.
void CheckSlideLength(const BoxNumber& length, CheckMessages& messages);

// The texts and bounds the end of a slide is checked against.
struct SlideEndRule {
    std::int32_t min;
    std::int32_t max;
    std::string_view empty;
    std::string_view notNumeric;
    std::string_view aboveMax;
    std::string_view belowMin;
};

// The note box and the end of a note slide: the same in the phoneme dialog
// and in the tone dialog while it takes note numbers.
inline constexpr std::string_view kNoteNotNumeric =
    "Please specify a note number between 1 and 37.";
inline constexpr std::string_view kNoteOutOfRange = "please type a note between 1 and 37.";
inline constexpr std::string_view kNoteEmpty = "please fill in the note.";
inline constexpr SlideEndRule kEndNoteRule{kMinNote,
                                           kMaxNote,
                                           "Please fill in the end note for the slide.",
                                           "End note isn't a numeric value. Please enter a note.",
                                           "end note can't be higher than 37.",
                                           "note can't be less than 1."};

// The end-box checks, run only while Slide is ticked. `start` is compared
// only when it holds a number that fits (a faulty start is reported by its
// own check).
void CheckSlideEnd(const BoxNumber& start, const BoxNumber& end, SlideDirection direction,
                   const SlideEndRule& rule, CheckMessages& messages);

// Slide may be ticked unless the start box already holds 38 or more: a slide
// is only offered from a note number.
bool SlideTickAllowed(std::string_view startText);

// The values to write, in order: the start alone when the end box holds no
// number (empty, or hidden text that is not numeric), else every value from
// start to end in steps of one, in the direction the two numbers give. Both
// ends are first held to min..max, so no run is longer than the range.
std::vector<std::int32_t> SlideRun(std::int64_t start, std::string_view endText, std::int32_t min,
                                   std::int32_t max);

}  // namespace qvx
