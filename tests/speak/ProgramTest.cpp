#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "SignalMeasure.h"
#include "speak/SpeakProgram.h"
#include "support/TempFolder.h"

namespace qvx::speak {
namespace {

constexpr const char* kDemo = "[:np]\r\nHello.\r\n[:tone<440,200>]\r\n";

// A scratch program folder with the built program and a short demo.txt.
class Program : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::copy_file(SPEAK43_PATH, folder.File("speak43"));
        folder.Write("demo.txt", kDemo);
        folder.Write("client.conf", "autospawn = no\n");
    }
    // Starts the program there as the editor does, with no sound server
    // reachable: a dead socket and no autospawn. Returns the exit status.
    int Run(const std::string& arguments) {
        const std::string command = "cd '" + folder.folder() +
                                    "' && PULSE_SERVER=unix:" + folder.File("dead.socket") +
                                    " PULSE_CLIENTCONFIG=" + folder.File("client.conf") +
                                    " ./speak43 " + arguments + " 2>stderr.txt";
        const int raw = std::system(command.c_str());
        errorText = folder.Read("stderr.txt");
        std::filesystem::remove(folder.File("stderr.txt"));
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.folder())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    qvx::test::TempFolder folder;
    std::string errorText;
};

TEST_F(Program, EachFailureIsOneClearLineAndTouchesNothing) {
    struct Row {
        const char* arguments;
        int status;
        const char* firstWords;
    };
    for (const Row& row :
         {Row{"", kExitNoDevice, "speak43: cannot open the sound device"},
          Row{"--script missing.txt --wav out.wav", kExitNoScript,
              "speak43: cannot read the script missing.txt\n"},
          Row{"--wav no/such/out.wav", kExitCannotWrite, "speak43: "},
          Row{"--wav", kExitUsage, "speak43: "}, Row{"--loud", kExitUsage, "speak43: "}}) {
        SCOPED_TRACE(row.arguments);
        EXPECT_EQ(Run(row.arguments), row.status);
        EXPECT_EQ(std::count(errorText.begin(), errorText.end(), '\n'), 1) << errorText;
        EXPECT_TRUE(errorText.starts_with(row.firstWords)) << errorText;
        EXPECT_EQ(folder.Read("demo.txt"), kDemo);
        EXPECT_EQ(Files(), (std::vector<std::string>{"client.conf", "demo.txt", "speak43"}));
    }
}

TEST_F(Program, WavOptionWritesAPlayableFileAndPlaysNothing) {
    EXPECT_EQ(Run("--wav out.wav"), kExitOk) << errorText;
    EXPECT_EQ(errorText, "");
    const test::WavData wav = test::ReadWav(folder.File("out.wav"));
    EXPECT_EQ(wav.channels, 1);
    EXPECT_GT(wav.samples.size(), std::size_t(wav.sampleRate) / 2);  // speech and a 200 ms tone
}

TEST(Arguments, HelpNamesTheOptions) {
    std::ostringstream out, err;
    const DeviceOpener none = [](int, std::string&) { return std::unique_ptr<AudioSink>(); };
    EXPECT_EQ(RunSpeak(ParseArguments({"--help"}), none, out, err), kExitOk);
    EXPECT_NE(out.str().find("--wav FILE"), std::string::npos);
    EXPECT_NE(out.str().find("--script FILE"), std::string::npos);
    EXPECT_EQ(err.str(), "");
}

}  // namespace
}  // namespace qvx::speak
