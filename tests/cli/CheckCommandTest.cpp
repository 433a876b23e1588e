#include "cli/CheckCommand.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "checker/ScriptCorrector.h"
#include "common/ProgramState.h"
#include "common/TextEncoding.h"
#include "support/MemoryLimit.h"
#include "support/RecordingPrompts.h"
#include "support/TempFolder.h"

namespace qvx {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

// One fault of each rule of the full check, in the order of the rules, with a
// spoken line among them that is not examined.
const std::string kOneOfEachRule =
    "[:NP\r\n[:tone440,500>]\r\n[:tone<440,500]\r\n[:tone<440 500>]\r\nHello [:bogus\r\n"
    "[:dial 555]\r\n[:dial \"555]\r\n[:phone x]\r\n[:dv zz 5]\r\n[:phone off]\r\n"
    "[:play gone.wav]\r\n[:bogus]\r\n";

struct Outcome {
    CheckStatus status;
    std::string out;
    std::string err;
};

Outcome RunCommand(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const CheckStatus status = RunCheckCommand({arguments.begin(), arguments.end()}, out, err);
    return {status, out.str(), err.str()};
}

class CheckCommandTest : public ::testing::Test {
  protected:
    std::string Script(const std::string& bytes, const std::string& name = "script.txt") const {
        folder.Write(name, bytes);
        return folder.File(name);
    }

    TempFolder folder;
};

// The rule texts are the checker's own business; here: each finding on a line
// of its own with file, line number, kind and log text, control bytes shown
// escaped, every line examined whatever the editor's options beside the
// script say, a UTF-8 mark skipped, and nothing written.
TEST_F(CheckCommandTest, PrintsEachFindingOnALineOfItsOwn) {
    folder.Write("settings.ini", "[QVOptions]\r\nStopAfterFirstError=yes\r\nLogErrors=no\r\n");
    const std::string script =
        "\xEF\xBB\xBF[:NP\r\nHello [:bogus\r\n[:phone off]\r\n[:x\x01\x1b[2J\xC2\x9B\xC2\xA0]\r\n";
    const std::string file = Script(script);
    const Outcome run = RunCommand({file});
    EXPECT_EQ(
        run.out,
        file + ":1: error: error: missing close bracket ] on line 1: [:np\n" + file +
            ":3: warning: warning! [:phone off] statement with no [:phone on] "
            "statement on line 3.\n" +
            file +
            ":4: error: error! invalid command: [:x\\x01\\x1b[2j\\xc2\\x9b\xC2\xA0] on line 4\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, CheckStatus::FoundSomething);
    EXPECT_EQ(folder.Read("script.txt"), script);
    EXPECT_FALSE(folder.Exists("errors.log"));
}

// What is not a plain file or is UTF-16 is refused before anything is read or
// replaced, and never waited on; a link is written through, and a link planted where an
// older version put its temporary file is left alone.
TEST_F(CheckCommandTest, HostileFilesAreRefusedOrWrittenThrough) {
    ASSERT_EQ(mkfifo(folder.File("fifo").c_str(), 0600), 0);
    const std::string utf16[] = {std::string("\xFF\xFE[\0:\0n\0p\0\n\0", 12),
                                 std::string("\xFE\xFF\0[\0:\0n\0p\0\n", 12)};
    alarm(10);
    for (const auto& [path, reason] :
         std::initializer_list<std::pair<std::string, std::string_view>>{
             {folder.File("fifo"), "is not a plain file"},
             {"/dev/null", "is not a plain file"},
             {"/dev/zero", "is not a plain file"},
             {Script(utf16[0], "le.txt"), kUtf16Refusal},
             {Script(utf16[1], "be.txt"), kUtf16Refusal}}) {
        for (const bool fix : {false, true}) {
            SCOPED_TRACE(path + (fix ? " with --fix" : ""));
            const Outcome run = fix ? RunCommand({"--fix", path}) : RunCommand({path});
            EXPECT_EQ(run.status, CheckStatus::Failed);
            EXPECT_EQ(run.err, "quillvox-check: " + path + ": " + std::string(reason) + ".\n");
        }
    }
    alarm(0);
    EXPECT_EQ(folder.Read("le.txt") + folder.Read("be.txt"), utf16[0] + utf16[1]);
    EXPECT_TRUE(fs::is_fifo(folder.File("fifo")));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));

