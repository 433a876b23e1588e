#pragma once

#include <map>
#include <memory>
#include <string>

#include "speak/SpeechEngine.h"

namespace qvx::speak {

// The speech engine on libespeak-ng. espeak-ng keeps all its state in the
// process, so there is at most one of these at a time.
class EspeakEngine final : public SpeechEngine {
  public:
    // nullptr with `error` set when espeak-ng cannot start.
    static std::unique_ptr<EspeakEngine> Start(std::string& error);
    ~EspeakEngine() override;

    int SampleRate() const override { return sampleRate_; }
    bool Speak(std::string_view text, const VoiceSettings& voice, const SampleSink& sink,
               std::string& error) override;
    bool Sing(std::string_view phonemeInput, const VoiceSettings& voice, double hertz,
              std::vector<std::int16_t>& samples, std::string& error) override;

  private:
    EspeakEngine(int sampleRate, std::string dataPath, std::string voiceFolder);
    bool UseVoice(const VoiceSettings& voice, std::string& error);
    bool Synthesize(std::string_view input, unsigned flags, const SampleSink& sink,
                    std::string& error);

    int sampleRate_;
    std::string dataPath_;
    std::string voiceFolder_;                        // private folder for the voice files we write
    std::map<std::string, std::string> voiceFiles_;  // voice file text to its path
    std::string currentVoice_;
};

// The text of an espeak-ng voice file for the settings: the variant's own
// lines (read from `variantText`) with the language and the pitch replaced.
std::string VoiceFileText(const VoiceSettings& voice, std::string_view variantText);

}  // namespace qvx::speak
