#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sndfile.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <thread>

#include "SignalMeasure.h"
#include "speak/SpeakProgram.h"
#include "support/LineEnds.h"
#include "support/TempFolder.h"

namespace qvx::speak {
namespace {

using namespace std::chrono_literals;
using namespace qvx::speak::test;

constexpr const char* kDemo = "[:np]\r\nHello.\r\n[:tone<440,200>]\r\n";

struct Outcome {
    int status = -1;  // the exit status, -1 when ended by a signal
    int signal = 0;   // the signal that ended it
    std::string errorText;
};

// A scratch program folder holding a short demo.txt, where the built program
// runs as the editor starts it, with no sound server reachable.
class Program : public ::testing::Test {
  protected:
    void SetUp() override { folder.Write("demo.txt", kDemo); }

    // Starts the program there. Every run is held to 1 GB of address space
    // (under AddressSanitizer, which reserves far more, to 1 GB resident and
    // no allocation above it), so a regression fails instead of swapping.
    pid_t Start(const std::vector<std::string>& arguments, rlim_t fileSizeLimit = RLIM_INFINITY,
                const std::string& soundServer = "") {
        const std::string server = soundServer.empty() ? folder.File("dead.socket") : soundServer;
        const std::string errorFile = folder.File("stderr.txt");
        std::vector<std::string> words{SPEAK43_PATH};
        words.insert(words.end(), arguments.begin(), arguments.end());
        const pid_t child = fork();
        if (child != 0) return child;
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        const int err = open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (err < 0 || dup2(err, 2) < 0 || chdir(folder.folder().c_str()) != 0) _exit(127);
        setenv("PULSE_SERVER", ("unix:" + server).c_str(), 1);
        setenv("PULSE_CLIENTCONFIG", "/dev/null", 1);
#if defined(__SANITIZE_ADDRESS__)
        const char* asan = getenv("ASAN_OPTIONS");
        setenv("ASAN_OPTIONS",
               (std::string(asan ? asan : "") + ":hard_rss_limit_mb=1024:malloc_limit_mb=1024")
                   .c_str(),
               1);
#else
        const rlimit space{rlim_t{1} << 30, rlim_t{1} << 30};
        setrlimit(RLIMIT_AS, &space);
#endif
        const rlimit size{fileSizeLimit, fileSizeLimit};
        setrlimit(RLIMIT_FSIZE, &size);
        execv(argv[0], argv.data());
        _exit(127);
    }

    // Waits for the program; one that takes longer than a minute hangs and is
    // killed.
    Outcome Wait(pid_t child) {
        Outcome outcome;
        int raw = 0;
        const auto deadline = std::chrono::steady_clock::now() + 60s;
        while (waitpid(child, &raw, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                ADD_FAILURE() << "the program hangs";
                kill(child, SIGKILL);
                waitpid(child, &raw, 0);
                break;
            }
            std::this_thread::sleep_for(5ms);
        }
        if (WIFEXITED(raw)) outcome.status = WEXITSTATUS(raw);
        if (WIFSIGNALED(raw)) outcome.signal = WTERMSIG(raw);
        outcome.errorText = folder.Read("stderr.txt");
        std::filesystem::remove(folder.File("stderr.txt"));
        return outcome;
    }

    Outcome Run(const std::vector<std::string>& arguments, rlim_t fileSizeLimit = RLIM_INFINITY) {
        return Wait(Start(arguments, fileSizeLimit));
    }

    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.folder())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // The voice folders of speak43 runs.
    static std::set<std::string> VoiceFolders() {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator("/tmp")) {
            if (entry.path().filename().string().starts_with("s43-")) names.insert(entry.path());
        }
        return names;
    }

    // The voice folders made since `before` that stay: another speak43 run on
    // this machine may hold one for a while, ours must not leave one behind.
    static std::set<std::string> LeftVoiceFolders(const std::set<std::string>& before) {
        std::set<std::string> left;
        for (int wait = 0; wait < 100; ++wait) {
            left.clear();
            for (const std::string& name : VoiceFolders()) {
                if (!before.contains(name)) left.insert(name);
            }
            if (left.empty()) break;
            std::this_thread::sleep_for(20ms);
        }
        return left;
    }

