#include "speak/PhonemicText.h"

#include "common/NumericText.h"

namespace qvx::speak {
namespace {

// Stress, pitch and boundary marks: accepted, and silent here.
constexpr std::string_view kQuietMarks = "'`\"/\\-*#)?!+";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool EndsCode(char c) {
    return IsBlank(c) || c == '<' || c == ',' || c == '.' ||
           kQuietMarks.find(c) != std::string_view::npos;
}

std::optional<std::int32_t> Number(std::string_view text) {
    const NumericValue parsed = ParseNumericText(text);
    if (parsed.status != NumericStatus::Valid) return std::nullopt;
    return parsed.value;
}

// "<ms>" or "<ms,pitch>" (blanks allowed), or nothing, into the item; false
// when it cannot be read.
bool ReadLengthAndPitch(std::string_view written, PhonemicItem& item) {
    if (written.empty()) return true;
    const std::string_view inside = written.substr(1, written.size() - 2);
    const std::size_t comma = inside.find(',');
    item.milliseconds = Number(inside.substr(0, comma));
    if (comma != std::string_view::npos) item.pitch = Number(inside.substr(comma + 1));
    return item.milliseconds && (comma == std::string_view::npos || item.pitch);
}

}  // namespace

bool PhonemicReader::Next(PhonemicItem& item, const WarningSink& warn) {
    bool blank = false;
    while (at_ < text_.size()) {
        const std::size_t from = at_;
        const char c = text_[at_];
        const bool carriesLength = at_ + 1 < text_.size() && text_[at_ + 1] == '<';
        item = PhonemicItem{};
        item.startsWord = blank;
        if (IsBlank(c)) {
            blank = true;
            ++at_;
        } else if (kQuietMarks.find(c) != std::string_view::npos) {
            ++at_;
        } else if ((c == ',' && !carriesLength) || c == '.') {
            item.kind = c == ',' ? PhonemicKind::CommaPause : PhonemicKind::PeriodPause;
            ++at_;
            return true;
        } else if (c == '<') {
            if (SkipLength(warn)) warn(Quoted(Since(from)) + " follows no phoneme and is skipped");
        } else if (const auto code =
                       c == ',' ? FindPhonemeCode("c") : LeadingPhonemeCode(text_.substr(at_))) {
            item.phoneme = *code;
            at_ += c == ',' ? 1 : code->code.size();
            const std::size_t length = at_;
            if (!SkipLength(warn)) continue;
            if (ReadLengthAndPitch(text_.substr(length, at_ - length), item)) return true;
            warn(Quoted(Since(from)) + " has no length and pitch that can be read; skipped");
        } else {
            at_ = UnknownCodeEnd();
            warn("unknown phoneme code " + Quoted(Since(from)) + " is skipped");
            SkipLength(warn);
        }
    }
    return false;
}

// An unknown code runs on to the first character that starts a known code or
// ends a code, so that "oh" or a letter of another script is one code.
std::size_t PhonemicReader::UnknownCodeEnd() const {
    std::size_t end = at_ + 1;
    while (end < text_.size() && !EndsCode(text_[end]) && !LeadingPhonemeCode(text_.substr(end))) {
        ++end;
    }
    return end;
}

// Steps over a "<...>" here, if any; false (with a warning) when it is never
// closed, and then nothing of the text is left.
bool PhonemicReader::SkipLength(const WarningSink& warn) {
    if (at_ >= text_.size() || text_[at_] != '<') return true;
    const std::size_t close = text_.find('>', at_);
    if (close == std::string_view::npos) {
        warn(Quoted(text_.substr(at_)) + ": \"<\" is not closed; the rest is skipped");
        at_ = text_.size();
        return false;
    }
    at_ = close + 1;
    return true;
}

std::string_view PhonemicReader::Since(std::size_t from) const {
    return text_.substr(from, at_ - from);
}

}  // namespace qvx::speak
