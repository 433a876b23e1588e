// The main window driven through its menu items, with recorded boxes and
// launches; the update check goes to a loopback server named in settings.ini.
#include "app/HelpMenu.h"
#include "app/ScriptEditor.h"
#include "common/Utf8Case.h"
#include "gui/support/MainWindowFixture.h"
#include "script/Writers.h"
#include "settings/Options.h"
#include "update/LoopbackServer.h"

using qvx::PromptIcon;
using qvx::RecordingPrompts;
using qvx::test::MainWindowFixture;

namespace {

QString Text(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    // A first start in an empty folder creates nothing. Switched off, the
    // edit area and the save item are hidden, also at the next start, and
    // come back empty.
    void editAreaAtStartAndSwitchedOff() {
        MainWindowFixture f;
        f.window->show();
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Quillvox v5.0"));
        QCOMPARE(f.window->EditArea()->geometry(), QRect(40, 40, 533, 59));
        QCOMPARE(f.window->centralWidget()->size(), QSize(659, 206));
        QVERIFY(QDir(f.dir.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        QVERIFY(f.prompts.boxes.empty());
        f.window->EditArea()->setPlainText(QStringLiteral("typed"));
        f.Trigger("OptionsMenuUseEditor");
        QVERIFY(!f.window->EditArea()->isVisible() && !f.window->EditArea()->isEnabled());
        QVERIFY(!f.Action("FileMenuSaveScript")->isVisible());
        f.Start();
        f.window->show();
        QVERIFY(!f.window->EditArea()->isVisible() && !f.Action("FileMenuSaveScript")->isEnabled());
        f.Trigger("OptionsMenuUseEditor");
        QVERIFY(f.window->EditArea()->isVisible() && f.window->EditArea()->isEnabled());
        QVERIFY(f.window->EditArea()->toPlainText().isEmpty());
        QVERIFY(f.Action("FileMenuSaveScript")->isVisible());
    }

    // Each voice item shows its own message, then appends its own line, the
    // voice named by the access key of its caption.
    void eachVoiceShowsItsMessageThenAppendsItsLine() {
        for (const qvx::Voice& voice : qvx::Voices()) {
            MainWindowFixture f;
            bool scriptEmptyWhileShown = false;
            f.prompts.onBox = [&](const RecordingPrompts::Box&) {
                scriptEmptyWhileShown = f.Read("demo.txt") == "<missing>";
            };
            f.Trigger(voice.menuItem.data());
            QCOMPARE(f.BoxTexts(), QStringList{Text(voice.message)});
            QVERIFY2(scriptEmptyWhileShown, "the line is appended after the message is closed");
            const QString caption = f.Action(voice.menuItem.data())->text();
            const QString key = caption.mid(caption.indexOf(u'&') + 1, 1);
            QCOMPARE(f.Read("demo.txt"), "[:n" + key.toLatin1() + "]\r\n");
        }
        QCOMPARE(Text(qvx::Voices().front().message), QStringLiteral("switching to paul."));
    }

    // The gender item goes on from the script's last gender line.
    void genderToggle() {
        MainWindowFixture f;
        f.Trigger("CharacteristicsMenuGender");
        f.Trigger("CharacteristicsMenuGender");
        f.Write("demo.txt", "[:DV SX 1]\r\n[:dv sx 0]\r\n");
        f.Start();
        f.Trigger("CharacteristicsMenuGender");
        QCOMPARE(f.BoxTexts(),
                 (QStringList{"switching to female.", "switching to male.", "switching to male."}));
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:DV SX 1]\r\n[:dv sx 0]\r\n[:dv sx 1]\r\n"));
    }

    void lineOfTextIsLowerCasedAndCancelAppendsAnEmptyLine() {
        MainWindowFixture f;
        f.prompts.textAnswers = {"H\xC3\x89LLO W\xC3\x96RLD [:NP]", ""};
        f.Trigger("WriteMenuLine");
        f.Trigger("WriteMenuLine");
        QCOMPARE(f.prompts.boxes.size(), std::size_t(2));
        QCOMPARE(f.prompts.boxes[0].kind, RecordingPrompts::Kind::Input);
        QCOMPARE(f.prompts.boxes[0].title, std::string("line"));
        QCOMPARE(f.Read("demo.txt"), QByteArray("h\xC3\xA9llo w\xC3\xB6rld [:np]\r\n\r\n"));
    }

    // The typed text is lower-cased as text: every character of the blocks
    // the lower-casing knows as Qt lower-cases it, every other one and every
    // byte that is no UTF-8 unchanged.
    void lowerCasingAgreesWithQt() {
        const struct {
            char32_t first, last;
            bool known;
        } blocks[] = {{0x0000, 0x058F, true},
                      {0x1E00, 0x1EFF, true},
                      {0x0590, 0x1DFF, false},
                      {0x1F00, 0xD7FF, false},
                      {0xE000, 0xFFFF, false}};
        for (const auto& block : blocks) {
            for (char32_t c = block.first; c <= block.last; ++c) {
                const QString text = QString::fromUcs4(&c, 1);
                const QByteArray expected = (block.known ? text.toLower() : text).toUtf8();
                if (QByteArray::fromStdString(qvx::ToLowerUtf8(text.toStdString())) != expected) {
                    QFAIL(qPrintable(QString::number(quint32(c), 16)));
                }
            }
        }
        // A cut sequence, an overlong one, a surrogate, a stray byte.
        for (const char* broken :
             {"\xC3", "\xE0\x80\x80", "\xED\xA0\x80", "\xF0\x9F\x98\x80\xFF"}) {
            QCOMPARE(qvx::ToLowerUtf8(broken), std::string(broken));
        }
        QCOMPARE(qvx::ToLowerUtf8("A\xC3(\xC3\x89"), std::string("a\xC3(\xC3\xA9"));
    }

    // The name is asked for without folder or extension: "bell" finds
    // bell.wav, "bell.wav" looks for bell.wav.wav and writes nothing.
    void importSound() {
        MainWindowFixture f;
        f.Write("bell.wav", "RIFF");
        f.prompts.textAnswers = {"bell.wav", "bell"};
        f.Trigger("OtherEffectsMenuImportWave");
        QCOMPARE(f.Read("demo.txt"), QByteArray("<missing>"));
        f.Trigger("OtherEffectsMenuImportWave");
        QCOMPARE(f.BoxTexts().size(), 3);
        QVERIFY(f.BoxTexts()[0].endsWith("in same directory of this program, which is " +
                                         f.dir.path() + "."));
        QVERIFY(f.BoxTexts()[1].startsWith("file " + f.Path("bell.wav.wav") + " does not exist."));
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:play bell.wav]\r\n"));
        QVERIFY2(f.Action("OptionsMenuDeleteData")->isVisible(),
                 "the import refreshes the settings");
    }

    // Each option item switches its own option: stores it, confirms and
    // recaptions itself; the second choice brings all back.
    void eachOptionItemSwitchesItsOption() {
        for (const qvx::OptionSpec& option : qvx::kOptionSpecs) {
            MainWindowFixture f;
            const char* item = option.menuItem.data();
            const QString captionBefore = f.Action(item)->text();
            const bool wasOn = f.state.options.*option.member;
            f.Trigger(item);
            const std::string_view stored = wasOn ? option.offValue : option.onValue;
            QCOMPARE(f.Read("settings.ini"), "[QVOptions]\r\n" + QByteArray(option.key.data()) +
                                                 "=" + QByteArray(stored.data()) + "\r\n");
            QCOMPARE(f.BoxTexts(), QStringList{Text(wasOn ? option.messageOff : option.messageOn)});
            QCOMPARE(f.Action(item)->text(), Text(wasOn ? option.captionOff : option.captionOn));
            f.Trigger(item);
            QCOMPARE(f.Action(item)->text(), captionBefore);
        }
        MainWindowFixture f;
        f.Trigger("OptionsMenuToneSystem");
        QCOMPARE(f.Read("settings.ini"), QByteArray("[QVOptions]\r\nToneSystem=frequency\r\n"));
    }

    // A write that fails is reported, and the item's caption stays.
    void failedWritesAreReported() {
        MainWindowFixture f;
        f.Write("settings.ini", "[QVOptions]\r\nLogErrors=yes\r\n");
        f.Write("demo.txt", "[:np]\r\n");
        for (const char* name : {"settings.ini", "demo.txt"}) {
            QFile::setPermissions(f.Path(QLatin1String(name)), QFile::ReadOwner);
        }
        f.Start();
        f.Trigger("OptionsMenuLogScriptCheckErrors");
        f.Trigger("VoicesMenuKit");
        QCOMPARE(f.BoxTexts().size(), 3);
        QVERIFY(f.BoxTexts()[0].contains(f.Path("settings.ini")));
        QVERIFY(f.BoxTexts()[2].contains(f.Path("demo.txt")));
        QCOMPARE(f.prompts.boxes[2].icon, PromptIcon::Critical);
        QCOMPARE(f.Action("OptionsMenuLogScriptCheckErrors")->text(),
                 QStringLiteral("Don't log script syntax errors"));
    }

    // Asked first; the edit area is kept, and a script that vanished after
    // the item was offered still ends as an empty file.
    void clearDataNow() {
        MainWindowFixture f;
        f.Write("demo.txt", "[:np]\r\n");
        f.Start();
        f.window->EditArea()->setPlainText(QStringLiteral("kept"));
        f.prompts.answers = {false};
        f.Trigger("OptionsMenuDeleteData");
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:np]\r\n"));
        QCOMPARE(f.BoxTexts(), QStringList{QStringLiteral("delete all data?")});
        for (int i = 0; i < 2; ++i) {
            f.prompts.answers = {true};
            f.Trigger("OptionsMenuDeleteData");
            QCOMPARE(f.Read("demo.txt"), QByteArray(""));
            QFile::remove(f.Path("demo.txt"));
        }
        QCOMPARE(f.window->EditArea()->toPlainText(), QStringLiteral("kept"));
    }

