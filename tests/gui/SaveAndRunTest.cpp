// Saving the edit area, checking, running the speaking program, the line
// check at Enter, and the save branch of the exit.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>

#include "app/QtLauncher.h"
#include "app/QtUserPrompts.h"
#include "app/SaveAction.h"
#include "app/ScriptEditor.h"
#include "gui/support/MainWindowFixture.h"

using qvx::PromptIcon;
using qvx::test::MainWindowFixture;

namespace {

const QString kClean = QStringLiteral("script was checked with 0 errors and 0 warnings.");
const QString kAsk = QStringLiteral("Would you like to save demo.txt?");

void Press(MainWindowFixture& f, const char* button) {
    QVERIFY(f.window->SaveActionDialog());
    auto* pushButton =
        f.window->SaveActionDialog()->findChild<QPushButton*>(QString::fromLatin1(button));
    QVERIFY2(pushButton, button);
    pushButton->click();
}

class SaveAndRunTest : public QObject {
    Q_OBJECT
  private slots:
    void saveToANewFile() {
        MainWindowFixture f;
        f.window->EditArea()->setPlainText(QStringLiteral("hello\n[:np]"));
        f.Trigger("FileMenuSaveScript");
        QCOMPARE(f.Read("demo.txt"), QByteArray("hello\r\n[:np]"));
        QCOMPARE(f.BoxTexts(), (QStringList{"data saved.", kClean}));
        QVERIFY(f.state.ScriptCheckPassed);
        QVERIFY2(f.Action("OptionsMenuDeleteData")->isVisible(),
                 "the check refreshes the settings");
    }

    void existingScriptAsksWhatToDo_data() {
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("append") << QByteArray("AppendTo") << QByteArray("[:np]\r\n[:nb]")
                                << QStringList{"data saved.", kClean};
        QTest::newRow("overwrite")
            << QByteArray("Overwrite") << QByteArray("[:nb]") << QStringList{"data saved.", kClean};
        QTest::newRow("cancel") << QByteArray("CCL") << QByteArray("[:np]\r\n") << QStringList{};
    }
    void existingScriptAsksWhatToDo() {
        QFETCH(QByteArray, button);
        QFETCH(QByteArray, after);
        QFETCH(QStringList, boxes);
        MainWindowFixture f;
        f.Write("demo.txt", "[:np]\r\n");
        f.window->show();
        f.window->EditArea()->setPlainText(QStringLiteral("[:nb]"));
        f.Trigger("FileMenuSaveScript");
        QVERIFY(f.window->SaveActionDialog()->isVisible());
        QCOMPARE(f.window->SaveActionDialog()->windowTitle(), QStringLiteral("Save action:"));
        QVERIFY2(f.window->isVisible(), "the main window stays usable");
        bool dialogOpenDuringBoxes = true;
        f.prompts.onBox = [&](const qvx::RecordingPrompts::Box&) {
            dialogOpenDuringBoxes = dialogOpenDuringBoxes && f.window->SaveActionDialog() &&
                                    f.window->SaveActionDialog()->isVisible();
        };
        Press(f, button.constData());
        QCOMPARE(f.Read("demo.txt"), after);
        QCOMPARE(f.BoxTexts(), boxes);
        QVERIFY2(dialogOpenDuringBoxes, "the dialog closes after the check's boxes");
        QTRY_VERIFY(!f.window->SaveActionDialog());
    }

    void oneSaveActionDialogAtMost() {
        MainWindowFixture f;
        f.Write("demo.txt", "x");
        f.Trigger("FileMenuSaveScript");
        auto* first = f.window->SaveActionDialog();
        f.Trigger("FileMenuSaveScript");
        QCOMPARE(f.window->SaveActionDialog(), first);
        QCOMPARE(f.window->findChildren<qvx::SaveAction*>().size(), 1);
    }

    void escapeDoesNothingAndEnterPressesTheFocusedButton() {
        MainWindowFixture f;
        f.Write("demo.txt", "x");
        f.window->EditArea()->setPlainText(QStringLiteral("y"));
        f.ShowActive();
        f.Trigger("FileMenuSaveScript");
        auto* dialog = f.window->SaveActionDialog();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(f.window->SaveActionDialog() && dialog->isVisible());
        auto* overwrite = dialog->findChild<QPushButton*>(QStringLiteral("Overwrite"));
        overwrite->setFocus();
        QTest::keyClick(overwrite, Qt::Key_Return);
        QCOMPARE(f.Read("demo.txt"), QByteArray("y"));
    }

