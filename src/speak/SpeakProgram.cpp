#include "speak/SpeakProgram.h"

#include <filesystem>

#include "common/LineReader.h"
#include "common/PrintableText.h"
#include "common/ProjectVersion.h"
#include "speak/EspeakEngine.h"
#include "speak/ScriptSpeaker.h"
#include "speak/SpeakingLock.h"
#include "speak/WavFileSink.h"
#include "speak/WavTarget.h"

namespace qvx::speak {
namespace {

constexpr std::string_view kProgram = "speak43: ";
constexpr std::string_view kWarning = "speak43: warning: ";
// Editors show a NUL byte as nothing or as a box; the speech engine would end
// the text there.
constexpr std::string_view kNulWarning = ": a NUL byte is read as a blank";

constexpr std::string_view kUsage =
    "Usage: speak43 [--script FILE] [--wav FILE] [--help] [--version]\n"
    "Speaks a DECtalk script through espeak-ng, line by line.\n"
    "\n"
    "  --script FILE  read FILE instead of demo.txt in the working folder\n"
    "  --wav FILE     write a 16-bit mono WAV file instead of playing; a plain\n"
    "                 file, not a pipe or a device, and never the script itself\n"
    "  --help         show this text\n"
    "  --version      show the version\n"
    "\n"
    "What a script may hold (command names and option words may be cut to any\n"
    "unique beginning, a number may follow the name directly, case is ignored):\n"
    "  plain text                   spoken in the current voice; a very long word\n"
    "                               or run of dotted letters in pieces\n"
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
    "                               and after text ending in , ; : or . ? !\n"
    "                               (also [:cp 100] and [:pp 500]); text ending\n"
    "                               otherwise runs straight into what follows\n"
    "  [:phoneme on] [:phoneme off] phoneme mode (also [:phoneme arpabet speak on]\n"
    "                               and [:phone on])\n"
    "  [:punct] [:mode] [:say] [:index] [:error] [:log] [:sync] [:pronounce]\n"
    "  [:lang] [:define] [:enable] [:flush]  accepted; no effect on the sound\n"
    "Anything else is skipped with a warning that names its line.\n"
    "\n"
    "In phoneme mode a bracket holds phonemic text: phoneme codes one after\n"
    "another, words separated by blanks. <ms> or <ms,pitch> right after a\n"
    "phoneme sets its length and pitch; pitch 1 to 37 is a note (25 is middle C,\n"
    "34 is A 440 Hz) sung with a light vibrato, any other number is hertz (at\n"
    "most 10000). A phoneme without a pitch keeps the one before it, without a\n"
    "length it has its natural length. _ is a rest, \",\" and \".\" pause, and the\n"
    "stress marks ' ` \" / \\ - * # ) ? ! + are accepted. The codes, in either case:\n"
    "  b ch d dh el en f g hx jh k l m n nx p r s sh t th v w yx z zh\n"
    "  aa ae ah ao aw ax ay eh ey ih ix iy ow oy rr uh uw yu\n"
    "  ar er ir or ur (the vowels of bar, bear, beer, born, poor)  dx lx q rx tx\n"
    "A code not among them is skipped with a warning, with the length written\n"
    "after it; the rest of the bracket is sung. A short song:\n"
    "  [:phoneme on]\n"
    "  [dow<400,25>rey<400,27> miy<400,29>_<200>]\n"
    "  [sow<800,30>.]\n"
    "\n"
    "Without --wav the sound goes to the default sound device (PulseAudio or\n"
    "PipeWire), and the speak43 still speaking in the same folder is ended first:\n"
    "one voice at a time. With --wav the sound system is not touched at all, and\n"
    "no other run is ended. Lines may end in CR LF, CR or LF. A script is UTF-8\n"
    "(a byte-order mark is skipped) or ANSI; UTF-16 is refused. A NUL byte is\n"
    "read as a blank, with a warning.\n"
    "Exit status: 0 done, 1 wrong command line, 2 script cannot be read,\n"
    "3 sound device cannot be opened or fails, 4 WAV file cannot be written (or\n"
    "would pass the format's 4 GiB), 5 speech engine cannot start.\n";

Result<std::unique_ptr<AudioSink>> OpenOutput(const SpeakArguments& arguments,
                                              const DeviceOpener& openDevice, int sampleRate) {
    if (!arguments.wav) return openDevice(sampleRate);
    std::string refusal = WavTargetRefusal(*arguments.wav, arguments.script);
    if (!refusal.empty()) return Fail(std::move(refusal));
    return WavFileSink::Open(*arguments.wav, sampleRate);
}

// The runs that only print: a wrong command line, --help and --version.
std::optional<ExitCode> PrintOnly(const SpeakArguments& arguments, std::ostream& out,
                                  std::ostream& err) {
    if (!arguments.error.empty()) {
        err << kProgram << arguments.error << '\n';
        return ExitCode::Usage;
    }
    if (arguments.help) {
        out << kUsage;
        return ExitCode::Ok;
    }
    if (arguments.version) {
        out << VersionLine("speak43");
        return ExitCode::Ok;
    }
    return std::nullopt;
}

// Speaking ends the run still speaking in this folder; a WAV file neither
// ends one nor is ended.
SpeakingLock LockFor(const SpeakArguments& arguments, std::ostream& err) {
    if (arguments.wav) return SpeakingLock();
    std::error_code noFolder;
    Result<SpeakingLock> lock = SpeakingLock::Take(std::filesystem::current_path(noFolder));
    if (!lock) {
        err << kWarning << lock.error() << '\n';
        return SpeakingLock();
    }
    return std::move(*lock);
}

}  // namespace

SpeakArguments ParseArguments(const std::vector<std::string_view>& arguments) {
    SpeakArguments parsed;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            parsed.help = true;
        } else if (argument == "--version") {
            parsed.version = true;
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

ExitCode RunSpeak(const SpeakArguments& arguments, const DeviceOpener& openDevice,
                  std::ostream& out, std::ostream& err) {
    if (const std::optional<ExitCode> printed = PrintOnly(arguments, out, err)) return *printed;
    const auto cannotRead = [&](std::string_view why) {
        err << kProgram << "cannot read the script " << PrintableText(arguments.script) << ": "
            << why << '\n';
        return ExitCode::NoScript;
    };
    LineReader script(arguments.script);
    // The first line is read before anything starts, so that a script that
    // is not text of a kind it reads is refused at once.
    std::string_view line;
    bool more = script.Next(line);
    if (!script.status().ok()) return cannotRead(script.status().error());

    const Result<std::unique_ptr<EspeakEngine>> engine = EspeakEngine::Start();
    if (!engine) {
        err << kProgram << engine.error() << '\n';
        return ExitCode::NoEngine;
    }
    const ExitCode outputFailed = arguments.wav ? ExitCode::CannotWrite : ExitCode::NoDevice;
    const Result<std::unique_ptr<AudioSink>> sink =
        OpenOutput(arguments, openDevice, (*engine)->SampleRate());
    if (!sink) {
        err << kProgram << sink.error() << '\n';
        return outputFailed;
    }
    const SpeakingLock lock = LockFor(arguments, err);
    ScriptSpeaker speaker(**engine, **sink, ".",
                          [&err](const std::string& what) { err << kWarning << what << '\n'; });
    for (; more; more = script.Next(line)) {
        if (line.find('\0') != std::string_view::npos) {
            err << kWarning << "line " << script.LineNumber() << kNulWarning << '\n';
        }
        if (const Result<void> spoken = speaker.SpeakLine(line, script.LineNumber()); !spoken) {
            err << kProgram << spoken.error() << '\n';
            return outputFailed;
        }
    }
    if (!script.status().ok()) return cannotRead(script.status().error());
    if (const Result<void> finished = speaker.Finish(); !finished) {
        err << kProgram << finished.error() << '\n';
        return outputFailed;
    }
    return ExitCode::Ok;
}

}  // namespace qvx::speak
