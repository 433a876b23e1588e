// Saving the edit area, checking, running the speaking program, the line
// check at Enter, and the save branch of the exit.
#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include "app/QtLauncher.h"
#include "app/SaveAction.h"
#include "app/ScriptEditor.h"
#include "gui/support/MainWindowFixture.h"

using qvx::PromptIcon;
using qvx::test::MainWindowFixture;

namespace {

const QString kClean = QStringLiteral("script was checked with 0 errors and 0 warnings.");

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

    void savedFaultIsReportedOnItsLine() {
        MainWindowFixture f;
        f.window->EditArea()->setPlainText(QStringLiteral("[:np]\n[:nb"));
        f.Trigger("FileMenuSaveScript");
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:np]\r\n[:nb"));
        QCOMPARE(f.BoxTexts().value(1),
                 QStringLiteral("error! missing close brackets on line 2: [:nb"));
        QVERIFY(!f.state.ScriptCheckPassed);
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

    void emptyEditAreaAppendedLeavesTheScript() {
        MainWindowFixture f;
        f.Write("demo.txt", "[:np]\r\n");
        f.Trigger("FileMenuSaveScript");
        Press(f, "AppendTo");
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:np]\r\n"));
    }

    void savedTextSharesItsLastLineWithTheNextCommand() {
        MainWindowFixture f;
        f.window->EditArea()->setPlainText(QStringLiteral("hello"));
        f.Trigger("FileMenuSaveScript");
        f.Trigger("VoicesMenuPaul");
        QCOMPARE(f.Read("demo.txt"), QByteArray("hello[:np]\r\n"));
    }

