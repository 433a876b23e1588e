// Whole-file rewrites under a disk that fills up part way: the system's file
// size limit makes every write fail once a file would grow past N bytes, so
// the real write path meets a real failure. The old file must stay whole, the
// failure must be reported, and no temporary file may be left behind.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "checker/ScriptCorrector.h"
#include "support/RecordingPrompts.h"
#include "script/SaveText.h"
#include "script/Writers.h"
#include "settings/IniFile.h"
#include "settings/Options.h"
#include "support/MemoryLimit.h"
#include "support/TempFolder.h"

namespace qvx {
namespace {

// Writes past `bytes` fail with EFBIG for as long as this lives.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit saved_{};
};

std::vector<std::string> FolderEntries(const test::TempFolder& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.folder())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class FaultInjection : public ::testing::TestWithParam<rlim_t> {};

TEST_P(FaultInjection, RewriteKeepsTheOldFile) {
    test::TempFolder folder;
    folder.Write("file.txt", "old\r\n");
    const std::string replacement(300, 'n');
    FileResult result;
    {
        FileSizeLimit limit(GetParam());
        result = RewriteFile(folder.File("file.txt"), replacement);
    }
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("file.txt"), std::string::npos);
    EXPECT_EQ(folder.Read("file.txt"), "old\r\n");
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"file.txt"});
}

TEST_P(FaultInjection, SettingsRewriteKeepsTheOldSettings) {
    test::TempFolder folder;
    const std::string before = "[QVOptions]\r\nLogErrors=no\r\n";
    folder.Write("settings.ini", before);
    FileResult result;
    {
        FileSizeLimit limit(GetParam());
        result = WriteIniValue(folder.File("settings.ini"), "QVOptions", "UseEditor",
                               std::string(300, 'x'));
    }
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(folder.Read("settings.ini"), before);
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"settings.ini"});
}

TEST_P(FaultInjection, OverwriteKeepsTheScriptAndSaysNothingWasSaved) {
    test::TempFolder folder;
    folder.Write("demo.txt", "[:np]\r\n");
    RecordingPrompts prompts;
    bool saved = true;
    {
        FileSizeLimit limit(GetParam());
        saved = SaveEditText(folder.paths(), std::string(300, 'a'), SaveMode::Overwrite, prompts);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(folder.Read("demo.txt"), "[:np]\r\n");
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].icon, PromptIcon::Critical);
    EXPECT_NE(prompts.boxes[0].text.find("demo.txt"), std::string::npos);
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"demo.txt"});
}

TEST_P(FaultInjection, CorrectorKeepsTheScriptAndDoesNotPass) {
    test::TempFolder folder;
    // Long enough that its corrected copy passes the limit; one repairable fault.
    std::string script;
    for (int i = 0; i < 60; ++i) script += "[:NP]\r\n";
    script += "[:NB\r\n";
    folder.Write("demo.txt", script);
    ProgramState state;
    state.paths = folder.paths();
    RecordingPrompts prompts;
    {
        FileSizeLimit limit(GetParam());
        (void)CorrectScript(state, prompts);
    }
    EXPECT_EQ(folder.Read("demo.txt"), script);
    EXPECT_FALSE(state.ScriptCheckPassed);
    bool reported = false;
    for (const auto& box : prompts.boxes) {
        reported = reported || (box.icon == PromptIcon::Critical &&
                                box.text.find("demo.txt") != std::string::npos);
    }
    EXPECT_TRUE(reported);
    for (const auto& name : FolderEntries(folder)) {
        EXPECT_TRUE(name == "demo.txt" || name == "errors.log") << name;
    }
}

// A disk that fills up three bytes into an appended line: the line is taken
// back whole, so the next command starts a line of its own.
TEST(AppendFault, LeavesNoHalfLine) {
    test::TempFolder folder;
    folder.Write("demo.txt", "[:np]\r\n");
    FileResult result;
    {
        FileSizeLimit limit(7 + 3);
        result = WriteVoice(folder.paths(), 1);
    }
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("demo.txt"), std::string::npos);
    EXPECT_EQ(folder.Read("demo.txt"), "[:np]\r\n");
    ASSERT_TRUE(WriteVoice(folder.paths(), 1));
    EXPECT_EQ(folder.Read("demo.txt"), "[:np]\r\n[:nb]\r\n");
}

// Files of ten million empty lines: what the start-up reads (the options, the
// gender) costs no memory per line.
TEST(HostileFiles, StartUpReadsStayWithinMemory) {
    test::TempFolder folder;
    const std::string crs(10'000'000, '\r');
    folder.Write("settings.ini", crs);
    folder.Write("demo.txt", crs + "[:dv sx 0]");
    ProgramState state;
    state.paths = folder.paths();
    EXPECT_TRUE(test::RunsWithin(256 << 20, [&state] {
        LoadOptions(state);
        DeriveNextGender(state);
        if (state.NextGender != "male" || !state.options.UseEditor) throw 1;
    }));
}

// Failing at once, part way through a buffer, and just short of the end.
INSTANTIATE_TEST_SUITE_P(AfterBytes, FaultInjection, ::testing::Values(0, 1, 100, 299));

}  // namespace
}  // namespace qvx
