#include "cli/CheckCommand.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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
    "[:NP\r\n"
    "[:tone440,500>]\r\n"
    "[:tone<440,500]\r\n"
    "[:tone<440 500>]\r\n"
    "Hello [:bogus\r\n"
    "[:dial 555]\r\n"
    "[:dial \"555]\r\n"
    "[:phone x]\r\n"
    "[:dv zz 5]\r\n"
    "[:phone off]\r\n"
    "[:play gone.wav]\r\n"
    "[:bogus]\r\n";

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

Outcome RunCommand(const std::vector<std::string>& arguments) {
    const std::vector<std::string_view> views(arguments.begin(), arguments.end());
    std::ostringstream out;
    std::ostringstream err;
    Outcome run;
    run.status = RunCheckCommand(views, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

class CheckCommandTest : public ::testing::Test {
  protected:
    std::string Script(const std::string& bytes, const std::string& name = "script.txt") const {
        folder.Write(name, bytes);
        return folder.File(name);
    }

    TempFolder folder;
};

TEST_F(CheckCommandTest, PrintsOneFindingOfEachRuleInFileOrder) {
    const std::string file = Script(kOneOfEachRule);
    const Outcome run = RunCommand({file});
    const std::string p = file + ":";
    EXPECT_EQ(run.out,
              p + "1: error: error: missing close bracket ] on line 1: [:np\n" + p +
                  "2: error: error! missing less-than sign < for start of parameters in tone "
                  "command on line 2: [:tone440,500>]\n" +
                  p +
                  "3: error: error! missing greater-than sign > for end of parameters in tone "
                  "command on line 3: [:tone<440,500]\n" +
                  p +
                  "4: error: error! missing comma sign , for separation between parameters in "
                  "tone command on line 4: [:tone<440 500>]\n" +
                  p +
                  "6: error: error! missing quotes for dial command. entry must have quotes "
                  "around them. line 6: [:dial 555]\n" +
                  p +
                  "7: error: error! unbalanced quotes in dial command on line 7: [:dial \"555]\n" +
                  p + "8: error: error! unexpected statement: line 8: [:phone x]\n" + p +
                  "9: error: error! unexpected statement on line 9: [:dv zz 5]\n" + p +
                  "10: warning: warning! [:phone off] statement with no [:phone on] statement on "
                  "line 10.\n" +
                  p +
                  "11: warning: warning! specified wave file to play on line 11, gone.wav does "
                  "not exist.\n" +
                  p + "12: error: error! invalid command: [:bogus] on line 12\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, kCheckFoundSomething);
    EXPECT_EQ(folder.Read("script.txt"), kOneOfEachRule);  // a check changes nothing
    EXPECT_FALSE(folder.Exists("errors.log"));
}

TEST_F(CheckCommandTest, CleanScriptExitsZeroSilently) {
    folder.Write("sound.wav", "RIFF");
    const Outcome run =
        RunCommand({Script("[:np]\r\nhello\r\n[:phone on]\r\n[:phone off]\r\n"
                           "[:play sound.wav]\r\n[:ra 200]\r\n[:dv hr 20]\r\n")});
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, kCheckClean);
}

TEST_F(CheckCommandTest, EmptyFileIsClean) {
    EXPECT_EQ(RunCommand({Script("")}).status, kCheckClean);
}

TEST_F(CheckCommandTest, WaveFilesAreLookedForBesideTheScript) {
    fs::create_directory(folder.File("sub"));
    folder.Write("sub/here.wav", "RIFF");
    folder.Write("there.wav", "RIFF");
    const std::string file = Script("[:play here.wav]\r\n[:play there.wav]\r\n", "sub/s.txt");
    const Outcome run = RunCommand({file});
    EXPECT_EQ(run.out, file +
                           ":2: warning: warning! specified wave file to play on line 2, there.wav "
                           "does not exist.\n");
}

TEST_F(CheckCommandTest, WaveFileBesideARelativeNameInTheCurrentFolder) {
    folder.Write("here.wav", "RIFF");
    Script("[:play here.wav]\r\n[:play gone.wav]\r\n");
    const fs::path previous = fs::current_path();
    fs::current_path(folder.folder());
    const Outcome run = RunCommand({"script.txt"});
    fs::current_path(previous);
    EXPECT_EQ(run.out,
              "script.txt:2: warning: warning! specified wave file to play on line 2, gone.wav "
              "does not exist.\n");
}

TEST_F(CheckCommandTest, EveryErrorIsReportedWhateverTheOptions) {
    // The editor's settings beside the script ask to stop at the first error
    // and to keep no log; neither applies here.
    folder.Write("settings.ini", "[QVOptions]\r\nStopAfterFirstError=yes\r\nLogErrors=no\r\n");
    const std::string file = Script("hello\r\n\r\n[:x]\r\n[:np]\r\n\r\n\r\n[:y]\r\n");
    const Outcome run = RunCommand({file});
    EXPECT_EQ(run.out, file + ":3: error: error! invalid command: [:x] on line 3\n" + file +
                           ":7: error: error! invalid command: [:y] on line 7\n");
}

TEST_F(CheckCommandTest, ControlBytesInALineAreShownEscaped) {
    const std::string file = Script("[:x\n\x1b[2J]\r\n");
    const Outcome run = RunCommand({file});
    EXPECT_EQ(run.out, file + ":1: error: error! invalid command: [:x\\x0a\\x1b[2j] on line 1\n");
}

TEST_F(CheckCommandTest, SeveralFilesInArgumentOrderWithTheWorstStatus) {
    const std::string faulty = Script("[:np\r\n", "a.txt");
    const std::string clean = Script("[:np]\r\n", "b.txt");
    const std::string missing = folder.File("c.txt");
    const std::string warned = Script("[:phone off]\r\n", "d.txt");

    const Outcome run = RunCommand({faulty, clean, missing, warned});
    EXPECT_EQ(run.out, faulty + ":1: error: error: missing close bracket ] on line 1: [:np\n" +
                           warned +
                           ":1: warning: warning! [:phone off] statement with no [:phone on] "
                           "statement on line 1.\n");
    EXPECT_EQ(run.err, "quillvox-check: " + missing + ": no such file.\n");
    EXPECT_EQ(run.status, kCheckFailed);

    EXPECT_EQ(RunCommand({clean, warned}).status, kCheckFoundSomething);
    EXPECT_EQ(RunCommand({clean, clean}).status, kCheckClean);
}

TEST_F(CheckCommandTest, UnreadableInputsExitTwo) {
    fs::create_directory(folder.File("folder"));
    const Outcome onFolder = RunCommand({folder.File("folder")});
    EXPECT_EQ(onFolder.status, kCheckFailed);
    EXPECT_EQ(onFolder.err, "quillvox-check: " + folder.File("folder") + ": is a folder.\n");

    const std::string locked = Script("[:np]\r\n");
    fs::permissions(locked, fs::perms::none);
    const bool readableAnyway = std::ifstream(locked).good();  // as root
    const Outcome onLocked = RunCommand({locked});
    fs::permissions(locked, fs::perms::owner_all);
    if (!readableAnyway) {
        EXPECT_EQ(onLocked.status, kCheckFailed);
        EXPECT_EQ(onLocked.err, "quillvox-check: " + locked + ": cannot be read.\n");
    }
}

TEST_F(CheckCommandTest, WrongArgumentsExitTwo) {
    const Outcome none = RunCommand({});
    EXPECT_EQ(none.status, kCheckFailed);
    EXPECT_EQ(none.err, "quillvox-check: no file to check.\nTry 'quillvox-check --help'.\n");
    EXPECT_EQ(none.out, "");

    const std::string file = Script("[:np\r\n");
    const Outcome unknown = RunCommand({"--fixx", file});
    EXPECT_EQ(unknown.status, kCheckFailed);
    EXPECT_EQ(unknown.err,
              "quillvox-check: unknown option --fixx.\nTry 'quillvox-check --help'.\n");
    EXPECT_EQ(unknown.out, "");  // nothing is checked on a mistyped command
}

TEST_F(CheckCommandTest, HelpExplainsAndChecksNothing) {
    const std::string file = Script("[:NP\r\n");
    const Outcome run = RunCommand({"--help", "--fix", file});
    EXPECT_EQ(run.status, kCheckClean);
    EXPECT_NE(run.out.find("Usage: quillvox-check [--fix] FILE..."), std::string::npos);
    EXPECT_NE(run.out.find("Exit status: 0"), std::string::npos);
    EXPECT_EQ(folder.Read("script.txt"), "[:NP\r\n");
}

// --fix must leave exactly what the editor's corrector leaves, and report
// exactly what it logs.
class FixCommandTest : public CheckCommandTest {
  protected:
    struct EditorRun {
        std::string script;
        std::string log;
    };

    EditorRun CorrectInEditor(const std::string& bytes) const {
        TempFolder editor;
        editor.Write("sound.wav", "RIFF");
        editor.Write("demo.txt", bytes);
        ProgramState state;
        state.paths = editor.paths();
        RecordingPrompts prompts;
        EXPECT_TRUE(CorrectScript(state, prompts));
        return {editor.Read("demo.txt"), editor.Read("errors.log")};
    }

    // The findings printed for `file`, as errors.log would hold them.
    static std::string AsLog(const std::string& out, const std::string& file) {
        std::istringstream lines(out);
        std::string log;
        for (std::string line; std::getline(lines, line);) {
            // "FILE: corrections made: N" is no finding.
            if (!line.starts_with(file + ":") || line.starts_with(file + ": ")) continue;
            const auto text = line.find(": ", line.find(": ") + 2);
            if (text == std::string::npos) continue;
            log += line.substr(text + 2) + "\r\n";
        }
        return log;
    }
};

TEST_F(FixCommandTest, SameBytesAndFindingsAsTheEditorsCorrector) {
    const std::vector<std::string> scripts{
        kOneOfEachRule,
        "Hello\r\n[:tone440,500\r\n[:dial 555]\r\n[:dial \"1]\r\n[:NP\r\n[:play sound.wav",
        "[:phone on\r\n[:phone off]\r\n\r\n   ",
        "[:dial]\r\n[:np][:tone440,500]\r\n[:dial 555\"1234]\r\nGr\xC3\xBC\xC3\x9F"
        "e\rAN\nALLE\r\n",
        ""};
    for (const std::string& bytes : scripts) {
        SCOPED_TRACE(bytes);
        folder.Write("sound.wav", "RIFF");
        const std::string file = Script(bytes);
        const EditorRun editor = CorrectInEditor(bytes);

        const Outcome run = RunCommand({"--fix", file});
        EXPECT_EQ(folder.Read("script.txt"), editor.script);
        // The editor keeps its log only when something was found.
        EXPECT_EQ(AsLog(run.out, file), editor.log == "<missing>" ? "" : editor.log);
        EXPECT_EQ(run.status, editor.log == "<missing>" ? kCheckClean : kCheckFoundSomething);
        EXPECT_EQ(run.err, "");
        EXPECT_FALSE(folder.Exists("errors.log"));
    }
}

TEST_F(FixCommandTest, RepairsAreCountedAndASecondRunFindsNothing) {
    const std::string file = Script("[:tone440,500\r\n[:DIAL 555]\r\n");
    const Outcome first = RunCommand({"--fix", file});
    EXPECT_EQ(first.out, file + ": corrections made: 4\n");
    EXPECT_EQ(first.status, kCheckFoundSomething);
    EXPECT_EQ(folder.Read("script.txt"), "[:tone<440,500>]\r\n[:dial \"555\"]\r\n");

    const Outcome second = RunCommand({"--fix", file});
    EXPECT_EQ(second.out, "");
    EXPECT_EQ(second.status, kCheckClean);
    EXPECT_EQ(RunCommand({file}).status, kCheckClean);
}

TEST_F(FixCommandTest, UnwritableFileIsReportedAndKept) {
    const std::string file = Script("[:NP\r\n");
    fs::permissions(file, fs::perms::owner_read);
    const Outcome run = RunCommand({"--fix", file});
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(run.status, kCheckFailed);
    EXPECT_NE(run.err.find("could not write the file " + file), std::string::npos);
    EXPECT_EQ(folder.Read("script.txt"), "[:NP\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.folder()), fs::directory_iterator{}), 1);
}

TEST_F(FixCommandTest, MissingFileIsNotCreated) {
    const Outcome run = RunCommand({"--fix", folder.File("absent.txt")});
    EXPECT_EQ(run.status, kCheckFailed);
    EXPECT_FALSE(folder.Exists("absent.txt"));
}

}  // namespace
}  // namespace qvx
