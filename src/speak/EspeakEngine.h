#pragma once

#include <map>
#include <memory>
#include <string>

#include "common/FileAccess.h"
#include "speak/SpeechEngine.h"

namespace qvx::speak {

// The speech engine on libespeak-ng. espeak-ng keeps all its state in the
// process, so there is at most one of these at a time.
class EspeakEngine final : public SpeechEngine {
  public:
    // A failure when espeak-ng cannot start.
    static Result<std::unique_ptr<EspeakEngine>> Start();
    ~EspeakEngine() override;

    int SampleRate() const override { return sampleRate_; }
    Result<void> Speak(std::string_view text, const VoiceSettings& voice,
                       const SampleSink& sink) override;
    Result<SungSound> Sing(std::string_view phonemeInput, const VoiceSettings& voice,
                           double hertz) override;

  private:
    EspeakEngine(int sampleRate, std::string dataPath, TemporaryPath voiceFolder);
    const std::string& VariantText(std::string_view variant);
    Result<void> UseVoice(const VoiceSettings& voice);
    Result<void> Synthesize(std::string_view input, unsigned flags, const VoiceSettings& voice,
                            const SampleSink& sink, std::vector<PhonemeMark>* marks);

    int sampleRate_;
    std::string dataPath_;
    TemporaryPath voiceFolder_;  // private folder for the voice files we write
    TemporaryPath voiceFiles_[2];
    std::size_t current_ = 0;
    std::string currentVoice_;                                  // the text of the voice file in use
    std::map<std::string, std::string, std::less<>> variants_;  // espeak-ng's, by name
};

// The text of an espeak-ng voice file for the settings: the variant's own
// lines (read from `variant`) as the voice's design changes them, with the
// language and the pitch replaced.
std::string VoiceFileText(const VoiceSettings& voice, std::string_view variant);

}  // namespace qvx::speak