    void MakeFifo(const std::string& name) const {
        ASSERT_EQ(mkfifo(folder.File(name).c_str(), 0600), 0);
    }

    // A WAV file of silence.
    void WriteWav(const std::string& name, int rate, int channels, int format,
                  sf_count_t frames) const {
        SF_INFO info{};
        info.samplerate = rate;
        info.channels = channels;
        info.format = format;
        SNDFILE* file = sf_open(folder.File(name).c_str(), SFM_WRITE, &info);
        ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
        const std::vector<short> silence(std::size_t(frames * channels));
        sf_writef_short(file, silence.data(), frames);
        sf_close(file);
    }

    // The WAV file's sound made `bytes` long, of zero bytes that take no room
    // on the disk.
    void GrowWav(const std::string& name, std::uint32_t bytes) const {
        const std::string header = folder.Read(name);
        const std::size_t data = header.find("data");
        ASSERT_NE(data, std::string::npos);
        std::fstream file(folder.File(name), std::ios::in | std::ios::out | std::ios::binary);
        const auto put = [&file](std::size_t at, std::uint32_t value) {
            const char bytes[4] = {char(value), char(value >> 8), char(value >> 16),
                                   char(value >> 24)};
            file.seekp(std::streamoff(at)).write(bytes, 4);
        };
        put(4, std::uint32_t(data + bytes));
        put(data + 4, bytes);
        file.close();
        std::filesystem::resize_file(folder.File(name), data + 8 + bytes);
    }

    qvx::test::TempFolder folder;
};

TEST_F(Program, EachFailureIsOneClearLineAndTouchesNothing) {
    MakeFifo("fifo");
    std::filesystem::create_directory(folder.File("sub"));
    const std::vector<std::string> before = Files();
    const std::set<std::string> voiceFolders = VoiceFolders();
    struct Row {
        std::vector<std::string> arguments;
        int status;
        const char* firstWords;
    };
    for (const Row& row : {
             Row{{}, kExitNoDevice, "speak43: cannot open the sound device"},
             Row{{"--script", "missing.txt", "--wav", "out.wav"},
                 kExitNoScript,
                 "speak43: cannot read the script missing.txt: "},
             // Never a wait on a FIFO, never a folder or a device replaced.
             Row{{"--script", "fifo", "--wav", "out.wav"},
                 kExitNoScript,
                 "speak43: cannot read the script fifo: "},
             Row{{"--script", "sub", "--wav", "out.wav"},
                 kExitNoScript,
                 "speak43: cannot read the script sub: "},
             Row{{"--wav", "fifo"}, kExitCannotWrite, "speak43: "},
             Row{{"--wav", "sub"}, kExitCannotWrite, "speak43: "},
             Row{{"--wav", "no/such/out.wav"}, kExitCannotWrite, "speak43: "},
             Row{{"--wav"}, kExitUsage, "speak43: "},
             Row{{"--loud\x1b"}, kExitUsage, "speak43: unknown argument \"--loud\\x1b\""},
         }) {
        SCOPED_TRACE(testing::PrintToString(row.arguments));
        const Outcome outcome = Run(row.arguments);
        EXPECT_EQ(outcome.status, row.status);
        EXPECT_EQ(std::count(outcome.errorText.begin(), outcome.errorText.end(), '\n'), 1)
            << outcome.errorText;
        EXPECT_TRUE(outcome.errorText.starts_with(row.firstWords)) << outcome.errorText;
        EXPECT_EQ(folder.Read("demo.txt"), kDemo);
        EXPECT_EQ(Files(), before);
        struct stat fifo {};
        EXPECT_TRUE(stat(folder.File("fifo").c_str(), &fifo) == 0 && S_ISFIFO(fifo.st_mode));
    }
    EXPECT_EQ(LeftVoiceFolders(voiceFolders), std::set<std::string>());
}