    // Only the line breaks change; every other character, non-breaking
    // spaces included, is saved as typed, in UTF-8.
    void textIsSavedAsTypedInUtf8() {
        MainWindowFixture f;
        f.window->EditArea()->setPlainText(QStringLiteral("gr\u00FC\u00DFe a\u00A0b\nc"));
        f.Trigger("FileMenuSaveScript");
        QCOMPARE(f.Read("demo.txt"), QByteArray("gr\xC3\xBC\xC3\x9F"
                                                "e a\xC2\xA0"
                                                "b\r\nc"));
    }

    void failedOverwriteKeepsTheScriptAndTheDialog() {
        MainWindowFixture f;
        f.Write("demo.txt", "[:np]\r\n");
        QFile::setPermissions(f.Path("demo.txt"), QFile::ReadOwner);
        f.window->EditArea()->setPlainText(QStringLiteral("new"));
        f.Trigger("FileMenuSaveScript");
        Press(f, "Overwrite");
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:np]\r\n"));
        QCOMPARE(f.prompts.boxes.size(), std::size_t(1));
        QCOMPARE(f.prompts.boxes[0].icon, PromptIcon::Critical);
        QVERIFY(!f.BoxTexts().contains(QStringLiteral("data saved.")));
        QVERIFY(f.window->SaveActionDialog());
    }

    // While CheckBeforeRun is on, only a script that passed its check is run;
    // off, the speaking program starts whatever there is, even nothing.
    void runStartsTheSpeakerOnlyAfterAPassedCheck_data() {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QByteArray>("script");  // empty: none
        QTest::addColumn<QString>("firstBox");   // how it begins
        QTest::addColumn<bool>("started");
        QTest::newRow("no script")
            << QByteArray() << QByteArray() << "error! no script to check." << false;
        QTest::newRow("a warning")
            << QByteArray() << QByteArray("[:play nothere.wav]\r\n") << "warning!" << false;
        QTest::newRow("clean") << QByteArray() << QByteArray("[:np]\r\n") << kClean << true;
        QTest::newRow("unchecked, no script")
            << QByteArray("CheckBeforeRun=no") << QByteArray() << QString() << true;
    }
    void runStartsTheSpeakerOnlyAfterAPassedCheck() {
        QFETCH(QByteArray, settings);
        QFETCH(QByteArray, script);
        QFETCH(QString, firstBox);
        QFETCH(bool, started);
        MainWindowFixture f;
        if (!settings.isEmpty()) f.Write("settings.ini", "[QVOptions]\r\n" + settings + "\r\n");
        if (!script.isEmpty()) f.Write("demo.txt", script);
        f.Start();
        f.Trigger("OptionsMenuRun");
        QVERIFY(f.BoxTexts().value(0).startsWith(firstBox));
        QCOMPARE(f.prompts.boxes.empty(), firstBox.isEmpty());
        QCOMPARE(f.launcher.started.size(), std::size_t(started ? 1 : 0));
        if (!started) return;
        QCOMPARE(QString::fromStdString(f.launcher.started[0].program),
                 f.Path(QStringLiteral("speak43")));
        QCOMPARE(QString::fromStdString(f.launcher.started[0].workingFolder), f.dir.path());
    }

