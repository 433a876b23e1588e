#pragma once

#include <optional>
#include <string_view>

namespace qvx::speak {

// One code of the synthesizer's phonemic alphabet and the espeak-ng mnemonic
// that sounds nearest to it.
struct PhonemeCode {
    std::string_view code;  // lower case, as the alphabet writes it
    std::string_view mnemonic;
};

// The code that `text` begins with, two characters before one ("brr" starts
// with "b"), case ignored; nullopt when it begins with none.
std::optional<PhonemeCode> LeadingPhonemeCode(std::string_view text);

// The code itself, case ignored; nullopt for an unknown code.
std::optional<PhonemeCode> FindPhonemeCode(std::string_view code);

// The silence code, "_": rested, never handed to the engine.
inline constexpr std::string_view kSilenceCode = "_";

}  // namespace qvx::speak
