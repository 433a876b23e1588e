// The help menu through the real main window: about, documentation, the web
// site, and the update check against a loopback server named in settings.ini.
#include <QAction>
#include <QFileInfo>
#include <QTest>

#include "app/HelpMenu.h"
#include "gui/support/MainWindowFixture.h"
#include "update/LoopbackServer.h"

using qvx::PromptIcon;
using qvx::test::MainWindowFixture;

namespace {

class HelpMenuTest : public QObject {
    Q_OBJECT
  private slots:
    void aboutShowsTheVersionAndTheCompany() {
        MainWindowFixture f;
        f.Trigger("HelpMenuAbout");
        QCOMPARE(f.prompts.boxes.size(), std::size_t(1));
        QCOMPARE(f.prompts.boxes[0].text, std::string("quillvox version 5.0.10 .\r\nVelmora"));
        QCOMPARE(f.prompts.boxes[0].title, std::string("quillvox"));
        QCOMPARE(f.prompts.boxes[0].icon, PromptIcon::None);
    }

    // The readme is looked for first: openers often report success for a
    // missing file. A failed opening is reported like a missing file.
    void readmeIsOpenedOrReportedMissing() {
        const struct {
            bool present, opens;
            int tries;
        } cases[] = {{true, true, 1}, {false, true, 0}, {true, false, 1}};
        for (const auto& c : cases) {
            MainWindowFixture f;
            if (c.present) f.Write("readme.txt", "help");
            f.launcher.succeed = c.opens;
            f.Trigger("HelpMenuReadme");
            QCOMPARE(int(f.launcher.openedFiles.size()), c.tries);
            const QString missing = "The file " + f.Path("readme.txt") + " could not be found.";
            QCOMPARE(f.BoxTexts(), c.present && c.opens ? QStringList() : QStringList{missing});
        }
    }

    void websiteIsSecureAndAFailedBrowserIsReported() {
        MainWindowFixture f;
        f.Trigger("HelpMenuVisitWebsite");
        QVERIFY(f.prompts.boxes.empty());
        f.launcher.succeed = false;
        f.Trigger("HelpMenuVisitWebsite");
        const std::string address(qvx::kWebsiteAddress);
        QCOMPARE(f.launcher.openedUrls, (std::vector<std::string>{address, address}));
        QVERIFY(address.starts_with("https://"));
        QVERIFY(f.BoxTexts().value(0).contains(QLatin1String(qvx::kWebsiteAddress)));
        QCOMPARE(f.prompts.boxes[0].icon, PromptIcon::Critical);
    }

    // The check goes to the maker's secure hosts unless settings.ini names
    // others (a trailing slash is dropped): a newer version there is offered,
    // a host that does not answer is an error.
    void updateCheckGoesToTheHostsOfTheSettings() {
        MainWindowFixture f;
        qvx::NetworkConfig config = qvx::LoadNetworkConfig(f.state.paths.settings);
        QCOMPARE(config.updateServer, std::string("https://www.velmora.com"));
        QCOMPARE(config.addressServer, std::string("https://www.velmora.net"));
        for (const std::string& folder : {config.tempFolder, config.downloadFolder}) {
            QVERIFY2(QFileInfo(QString::fromStdString(folder)).isDir(), folder.c_str());
        }
        for (const bool serverUp : {true, false}) {
            auto server = std::make_unique<qvx::test::LoopbackServer>();
            server->Serve("/resources/tools/getpublicip.shtml", "var ip = '127.0.0.1';");
            server->Serve("/velmora/software/VersionData/qvx.dat", "5.1.0\r\n");
            f.Write("settings.ini",
                    QByteArray::fromStdString("[QVNetwork]\r\nUpdateServer=" + server->Url() +
                                              "/\r\nAddressServer=" + server->Url() + "\r\n"));
            if (!serverUp) server.reset();  // nothing listens on its port any more
            f.prompts.boxes.clear();
            f.Trigger("HelpMenuCheckForUpdates");
            QCOMPARE(f.prompts.boxes.size(), std::size_t(1));
            const auto& box = f.prompts.boxes[0];
            QVERIFY(QString::fromStdString(box.text).contains(
                serverUp ? u"version available: 5.1.0." : u"not connected"));
            QCOMPARE(box.icon, serverUp ? PromptIcon::Question : PromptIcon::Critical);
            QCOMPARE(f.endCalls, 0);
        }
    }
};

}  // namespace

QTEST_MAIN(HelpMenuTest)
#include "HelpMenuTest.moc"