    // The real start: detached, in the program folder, without arguments; a
    // missing program is reported.
    void theRealSpeakerIsStartedOrReportedMissing() {
        MainWindowFixture f;
        f.Write("demo.txt", "[:np]\r\n");
        qvx::QtLauncher launcher;
        qvx::QVX5 window(f.state, f.prompts, launcher, [] {});
        window.Action("OptionsMenuRun")->trigger();
        QCOMPARE(f.BoxTexts(), (QStringList{kClean,
                                            "Cannot run external program. Speak43.exe "
                                            "cannot be found."}));
        f.Write("speak43", "#!/bin/sh\npwd > started.txt\necho \"$#\" >> started.txt\n");
        QFile::setPermissions(f.Path("speak43"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        window.Action("OptionsMenuRun")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(f.Read("started.txt").count('\n') == 2, 5000);
        QCOMPARE(f.Read("started.txt"), f.dir.path().toUtf8() + "\n0\n");
    }

    void checkAndCorrectFromTheMenu() {
        MainWindowFixture f;
        f.Write("demo.txt", "[:NP\r\n");
        f.Trigger("ScriptOptionsMenuCheckScript");
        QCOMPARE(f.BoxTexts().first(),
                 QStringLiteral("error! missing close brackets on line 1: [:np"));
        QVERIFY(f.Exists("errors.log"));
        f.prompts.boxes.clear();
        f.Trigger("ScriptOptionsMenuCorrectScript");
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:np]\r\n"));
        QVERIFY2(!f.state.ScriptCheckPassed, "a run that repaired something does not pass");
        f.Trigger("ScriptOptionsMenuCorrectScript");
        QVERIFY(f.state.ScriptCheckPassed);
        QVERIFY(!f.Exists("errors.log"));
    }

    // Enter checks the text without its new break, then puts the break where
    // the caret was; the line the check selects stays selected, never the break.
    void enterChecksThenBreaksTheLine_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("from");  // the caret, or the selection it replaces
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("selected");
        QTest::newRow("at the end") << "[:np" << 4 << 4 << 0 << "[:np\n"
                                    << "[:np";
        QTest::newRow("at the start") << "[:np" << 0 << 0 << 0 << "\n[:np"
                                      << "[:np";
        QTest::newRow("inside") << "[:np" << 2 << 2 << 0 << "[:\nnp"
                                << "[:";
        QTest::newRow("over a selection") << "[:npx" << 2 << 4 << 0 << "[:\nx"
                                          << "[:";
        QTest::newRow("second line") << "hi\n[:nb" << 7 << 7 << 0 << "hi\n[:nb\n"
                                     << "[:nb";
        QTest::newRow("before a faulty line") << "hi\n[:nb" << 0 << 0 << 0 << "\nhi\n[:nb"
                                              << "[:nb";
        QTest::newRow("clean, with shift")
            << "[:np]" << 5 << 5 << int(Qt::ShiftModifier) << "[:np]\n"
            << QString();
    }
    void enterChecksThenBreaksTheLine() {
        QFETCH(QString, text);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, modifiers);
        QFETCH(QString, after);
        QFETCH(QString, selected);
        MainWindowFixture f;
        f.ShowActive();
        auto* edit = f.window->EditArea();
        edit->setFocus();
        edit->setPlainText(text);
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        edit->setTextCursor(cursor);
        QTest::keyClick(edit, Qt::Key_Return, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(edit->toPlainText(), after);
        QCOMPARE(edit->textCursor().selectedText(), selected);
        QCOMPARE(f.prompts.boxes.size(), std::size_t(selected.isEmpty() ? 0 : 1));
        if (selected.isEmpty()) QCOMPARE(edit->textCursor().position(), from + 1);
    }