    void nonAsciiTextIsSavedAsUtf8() {
        MainWindowFixture f;
        f.window->EditArea()->setPlainText(QStringLiteral("gr\u00FC\u00DFe"));
        f.Trigger("FileMenuSaveScript");
        QCOMPARE(f.Read("demo.txt"), QByteArray("gr\xC3\xBC\xC3\x9F"
                                                "e"));
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

    void runChecksFirstAndStopsOnAMissingScript() {
        MainWindowFixture f;
        f.Trigger("OptionsMenuRun");
        QCOMPARE(f.BoxTexts(), QStringList{"error! no script to check."});
        QVERIFY(f.launcher.started.empty());
    }

    void runStopsOnAWarning() {
        MainWindowFixture f;
        f.Write("demo.txt", "[:play nothere.wav]\r\n");
        f.Trigger("OptionsMenuRun");
        QVERIFY(f.BoxTexts().first().startsWith(QStringLiteral("warning!")));
        QVERIFY(f.launcher.started.empty());
    }

    void runWithoutCheckingStartsTheSpeakerEvenWithoutAScript() {
        MainWindowFixture f;
        f.Write("settings.ini", "[QVOptions]\r\nCheckBeforeRun=no\r\n");
        f.Start();
        f.Trigger("OptionsMenuRun");
        QVERIFY(f.prompts.boxes.empty());
        QCOMPARE(f.launcher.started.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(f.launcher.started[0].program),
                 f.Path(QStringLiteral("speak43")));
        QCOMPARE(QString::fromStdString(f.launcher.started[0].workingFolder), f.dir.path());
    }

    void f5RunsTheScriptOncePerPress() {
        MainWindowFixture f;
        f.Write("demo.txt", "[:np]\r\n");
        f.ShowActive();
        QTest::keyClick(f.window.get(), Qt::Key_F5);
        QTest::keyClick(f.window->EditArea(), Qt::Key_F5);
        QCOMPARE(f.launcher.started.size(), std::size_t(2));
        QCOMPARE(f.BoxTexts(), (QStringList{kClean, kClean}));
    }

    void theRealSpeakerIsStartedDetachedInTheProgramFolder() {
        MainWindowFixture f;
        f.Write("demo.txt", "[:np]\r\n");
        f.Write("speak43", "#!/bin/sh\npwd > started.txt\necho \"$#\" >> started.txt\n");
        QFile::setPermissions(f.Path("speak43"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qvx::QtLauncher launcher;
        qvx::QVX5 window(f.state, f.prompts, launcher, [] {});
        window.Action("OptionsMenuRun")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(f.Read("started.txt").count('\n') == 2, 5000);
        QCOMPARE(f.Read("started.txt"), f.dir.path().toUtf8() + "\n0\n");
    }

    void aMissingSpeakerIsReported() {
        MainWindowFixture f;
        f.Write("demo.txt", "[:np]\r\n");
        qvx::QtLauncher launcher;
        qvx::QVX5 window(f.state, f.prompts, launcher, [] {});
        window.Action("OptionsMenuRun")->trigger();
        QCOMPARE(
            f.BoxTexts(),
            (QStringList{kClean, "Cannot run external program. Speak43.exe cannot be found."}));
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

    void enterChecksTheLineWhileAutoLineCheckIsOn() {
        MainWindowFixture f;
        f.ShowActive();
        auto* edit = f.window->EditArea();
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("[:np"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(f.prompts.boxes.size(), std::size_t(1));
        QCOMPARE(f.prompts.boxes[0].icon, PromptIcon::Exclamation);
        QCOMPARE(edit->toPlainText(), QStringLiteral("[:np\n"));
        QCOMPARE(edit->textCursor().selectedText(), QStringLiteral("[:np"));
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

    void enterOnACleanLineJustBreaksIt() {
        MainWindowFixture f;
        f.ShowActive();
        auto* edit = f.window->EditArea();
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("[:np]"));
        QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(edit, QStringLiteral("hi"));
        QVERIFY(f.prompts.boxes.empty());
        QCOMPARE(edit->toPlainText(), QStringLiteral("[:np]\nhi"));
    }

    void quitWithYesWaitsForTheSaveActionDialog() {
        MainWindowFixture f;
        f.Write("demo.txt", "[:np]\r\n");
        f.window->EditArea()->setPlainText(QStringLiteral("[:nb]"));
        f.prompts.answers = {true};
        f.Trigger("FileMenuClose");
        QVERIFY(f.window->SaveActionDialog());
        QCOMPARE(f.endCalls, 0);
        Press(f, "AppendTo");
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:np]\r\n[:nb]"));
        QCOMPARE(f.BoxTexts(),
                 (QStringList{"Would you like to save demo.txt?", "data saved.", kClean}));
        QCOMPARE(f.endCalls, 1);
    }

    void quitWithYesThenCancelEndsWithoutSaving() {
        MainWindowFixture f;
        f.Write("demo.txt", "[:np]\r\n");
        f.window->EditArea()->setPlainText(QStringLiteral("[:nb]"));
        f.prompts.answers = {true};
        f.window->close();
        Press(f, "CCL");
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:np]\r\n"));
        QCOMPARE(f.endCalls, 1);
    }

    void quitWithYesAndNoScriptSavesChecksAndEnds() {
        MainWindowFixture f;
        f.window->EditArea()->setPlainText(QStringLiteral("[:np]"));
        f.prompts.answers = {true};
        f.Trigger("FileMenuClose");
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:np]"));
        QCOMPARE(f.BoxTexts(),
                 (QStringList{"Would you like to save demo.txt?", "data saved.", kClean}));
        QCOMPARE(f.endCalls, 1);
    }

    void quitStaysOpenWhenTheSaveFails() {
        MainWindowFixture f;
        QFile::setPermissions(f.dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        f.window->EditArea()->setPlainText(QStringLiteral("precious"));
        f.prompts.answers = {true};
        f.Trigger("FileMenuClose");
        QFile::setPermissions(f.dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (f.Exists("demo.txt")) QSKIP("this user may write into read-only folders");
        QCOMPARE(f.endCalls, 0);
        QCOMPARE(f.prompts.boxes.back().icon, PromptIcon::Critical);
        QCOMPARE(f.window->EditArea()->toPlainText(), QStringLiteral("precious"));
    }
};

}  // namespace

QTEST_MAIN(SaveAndRunTest)
#include "SaveAndRunTest.moc"