    // F1 and F5 belong to the window only while the edit area has no focus;
    // a menu shortcut is taken by its item first, so one press does one thing.
    void keysOfTheWindowAndTheEditArea() {
        const QString clean = QStringLiteral("script was checked with 0 errors and 0 warnings.");
        const Qt::KeyboardModifiers none, ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
        const struct {
            bool inEditArea;
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            int runs, readmes;
            QString box;
        } cases[] = {
            {true, Qt::Key_F5, none, 1, 0, clean},
            {false, Qt::Key_F5, none, 1, 0, clean},
            {true, Qt::Key_F5, ctrlShift, 0, 0, {}},
            {true, Qt::Key_F5, Qt::AltModifier, 0, 0, {}},
            {true, Qt::Key_F5, Qt::ControlModifier, 0, 0, QStringLiteral("switching to harry.")},
            {true, Qt::Key_F1, none, 0, 0, {}},
            {false, Qt::Key_F1, Qt::ShiftModifier, 0, 1, {}},
        };
        for (const auto& c : cases) {
            MainWindowFixture f;
            f.Write("demo.txt", "[:np]\r\n");
            f.Write("readme.txt", "help");
            f.ShowActive();
            auto* edit = f.window->EditArea();
            edit->setFocus();
            if (!c.inEditArea) edit->clearFocus();
            QTest::keyClick(c.inEditArea ? static_cast<QWidget*>(edit) : f.window.get(), c.key,
                            c.modifiers);
            const QString row = QKeySequence(c.key | c.modifiers).toString();
            QVERIFY2(int(f.launcher.started.size()) == c.runs, qPrintable(row));
            QVERIFY2(int(f.launcher.openedFiles.size()) == c.readmes, qPrintable(row));
            QCOMPARE(f.BoxTexts(), c.box.isEmpty() ? QStringList() : QStringList{c.box});
        }
    }