// Writing a WAV file needs no sound system at all: a sound server that would
// answer is never even called (its client maps a shared-memory file as large
// as the file-size limit here), and a symbolic link is written through.
TEST_F(Program, WavFileIsWrittenThroughALinkWithoutTheSoundServer) {
    const std::string server = folder.File("server.socket");
    const int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    server.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 4), 0);
    folder.Write("target.wav", "old");
    std::filesystem::create_symlink("target.wav", folder.File("link.wav"));

    const Outcome outcome = Wait(Start({"--wav", "link.wav"}, rlim_t{64} << 20, server));
    EXPECT_EQ(outcome.status, kExitOk) << outcome.errorText;
    EXPECT_EQ(outcome.errorText, "");
    EXPECT_LT(accept(listener, nullptr, nullptr), 0) << "the sound server was called";
    close(listener);
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("link.wav")));
    const WavData wav = ReadWav(folder.File("target.wav"));
    EXPECT_EQ(wav.channels, 1);
    EXPECT_GT(wav.samples.size(), std::size_t(wav.sampleRate) / 2);  // speech and a 200 ms tone
}

TEST_F(Program, WarningsNameTheirTrueLineWhateverTheLineEnds) {
    // Documented commands give no warning; the unknown one on line 6 gives
    // one, its escape bytes shown rather than sent to the terminal.
    const std::string script =
        "[:name paul][:comma 50][:period 300][:volume set 80][:vo up 10]\r\n"
        "[:punct some][:mode spell on][:say letter][:error speak][:sync][:lang us]\r\n"
        "Hello.[:rate150][:tone100,200][:pause 50][:dial 12]\r\n"
        "[:phoneme arpabet speak on][dow<100,25>rey<100,27>,_<50>.]\r\n"
        "[:phoneme off]\r\n"
        "[:foo\x1b[2J]\r\n";
    for (std::string_view end : qvx::test::kLineEnds) {
        SCOPED_TRACE(testing::PrintToString(end));
        folder.Write("demo.txt", qvx::test::WithLineEnd(script, end));
        const Outcome outcome = Run({"--wav", "out.wav"});
        EXPECT_EQ(outcome.status, kExitOk);
        EXPECT_EQ(outcome.errorText,
                  "speak43: warning: line 6: unknown command \"[:foo\\x1b[2J]\" is skipped\n");
    }
}

