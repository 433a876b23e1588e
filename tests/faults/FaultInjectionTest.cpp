// Whole-file rewrites under a disk that fills up part way: the system's file
// size limit makes every write fail once a file would grow past N bytes, so
// the real write path meets a real failure. The old file must stay whole, the
// failure must be reported, and no temporary file may be left behind.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "checker/ScriptCorrector.h"
#include "script/SaveText.h"
#include "script/Writers.h"
#include "settings/IniFile.h"
#include "settings/Options.h"
#include "support/MemoryLimit.h"
#include "support/RecordingPrompts.h"
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

// One whole-file rewrite of a file holding `before`: true when its failure
// was reported.
struct Rewrite {
    const char* name;
    const char* file;
    std::string before;
    bool (*reportsFailure)(const test::TempFolder& folder);
};

bool ReportedInABox(const RecordingPrompts& prompts) {
    return std::any_of(prompts.boxes.begin(), prompts.boxes.end(), [](const auto& box) {
        return box.icon == PromptIcon::Critical && box.text.find("demo.txt") != std::string::npos;
    });
}

const Rewrite kRewrites[] = {
    {"option stored", "settings.ini", "[QVOptions]\r\nLogErrors=no\r\n",
     [](const test::TempFolder& f) {
         return !WriteIniValue(f.File("settings.ini"), "QVOptions", "UseEditor",
                               std::string(300, 'x'))
                     .ok();
     }},
    {"script saved", "demo.txt", "[:np]\r\n",
     [](const test::TempFolder& f) {
         RecordingPrompts prompts;
         return !SaveEditText(f.paths(), std::string(300, 'a'), SaveMode::Overwrite, prompts) &&
                prompts.boxes.size() == 1 && ReportedInABox(prompts);
     }},
    // Long enough that its corrected copy passes the limit; one repairable fault.
    {"script corrected", "demo.txt",
     [] {
         std::string script;
         for (int i = 0; i < 60; ++i) script += "[:NP]\r\n";
         return script + "[:NB\r\n";
     }(),
     [](const test::TempFolder& f) {
         ProgramState state;
         state.paths = f.paths();
         RecordingPrompts prompts;
         (void)CorrectScript(state, prompts);
         return !state.ScriptCheckPassed && ReportedInABox(prompts);
     }},
};

// Failing at once, part way through a buffer, and just short of the end.
class FaultInjection : public ::testing::TestWithParam<rlim_t> {};

TEST_P(FaultInjection, RewritesKeepTheOldFileAndSaySo) {
    for (const Rewrite& rewrite : kRewrites) {
        SCOPED_TRACE(rewrite.name);
        test::TempFolder folder;
        folder.Write(rewrite.file, rewrite.before);
        bool reported = false;
        {
            FileSizeLimit limit(GetParam());
            reported = rewrite.reportsFailure(folder);
        }
        EXPECT_TRUE(reported);
        EXPECT_EQ(folder.Read(rewrite.file), rewrite.before);
        for (const auto& entry : std::filesystem::directory_iterator(folder.folder())) {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(name == rewrite.file || name == "errors.log") << "left behind: " << name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AfterBytes, FaultInjection, ::testing::Values(0, 1, 100, 299),
                         ::testing::PrintToStringParamName());

// A disk that fills up three bytes into an appended line: the line is taken
// back whole, so the next command starts a line of its own.
TEST(AppendFault, LeavesNoHalfLine) {
    test::TempFolder folder;
    folder.Write("demo.txt", "[:np]\r\n");
    Result<void> result;
    {
        FileSizeLimit limit(7 + 3);
        result = WriteVoice(folder.paths(), 1);
    }
    EXPECT_FALSE(result.ok());
    EXPECT_NE(result.error().find("demo.txt"), std::string::npos);
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

}  // namespace
}  // namespace qvx
