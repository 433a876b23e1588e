// The help menu through the real main window: about, documentation, and the
// update check against a loopback server named in settings.ini.
#include <QAction>
#include <QApplication>
#include <QTest>

#include "app/ScriptEditor.h"
#include "gui/support/MainWindowFixture.h"
#include "update/LoopbackServer.h"

using qvx::PromptIcon;
using qvx::test::MainWindowFixture;

namespace {

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

// Both hosts on one loopback server: the address page answers, so the
// computer counts as connected.
void ServeUpdates(MainWindowFixture& f, qvx::test::LoopbackServer& server,
                  const std::string& version) {
    server.Serve("/resources/tools/getpublicip.shtml", "<script>var ip = '127.0.0.1';</script>");
    server.Serve("/other/ip.php", "127.0.0.1");
    server.Serve("/velmora/software/VersionData/qvx.dat", version);
    f.Write("settings.ini",
            QByteArray::fromStdString("[QVNetwork]\r\nUpdateServer=" + server.Url() +
                                      "\r\nAddressServer=" + server.Url() + "\r\n"));
}

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

    void readDocumentationOpensTheReadme() {
        MainWindowFixture f;
        f.Write("readme.txt", "help");
        f.Trigger("HelpMenuReadme");
        QVERIFY(f.prompts.boxes.empty());
        QCOMPARE(f.launcher.openedFiles,
                 std::vector<std::string>{f.Path("readme.txt").toStdString()});
    }

    void missingReadmeIsReported() {
        MainWindowFixture f;
        f.Trigger("HelpMenuReadme");
        QCOMPARE(f.BoxTexts(),
                 QStringList{"The file " + f.Path("readme.txt") + " could not be found."});
        QVERIFY(f.launcher.openedFiles.empty());
    }

    void visitTheWebsiteOpensAnAddress() {
        MainWindowFixture f;
        f.Trigger("HelpMenuVisitWebsite");
        QCOMPARE(f.launcher.openedUrls.size(), std::size_t(1));
        QVERIFY(Text(f.launcher.openedUrls[0]).startsWith(QStringLiteral("https://")));
        QVERIFY(f.prompts.boxes.empty());
    }

    void noNewerVersion() {
        MainWindowFixture f;
        qvx::test::LoopbackServer server;
        ServeUpdates(f, server, "5.0.10\r\n");
        f.Trigger("HelpMenuCheckForUpdates");
        QCOMPARE(f.prompts.boxes.size(), std::size_t(1));
        QCOMPARE(
            Text(f.prompts.boxes[0].text),
            QStringLiteral(
                "the update could not be completed because there are currently no updates at this "
                "time. Please try again later."));
        QCOMPARE(Text(f.prompts.boxes[0].title), QStringLiteral("Error"));
        QCOMPARE(f.prompts.boxes[0].icon, PromptIcon::Critical);
    }

    void notConnected() {
        MainWindowFixture f;
        {
            // Its port has nothing listening on it once the server is gone.
            qvx::test::LoopbackServer closed;
            ServeUpdates(f, closed, "5.1.0");
        }
        f.Trigger("HelpMenuCheckForUpdates");
        QCOMPARE(f.prompts.boxes.size(), std::size_t(1));
        QCOMPARE(
            Text(f.prompts.boxes[0].text),
            QStringLiteral(
                "the update could not be completed because you are not connected to the internet. "
                "Please connect to the internet and try again."));
        QCOMPARE(Text(f.prompts.boxes[0].title), QStringLiteral("Error"));
    }

    void newerVersionIsOffered() {
        MainWindowFixture f;
        qvx::test::LoopbackServer server;
        ServeUpdates(f, server, "5.1.0\r\n");
        f.prompts.answers = {false};
        f.Trigger("HelpMenuCheckForUpdates");
        QCOMPARE(f.prompts.boxes.size(), std::size_t(1));
        QCOMPARE(f.prompts.boxes[0].kind, qvx::RecordingPrompts::Kind::Question);
        QCOMPARE(Text(f.prompts.boxes[0].text),
                 QStringLiteral(
                     "quillvox currently has a downloadable update! current version: 5.0.10.\r\n"
                     "version available: 5.1.0.\r\nwould you like to download the update?"));
        QCOMPARE(Text(f.prompts.boxes[0].title), QStringLiteral("alert!"));
        QCOMPARE(f.endCalls, 0);
    }
};

}  // namespace

QTEST_MAIN(HelpMenuTest)
#include "HelpMenuTest.moc"
