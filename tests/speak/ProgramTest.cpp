#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <thread>

#include "speak/SpeakProgram.h"
#include "support/TempFolder.h"

namespace qvx::speak {
namespace {

using namespace std::chrono_literals;
using enum ExitCode;

constexpr const char* kDemo = "[:np]\r\nHello.\r\n[:tone<440,200>]\r\n";

// Runs of the built program in a scratch program folder.
class Program : public ::testing::Test {
  protected:
    // The names in `folder` that start with `prefix`.
    static std::set<std::string> Names(const std::string& folder, std::string_view prefix = "") {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string name = entry.path().filename();
            if (name.starts_with(prefix)) names.insert(name);
        }
        return names;
    }

    // A WAV file of 16-bit silence whose header claims `rate` and `channels`;
    // its `bytes` of sound take no room on the disk.
    void WriteWav(const std::string& name, std::uint32_t rate, std::uint32_t channels,
                  std::uint32_t bytes) const {
        const auto le = [](std::uint32_t value, int size) {  // the host is little-endian too
            return std::string(reinterpret_cast<const char*>(&value), size);
        };
        folder.Write(name, "RIFF" + le(36 + bytes, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) +
                               le(channels, 2) + le(rate, 4) + le(rate * channels * 2, 4) +
                               le(channels * 2, 2) + le(16, 2) + "data" + le(bytes, 4));
        std::filesystem::resize_file(folder.File(name), 44 + bytes);
    }

    // Starts the shell command in the folder.
    pid_t Start(const std::string& command) const {
        const pid_t child = fork();
        if (child == 0) {
            const std::string line = "cd '" + folder.folder() + "' && " + command;
            execl("/bin/sh", "sh", "-c", line.c_str(), nullptr);
            _exit(127);
        }
        return child;
    }