    // About; the readme, looked for first since openers often report success
    // for a missing file, a failed opening reported like a missing file; the
    // secure web site, a failed browser reported.
    void helpItems() {
        MainWindowFixture f;
        f.Trigger("HelpMenuAbout");
        f.Trigger("HelpMenuReadme");
        f.Write("readme.txt", "help");
        f.Trigger("HelpMenuReadme");
        f.Trigger("HelpMenuVisitWebsite");
        f.launcher.succeed = false;
        f.Trigger("HelpMenuReadme");
        f.Trigger("HelpMenuVisitWebsite");
        const QString missing = "The file " + f.Path("readme.txt") + " could not be found.";
        QCOMPARE(f.BoxTexts().mid(0, 3),
                 (QStringList{"quillvox version 5.0.10 .\r\nVelmora", missing, missing}));
        QCOMPARE(f.prompts.boxes[0].title, std::string("quillvox"));
        const std::string site(qvx::kWebsiteAddress);
        QVERIFY(site.starts_with("https://") && f.BoxTexts()[3].contains(Text(site)));
        QCOMPARE(f.prompts.boxes[3].icon, PromptIcon::Critical);
        QCOMPARE(f.launcher.openedFiles.size(), std::size_t(2));
        QCOMPARE(f.launcher.openedUrls, (std::vector<std::string>{site, site}));
    }

    // The check goes to the maker's secure hosts unless settings.ini names
    // others (a trailing slash is dropped); a newer version there is offered.
    void updateCheckGoesToTheHostsOfTheSettings() {
        MainWindowFixture f;
        const qvx::NetworkConfig config = qvx::LoadNetworkConfig(f.state.paths.settings);
        QCOMPARE(config.updateServer, std::string("https://www.velmora.com"));
        QCOMPARE(config.addressServer, std::string("https://www.velmora.net"));
        for (const std::string& folder : {config.tempFolder, config.downloadFolder}) {
            QVERIFY2(QFileInfo(QString::fromStdString(folder)).isDir(), folder.c_str());
        }
        qvx::test::LoopbackServer server;
        server.Serve("/resources/tools/getpublicip.shtml", "var ip = '127.0.0.1';");
        server.Serve("/velmora/software/VersionData/qvx.dat", "5.1.0\r\n");
        f.Write("settings.ini",
                QByteArray::fromStdString("[QVNetwork]\r\nUpdateServer=" + server.Url() +
                                          "/\r\nAddressServer=" + server.Url() + "\r\n"));
        f.Trigger("HelpMenuCheckForUpdates");
        QCOMPARE(f.prompts.boxes.size(), std::size_t(1));
        QVERIFY(f.BoxTexts()[0].contains(u"version available: 5.1.0."));
        QCOMPARE(f.prompts.boxes[0].icon, PromptIcon::Question);
        QCOMPARE(f.endCalls, 0);
    }
};

}  // namespace

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
