// speak43's path from script bytes to the real speech engine, line by line as
// it reads a script: no text may crash espeak-ng or overrun its stack (an
// abort, which libFuzzer keeps as a finding). The text the engine is given
// is the script's, NUL bytes read as blanks, with clause breaks added only,
// and no word in it longer than the engine takes.
#include <algorithm>
#include <memory>

#include "FuzzSupport.h"
#include "speak/EngineText.h"
#include "speak/EspeakEngine.h"
#include "speak/ScriptSpeaker.h"

namespace {

using namespace qvx::speak;

class CountingSink final : public AudioSink {
  public:
    qvx::Result<void> Write(std::span<const std::int16_t>) override { return {}; }
    qvx::Result<void> Finish() override { return {}; }
};

// The text without the bytes EngineText may add or turn into each other.
std::string Kept(std::string_view text) {
    std::string kept(text);
    std::erase_if(kept, [](char c) { return c == ' ' || c == ',' || c == '\0'; });
    return kept;
}

void CheckEngineText(std::string_view text) {
    const std::string given = EngineText(text);
    QVX_FUZZ_CHECK(Kept(given) == Kept(text) && given.find('\0') == std::string::npos);
    std::size_t word = 0;  // bytes above 0x7F counted twice
    for (char c : given) {
        word = c == ' ' ? 0 : word + (static_cast<unsigned char>(c) < 0x80 ? 1 : 2);
        QVX_FUZZ_CHECK(word <= kLongestEngineRun);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One engine per process, ended at exit so its voice folder goes too.
    static const std::unique_ptr<EspeakEngine> engine = [] {
        auto started = EspeakEngine::Start();
        QVX_FUZZ_CHECK(started.ok());
        return std::move(*started);
    }();
    CountingSink sink;
    ScriptSpeaker speaker(*engine, sink, qvx::fuzz::PrivateFolder(), [](const std::string&) {});
    std::size_t number = 0;
    for (std::string_view line : qvx::fuzz::Lines(qvx::fuzz::AsText(data, size))) {
        CheckEngineText(line);
        QVX_FUZZ_CHECK(speaker.SpeakLine(line, ++number).ok());
    }
    QVX_FUZZ_CHECK(speaker.Finish().ok());
    return 0;
}