    qvx::test::TempFolder folder;
};

// Every run: its exit status, at most one line on stderr, holding the given
// part, and nothing left or replaced in the folder: a FIFO is never opened
// for writing, the WAV file is written through its link and kept as it was
// when the run fails, and no voice folder is left. The script's line ends
// are mixed: each of them ends a line.
TEST_F(Program, RunsEndCleanlyInBoundedMemoryWithAClearMessage) {
    // Documented commands give no warning; the unknown one on line 6 gives
    // one, its escape bytes shown rather than sent to the terminal.
    const std::string documented =
        "[:name paul][:comma 50][:period 300][:volume set 80][:vo up 10][:tone100,200]\r\n"
        "[:punct some][:mode spell on][:say letter][:index 3][:error speak][:log on][:sync]\n"
        "[:pronounce x][:lang us][:define \"a\" \"b\"][:enable][:flush all]Hello.[:rate150]\r"
        "[:pause 50][:dial 12][:phoneme arpabet speak on][dow<100,25>rey<100,27>,_<50>.]\r\n"
        "[:phoneme off]\r\n"
        "[:foo\x1b[2J]\n";
    const char* unknown = "speak43: warning: line 6: unknown command \"[:foo\\x1b[2J]\" is skipped";
    const std::string dial = "[:dial \"" + std::string(5 << 20, '5') + "\"]";
    const auto times = [](std::string_view text, int count) {
        std::string repeated;
        for (int i = 0; i < count; ++i) repeated += text;
        return repeated;
    };
    // Thousands of sounds played from a folder of thousands of files.
    for (int i = 0; i < 20000; ++i) folder.Write("f" + std::to_string(i), "");
    WriteWav("tiny.wav", 22050, 1, 2);
    ASSERT_EQ(mkfifo(folder.File("fifo").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo(folder.File("pipe.wav").c_str(), 0600), 0);
    std::filesystem::create_symlink("target.wav", folder.File("out.wav"));
    WriteWav("large.wav", 192000, 2, 200 << 20);  // read block by block
    WriteWav("low.wav", 1, 1, 200000);            // 1 Hz once asked for gigabytes
    folder.Write("bad.wav", "RIFF1234WAVEfmt garbage");
    folder.Write("target.wav", "old");
    folder.Write("demo.txt", kDemo);
    ASSERT_EQ(link(folder.File("demo.txt").c_str(), folder.File("same.txt").c_str()), 0);
    folder.Write("stderr.txt", "");
    const std::set<std::string> before = Names(folder.folder());
    const std::set<std::string> voiceFolders = Names("/tmp", "s43-");
    struct Row {
        const char* name;
        ExitCode status;     // or 128 + the signal that ended the program
        const char* error;   // a part of the line on stderr, if any
        std::string script;  // demo.txt
        const char* arguments = "--wav out.wav";
        int signal = 0;  // sent once the WAV file is being written
        rlim_t fileSizeLimit = RLIM_INFINITY;
        rlim_t cpuSeconds = 60;
    };
    const char* wavNeedsAFile = "it is a pipe or a device, and a WAV file must go to a plain file";
    const Row rows[] = {
        {"no sound device", NoDevice, "speak43: cannot open the sound device", kDemo, ""},
        {"missing script", NoScript, "the script missing.txt: ", kDemo,
         "--script missing.txt --wav out.wav"},
        // Never a wait on a FIFO.
        {"script is a FIFO", NoScript, "cannot read the script fifo: ", kDemo,
         "--script fifo --wav out.wav"},
        {"WAV file is a FIFO", CannotWrite, wavNeedsAFile, kDemo, "--wav fifo"},
        {"WAV file is a device", CannotWrite, wavNeedsAFile, kDemo, "--wav /dev/stdout 1<>fifo"},
        // Never a WAV file over the script, by any of its names.
        {"WAV file is the script", CannotWrite, "the WAV file demo.txt is the script demo.txt",
         kDemo, "--wav demo.txt"},
        {"WAV file is the script's hard link", CannotWrite,
         "the WAV file same.txt is the script demo.txt", kDemo, "--wav same.txt"},
        {"WAV file's link leads to the script", CannotWrite, "is the script target.wav", kDemo,
         "--script target.wav --wav out.wav"},
        {"UTF-16 little-endian", NoScript, "script demo.txt: it is saved as UTF-16",
         std::string("\xff\xfeH\0i\0", 6)},
        {"UTF-16 big-endian", NoScript, "script demo.txt: it is saved as UTF-16",
         std::string("\xfe\xff\0H\0i", 6)},
        {"a NUL byte", Ok, "line 2: a NUL byte is read as a blank", std::string("\r\none\0two", 9)},
        // Dotted runs once overran the speech engine's stack.
        {"dotted letters joined", Ok, "",
         times("a.", 86) + "\r\n" + times("e.g.", 50) + times(" e.g.", 50)},
        {"dotted words and a long address", Ok, "",
         times("U.S.A.", 40) + " http://" + times("w.", 90) + "/a." + times("b", 300)},
        {"thousands of sounds", Ok, "", times("[:play TINY.WAV]\n", 2000), "--wav out.wav", 0,
         RLIM_INFINITY, 5},
        {"unknown argument with an escape", Usage, "speak43: unknown argument \"--loud\\x1b\"",
         kDemo, "--loud\x1b"},
        {"documented commands and an unknown one", Ok, unknown, documented},
        // One sung entry of 400 phonemes once crashed the speech engine.
        {"400 phonemes in one entry", Ok, "", "[:phone on]\r\n[" + std::string(800, 'a') + "]"},
        // 5 MB of dial keys, days of sound: played as it goes, until the WAV
        // file passes the file-size limit, or until the run is interrupted.
        {"WAV file past the file-size limit", CannotWrite,
         "write out.wav: System error : File too large", dial, "--wav out.wav", 0, rlim_t{8} << 20},
        {"interrupted", ExitCode{128 + SIGTERM}, "", dial, "--wav out.wav", SIGTERM},
        {"large sound file", Ok, "", "[:play large.wav]"},
        {"sound of 1 Hz", Ok, "line 2: the sound \"low.wav\" is skipped: its sample rate of 1 Hz",
         "\n[:play low.wav]"},
        {"not a sound file", Ok, "sound \"bad.wav\" is skipped: it is not a sound file",
         "[:play bad.wav]"},
        {"sound is a FIFO", Ok, "line 3: the sound \"pipe.wav\" is skipped: is not a plain file",
         "\n\n[:play pipe.wav]"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        folder.Write("demo.txt", row.script);
        // Through the shell, with no sound server reachable. Every run is held
        // to 1 GB of address space (under AddressSanitizer, which reserves far
        // more, to 1 GB resident and no allocation above it), so that a
        // regression fails instead of swapping, and one that takes a minute
        // hangs and is ended.
        const std::string command =
            "cd '" + folder.folder() +
            "' && PULSE_SERVER=unix:$PWD/dead.socket PULSE_CLIENTCONFIG=/dev/null "
            "ASAN_OPTIONS=$ASAN_OPTIONS:hard_rss_limit_mb=1024:malloc_limit_mb=1024 exec "
            "'" SPEAK43_PATH "' " +
            row.arguments + " 2>stderr.txt";
        const pid_t child = fork();
        if (child == 0) {
#if !defined(__SANITIZE_ADDRESS__)
            const rlimit space{rlim_t{1} << 30, rlim_t{1} << 30};
            setrlimit(RLIMIT_AS, &space);
#endif
            const rlimit size{row.fileSizeLimit, row.fileSizeLimit};
            setrlimit(RLIMIT_FSIZE, &size);
            const rlimit cpu{row.cpuSeconds, row.cpuSeconds};
            setrlimit(RLIMIT_CPU, &cpu);
            alarm(60);
            execl("/bin/sh", "sh", "-c", command.c_str(), nullptr);
            _exit(127);
        }
        for (int wait = 0; row.signal && wait < 30000 && Names(folder.folder(), ".").empty();
             ++wait) {
            std::this_thread::sleep_for(1ms);
        }
        if (row.signal) kill(child, row.signal);
        int status = 0;
        waitpid(child, &status, 0);
        const std::string text = folder.Read("stderr.txt");
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
                  static_cast<int>(row.status))
            << text;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), *row.error ? 1 : 0) << text;
        EXPECT_NE(text.find(row.error), std::string::npos) << text;
        EXPECT_EQ(Names(folder.folder()), before);
        EXPECT_TRUE(std::filesystem::is_symlink(folder.File("out.wav")));
        EXPECT_TRUE(std::filesystem::is_fifo(folder.File("fifo")));
        EXPECT_EQ(folder.Read("target.wav").starts_with("RIFF"), row.status == Ok);
        folder.Write("target.wav", "old");
    }
    // Another run on this machine may hold a voice folder for a while.
    const auto clean = [&] { return std::ranges::includes(voiceFolders, Names("/tmp", "s43-")); };
    for (int wait = 0; wait < 100 && !clean(); ++wait) std::this_thread::sleep_for(20ms);
    EXPECT_TRUE(clean()) << "a voice folder is left in /tmp";
}

