#include <gtest/gtest.h>

#include "common/RecordingPrompts.h"
#include "support/RecordingLauncher.h"
#include "support/TempFolder.h"
#include "update/HelpMenu.h"

namespace qvx {
namespace {

TEST(HelpMenuTest, AboutShowsVersionBlankStopAndCompany) {
    RecordingPrompts prompts;
    HelpMenuAbout(prompts);
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].text, "quillvox version 5.0.10 .\r\nVelmora");
    EXPECT_EQ(prompts.boxes[0].title, "quillvox");
    EXPECT_EQ(prompts.boxes[0].icon, PromptIcon::None);
    EXPECT_EQ(prompts.boxes[0].kind, RecordingPrompts::Kind::Message);
}

TEST(HelpMenuTest, ReadmeIsOpenedOrReportedMissing) {
    struct Row {
        bool present;
        bool opens;
        std::size_t tries;
    };
    for (const Row& row : {Row{true, true, 1}, Row{false, true, 0}, Row{true, false, 1}}) {
        SCOPED_TRACE(testing::Message() << row.present << row.opens);
        test::TempFolder folder;
        if (row.present) folder.Write("readme.txt", "help\r\n");
        RecordingPrompts prompts;
        test::RecordingLauncher launcher;
        launcher.succeed = row.opens;
        HelpMenuReadme(prompts, launcher, folder.paths());
        EXPECT_EQ(launcher.openedFiles,
                  std::vector<std::string>(row.tries, folder.File("readme.txt")));
        const std::string missing =
            "The file " + folder.folder() + "/readme.txt could not be found.";
        EXPECT_EQ(prompts.Texts(),
                  std::vector<std::string>(row.present && row.opens ? 0 : 1, missing));
    }
}

TEST(HelpMenuTest, WebsiteIsSecureAndAFailedBrowserIsReported) {
    EXPECT_TRUE(std::string(kWebsiteAddress).starts_with("https://"));
    RecordingPrompts prompts;
    test::RecordingLauncher launcher;
    launcher.succeed = false;
    HelpMenuVisitWebsite(prompts, launcher);
    EXPECT_EQ(launcher.openedUrls, std::vector<std::string>{std::string(kWebsiteAddress)});
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_NE(prompts.boxes[0].text.find(kWebsiteAddress), std::string::npos);
    EXPECT_EQ(prompts.boxes[0].icon, PromptIcon::Critical);
}

}  // namespace
}  // namespace qvx