    Script("[:NP\r\n", "real.txt");
    fs::create_symlink(folder.File("real.txt"), folder.File("link.txt"));
    Script("mine", "victim");
    fs::permissions(folder.File("victim"), fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(folder.File("victim"), folder.File("real.txt.qvx-new"));
    EXPECT_EQ(RunCommand({"--fix", folder.File("link.txt")}).status, CheckStatus::FoundSomething);
    EXPECT_TRUE(fs::is_symlink(folder.File("link.txt")));
    EXPECT_EQ(folder.Read("real.txt"), "[:np]\r\n");
    EXPECT_EQ(folder.Read("victim"), "mine");
    EXPECT_EQ(fs::status(folder.File("victim")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

// Findings are printed as they are found, never gathered: a million faulty
// lines cost no more memory than one.
TEST_F(CheckCommandTest, ManyFaultyLinesStayWithinMemory) {
    std::string script;
    for (int i = 0; i < 1'000'000; ++i) script += "[:tone440,500]\r\n";
    const std::string file = Script(script);
    script = {};
    EXPECT_TRUE(test::RunsWithin(512 << 20, [&file] {
        struct Counter : std::streambuf {
            std::streamsize written = 0;
            int overflow(int c) override { return ++written, c; }
            std::streamsize xsputn(const char*, std::streamsize n) override {
                return written += n, n;
            }
        } counter;
        std::ostream out(&counter);
        std::ostringstream err;
        if (RunCheckCommand({file}, out, err) != CheckStatus::FoundSomething) throw 1;
        if (counter.written < 2'000'000 * 100LL) throw 2;
    }));
}

TEST_F(CheckCommandTest, WaveFilesAreLookedForBesideTheScript) {
    fs::create_directory(folder.File("sub"));
    folder.Write("sub/here.wav", "RIFF");
    folder.Write("there.wav", "RIFF");
    const std::string file = Script("[:play here.wav]\r\n[:play there.wav]\r\n", "sub/s.txt");
    const std::string gone = ":2: warning: warning! specified wave file to play on line 2, ";
    EXPECT_EQ(RunCommand({file}).out, file + gone + "there.wav does not exist.\n");

    // A name without a folder: the current one.
    const fs::path previous = fs::current_path();
    fs::current_path(folder.File("sub"));
    const Outcome run = RunCommand({"s.txt"});
    fs::current_path(previous);
    EXPECT_EQ(run.out, "s.txt" + gone + "there.wav does not exist.\n");
}

TEST_F(CheckCommandTest, SeveralFilesInArgumentOrderWithTheWorstStatus) {
    const std::string faulty = Script("[:np\r\n", "a.txt");
    const std::string clean = Script("[:np]\r\n", "b.txt");
    const std::string missing = folder.File("c.txt");
    const std::string warned = Script("[:phone off]\r\n", "d.txt");
    fs::create_directory(folder.File("e"));

    const Outcome run = RunCommand({faulty, clean, missing, warned, folder.File("e")});
    EXPECT_TRUE(run.out.starts_with(faulty + ":1: error: ")) << run.out;
    EXPECT_NE(run.out.find("\n" + warned + ":1: warning: "), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "quillvox-check: " + missing + ": no such file.\nquillvox-check: " +
                           folder.File("e") + ": is a folder.\n");
    EXPECT_EQ(run.status, CheckStatus::Failed);
    EXPECT_EQ(RunCommand({clean, warned}).status, CheckStatus::FoundSomething);
    const Outcome quiet = RunCommand({clean, Script("", "empty.txt")});
    EXPECT_EQ(quiet.out + quiet.err, "");
    EXPECT_EQ(quiet.status, CheckStatus::Clean);
}

TEST_F(CheckCommandTest, WrongArgumentsAndHelpCheckNothing) {
    const std::string file = Script("[:NP\r\n");
    const std::string tryHelp = ".\nTry 'quillvox-check --help'.\n";
    const std::tuple<const char*, std::vector<std::string>, std::string> wrong[] = {
        {"unknown option", {"--fixx", file}, "quillvox-check: unknown option --fixx" + tryHelp},
        {"no file", {"--fix"}, "quillvox-check: no file to check" + tryHelp},
        {"after --", {"--", "-h"}, "quillvox-check: -h: no such file.\n"}};
    for (const auto& [name, arguments, err] : wrong) {
        SCOPED_TRACE(name);
        const Outcome run = RunCommand(arguments);
        EXPECT_EQ(run.status, CheckStatus::Failed);
        EXPECT_EQ(run.out + run.err, err);
    }
    const Outcome help = RunCommand({"-h", "--fix", file});
    EXPECT_EQ(help.status, CheckStatus::Clean);
    EXPECT_TRUE(help.out.starts_with("Usage: quillvox-check [--fix] FILE...")) << help.out;
    const Outcome version = RunCommand({"--fix", file, "--version"});
    EXPECT_EQ(version.status, CheckStatus::Clean);
    EXPECT_TRUE(version.out.starts_with("quillvox-check 5.")) << version.out;
    EXPECT_EQ(folder.Read("script.txt"), "[:NP\r\n");
}

// --fix must leave exactly what the editor's corrector leaves, and report
// exactly what it logs.
TEST_F(CheckCommandTest, FixLeavesWhatTheEditorsCorrectorLeaves) {
    const std::pair<const char*, std::string> scripts[] = {
        {"one of each rule", kOneOfEachRule},
        {"repairs",
         "Hello\r\n[:tone440,500\r\n[:dial 555]\r\n[:dial \"1]\r\n[:NP\r\n[:play sound.wav"},
        {"phone on repaired, blank last lines", "[:phone on\r\n[:phone off]\r\n\r\n   "},
        {"a failed repair, UTF-8 and mixed line ends",
         std::string("[:dial]\r\n[:np][:tone440,500]\r\n[:dial 555\"1234]\r\nGr\xC3\xBC\xC3\x9F") +
             "e\rAN\nALLE\r\n"},
        {"empty", ""}};
    folder.Write("sound.wav", "RIFF");
    for (const auto& [name, bytes] : scripts) {
        SCOPED_TRACE(name);
        TempFolder editor;
        editor.Write("sound.wav", "RIFF");
        editor.Write("demo.txt", bytes);
        ProgramState state;
        state.paths = editor.paths();
        RecordingPrompts prompts;
        ASSERT_EQ(CorrectScript(state, prompts), Refresh::Needed);

        const std::string file = Script(bytes);
        const Outcome run = RunCommand({"--fix", file});
        EXPECT_EQ(folder.Read("script.txt"), editor.Read("demo.txt"));
        std::istringstream lines(run.out);
        std::string log;  // the findings printed, as errors.log holds them
        for (std::string line; std::getline(lines, line);) {
            if (line.starts_with(file + ": ")) continue;  // the count of repairs
            log += line.substr(line.find(": ", line.find(": ") + 2) + 2) + "\r\n";
        }
        const bool logged = editor.Exists("errors.log");
        EXPECT_EQ(log, logged ? editor.Read("errors.log") : "");
        EXPECT_EQ(run.status, logged ? CheckStatus::FoundSomething : CheckStatus::Clean);
        EXPECT_EQ(run.err, "");
        EXPECT_FALSE(folder.Exists("errors.log"));
    }
}

TEST_F(CheckCommandTest, RepairsAreCounted) {
    const std::string file = Script("\xEF\xBB\xBF[:tone440,500\r\n[:DIAL 555]\r\n");
    const Outcome first = RunCommand({"--fix", file});
    EXPECT_EQ(first.out, file + ": corrections made: 4\n");
    EXPECT_EQ(first.status, CheckStatus::FoundSomething);
    EXPECT_EQ(folder.Read("script.txt"), "\xEF\xBB\xBF[:tone<440,500>]\r\n[:dial \"555\"]\r\n");
}

TEST_F(CheckCommandTest, UnwritableOrMissingFileIsReportedAndKept) {
    const std::string file = Script("[:NP\r\n");
    fs::permissions(file, fs::perms::owner_read);
    const Outcome run = RunCommand({"--fix", file, folder.File("absent.txt")});
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(run.status, CheckStatus::Failed);
    EXPECT_NE(run.err.find("could not write the file " + file), std::string::npos);
    EXPECT_EQ(folder.Read("script.txt"), "[:NP\r\n");
    // Neither a temporary file left behind nor the missing file made.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.folder()), fs::directory_iterator{}), 1);
}

}  // namespace
}  // namespace qvx
