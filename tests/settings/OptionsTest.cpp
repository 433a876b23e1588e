#include "settings/Options.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <algorithm>

#include "common/LineReader.h"
#include "support/LineEnds.h"
#include "support/RecordingPrompts.h"
#include "support/TempFolder.h"

namespace qvx {
namespace {

ProgramState StateIn(const test::TempFolder& folder) {
    ProgramState state;
    state.paths = folder.paths();
    return state;
}

// Without a settings file every option reads as the program starts with it.
TEST(Options, DefaultsWithoutAFile) {
    test::TempFolder folder;
    ProgramState state = StateIn(folder);
    state.options = Options{false, false, false, true, false, false, false};
    LoadOptions(state);
    EXPECT_EQ(state.options, Options{});
}

// A stored line and whether it switches its option on: the value is taken
// in any case but untrimmed, and the tone system and keeping data are on for
// all but their "off" value.
TEST(Options, StoredValuesReadAsOnOrOff) {
    const std::pair<std::string, bool> cases[] = {
        {"LogErrors=YES", true},
        {"LogErrors=yes ", false},
        {"LogErrors=maybe", false},
        {"StopAfterFirstError=Yes", true},
        {"ToneSystem=Frequency", false},
        {"ToneSystem=hz", true},
        {"ToneSystem=", true},
        {"CheckBeforeRun=no", false},
        // Only "no" clears the script at exit: no slip in the file does.
        {"KeepDataOnExit=No", false},
        {"KeepDataOnExit=yes ", true},
        {"KeepDataOnExit=1", true},
        {"KeepDataOnExit=no before sharing", true}};
    test::TempFolder folder;
    ProgramState state = StateIn(folder);
    for (const auto& [line, on] : cases) {
        folder.Write("settings.ini", "[QVOptions]\r\n" + line + "\r\n");
        LoadOptions(state);
        const std::string key = line.substr(0, line.find('='));
        EXPECT_EQ(state.options.*std::ranges::find(kOptionSpecs, key, &OptionSpec::key)->member, on)
            << line;
    }
}

// The script (nullptr: none) and the gender the next toggle switches to,
// whatever ends the script's lines.
TEST(Options, GenderDerivedFromTheLastGenderLine) {
    const std::pair<const char*, const char*> cases[] = {
        {nullptr, "female"},
        {"[:np]\r\n", "female"},
        {"[:dv sx 0]\r\n", "male"},
        {"[:DV SX 1]\r\n", "female"},
        {"[:dv sx 1]\r\nx\r\n[:dv sx 0]\r\n", "male"},
        {"[:dv sx 0]\r\n[:dv sx 1] hello\r\n", "female"},
        {"[:dv sx 0]\r\n[:dv sx ", "female"}};
    for (const auto& [script, next] : cases) {
        test::TempFolder folder;
        ProgramState state = StateIn(folder);
        for (const std::string_view end : test::kLineEnds) {
            if (script) folder.Write("demo.txt", test::WithLineEnd(script, end));
            state.NextGender = "unset";
            DeriveNextGender(state);
            EXPECT_EQ(state.NextGender, next) << testing::PrintToString(script);
        }
    }
}

TEST(ToggleOption, StoresConfirmsAndAppliesOnce) {
    test::TempFolder folder;
    ProgramState state = StateIn(folder);
    RecordingPrompts prompts;
    int applied = 0;
    const OptionSpec& option = *std::ranges::find(kOptionSpecs, "CheckBeforeRun", &OptionSpec::key);
    ASSERT_EQ(ToggleOption(state, option, prompts,
                           [&](bool on) {
                               EXPECT_FALSE(on);
                               EXPECT_TRUE(prompts.boxes.empty())
                                   << "applied before the confirmation";
                               ++applied;
                           }),
              Refresh::Needed);
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(folder.Read("settings.ini"), "[QVOptions]\r\nCheckBeforeRun=no\r\n");
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].text,
              "Scripts will now be executed without first being checked for errors.");
    EXPECT_EQ(prompts.boxes[0].title, "setting saved");
    EXPECT_EQ(prompts.boxes[0].icon, PromptIcon::Information);
}

// A settings file that cannot be written, or not read back, is left as it is.
TEST(ToggleOption, FailedStoreReportsAndAppliesNothing) {
    const std::string stored = "[QVOptions]\r\nUseEditor=yes\r\n";
    for (const std::string& bytes : {stored, stored + std::string(LineReader::kLongestLine, 'x')}) {
        test::TempFolder folder;
        folder.Write("settings.ini", bytes);
        chmod(folder.File("settings.ini").c_str(), bytes == stored ? 0400 : 0600);
        ProgramState state = StateIn(folder);
        LoadOptions(state);
        RecordingPrompts prompts;
        bool applied = false;
        EXPECT_EQ(
            ToggleOption(state, *std::ranges::find(kOptionSpecs, "UseEditor", &OptionSpec::key),
                         prompts, [&](bool) { applied = true; }),
            Refresh::NotNeeded);
        EXPECT_FALSE(applied);
        EXPECT_TRUE(state.options.UseEditor) << "switched back";
        ASSERT_EQ(prompts.boxes.size(), 1u);
        EXPECT_EQ(prompts.boxes[0].icon, PromptIcon::Critical);
        EXPECT_NE(prompts.boxes[0].text.find("settings.ini"), std::string::npos);
        EXPECT_TRUE(folder.Read("settings.ini") == bytes) << "the file is unchanged";
    }
}

}  // namespace
}  // namespace qvx
