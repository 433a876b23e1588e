#include "speak/EspeakEngine.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "common/FileAccess.h"
#include "speak/IntonationHook.h"
#include "speak/PhonemeGains.h"
#include "speak/Warnings.h"

namespace qvx::speak {
namespace {

// The synthesis under way: espeak-ng's callback has no user data of its own
// that reaches it reliably, and the engine is one per process.
struct Synthesis {
    const SampleSink* sink = nullptr;
    std::vector<PhonemeMark>* marks = nullptr;  // every phoneme start, when wanted
    StretchScaler* scaler = nullptr;            // when the design scales stretches
};
Synthesis active;

// The phonemes that start in one buffer of samples, from espeak-ng's events.
void PhonemeStarts(const espeak_EVENT* events, std::vector<PhonemeMark>& starts) {
    starts.clear();
    for (; events && events->type != espeakEVENT_LIST_TERMINATED; ++events) {
        if (events->type != espeakEVENT_PHONEME) continue;
        const std::string_view name(events->id.string,
                                    strnlen(events->id.string, sizeof events->id.string));
        starts.push_back({std::string(name), static_cast<std::size_t>(events->sample)});
    }
}

int OnSamples(short* wav, int count, espeak_EVENT* events) {
    OnIntonationBuffer(wav == nullptr ? 0 : count, events);
    static std::vector<PhonemeMark> starts;
    PhonemeStarts(events, starts);
    if (active.marks) active.marks->insert(active.marks->end(), starts.begin(), starts.end());
    if (wav == nullptr || count <= 0 || active.sink == nullptr) return 0;
    const std::span<std::int16_t> samples(wav, static_cast<std::size_t>(count));
    if (active.scaler) active.scaler->Scale(samples, starts);
    return (*active.sink)(samples) ? 0 : 1;
}

std::string StatusText(espeak_ng_STATUS status) {
    char text[512] = {};
    espeak_ng_GetStatusCodeMessage(status, text, sizeof text);
    return text;
}

// espeak-ng takes a voice file only by a path relative to its voices folder,
// and only up to this many characters: the private folder is kept short.
constexpr std::size_t kLongestVoiceName = 39;

// espeak-ng also lower-cases voice names: temporary names have lower-case
// letters and digits only.
TemporaryPath MakePrivateFolder(const std::filesystem::path& base) {
    return TemporaryPath::Make((base / "s43-").string(),
                               [](const char* path) { return mkdir(path, 0700) == 0; });
}

}  // namespace

std::string VoiceFileText(const VoiceSettings& voice, std::string_view variant) {
    const PitchSpan pitch = EspeakPitchSpan(voice);
    const std::string designed = DesignedVariantText(variant, voice.design, voice.ownDesign);
    const std::string_view variantText = designed;
    std::string text = "language en-us\n";
    // Variant files end their lines with LF alone.
    std::size_t start = 0;
    while (start < variantText.size()) {
        std::size_t end = variantText.find('\n', start);
        if (end == std::string_view::npos) end = variantText.size();
        const std::string_view line = variantText.substr(start, end - start);
        start = end + 1;
        const std::string_view key = line.substr(0, line.find_first_of(" \t"));
        if (key == "language" || key == "pitch" || key == "name") continue;
        text += std::string(line) + "\n";
    }
    text += "pitch " + std::to_string(pitch.low) + " " + std::to_string(pitch.high) + "\n";
    return text;
}

Result<std::unique_ptr<EspeakEngine>> EspeakEngine::Start() {
    const int rate =
        espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr,
                          espeakINITIALIZE_DONT_EXIT | espeakINITIALIZE_PHONEME_EVENTS);
    if (rate <= 0) return Fail("espeak-ng cannot start (its data files may be missing)");
    const char* dataPath = nullptr;
    espeak_Info(&dataPath);
    TemporaryPath folder = MakePrivateFolder("/tmp");
    if (folder.path().empty()) folder = MakePrivateFolder(std::filesystem::temp_directory_path());
    if (folder.path().empty()) {
        espeak_Terminate();
        return Fail("no temporary folder can be made for the voices");
    }
    espeak_SetSynthCallback(OnSamples);
    std::unique_ptr<EspeakEngine> engine(
        new EspeakEngine(rate, dataPath ? dataPath : "", std::move(folder)));
    if (const Result<void> used = engine->UseVoice(DefaultVoice()); !used) {
        return Fail(used.error());
    }
    return engine;
}

EspeakEngine::EspeakEngine(int sampleRate, std::string dataPath, TemporaryPath voiceFolder)
    : sampleRate_(sampleRate),
      dataPath_(std::move(dataPath)),
      voiceFolder_(std::move(voiceFolder)) {
    for (std::size_t i = 0; i < std::size(voiceFiles_); ++i) {
        voiceFiles_[i] = TemporaryPath(voiceFolder_.path() + "/v" + std::to_string(i));
    }
}

