#include "speak/SpeakProgram.h"

#include "common/TextFile.h"
#include "speak/EspeakEngine.h"
#include "speak/Renderer.h"
#include "speak/ScriptParser.h"
#include "speak/Timeline.h"
#include "speak/WavFileSink.h"

namespace qvx::speak {
namespace {

constexpr std::string_view kProgram = "speak43: ";
constexpr std::string_view kWarning = "speak43: warning: ";

constexpr std::string_view kUsage =
    "Usage: speak43 [--script FILE] [--wav FILE] [--help]\n"
    "Speaks a DECtalk script through espeak-ng: its text, voices, rate, tones,\n"
    "dial strings, sound files and sung phonemes.\n"
    "\n"
    "  --script FILE  read FILE instead of demo.txt in the working folder\n"
    "  --wav FILE     write a 16-bit mono WAV file instead of playing\n"
    "  --help         show this text\n"
    "\n"
    "Without --wav the sound goes to the default sound device (PulseAudio or\n"
    "PipeWire). Sound files named by [:play] are read from the working folder.\n"
    "Exit status: 0 done, 1 wrong command line, 2 script cannot be read,\n"
    "3 sound device cannot be opened, 4 file cannot be written,\n"
    "5 speech engine cannot start.\n";

}  // namespace

std::string_view UsageText() {
    return kUsage;
}

SpeakArguments ParseArguments(const std::vector<std::string_view>& arguments) {
    SpeakArguments parsed;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            parsed.help = true;
        } else if (argument == "--script" || argument == "--wav") {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                parsed.error = std::string(argument) + " needs a file name";
                return parsed;
            }
            const std::string value(arguments[++i]);
            (argument == "--script" ? parsed.script : parsed.wav.emplace()) = value;
        } else {
            parsed.error = "unknown argument \"" + std::string(argument) + "\"; see --help";
            return parsed;
        }
    }
    return parsed;
}

int RunSpeak(const SpeakArguments& arguments, const DeviceOpener& openDevice, std::ostream& out,
             std::ostream& err) {
    if (!arguments.error.empty()) {
        err << kProgram << arguments.error << '\n';
        return kExitUsage;
    }
    if (arguments.help) {
        out << kUsage;
        return kExitOk;
    }
    const std::optional<std::string> bytes = ReadWholeFile(arguments.script);
    if (!bytes) {
        err << kProgram << "cannot read the script " << arguments.script << '\n';
        return kExitNoScript;
    }
    const Timeline timeline = Translate(ParseScript(*bytes));

    std::string error;
    std::unique_ptr<EspeakEngine> engine = EspeakEngine::Start(error);
    if (!engine) {
        err << kProgram << error << '\n';
        return kExitNoEngine;
    }
    std::unique_ptr<AudioSink> sink = arguments.wav
                                          ? std::unique_ptr<AudioSink>(WavFileSink::Open(
                                                *arguments.wav, engine->SampleRate(), error))
                                          : openDevice(engine->SampleRate(), error);
    if (!sink) {
        err << kProgram << error << '\n';
        return arguments.wav ? kExitCannotWrite : kExitNoDevice;
    }
    for (const std::string& warning : timeline.warnings) err << kWarning << warning << '\n';
    const WarningSink warn = [&err](const std::string& what) { err << kWarning << what << '\n'; };
    if (!Render(timeline, *engine, *sink, ".", warn, error)) {
        err << kProgram << error << '\n';
        return arguments.wav ? kExitCannotWrite : kExitNoDevice;
    }
    return kExitOk;
}

}  // namespace qvx::speak
