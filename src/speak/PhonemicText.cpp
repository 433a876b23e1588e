#include "speak/PhonemicText.h"

#include "common/NumericText.h"
#include "speak/Warnings.h"

namespace qvx::speak {
namespace {

// Stress, pitch and boundary marks: accepted, and silent here.
constexpr std::string_view kQuietMarks = "'`\"/\\-*#)?!+";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::optional<std::int32_t> Number(std::string_view text) {
    const NumericValue parsed = ParseNumericText(text);
    if (parsed.status != NumericStatus::Valid) return std::nullopt;
    return parsed.value;
}

}  // namespace

bool PhonemicReader::Next(PhonemicItem& item) {
    bool blank = false;
    while (at_ < text_.size()) {
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
            fault_ = "\"<\" follows no phoneme";
            return false;
        } else {
            const std::optional<PhonemeCode> code =
                c == ',' ? FindPhonemeCode("c") : LeadingPhonemeCode(text_.substr(at_));
            if (!code) {
                fault_ = Quoted(std::string(1, c)) + " is no phoneme code";
                return false;
            }
            item.phoneme = *code;
            at_ += c == ',' ? 1 : code->code.size();
            return ReadLengthAndPitch(item);
        }
    }
    return false;
}

// "<ms>" or "<ms,pitch>" (blanks allowed) right after the code, if any.
bool PhonemicReader::ReadLengthAndPitch(PhonemicItem& item) {
    if (at_ >= text_.size() || text_[at_] != '<') return true;
    const std::size_t close = text_.find('>', at_);
    if (close == std::string_view::npos) {
        fault_ = "\"<\" is not closed";
        return false;
    }
    const std::string_view inside = text_.substr(at_ + 1, close - at_ - 1);
    at_ = close + 1;
    const std::size_t comma = inside.find(',');
    item.milliseconds = Number(inside.substr(0, comma));
    if (comma != std::string_view::npos) item.pitch = Number(inside.substr(comma + 1));
    if (!item.milliseconds || (comma != std::string_view::npos && !item.pitch)) {
        fault_ = Quoted("<" + std::string(inside) + ">") + " is no length and pitch";
        return false;
    }
    return true;
}

}  // namespace qvx::speak