EspeakEngine::~EspeakEngine() {
    espeak_Terminate();
    for (const TemporaryPath& file : voiceFiles_) ::unlink(file.path().c_str());
    ::rmdir(voiceFolder_.path().c_str());
}

const std::string& EspeakEngine::VariantText(std::string_view variant) {
    auto found = variants_.find(variant);
    if (found == variants_.end()) {
        const std::string path = dataPath_ + "/voices/!v/" + std::string(variant);
        found = variants_.emplace(std::string(variant), ReadWholeFile(path).value_or("")).first;
    }
    return found->second;
}

// Each new voice is written to the file that is not in use and selected by
// its name, so espeak-ng always reads it afresh and two files are enough.
Result<void> EspeakEngine::UseVoice(const VoiceSettings& voice) {
    std::string text = VoiceFileText(voice, VariantText(voice.variant));
    if (text != currentVoice_) {
        const std::size_t next = (current_ + 1) % std::size(voiceFiles_);
        const std::string& path = voiceFiles_[next].path();
        // A plain write: the folder is ours alone and lives as long as the run.
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        if (!file.write(text.data(), std::streamsize(text.size())) || !file.flush()) {
            return Fail("cannot write the voice file " + path);
        }
        std::error_code ec;
        const std::string name =
            std::filesystem::relative(path, dataPath_ + "/voices", ec).string();
        if (ec || name.size() > kLongestVoiceName) {
            return Fail("espeak-ng cannot reach the voice file " + path);
        }
        const espeak_ng_STATUS status = espeak_ng_SetVoiceByName(name.c_str());
        if (status != ENS_OK) {
            return Fail("espeak-ng refuses the voice " + name + ": " + StatusText(status));
        }
        current_ = next;
        currentVoice_ = std::move(text);
    }
    espeak_SetParameter(espeakRATE, EspeakRate(voice.wordsPerMinute), 0);
    return {};
}

Result<void> EspeakEngine::Synthesize(std::string_view input, unsigned flags,
                                      const VoiceSettings& voice, const SampleSink& sink,
                                      std::vector<PhonemeMark>* marks) {
    const std::string text(input);
    const StretchGains gains = DesignedGains(voice.design, voice.ownDesign);
    StretchScaler scaler(gains);
    active = {&sink, marks, gains == StretchGains{} ? nullptr : &scaler};
    const espeak_ERROR result =
        espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, flags, nullptr, nullptr);
    active = {};
    if (result != EE_OK) return Fail("espeak-ng cannot speak " + Quoted(text));
    return {};
}

Result<void> EspeakEngine::Speak(std::string_view text, const VoiceSettings& voice,
                                 const SampleSink& sink) {
    if (Result<void> used = UseVoice(voice); !used) return used;
    espeak_ng_SetConstF0(0);
    const SynthesisRun synthesize = [&](const SampleSink& to) {
        return Synthesize(text, espeakCHARS_AUTO | espeakENDPAUSE, voice, to, nullptr);
    };
    if (voice.OwnIntonation()) return synthesize(sink);
    const VoicePitch pitch{double(voice.averagePitch), double(voice.pitchRange), voice.intonation};
    return SpeakAlongContour(text, pitch, sampleRate_, synthesize, sink);
}

Result<SungSound> EspeakEngine::Sing(std::string_view phonemeInput, const VoiceSettings& voice,
                                     double hertz) {
    if (const Result<void> used = UseVoice(voice); !used) return Fail(used.error());
    espeak_ng_SetConstF0(static_cast<int>(std::lround(hertz)));
    SungSound sound;
    const SampleSink collect = [&sound](std::span<const std::int16_t> chunk) {
        sound.samples.insert(sound.samples.end(), chunk.begin(), chunk.end());
        return true;
    };
    const Result<void> sung =
        Synthesize(phonemeInput, espeakCHARS_AUTO | espeakPHONEMES, voice, collect, &sound.marks);
    espeak_ng_SetConstF0(0);
    if (!sung) return Fail(sung.error());
    return sound;
}

}  // namespace qvx::speak

// espeak-ng 1.51 opens the sound server while it starts, in every output mode,
// although speak43 only ever takes its samples: a WAV file would then fail
// where there is no sound at all, or under a file-size limit smaller than the
// server's shared memory. The library asks its audio layer for a device by
// this name; speak43's own definition comes first and gives none, which the
// library is built to cope with (it plays nothing through it).
extern "C" struct audio_object* create_audio_device_object(const char*, const char*, const char*) {
    return nullptr;
}