    void enterChecksNothingWhileAutoLineCheckIsOff() {
        MainWindowFixture f;
        f.Write("settings.ini", "[QVOptions]\r\nAutoLineCheck=no\r\n");
        f.Start();
        f.ShowActive();
        auto* edit = f.window->EditArea();
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("[:np"));
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, QStringLiteral("x"));
        QVERIFY(f.prompts.boxes.empty());
        QCOMPARE(edit->toPlainText(), QStringLiteral("[:np\nx"));
    }

    // Every way through the exit, with and without the "Save action:" dialog
    // already open. The edit area holds "[:nb]" and demo.txt, when present,
    // "[:np]" and CR LF. A second close afterwards ends the program once in all.
    void exitAsksThenSavesKeepsOrDeletes() {
        const QByteArray script("[:np]\r\n");
        const QStringList saved{kAsk, "data saved.", kClean};
        const std::optional<bool> esc;
        const struct {
            const char* name;
            const char* setting;  // in [QVOptions]
            bool scriptExists, saveDialogOpen;
            std::optional<std::optional<bool>> answer;  // none when nothing is asked
            const char* button;                         // then pressed in "Save action:"
            QByteArray after;
            QStringList boxes;
            int ended;
        } cases[] = {
            {"no", "", true, false, false, "", script, {kAsk}, 1},
            {"esc stays open", "", true, false, esc, "", script, {kAsk}, 0},
            {"yes, no script", "", false, false, true, "", "[:nb]", saved, 1},
            {"yes, append", "", true, false, true, "AppendTo", script + "[:nb]", saved, 1},
            {"yes, cancel", "", true, false, true, "CCL", script, {kAsk}, 1},
            {"dialog open, no", "", true, true, false, "", script, {kAsk}, 1},
            {"dialog open, yes, append", "", true, true, true, "AppendTo", script + "[:nb]", saved,
             1},
            {"dialog open, data not kept",
             "KeepDataOnExit=no",
             true,
             true,
             {},
             "",
             "<missing>",
             {},
             1},
            {"data not kept", "KeepDataOnExit=no", true, false, {}, "", "<missing>", {}, 1},
            {"editor off asks nothing", "UseEditor=no", true, false, {}, "", script, {}, 1},
        };
        for (const auto& c : cases) {
            MainWindowFixture f;
            f.Write("settings.ini", "[QVOptions]\r\n" + QByteArray(c.setting) + "\r\n");
            if (c.scriptExists) f.Write("demo.txt", script);
            f.Start();
            f.window->EditArea()->setPlainText(QStringLiteral("[:nb]"));
            if (c.saveDialogOpen) f.Trigger("FileMenuSaveScript");
            if (c.answer) f.prompts.answers = {*c.answer};
            f.window->close();  // the window's close control
            if (*c.button) {
                QVERIFY2(f.endCalls == 0, c.name);
                Press(f, c.button);
            }
            QVERIFY2(f.Read("demo.txt") == c.after, c.name);
            QVERIFY2(f.BoxTexts() == c.boxes, c.name);
            QVERIFY2(f.endCalls == c.ended, c.name);
            if (!c.boxes.isEmpty()) {
                QCOMPARE(f.prompts.boxes[0].title, std::string("Save before exit"));
                QCOMPARE(f.prompts.boxes[0].icon, PromptIcon::Question);
            }
            QCOMPARE(f.window->EditArea()->toPlainText(), QStringLiteral("[:nb]"));
            f.prompts.answers = {false};
            f.Trigger("FileMenuClose");
            QVERIFY2(f.endCalls == 1, c.name);
        }
    }

    // The boxes on screen: Esc and the close control answer No to a plain
    // question and back out of the exit question.
    void questionBoxesOnScreen() {
        using Answer = qvx::UserPrompts::Answer;
        const struct {
            bool cancellable;
            std::function<void(QMessageBox*)> act;
            Answer answer;
        } cases[] = {
            {true, [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }, Answer::Cancel},
            {true, [](QMessageBox* box) { box->close(); }, Answer::Cancel},
            {true, [](QMessageBox* box) { box->button(QMessageBox::No)->click(); }, Answer::No},
            {true, [](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); }, Answer::Yes},
            {false, [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }, Answer::No},
            {false, [](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); }, Answer::Yes},
        };
        qvx::QtUserPrompts prompts;
        for (const auto& c : cases) {
            QStringList shown;  // the buttons a screen reader finds
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box) qFatal("no question box on screen");
                for (QAbstractButton* button : box->buttons()) {
                    if (button->isVisibleTo(box)) shown << button->text();
                }
                c.act(box);
            });
            const Answer answer =
                c.cancellable ? prompts.AskYesNoOrCancel("save?", "exit")
                              : (prompts.AskYesNo("save?", "exit") ? Answer::Yes : Answer::No);
            QCOMPARE(answer, c.answer);
            shown.sort();
            QCOMPARE(shown, (QStringList{QStringLiteral("&No"), QStringLiteral("&Yes")}));
        }
    }

    // A save that fails keeps the program open, whoever runs it: demo.txt is a
    // folder, which no save can replace.
    void quitStaysOpenWhenTheSaveFails() {
        MainWindowFixture f;
        QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("demo.txt")));
        f.window->EditArea()->setPlainText(QStringLiteral("precious"));
        f.prompts.answers = {true};
        f.Trigger("FileMenuClose");
        Press(f, "Overwrite");
        QCOMPARE(f.endCalls, 0);
        QCOMPARE(f.prompts.boxes.back().icon, PromptIcon::Critical);
        QVERIFY(f.window->SaveActionDialog());
        QCOMPARE(f.window->EditArea()->toPlainText(), QStringLiteral("precious"));
    }
};

}  // namespace

QTEST_MAIN(SaveAndRunTest)
#include "SaveAndRunTest.moc"