TEST_F(Program, HostileScriptsAndSoundFilesEndCleanlyInBoundedMemory) {
    struct Row {
        const char* name;
        std::function<void()> prepare;
        std::string script;
        rlim_t fileSizeLimit;
        int status;
        std::vector<std::string> errorLines;  // a part of each line on stderr, in order
    };
    const std::string many(400 * 2, 'a');
    const Row rows[] = {
        // One sung entry of 400 phonemes once crashed the speech engine.
        {"long entry", [] {}, "[:phone on]\r\n[" + many + "]\r\n", RLIM_INFINITY, kExitOk, {}},
        // 5 MB of dial keys, days of sound: played as it goes, until the WAV
        // file passes the file-size limit.
        {"long dial string",
         [] {},
         "[:dial \"" + std::string(5 << 20, '5') + "\"]",
         rlim_t{8} << 20,
         kExitCannotWrite,
         {"speak43: cannot write out.wav: System error : File too large"}},
        // 200 MB of sound read block by block.
        {"large sound file",
         [this] {
             WriteWav("large.wav", 192000, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 1);
             GrowWav("large.wav", 200 << 20);
         },
         "[:play large.wav]",
         RLIM_INFINITY,
         kExitOk,
         {}},
        // A header that claims 1 Hz once asked for gigabytes.
        {"1 Hz",
         [this] {
             WriteWav("low.wav", 8000, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1);
             GrowWav("low.wav", 200000);
             std::fstream file(folder.File("low.wav"),
                               std::ios::in | std::ios::out | std::ios::binary);
             const char one[8] = {1, 0, 0, 0, 2, 0, 0, 0};  // sample rate and bytes per second
             file.seekp(24).write(one, sizeof one);
         },
         "hi\r\n[:play low.wav]",
         RLIM_INFINITY,
         kExitOk,
         {"warning: line 2: the sound \"low.wav\" is skipped: its sample rate of 1 Hz"}},
        {"many channels",
         [this] { WriteWav("wide.wav", 8000, 40, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 100); },
         "[:play wide.wav]",
         RLIM_INFINITY,
         kExitOk,
         {"warning: line 1: the sound \"wide.wav\" is skipped: it has 40 channels"}},
        {"corrupt",
         [this] { folder.Write("bad.wav", "RIFF1234WAVEfmt garbage"); },
         "[:play bad.wav]",
         RLIM_INFINITY,
         kExitOk,
         {"warning: line 1: the sound \"bad.wav\" is skipped: it is not a sound file"}},
        {"fifo",
         [this] { MakeFifo("pipe.wav"); },
         "\n\n[:play pipe.wav]",
         RLIM_INFINITY,
         kExitOk,
         {"warning: line 3: the sound \"pipe.wav\" is skipped: is not a plain file"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        row.prepare();
        folder.Write("demo.txt", row.script);
        const std::vector<std::string> before = Files();
        const Outcome outcome = Run({"--wav", "out.wav"}, row.fileSizeLimit);
        EXPECT_EQ(outcome.status, row.status) << outcome.errorText;
        std::istringstream lines(outcome.errorText);
        std::string line;
        for (const std::string& part : row.errorLines) {
            EXPECT_TRUE(std::getline(lines, line) && line.find(part) != std::string::npos)
                << outcome.errorText;
        }
        EXPECT_FALSE(std::getline(lines, line)) << outcome.errorText;
        std::vector<std::string> after = Files();
        std::erase(after, "out.wav");
        EXPECT_EQ(after, before) << "a temporary file was left";
        EXPECT_EQ(folder.Exists("out.wav"), row.status == kExitOk);
        std::filesystem::remove(folder.File("out.wav"));
    }
}

TEST_F(Program, InterruptedRunLeavesNoTemporaryFiles) {
    std::string script;
    for (int i = 0; i < 20; ++i) script += "[:tone<440,60000>]\r\n";
    folder.Write("demo.txt", script);
    const std::set<std::string> voiceFolders = VoiceFolders();
    for (int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        const std::vector<std::string> before = Files();
        const pid_t child = Start({"--wav", "out.wav"});
        // Interrupted once the new WAV file is being written.
        auto writing = [&] {
            std::error_code ec;
            for (const auto& entry : std::filesystem::directory_iterator(folder.folder())) {
                const auto size = entry.file_size(ec);
                if (entry.path().filename().string().starts_with(".out.wav.") && !ec && size > 0)
                    return true;
            }
            return false;
        };
        for (auto deadline = std::chrono::steady_clock::now() + 30s;
             !writing() && std::chrono::steady_clock::now() < deadline;) {
            std::this_thread::sleep_for(1ms);
        }
        kill(child, signal);
        const Outcome outcome = Wait(child);
        EXPECT_EQ(outcome.signal, signal) << outcome.errorText;
        EXPECT_EQ(Files(), before);
    }
    EXPECT_EQ(LeftVoiceFolders(voiceFolders), std::set<std::string>());
}

TEST(Arguments, HelpNamesTheOptionsTheSongFormatAndTheExitCodes) {
    std::ostringstream out, err;
    const DeviceOpener none = [](int, std::string&) { return std::unique_ptr<AudioSink>(); };
    EXPECT_EQ(RunSpeak(ParseArguments({"--help"}), none, out, err), kExitOk);
    for (const char* part : {"--wav FILE", "--script FILE", "[:phoneme on]", "<ms,pitch>",
                             "4 WAV file cannot be written", "5 speech engine cannot start"}) {
        EXPECT_NE(out.str().find(part), std::string::npos) << part;
    }
    EXPECT_EQ(err.str(), "");
}

}  // namespace
}  // namespace qvx::speak
