#include "speak/EspeakEngine.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>
#include <sys/stat.h>

#include <cerrno>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "common/TextFile.h"

namespace qvx::speak {
namespace {

// The sink of the synthesis under way: espeak-ng's callback has no user data
// of its own that reaches it reliably, and the engine is one per process.
const SampleSink* activeSink = nullptr;

int OnSamples(short* wav, int count, espeak_EVENT*) {
    if (wav == nullptr || count <= 0 || activeSink == nullptr) return 0;
    return (*activeSink)(std::span<const std::int16_t>(wav, static_cast<std::size_t>(count))) ? 0
                                                                                              : 1;
}

std::string StatusText(espeak_ng_STATUS status) {
    char text[512] = {};
    espeak_ng_GetStatusCodeMessage(status, text, sizeof text);
    return text;
}

// espeak-ng takes a voice file only by a path relative to its voices folder,
// and only up to this many characters: the private folder is kept short.
constexpr std::size_t kLongestVoiceName = 39;

// espeak-ng also lower-cases voice names, so the folder name (unlike
// mkdtemp's) has lower-case letters and digits only.
std::string MakePrivateFolder(const std::filesystem::path& base) {
    constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = "s43-";
        for (int i = 0; i < 8; ++i) name += kLetters[random() % kLetters.size()];
        const std::string path = (base / name).string();
        if (mkdir(path.c_str(), 0700) == 0) return path;
        if (errno != EEXIST) break;
    }
    return {};
}

}  // namespace

std::string VoiceFileText(const VoiceSettings& voice, std::string_view variantText) {
    const PitchSpan pitch = EspeakPitchSpan(voice);
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

std::unique_ptr<EspeakEngine> EspeakEngine::Start(std::string& error) {
    const int rate =
        espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (rate <= 0) {
        error = "espeak-ng cannot start (its data files may be missing)";
        return nullptr;
    }
    const char* dataPath = nullptr;
    espeak_Info(&dataPath);
    std::string folder = MakePrivateFolder("/tmp");
    if (folder.empty()) folder = MakePrivateFolder(std::filesystem::temp_directory_path());
    if (folder.empty()) {
        error = "no temporary folder can be made for the voices";
        espeak_Terminate();
        return nullptr;
    }
    espeak_SetSynthCallback(OnSamples);
    std::unique_ptr<EspeakEngine> engine(
        new EspeakEngine(rate, dataPath ? dataPath : "", std::move(folder)));
    if (!engine->UseVoice(DefaultVoice(), error)) return nullptr;
    return engine;
}

EspeakEngine::EspeakEngine(int sampleRate, std::string dataPath, std::string voiceFolder)
    : sampleRate_(sampleRate),
      dataPath_(std::move(dataPath)),
      voiceFolder_(std::move(voiceFolder)) {}

EspeakEngine::~EspeakEngine() {
    espeak_Terminate();
    std::error_code ignored;
    std::filesystem::remove_all(voiceFolder_, ignored);
}

bool EspeakEngine::UseVoice(const VoiceSettings& voice, std::string& error) {
    const std::string variantPath = dataPath_ + "/voices/!v/" + std::string(voice.variant);
    const std::string text = VoiceFileText(voice, ReadWholeFile(variantPath).value_or(""));
    auto found = voiceFiles_.find(text);
    if (found == voiceFiles_.end()) {
        const std::string path = voiceFolder_ + "/v" + std::to_string(voiceFiles_.size());
        if (const FileResult written = RewriteFile(path, text); !written) {
            error = written.error;
            return false;
        }
        found = voiceFiles_.emplace(text, path).first;
    }
    if (found->second != currentVoice_) {
        std::error_code ec;
        const std::string name =
            std::filesystem::relative(found->second, dataPath_ + "/voices", ec).string();
        if (ec || name.size() > kLongestVoiceName) {
            error = "espeak-ng cannot reach the voice file " + found->second;
            return false;
        }
        const espeak_ng_STATUS status = espeak_ng_SetVoiceByName(name.c_str());
        if (status != ENS_OK) {
            error = "espeak-ng refuses the voice " + name + ": " + StatusText(status);
            return false;
        }
        currentVoice_ = found->second;
    }
    espeak_SetParameter(espeakRATE, EspeakRate(voice.wordsPerMinute), 0);
    return true;
}

bool EspeakEngine::Synthesize(std::string_view input, unsigned flags, const SampleSink& sink,
                              std::string& error) {
    const std::string text(input);
    activeSink = &sink;
    const espeak_ERROR result =
        espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, flags, nullptr, nullptr);
    activeSink = nullptr;
    if (result != EE_OK) {
        error = "espeak-ng cannot speak \"" + text + "\"";
        return false;
    }
    return true;
}

bool EspeakEngine::Speak(std::string_view text, const VoiceSettings& voice, const SampleSink& sink,
                         std::string& error) {
    if (!UseVoice(voice, error)) return false;
    espeak_ng_SetConstF0(0);
    return Synthesize(text, espeakCHARS_AUTO | espeakENDPAUSE, sink, error);
}

bool EspeakEngine::Sing(std::string_view phonemeInput, const VoiceSettings& voice, double hertz,
                        std::vector<std::int16_t>& samples, std::string& error) {
    if (!UseVoice(voice, error)) return false;
    espeak_ng_SetConstF0(static_cast<int>(std::lround(hertz)));
    const SampleSink collect = [&samples](std::span<const std::int16_t> chunk) {
        samples.insert(samples.end(), chunk.begin(), chunk.end());
        return true;
    };
    const bool ok = Synthesize(phonemeInput, espeakCHARS_AUTO | espeakPHONEMES, collect, error);
    espeak_ng_SetConstF0(0);
    return ok;
}

}  // namespace qvx::speak
