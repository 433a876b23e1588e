// The main window driven through its menu items, with recorded boxes.
#include <QAction>
#include <QFile>
#include <QTest>

#include "app/ScriptEditor.h"
#include "gui/support/MainWindowFixture.h"

using qvx::PromptIcon;
using qvx::RecordingPrompts;
using qvx::test::MainWindowFixture;

namespace {

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void firstStartInAnEmptyFolderCreatesNothing() {
        MainWindowFixture f;
        f.window->show();
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Quillvox v5.0"));
        QVERIFY(f.window->EditArea()->isVisible());
        QVERIFY(f.window->EditArea()->toPlainText().isEmpty());
        QVERIFY(!f.Action("OptionsMenuDeleteData")->isVisible());
        QCOMPARE(f.state.NextGender, std::string("female"));
        QVERIFY(f.Files().isEmpty());
        QVERIFY(f.prompts.boxes.empty());
    }

    void editAreaGeometryFollowsTheTwips() {
        MainWindowFixture f;
        QCOMPARE(f.window->EditArea()->geometry(), QRect(40, 40, 533, 59));
        QCOMPARE(f.window->centralWidget()->size(), QSize(659, 206));
    }

    void eachVoiceShowsItsMessageThenAppendsItsLine_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("paul") << "VoicesMenuPaul"
                              << "switching to paul." << QByteArray("[:np]");
        QTest::newRow("betty") << "VoicesMenuBetty"
                               << "switching to betty." << QByteArray("[:nb]");
        QTest::newRow("dennis") << "VoicesMenuDennis"
                                << "switching to dennis." << QByteArray("[:nd]");
        QTest::newRow("frank") << "VoicesMenuFrank"
                               << "switching to frank." << QByteArray("[:nf]");
        QTest::newRow("harry") << "VoicesMenuHarry"
                               << "switching to harry." << QByteArray("[:nh]");
        QTest::newRow("kit") << "VoicesMenuKit"
                             << "switching to kit." << QByteArray("[:nk]");
        QTest::newRow("rita") << "VoicesMenuRita"
                              << "switching to rita." << QByteArray("[:nr]");
        QTest::newRow("ursula") << "VoicesMenuUrsula"
                                << "switching to ursula." << QByteArray("[:nu]");
        QTest::newRow("wendy") << "VoicesMenuWendy"
                               << "switching to wendy." << QByteArray("[:nw]");
        QTest::newRow("variant") << "VoicesMenuVariant"
                                 << "switching to user defined." << QByteArray("[:nv]");
    }
    void eachVoiceShowsItsMessageThenAppendsItsLine() {
        QFETCH(QString, item);
        QFETCH(QString, message);
        QFETCH(QByteArray, line);
        MainWindowFixture f;
        bool scriptEmptyWhileShown = false;
        f.prompts.onBox = [&](const RecordingPrompts::Box&) {
            scriptEmptyWhileShown = !f.Exists("demo.txt");
        };
        f.Trigger(item.toLatin1().constData());
        QCOMPARE(f.BoxTexts(), QStringList{message});
        QCOMPARE(Text(f.prompts.boxes[0].title), QStringLiteral("quillvox"));
        QCOMPARE(f.prompts.boxes[0].icon, PromptIcon::None);
        QVERIFY2(scriptEmptyWhileShown, "the line is appended after the message is closed");
        QCOMPARE(f.Read("demo.txt"), line + "\r\n");
    }

    void genderToggleWithoutAScript() {
        MainWindowFixture f;
        f.Trigger("CharacteristicsMenuGender");
        f.Trigger("CharacteristicsMenuGender");
        f.Trigger("CharacteristicsMenuGender");
        QCOMPARE(f.BoxTexts(), (QStringList{"switching to female.", "switching to male.",
                                            "switching to female."}));
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:dv sx 0]\r\n[:dv sx 1]\r\n[:dv sx 0]\r\n"));
    }

    void genderToggleContinuesFromTheScript() {
        MainWindowFixture f;
        f.Write("demo.txt", "[:DV SX 1]\r\n[:dv sx 0]\r\n");
        f.Start();
        f.Trigger("CharacteristicsMenuGender");
        QCOMPARE(f.BoxTexts(), QStringList{"switching to male."});
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:DV SX 1]\r\n[:dv sx 0]\r\n[:dv sx 1]\r\n"));
    }

    void lineOfTextIsLowerCasedAndCancelAppendsAnEmptyLine() {
        MainWindowFixture f;
        f.prompts.textAnswers = {"Hello World [:NP]", ""};
        f.Trigger("WriteMenuLine");
        f.Trigger("WriteMenuLine");
        QCOMPARE(f.prompts.boxes.size(), std::size_t(2));
        QCOMPARE(f.prompts.boxes[0].kind, RecordingPrompts::Kind::Input);
        QCOMPARE(Text(f.prompts.boxes[0].text),
                 QStringLiteral("write the line of text for dectalk to speak:"));
        QCOMPARE(Text(f.prompts.boxes[0].title), QStringLiteral("line"));
        QCOMPARE(f.Read("demo.txt"), QByteArray("hello world [:np]\r\n\r\n"));
    }

    void importSoundFound() {
        MainWindowFixture f;
        f.Write("bell.wav", "RIFF");
        f.prompts.textAnswers = {"bell"};
        f.Trigger("OtherEffectsMenuImportWave");
        QCOMPARE(f.prompts.boxes.size(), std::size_t(1));
        QCOMPARE(Text(f.prompts.boxes[0].text),
                 "type name of sound file. no need to type path or extension, file must be in same "
                 "directory of "
                 "this program, which is " +
                     f.dir.path() + ".");
        QCOMPARE(Text(f.prompts.boxes[0].title), QStringLiteral("please:"));
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:play bell.wav]\r\n"));
        QVERIFY2(f.Action("OptionsMenuDeleteData")->isVisible(),
                 "the import refreshes the settings");
    }

    void importSoundMissing() {
        MainWindowFixture f;
        f.Write("bell.wav", "RIFF");
        f.prompts.textAnswers = {"bell.wav"};
        f.Trigger("OtherEffectsMenuImportWave");
        QCOMPARE(f.prompts.boxes.size(), std::size_t(2));
        QCOMPARE(Text(f.prompts.boxes[1].text),
                 "file " + f.Path("bell.wav.wav") +
                     " does not exist. please remember not to type pathname or extension, making "
                     "sure that the "
                     "wave file you have typed is in the same path as the quillvox, which is " +
                     f.dir.path() + ". please try again.");
        QVERIFY(!f.Exists("demo.txt"));
    }

    void eachToggleStoresConfirmsAndRecaptions_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("caption");
        const int none = int(PromptIcon::None);
        QTest::newRow("keep data") << "OptionsMenuDataOnExit" << QByteArray("KeepDataOnExit=no")
                                   << "data will now be cleared on exit."
                                   << "quillvox" << none << "&Keep data on exit";
        QTest::newRow("tone system")
            << "OptionsMenuToneSystem" << QByteArray("ToneSystem=frequency")
            << "tone system now set to frequency."
            << "quillvox" << none << "Change &Tone System to Note Numbers";
        QTest::newRow("log errors") << "OptionsMenuLogScriptCheckErrors"
                                    << QByteArray("LogErrors=no") << "Log errors is turned off."
                                    << "quillvox" << none << "Log script syntax errors";
        QTest::newRow("stop after first")
            << "OptionsMenuStopCheckAfterFirstError" << QByteArray("StopAfterFirstError=yes")
            << "script will stop after the first error."
            << "quillvox" << none << "List all script errors during syntax check";
        QTest::newRow("use editor")
            << "OptionsMenuUseEditor" << QByteArray("UseEditor=no") << "editor is now switched off."
            << "quillvox" << none << "Enable text editor";
        QTest::newRow("auto line check")
            << "OptionsMenuAutoLineCheck" << QByteArray("AutoLineCheck=no")
            << "AutoLine syntax checker turned off."
            << "quillvox" << none << "Enable AutoLine checking";
        QTest::newRow("check before run")
            << "OptionsMenuCheckBeforeRun" << QByteArray("CheckBeforeRun=no")
            << "Scripts will now be executed without first being checked for errors."
            << "setting saved" << int(PromptIcon::Information)
            << "Check scripts before being &executed";
    }
    void eachToggleStoresConfirmsAndRecaptions() {
        QFETCH(QString, item);
        QFETCH(QByteArray, stored);
        QFETCH(QString, message);
        QFETCH(QString, title);
        QFETCH(int, icon);
        QFETCH(QString, caption);
        MainWindowFixture f;
        const QByteArray name = item.toLatin1();
        const QString captionBefore = f.Action(name.constData())->text();
        f.Trigger(name.constData());
        QCOMPARE(f.Read("settings.ini"), "[QVOptions]\r\n" + stored + "\r\n");
        QCOMPARE(f.prompts.boxes.size(), std::size_t(1));
        QCOMPARE(Text(f.prompts.boxes[0].text), message);
        QCOMPARE(Text(f.prompts.boxes[0].title), title);
        QCOMPARE(int(f.prompts.boxes[0].icon), icon);
        QCOMPARE(f.Action(name.constData())->text(), caption);
        // Back again: the first value, the first caption.
        f.Trigger(name.constData());
        QCOMPARE(f.Action(name.constData())->text(), captionBefore);
        QVERIFY(!f.Read("settings.ini").contains(stored));
    }

    void failedToggleReportsAndKeepsTheStoredState() {
        MainWindowFixture f;
        f.Write("settings.ini", "[QVOptions]\r\nLogErrors=yes\r\n");
        QFile::setPermissions(f.Path("settings.ini"), QFile::ReadOwner);
        f.Start();
        f.Trigger("OptionsMenuLogScriptCheckErrors");
        QCOMPARE(f.prompts.boxes.size(), std::size_t(1));
        QCOMPARE(f.prompts.boxes[0].icon, PromptIcon::Critical);
        QVERIFY(Text(f.prompts.boxes[0].text).contains(QStringLiteral("settings.ini")));
        QVERIFY(f.state.options.LogErrors);
        QCOMPARE(f.Action("OptionsMenuLogScriptCheckErrors")->text(),
                 QStringLiteral("Don't log script syntax errors"));
        QCOMPARE(f.Read("settings.ini"), QByteArray("[QVOptions]\r\nLogErrors=yes\r\n"));
    }

    void failedAppendIsReported() {
        MainWindowFixture f;
        f.Write("demo.txt", "[:np]\r\n");
        QFile::setPermissions(f.Path("demo.txt"), QFile::ReadOwner);
        f.Trigger("VoicesMenuKit");
        QCOMPARE(f.prompts.boxes.size(), std::size_t(2));
        QCOMPARE(f.prompts.boxes[1].icon, PromptIcon::Critical);
        QVERIFY(Text(f.prompts.boxes[1].text).contains(f.Path("demo.txt")));
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:np]\r\n"));
    }

    void editorOffEmptiesAndHidesItAndTheSaveItem() {
        MainWindowFixture f;
        f.window->show();
        f.window->EditArea()->setPlainText(QStringLiteral("typed"));
        f.Trigger("OptionsMenuUseEditor");
        QVERIFY(!f.window->EditArea()->isVisible());
        QVERIFY(!f.window->EditArea()->isEnabled());
        QVERIFY(f.window->EditArea()->toPlainText().isEmpty());
        QVERIFY(!f.Action("FileMenuSaveScript")->isVisible());
        QVERIFY(!f.Action("FileMenuSaveScript")->isEnabled());

        f.Start();  // a new start with the option stored off
        f.window->show();
        QVERIFY(!f.window->EditArea()->isVisible());
        QVERIFY(!f.Action("FileMenuSaveScript")->isVisible());

        f.Trigger("OptionsMenuUseEditor");
        QVERIFY(f.window->EditArea()->isVisible());
        QVERIFY(f.window->EditArea()->isEnabled());
        QVERIFY(f.window->EditArea()->toPlainText().isEmpty());
        QVERIFY(f.Action("FileMenuSaveScript")->isVisible());
        QVERIFY(f.Action("FileMenuSaveScript")->isEnabled());
    }

    void clearDataNow() {
        MainWindowFixture f;
        f.Write("demo.txt", "[:np]\r\n");
        f.Start();
        QVERIFY(f.Action("OptionsMenuDeleteData")->isVisible());
        f.window->EditArea()->setPlainText(QStringLiteral("kept"));

        f.prompts.answers = {false};
        f.Trigger("OptionsMenuDeleteData");
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:np]\r\n"));
        QCOMPARE(Text(f.prompts.boxes[0].text), QStringLiteral("delete all data?"));
        QCOMPARE(Text(f.prompts.boxes[0].title), QStringLiteral("alert!"));
        QCOMPARE(f.prompts.boxes[0].kind, RecordingPrompts::Kind::Question);

        f.prompts.answers = {true};
        f.Trigger("OptionsMenuDeleteData");
        QCOMPARE(f.Read("demo.txt"), QByteArray(""));
        QCOMPARE(f.window->EditArea()->toPlainText(), QStringLiteral("kept"));
        QVERIFY(f.Action("OptionsMenuDeleteData")->isVisible());

        // The file vanished after the item was offered: still an empty file.
        QFile::remove(f.Path("demo.txt"));
        f.prompts.answers = {true};
        f.Trigger("OptionsMenuDeleteData");
        QCOMPARE(f.Read("demo.txt"), QByteArray(""));
    }

    void quitKeepingDataAsksAndNoKeepsTheScript() {
        MainWindowFixture f;
        f.Write("demo.txt", "[:np]\r\n");
        f.prompts.answers = {false};
        f.Trigger("FileMenuClose");
        QCOMPARE(f.prompts.boxes.size(), std::size_t(1));
        QCOMPARE(f.prompts.boxes[0].kind, RecordingPrompts::Kind::Question);
        QCOMPARE(Text(f.prompts.boxes[0].text), QStringLiteral("Would you like to save demo.txt?"));
        QCOMPARE(Text(f.prompts.boxes[0].title), QStringLiteral("Save before exit"));
        QCOMPARE(f.prompts.boxes[0].icon, PromptIcon::Question);
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:np]\r\n"));
        QCOMPARE(f.endCalls, 1);
        f.Trigger("FileMenuClose");
        QCOMPARE(f.endCalls, 1);
    }

    void quitClearingDataDeletesTheScriptWithoutAsking() {
        MainWindowFixture f;
        f.Write("settings.ini", "[QVOptions]\r\nKeepDataOnExit=no\r\n");
        f.Write("demo.txt", "[:np]\r\n");
        f.Start();
        f.window->show();
        f.window->EditArea()->setPlainText(QStringLiteral("unsaved"));
        f.window->close();  // the window's close control
        QVERIFY(f.prompts.boxes.empty());
        QVERIFY(!f.Exists("demo.txt"));
        QCOMPARE(f.endCalls, 1);
    }

    void ctrlASelectsAllButCtrlShiftADoesNot() {
        MainWindowFixture f;
        f.ShowActive();
        auto* edit = f.window->EditArea();
        edit->setFocus();
        edit->setPlainText(QStringLiteral("one\ntwo"));
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(1);
        cursor.setPosition(3, QTextCursor::KeepAnchor);
        edit->setTextCursor(cursor);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(edit->textCursor().selectedText(), QStringLiteral("ne"));
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(edit->textCursor().selectionStart(), 0);
        QCOMPARE(edit->textCursor().selectionEnd(), 7);
    }

    void ctrlF5ChoosesHugeHarry() {
        MainWindowFixture f;
        f.ShowActive();
        QTest::keyClick(f.window.get(), Qt::Key_F5, Qt::ControlModifier);
        QCOMPARE(f.BoxTexts(), QStringList{"switching to harry."});
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:nh]\r\n"));
    }
};

}  // namespace

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