// A run that speaks ends the one still speaking in its folder within a
// second, and goes on; a WAV run, even one that is held stopped meanwhile,
// neither ends one nor is ended. A private sound server with a null sink
// stands in for the user's.
TEST_F(Program, SpeakingEndsTheRunStillSpeakingInTheFolder) {
    if (std::system("command -v pulseaudio >/dev/null") != 0)
        GTEST_SKIP() << "pulseaudio is not installed: scripts/setup installs it";
    const std::string env = "HOME=$PWD XDG_RUNTIME_DIR=$PWD PULSE_SERVER=unix:$PWD/pulse/native ";
    const pid_t server = Start(env +
                               "exec pulseaudio -n --daemonize=no --exit-idle-time=-1 "
                               "-L module-null-sink -L module-native-protocol-unix 2>/dev/null");
    for (int wait = 0; wait < 1000 && !std::filesystem::exists(folder.File("pulse/native")); ++wait)
        std::this_thread::sleep_for(10ms);
    folder.Write("demo.txt", "[:tone 440,30000]");
    const auto speak = [&](const char* arguments) {
        return Start(env + "exec '" SPEAK43_PATH "' " + arguments + " 2>>stderr.txt");
    };
    const pid_t wav = speak("--wav out.wav");
    kill(wav, SIGSTOP);
    const pid_t first = speak("");
    std::this_thread::sleep_for(3s);
    const auto start = std::chrono::steady_clock::now();
    const pid_t second = speak("");
    int status = 0;
    while (waitpid(first, &status, WNOHANG) == 0 && std::chrono::steady_clock::now() < start + 5s)
        std::this_thread::sleep_for(5ms);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    kill(wav, SIGCONT);
    EXPECT_EQ(waitpid(wav, &status, 0), wav);
    EXPECT_TRUE(WIFEXITED(status) && ExitCode{WEXITSTATUS(status)} == Ok);
    EXPECT_EQ(waitpid(second, &status, WNOHANG), 0) << "the second run goes on speaking";
    for (pid_t run : {first, second, server}) {
        kill(run, SIGTERM);
        waitpid(run, &status, 0);
    }
    EXPECT_EQ(folder.Read("stderr.txt"), "");
}

}  // namespace
}  // namespace qvx::speak
