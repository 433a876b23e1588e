#include "settings/Options.h"

#include <gtest/gtest.h>

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

struct StoredCase {
    const char* line;
    const char* key;
    bool on;
};

class StoredValues : public ::testing::TestWithParam<StoredCase> {};

TEST_P(StoredValues, ReadAsOnOrOff) {
    test::TempFolder folder;
    folder.Write("settings.ini", std::string("[QVOptions]\r\n") + GetParam().line + "\r\n");
    ProgramState state = StateIn(folder);
    LoadOptions(state);
    EXPECT_EQ(state.options.*FindOptionSpec(GetParam().key)->member, GetParam().on)
        << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredValues,
    ::testing::Values(StoredCase{"LogErrors=YES", "LogErrors", true},
                      StoredCase{"LogErrors=yes ", "LogErrors", false},
                      StoredCase{"LogErrors=maybe", "LogErrors", false},
                      StoredCase{"StopAfterFirstError=Yes", "StopAfterFirstError", true},
                      StoredCase{"ToneSystem=Frequency", "ToneSystem", false},
                      StoredCase{"ToneSystem=hz", "ToneSystem", true},
                      StoredCase{"ToneSystem=", "ToneSystem", true},
                      StoredCase{"CheckBeforeRun=no", "CheckBeforeRun", false}));

struct GenderCase {
    const char* script;  // nullptr: no working script
    const char* next;
};

class Gender : public ::testing::TestWithParam<GenderCase> {};

TEST_P(Gender, DerivedFromTheLastGenderLine) {
    test::TempFolder folder;
    ProgramState state = StateIn(folder);
    for (const std::string_view end : test::kLineEnds) {
        if (GetParam().script) folder.Write("demo.txt", test::WithLineEnd(GetParam().script, end));
        state.NextGender = "unset";
        DeriveNextGender(state);
        EXPECT_EQ(state.NextGender, GetParam().next);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Gender,
    ::testing::Values(GenderCase{nullptr, "female"}, GenderCase{"[:np]\r\n", "female"},
                      GenderCase{"[:dv sx 0]\r\n", "male"}, GenderCase{"[:DV SX 1]\r\n", "female"},
                      GenderCase{"[:dv sx 1]\r\nx\r\n[:dv sx 0]\r\n", "male"},
                      GenderCase{"[:dv sx 0]\r\n[:dv sx 1] hello\r\n", "female"},
                      GenderCase{"[:dv sx 0]\r\n[:dv sx ", "female"},
                      GenderCase{"[:dv sx 7]", "female"}));

TEST(ToggleOption, StoresConfirmsAndAppliesOnce) {
    test::TempFolder folder;
    ProgramState state = StateIn(folder);
    RecordingPrompts prompts;
    int applied = 0;
    const OptionSpec& option = *FindOptionSpec("CheckBeforeRun");
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

TEST(ToggleOption, FailedStoreReportsAndAppliesNothing) {
    test::TempFolder folder;
    folder.Write("settings.ini", "[QVOptions]\r\nUseEditor=yes\r\n");
    std::filesystem::permissions(folder.File("settings.ini"), std::filesystem::perms::owner_read);
    ProgramState state = StateIn(folder);
    RecordingPrompts prompts;
    bool applied = false;
    EXPECT_EQ(
        ToggleOption(state, *FindOptionSpec("UseEditor"), prompts, [&](bool) { applied = true; }),
        Refresh::NotNeeded);
    EXPECT_FALSE(applied);
    EXPECT_TRUE(state.options.UseEditor) << "switched back";
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].icon, PromptIcon::Critical);
    EXPECT_NE(prompts.boxes[0].text.find("settings.ini"), std::string::npos);
    LoadOptions(state);
    EXPECT_TRUE(state.options.UseEditor) << "the stored state is read back";
}

}  // namespace
}  // namespace qvx
