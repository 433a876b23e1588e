#include "script/Writers.h"

#include <algorithm>
#include <iterator>

#include "common/FileAccess.h"
#include "script/ScriptFile.h"

namespace qvx {

constexpr BoundedCommand kVoiceRate{"[:ra ", 0, 999};
constexpr BoundedCommand kAveragePitch{"[:dv ap ", 100, 300};
constexpr BoundedCommand kPitchRange{"[:dv pr ", 1, 250};
constexpr BoundedCommand kBreathiness{"[:dv br ", 0, 72};
constexpr BoundedCommand kGender{"[:dv sx ", 0, 1};
constexpr BoundedCommand kHeadSize{"[:dv hs ", 65, 145};
constexpr BoundedCommand kLaxBreathiness{"[:dv lx ", 0, 100};
constexpr BoundedCommand kSmoothness{"[:dv sm ", 0, 100};
constexpr BoundedCommand kRichness{"[:dv ri ", 0, 100};
constexpr BoundedCommand kSampling{"[:dv nf ", 0, 100};
constexpr BoundedCommand kLaryngealisation{"[:dv la ", 0, 100};
constexpr BoundedCommand kBassFall{"[:dv bf ", 0, 40};
constexpr BoundedCommand kHatRise{"[:dv hr ", 2, 100};
constexpr BoundedCommand kStressLevel{"[:dv sr ", 1, 100};
constexpr BoundedCommand kAssertiveness{"[:dv as ", 0, 100};
constexpr BoundedCommand kQuickness{"[:dv qu ", 0, 100};
constexpr BoundedCommand kVoiceGain{"[:dv gv ", 0, 86};
constexpr BoundedCommand kAspirationGain{"[:dv gh ", 0, 86};
constexpr BoundedCommand kFricationGain{"[:dv gf ", 0, 86};
constexpr BoundedCommand kNasalisationGain{"[:dv gn ", 0, 86};

constexpr FormantCommand kFormantFrequency{
    "[:dv f", 4, 5, [](std::int32_t formant) {
        return formant == 4 ? BoundedCommand{"", 2000, 4650} : BoundedCommand{"", 2500, 4950};
    }};
constexpr FormantCommand kFormantBandwidth{"[:dv b", 4, 5, [](std::int32_t) {
                                               return BoundedCommand{"", 100, 2048};
                                           }};
constexpr FormantCommand kFormantGain{"[:dv g", 1, 5, [](std::int32_t) {
                                          return BoundedCommand{"", 0, 86};
                                      }};

namespace {

constexpr Voice kVoices[] = {
    {"VoicesMenuPaul", 6, "[:np]", "switching to paul."},
    {"VoicesMenuBetty", 1, "[:nb]", "switching to betty."},
    {"VoicesMenuDennis", 2, "[:nd]", "switching to dennis."},
    {"VoicesMenuFrank", 3, "[:nf]", "switching to frank."},
    {"VoicesMenuHarry", 4, "[:nh]", "switching to harry."},
    {"VoicesMenuKit", 5, "[:nk]", "switching to kit."},
    {"VoicesMenuRita", 7, "[:nr]", "switching to rita."},
    {"VoicesMenuUrsula", 8, "[:nu]", "switching to ursula."},
    {"VoicesMenuWendy", 9, "[:nw]", "switching to wendy."},
    {"VoicesMenuVariant", 10, "[:nv]", "switching to user defined."},
};

}  // namespace

Result<void> WriteBoundedCommand(const ProgramPaths& paths, const BoundedCommand& command,
                                 std::int32_t value) {
    return AppendScriptLine(paths, std::string(command.prefix) +
                                       FormatNumber(Bound(value, command.min, command.max)) + "]");
}

Result<void> WriteFormantCommand(const ProgramPaths& paths, const FormantCommand& command,
                                 std::int32_t formant, std::int32_t value) {
    const std::int32_t n = Bound(formant, command.minFormant, command.maxFormant);
    const BoundedCommand bounds = command.valueBounds(n);
    return AppendScriptLine(paths, std::string(command.prefix) + FormatNumber(n) + " " +
                                       FormatNumber(Bound(value, bounds.min, bounds.max)) + "]");
}

std::span<const Voice> Voices() {
    return kVoices;
}

Result<void> WriteVoice(const ProgramPaths& paths, std::int32_t number) {
    const std::int32_t bounded = Bound(number, 1, 10);
    const auto voice = std::find_if(std::begin(kVoices), std::end(kVoices),
                                    [&](const Voice& v) { return v.number == bounded; });
    return AppendScriptLine(paths, voice->command);
}

Result<void> WriteDial(const ProgramPaths& paths, std::string_view digits) {
    // The check asks for the digits in double quotes; text that brings
    // quotes of its own is the user's to shape.
    const bool quoted = digits.find('"') != std::string_view::npos;
    const std::string text = quoted ? std::string(digits) : '"' + std::string(digits) + '"';
    return AppendScriptLine(paths, "[:dial " + text + "]");
}

bool SoundFileExists(const ProgramPaths& paths, std::string_view name) {
    return FindFileIgnoringCase(paths.folder, std::string(name) + ".wav").has_value();
}

Result<void> WritePlay(const ProgramPaths& paths, std::string_view name) {
    if (!SoundFileExists(paths, name)) return Result<void>{};
    return AppendScriptLine(paths, "[:play " + std::string(name) + ".wav]");
}

}  // namespace qvx
