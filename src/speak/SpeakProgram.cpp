#include "speak/SpeakProgram.h"

#include "common/LineReader.h"
#include "common/PrintableText.h"
#include "speak/EspeakEngine.h"
#include "speak/ScriptSpeaker.h"
#include "speak/WavFileSink.h"

namespace qvx::speak {
namespace {

constexpr std::string_view kProgram = "speak43: ";
constexpr std::string_view kWarning = "speak43: warning: ";

constexpr std::string_view kUsage =
    "Usage: speak43 [--script FILE] [--wav FILE] [--help]\n"
    "Speaks a DECtalk script through espeak-ng, line by line.\n"
    "\n"
    "  --script FILE  read FILE instead of demo.txt in the working folder\n"
    "  --wav FILE     write a 16-bit mono WAV file instead of playing\n"
    "  --help         show this text\n"
    "\n"
    "What a script may hold (command names and option words may be cut to any\n"
    "unique beginning, a number may follow the name directly, case is ignored):\n"
    "  plain text                   spoken in the current voice\n"
    "  [:np] [:nh] [:nf] [:nd] [:nb] [:nu] [:nw] [:nr] [:nk] [:nv]  the ten voices,\n"
    "  [:name paul]                 also by name: paul harry frank dennis betty\n"
    "                               ursula wendy rita kit val\n"
    "  [:dv ap 150 pr 80 sx 0]      design the current voice, from that line on\n"
    "                               (choosing a voice resets it; [:nv] keeps it):\n"
    "     ap  average pitch, hertz     pr  pitch range, % (0 is a monotone)\n"
    "     sx  sex, 1 male 0 female     hs  head size, % (larger is deeper)\n"
    "     br  breathiness, dB (noise)  lx  lax breathiness, % (breathy, softer)\n"
    "     sm  smoothness, % (fewer highs)  ri  richness, % (more highs, brighter)\n"
    "     nf  open-glottis samples (more is softer)  la  creak, %\n"
    "     f4 f5  4th/5th formant, hertz (higher is brighter)\n"
    "     b4 b5  their widths, hertz (wider is duller)\n"
    "     g1..g5  formant gains, dB     gv  voicing gain, dB (louder vowels)\n"
    "     gh gf gn  gains of /h/, of hiss sounds (s f sh) and of nasals (m n), dB\n"
    "     bf  baseline fall, hertz (the pitch falls over a sentence)\n"
    "     hr  hat rise, hertz (the stressed phrase stands higher)\n"
    "     sr  stress rise, hertz (each stressed syllable rises)\n"
    "     as  assertiveness, % (a deeper final fall)  qu  quickness, % (faster)\n"
    "     while bf hr sr as qu keep the voice's own values, espeak-ng's own\n"
    "     intonation is heard\n"
    "  [:rate 200]                  words per minute, 75 to 600\n"
    "  [:volume set 60]             loudness 0 to 100, also up N and down N;\n"
    "                               it starts at 100\n"
    "  [:tone 440,500]              a tone: hertz, milliseconds\n"
    "  [:dial \"555-1234\"]           touch tones: 0-9 A-D * #, with - , and blank\n"
    "                               as pauses\n"
    "  [:play bell.wav]             a wave file of the working folder, its name\n"
    "                               matched without regard to case\n"
    "  [:pause 300]                 silence, in milliseconds\n"
    "  [:comma 100] [:period 500]   the pauses of \",\" and \".\" in phonemic text\n"
    "                               (also [:cp 100] and [:pp 500])\n"
    "  [:phoneme on] [:phoneme off] phoneme mode (also [:phoneme arpabet speak on]\n"
    "                               and [:phone on])\n"
    "  [:punct] [:mode] [:say] [:index] [:error] [:log] [:sync] [:pronounce]\n"
    "  [:lang] [:define] [:enable] [:flush]  accepted; no effect on the sound\n"
    "Anything else is skipped with a warning that names its line.\n"
    "\n"
    "In phoneme mode a bracket holds phonemic text: phoneme codes one after\n"
    "another, words separated by blanks. <ms> or <ms,pitch> right after a\n"
    "phoneme sets its length and pitch; pitch 1 to 37 is a note (25 is middle C,\n"
    "34 is A 440 Hz) sung with a light vibrato, any other number is hertz. A\n"
    "phoneme without a pitch keeps the one before it, without a length it has\n"
    "its natural length. _ is a rest, \",\" and \".\" pause, and the stress marks\n"
    "' ` \" / \\ - * # ) ? ! + are accepted. A short song:\n"
    "  [:phoneme on]\n"
    "  [dow<400,25>rey<400,27> miy<400,29>_<200>]\n"
    "  [sow<800,30>.]\n"
    "\n"
    "Without --wav the sound goes to the default sound device (PulseAudio or\n"
    "PipeWire); with it the sound system is not touched at all. Lines may end in\n"
    "CR LF, CR or LF.\n"
    "Exit status: 0 done, 1 wrong command line, 2 script cannot be read,\n"
    "3 sound device cannot be opened or fails, 4 WAV file cannot be written (or\n"
    "would pass the format's 4 GiB), 5 speech engine cannot start.\n";

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
            parsed.error = "unknown argument \"" + PrintableText(argument) + "\"; see --help";
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
    const auto cannotRead = [&](const std::string& why) {
        err << kProgram << "cannot read the script " << PrintableText(arguments.script) << ": "
            << why << '\n';
        return kExitNoScript;
    };
    LineReader script(arguments.script);
    if (!script.ok()) return cannotRead(script.error());

    std::string error;
    std::unique_ptr<EspeakEngine> engine = EspeakEngine::Start(error);
    if (!engine) {
        err << kProgram << error << '\n';
        return kExitNoEngine;
    }
    const int outputFailed = arguments.wav ? kExitCannotWrite : kExitNoDevice;
    std::unique_ptr<AudioSink> sink = arguments.wav
                                          ? std::unique_ptr<AudioSink>(WavFileSink::Open(
                                                *arguments.wav, engine->SampleRate(), error))
                                          : openDevice(engine->SampleRate(), error);
    if (!sink) {
        err << kProgram << error << '\n';
        return outputFailed;
    }
    ScriptSpeaker speaker(*engine, *sink, ".",
                          [&err](const std::string& what) { err << kWarning << what << '\n'; });
    std::string_view line;
    while (script.Next(line)) {
        if (!speaker.SpeakLine(line, script.LineNumber())) {
            err << kProgram << speaker.error() << '\n';
            return outputFailed;
        }
    }
    if (!script.ok()) return cannotRead(script.error());
    if (!speaker.Finish()) {
        err << kProgram << speaker.error() << '\n';
        return outputFailed;
    }
    return kExitOk;
}

}  // namespace qvx::speak
