#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "SignalMeasure.h"
#include "speak/SpeakProgram.h"
#include "support/TempFolder.h"

namespace qvx::speak {
namespace {

using qvx::test::TempFolder;

struct RunResult {
    int status = -1;
    std::string errorText;
};

// Starts the copied program in the folder, as the editor does, with no sound
// server reachable: a dead socket and no autospawn.
RunResult RunInFolder(const TempFolder& folder, const std::string& arguments) {
    folder.Write("client.conf", "autospawn = no\n");
    const std::string command = "cd '" + folder.folder() +
                                "' && PULSE_SERVER=unix:" + folder.File("dead.socket") +
                                " PULSE_CLIENTCONFIG=" + folder.File("client.conf") +
                                " ./speak43 " + arguments + " 2>" + folder.File("stderr.txt");
    RunResult result;
    const int raw = std::system(command.c_str());
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.errorText = folder.Read("stderr.txt");
    std::filesystem::remove(folder.File("stderr.txt"));
    return result;
}

class Program : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::copy_file(SPEAK43_PATH, folder_.File("speak43"));
        folder_.Write("demo.txt", "[:np]\r\nHello.\r\n[:tone<440,200>]\r\n");
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_.folder())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    TempFolder folder_;
};

int Lines(const std::string& text) {
    return int(std::count(text.begin(), text.end(), '\n'));
}

TEST_F(Program, WithoutASoundServerItFailsWithOneLineAndTouchesNothing) {
    const RunResult result = RunInFolder(folder_, "");
    EXPECT_EQ(result.status, kExitNoDevice);
    EXPECT_EQ(Lines(result.errorText), 1) << result.errorText;
    EXPECT_EQ(result.errorText.rfind("speak43: cannot open the sound device", 0), 0u)
        << result.errorText;
    EXPECT_EQ(folder_.Read("demo.txt"), "[:np]\r\nHello.\r\n[:tone<440,200>]\r\n");
    EXPECT_EQ(Files(), (std::vector<std::string>{"client.conf", "demo.txt", "speak43"}));
}

TEST_F(Program, MissingScriptIsOneClearLine) {
    std::filesystem::remove(folder_.File("demo.txt"));
    const RunResult result = RunInFolder(folder_, "");
    EXPECT_EQ(result.status, kExitNoScript);
    EXPECT_EQ(result.errorText, "speak43: cannot read the script demo.txt\n");
}

TEST_F(Program, WavOptionWritesAPlayableFileAndPlaysNothing) {
    const RunResult result = RunInFolder(folder_, "--wav out.wav");
    EXPECT_EQ(result.status, kExitOk) << result.errorText;
    EXPECT_EQ(result.errorText, "");
    const test::WavData wav = test::ReadWav(folder_.File("out.wav"));
    EXPECT_EQ(wav.channels, 1);
    EXPECT_GT(wav.samples.size(), std::size_t(wav.sampleRate) / 2);  // speech and a 200 ms tone
}

TEST_F(Program, ScriptOptionAndUnwritableWav) {
    folder_.Write("other.txt", "[:tone<880,100>]");
    RunResult result = RunInFolder(folder_, "--script other.txt --wav no/such/out.wav");
    EXPECT_EQ(result.status, kExitCannotWrite);
    EXPECT_EQ(Lines(result.errorText), 1) << result.errorText;
    result = RunInFolder(folder_, "--script missing.txt --wav out.wav");
    EXPECT_EQ(result.status, kExitNoScript);
    EXPECT_FALSE(folder_.Exists("out.wav"));
}

TEST(Arguments, OptionsAndMistakes) {
    SpeakArguments parsed = ParseArguments({"--script", "a.txt", "--wav", "b.wav"});
    EXPECT_EQ(parsed.script, "a.txt");
    EXPECT_EQ(parsed.wav, "b.wav");
    EXPECT_TRUE(parsed.error.empty());
    EXPECT_EQ(ParseArguments({}).script, "demo.txt");
    EXPECT_FALSE(ParseArguments({}).wav.has_value());
    EXPECT_TRUE(ParseArguments({"--help"}).help);
    EXPECT_FALSE(ParseArguments({"--wav"}).error.empty());
    EXPECT_FALSE(ParseArguments({"--loud"}).error.empty());

    std::ostringstream out, err;
    const DeviceOpener none = [](int, std::string& e) {
        e = "unused";
        return std::unique_ptr<AudioSink>();
    };
    EXPECT_EQ(RunSpeak(ParseArguments({"--help"}), none, out, err), kExitOk);
    EXPECT_NE(out.str().find("--wav FILE"), std::string::npos);
    EXPECT_NE(out.str().find("--script FILE"), std::string::npos);
    EXPECT_EQ(RunSpeak(ParseArguments({"-x"}), none, out, err), kExitUsage);
    EXPECT_EQ(Lines(err.str()), 1);
}

}  // namespace
}  // namespace qvx::speak
