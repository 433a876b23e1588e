#include "cli/CheckCommand.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "checker/ScriptCorrector.h"
#include "common/ProgramState.h"
#include "common/RecordingPrompts.h"
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
    int status;
    std::string out;
    std::string err;
};

Outcome RunCommand(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunCheckCommand({arguments.begin(), arguments.end()}, out, err);
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

// The rule texts are the checker's own business; here: each finding on its
// own line with its file, line number and kind, the log text (not the box
// text), every line examined whatever the editor's options beside the script
// say, and nothing written.
TEST_F(CheckCommandTest, PrintsOneFindingOfEachRuleInFileOrder) {
    folder.Write("settings.ini", "[QVOptions]\r\nStopAfterFirstError=yes\r\nLogErrors=no\r\n");
    const std::string file = Script(kOneOfEachRule);
    const Outcome run = RunCommand({file});
    std::istringstream out(run.out);
    std::string line;
    for (const int number : {1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12}) {
        ASSERT_TRUE(std::getline(out, line));
        const std::string n = std::to_string(number);
        const char* kind = number == 10 || number == 11 ? "warning" : "error";
        EXPECT_TRUE(line.starts_with(file + ":" + n + ": " + kind + ": ")) << line;
        EXPECT_NE(line.find("line " + n), std::string::npos) << line;
    }
    EXPECT_FALSE(std::getline(out, line));
    EXPECT_TRUE(
        run.out.starts_with(file + ":1: error: error: missing close bracket ] on line 1: [:np\n"));
    EXPECT_NE(run.out.find("missing comma sign , for"), std::string::npos);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, kCheckFoundSomething);
    EXPECT_EQ(folder.Read("script.txt"), kOneOfEachRule);
    EXPECT_FALSE(folder.Exists("errors.log"));
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

TEST_F(CheckCommandTest, ControlBytesInALineAreShownEscaped) {
    const std::string file = Script("[:x\n\x1b[2J]\r\n");
    EXPECT_EQ(RunCommand({file}).out,
              file + ":1: error: error! invalid command: [:x\\x0a\\x1b[2j] on line 1\n");
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
    EXPECT_EQ(run.status, kCheckFailed);
    EXPECT_EQ(RunCommand({clean, warned}).status, kCheckFoundSomething);
    const Outcome quiet = RunCommand({clean, Script("", "empty.txt")});
    EXPECT_EQ(quiet.out + quiet.err, "");
    EXPECT_EQ(quiet.status, kCheckClean);
}

TEST_F(CheckCommandTest, WrongArgumentsAndHelpCheckNothing) {
    const std::string file = Script("[:NP\r\n");
    const Outcome unknown = RunCommand({"--fixx", file});
    EXPECT_EQ(unknown.status, kCheckFailed);
    EXPECT_EQ(unknown.err,
              "quillvox-check: unknown option --fixx.\nTry 'quillvox-check --help'.\n");
    EXPECT_EQ(unknown.out, "");

    const Outcome help = RunCommand({"--help", "--fix", file});
    EXPECT_EQ(help.status, kCheckClean);
    EXPECT_TRUE(help.out.starts_with("Usage: quillvox-check [--fix] FILE...")) << help.out;
    EXPECT_EQ(folder.Read("script.txt"), "[:NP\r\n");
}

// --fix must leave exactly what the editor's corrector leaves, and report
// exactly what it logs.
TEST_F(CheckCommandTest, FixLeavesWhatTheEditorsCorrectorLeaves) {
    const std::vector<std::string> scripts{
        kOneOfEachRule,
        "Hello\r\n[:tone440,500\r\n[:dial 555]\r\n[:dial \"1]\r\n[:NP\r\n[:play sound.wav",
        "[:phone on\r\n[:phone off]\r\n\r\n   ",
        "[:dial]\r\n[:np][:tone440,500]\r\n[:dial 555\"1234]\r\nGr\xC3\xBC\xC3\x9F"
        "e\rAN\nALLE\r\n",
        ""};
    folder.Write("sound.wav", "RIFF");
    for (const std::string& bytes : scripts) {
        SCOPED_TRACE(bytes);
        TempFolder editor;
        editor.Write("sound.wav", "RIFF");
        editor.Write("demo.txt", bytes);
        ProgramState state;
        state.paths = editor.paths();
        RecordingPrompts prompts;
        ASSERT_TRUE(CorrectScript(state, prompts));

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
        EXPECT_EQ(run.status, logged ? kCheckFoundSomething : kCheckClean);
        EXPECT_EQ(run.err, "");
        EXPECT_FALSE(folder.Exists("errors.log"));
    }
}

TEST_F(CheckCommandTest, RepairsAreCountedAndASecondRunFindsNothing) {
    const std::string file = Script("[:tone440,500\r\n[:DIAL 555]\r\n");
    const Outcome first = RunCommand({"--fix", file});
    EXPECT_EQ(first.out, file + ": corrections made: 4\n");
    EXPECT_EQ(first.status, kCheckFoundSomething);
    EXPECT_EQ(folder.Read("script.txt"), "[:tone<440,500>]\r\n[:dial \"555\"]\r\n");

    const Outcome second = RunCommand({"--fix", file});
    EXPECT_EQ(second.out, "");
    EXPECT_EQ(second.status, kCheckClean);
}

TEST_F(CheckCommandTest, UnwritableOrMissingFileIsReportedAndKept) {
    const std::string file = Script("[:NP\r\n");
    fs::permissions(file, fs::perms::owner_read);
    const Outcome run = RunCommand({"--fix", file, folder.File("absent.txt")});
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(run.status, kCheckFailed);
    EXPECT_NE(run.err.find("could not write the file " + file), std::string::npos);
    EXPECT_EQ(folder.Read("script.txt"), "[:NP\r\n");
    // Neither a temporary file left behind nor the missing file made.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.folder()), fs::directory_iterator{}), 1);
}

}  // namespace
}  // namespace qvx
