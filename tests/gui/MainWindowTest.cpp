// The main window driven through its menu items, with recorded boxes.
#include <QAction>
#include <QFile>
#include <QTest>

#include "app/ScriptEditor.h"
#include "common/Utf8Case.h"
#include "gui/support/MainWindowFixture.h"
#include "script/Writers.h"

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

    // Each voice item shows its own message, then appends its own line.
    void eachVoiceShowsItsMessageThenAppendsItsLine() {
        QSet<QString> lines;
        for (const qvx::Voice& voice : qvx::Voices()) {
            MainWindowFixture f;
            bool scriptEmptyWhileShown = false;
            f.prompts.onBox = [&](const RecordingPrompts::Box&) {
                scriptEmptyWhileShown = !f.Exists("demo.txt");
            };
            f.Trigger(voice.menuItem.data());
            QCOMPARE(f.prompts.boxes.size(), std::size_t(1));
            QCOMPARE(f.prompts.boxes[0].text, std::string(voice.message));
            QCOMPARE(Text(f.prompts.boxes[0].title), QStringLiteral("quillvox"));
            QVERIFY2(scriptEmptyWhileShown, "the line is appended after the message is closed");
            QCOMPARE(f.Read("demo.txt"), QByteArray(voice.command.data()) + "\r\n");
            lines << f.Read("demo.txt");
        }
        QCOMPARE(lines.size(), 10);
        const qvx::Voice& paul = qvx::Voices().front();
        const qvx::Voice& variant = qvx::Voices().back();
        QCOMPARE(QByteArray(paul.message.data()) + paul.command.data(),
                 QByteArray("switching to paul.[:np]"));
        QCOMPARE(QByteArray(variant.message.data()) + variant.command.data(),
                 QByteArray("switching to user defined.[:nv]"));
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
        QCOMPARE(Text(f.prompts.boxes[0].text),
                 QStringLiteral("write the line of text for dectalk to speak:"));
        QCOMPARE(Text(f.prompts.boxes[0].title), QStringLiteral("line"));
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
                const std::string lowered = qvx::ToLowerUtf8(text.toStdString());
                if (QByteArray::fromStdString(lowered) != expected) {
                    QFAIL(qPrintable(
                        QStringLiteral("U+%1").arg(quint32(c), 4, 16, QLatin1Char('0'))));
                }
            }
        }
        const struct {
            const char* bytes;
            const char* lowered;
        } broken[] = {{"\xC3", "\xC3"},
                      {"A\xC3(\xC3\x89", "a\xC3(\xC3\xA9"},
                      {"\xE0\x80\x80", "\xE0\x80\x80"},  // overlong
                      {"\xED\xA0\x80", "\xED\xA0\x80"},  // a surrogate
                      {"\xF0\x9F\x98\x80\xFF", "\xF0\x9F\x98\x80\xFF"}};
        for (const auto& b : broken) QCOMPARE(qvx::ToLowerUtf8(b.bytes), std::string(b.lowered));
    }

    // The name is asked for without folder or extension: "bell" finds
    // bell.wav, "bell.wav" looks for bell.wav.wav and writes nothing.
    void importSound() {
        MainWindowFixture f;
        f.Write("bell.wav", "RIFF");
        f.prompts.textAnswers = {"bell.wav", "bell"};
        f.Trigger("OtherEffectsMenuImportWave");
        QVERIFY(!f.Exists("demo.txt"));
        f.Trigger("OtherEffectsMenuImportWave");
        QCOMPARE(f.BoxTexts(),
                 (QStringList{"type name of sound file. no need to type path or extension, file "
                              "must be in same directory of this program, which is " +
                                  f.dir.path() + ".",
                              "file " + f.Path("bell.wav.wav") +
                                  " does not exist. please remember not to type pathname or "
                                  "extension, making sure that the wave file you have typed is in "
                                  "the same path as the quillvox, which is " +
                                  f.dir.path() + ". please try again.",
                              "type name of sound file. no need to type path or extension, file "
                              "must be in same directory of this program, which is " +
                                  f.dir.path() + "."}));
        QCOMPARE(Text(f.prompts.boxes[0].title), QStringLiteral("please:"));
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:play bell.wav]\r\n"));
        QVERIFY2(f.Action("OptionsMenuDeleteData")->isVisible(),
                 "the import refreshes the settings");
    }

    // Each option item stores its option, confirms and recaptions itself;
    // the second choice brings all back. (The confirmation with a title and
    // icon of its own is the options' own rule.)
    void eachToggleStoresConfirmsAndRecaptions() {
        const struct {
            const char *item, *stored, *message, *caption;
        } toggles[] = {{"OptionsMenuDataOnExit", "KeepDataOnExit=no",
                        "data will now be cleared on exit.", "&Keep data on exit"},
                       {"OptionsMenuToneSystem", "ToneSystem=frequency",
                        "tone system now set to frequency.", "Change &Tone System to Note Numbers"},
                       {"OptionsMenuLogScriptCheckErrors", "LogErrors=no",
                        "Log errors is turned off.", "Log script syntax errors"},
                       {"OptionsMenuStopCheckAfterFirstError", "StopAfterFirstError=yes",
                        "script will stop after the first error.",
                        "List all script errors during syntax check"},
                       {"OptionsMenuUseEditor", "UseEditor=no", "editor is now switched off.",
                        "Enable text editor"},
                       {"OptionsMenuAutoLineCheck", "AutoLineCheck=no",
                        "AutoLine syntax checker turned off.", "Enable AutoLine checking"},
                       {"OptionsMenuCheckBeforeRun", "CheckBeforeRun=no", nullptr,
                        "Check scripts before being &executed"}};
        for (const auto& t : toggles) {
            MainWindowFixture f;
            const QString captionBefore = f.Action(t.item)->text();
            f.Trigger(t.item);
            QCOMPARE(f.Read("settings.ini"), "[QVOptions]\r\n" + QByteArray(t.stored) + "\r\n");
            QCOMPARE(f.prompts.boxes.size(), std::size_t(1));
            if (t.message) QCOMPARE(f.prompts.boxes[0].text, std::string(t.message));
            QCOMPARE(f.Action(t.item)->text(), QString::fromLatin1(t.caption));
            f.Trigger(t.item);
            QCOMPARE(f.Action(t.item)->text(), captionBefore);
            QVERIFY(!f.Read("settings.ini").contains(t.stored));
        }
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

    // F1 and F5 belong to the window only while the edit area has no focus;
    // a menu shortcut is taken by its item first, so one press does one thing.
    void keysOfTheWindowAndTheEditArea_data() {
        QTest::addColumn<bool>("inEditArea");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("runs");
        QTest::addColumn<int>("readmes");
        QTest::addColumn<QString>("box");
        const QString clean = QStringLiteral("script was checked with 0 errors and 0 warnings.");
        const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
        QTest::newRow("F5 in the edit area") << true << int(Qt::Key_F5) << 0 << 1 << 0 << clean;
        QTest::newRow("F5 on the window") << false << int(Qt::Key_F5) << 0 << 1 << 0 << clean;
        QTest::newRow("Ctrl+Shift+F5 in the edit area")
            << true << int(Qt::Key_F5) << ctrlShift << 0 << 0 << QString();
        QTest::newRow("Alt+F5 in the edit area")
            << true << int(Qt::Key_F5) << int(Qt::AltModifier) << 0 << 0 << QString();
        QTest::newRow("Ctrl+Shift+F5 on the window")
            << false << int(Qt::Key_F5) << ctrlShift << 1 << 0 << clean;
        QTest::newRow("Ctrl+F5 is huge harry")
            << true << int(Qt::Key_F5) << int(Qt::ControlModifier) << 0 << 0
            << QStringLiteral("switching to harry.");
        QTest::newRow("F1 in the edit area") << true << int(Qt::Key_F1) << 0 << 0 << 0 << QString();
        QTest::newRow("Shift+F1 on the window")
            << false << int(Qt::Key_F1) << int(Qt::ShiftModifier) << 0 << 1 << QString();
    }
    void keysOfTheWindowAndTheEditArea() {
        QFETCH(bool, inEditArea);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, runs);
        QFETCH(int, readmes);
        QFETCH(QString, box);
        MainWindowFixture f;
        f.Write("demo.txt", "[:np]\r\n");
        f.Write("readme.txt", "help");
        f.ShowActive();
        auto* edit = f.window->EditArea();
        edit->setFocus();
        if (!inEditArea) edit->clearFocus();
        QTest::keyClick(inEditArea ? static_cast<QWidget*>(edit) : f.window.get(), Qt::Key(key),
                        Qt::KeyboardModifiers(modifiers));
        QCOMPARE(int(f.launcher.started.size()), runs);
        QCOMPARE(int(f.launcher.openedFiles.size()), readmes);
        QCOMPARE(f.BoxTexts(), box.isEmpty() ? QStringList() : QStringList{box});
    }
};

}  // namespace

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
