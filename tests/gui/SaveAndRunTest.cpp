// Saving the edit area, running the speaking program, the corrector's item,
// the edit area's keys, the exit and its question on screen.
#include <optional>

#include "app/QtUserPrompts.h"
#include "app/SaveAction.h"
#include "app/ScriptEditor.h"
#include "gui/support/MainWindowFixture.h"

using qvx::PromptIcon;
using qvx::test::MainWindowFixture;

namespace {

const QString kClean = QStringLiteral("script was checked with 0 errors and 0 warnings.");
const QString kAsk = QStringLiteral("Would you like to save demo.txt?");

// Chooses a button of the open "Save action:" dialog, or "close" its close
// control.
void Choose(MainWindowFixture& f, const char* button) {
    QVERIFY(f.window->SaveActionDialog());
    if (QByteArray(button) == "close") return void(f.window->SaveActionDialog()->close());
    qvx::test::Control<QPushButton>(f.window->SaveActionDialog(), button)->click();
}

struct RunCase {
    const char *name, *settings, *script, *firstBox;  // script "": none
    bool started;
    const char* programFolder = nullptr;  // when apart from the working folder
};

struct EditKeyCase {
    const char *name, *settings, *text;
    int from, to;  // the caret, or the selection it replaces
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char *after, *selected;
    int boxes;
};

class SaveAndRunTest : public QObject {
    Q_OBJECT
  private slots:
    // Over an existing script the "Save action:" dialog opens beside the
    // window, which stays usable. There is one at most; Esc does nothing,
    // Enter presses the focused button: Cancel saves nothing, Overwrite
    // replaces the script (Append is chosen on the way out).
    void existingScriptAsksWhatToDo() {
        MainWindowFixture f;
        f.Write("demo.txt", "[:np]\r\n");
        f.window->EditArea()->setPlainText(QStringLiteral("[:nb]"));
        f.ShowActive();
        for (const char* button : {"CCL", "Overwrite"}) {
            const qvx::test::RowTrace trace(button);
            f.Trigger("FileMenuSaveScript");
            auto* dialog = f.window->SaveActionDialog();
            f.Trigger("FileMenuSaveScript");
            QCOMPARE(f.window->findChildren<qvx::SaveAction*>(), QList<qvx::SaveAction*>{dialog});
            QVERIFY(QTest::qWaitForWindowActive(dialog) && f.window->isVisible());
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Save action:"));
            QTest::keyClick(dialog, Qt::Key_Escape);
            QVERIFY(f.window->SaveActionDialog() && dialog->isVisible());
            qvx::test::ExpectNamedAndTabbed(dialog, "AppendTo Overwrite CCL");
            auto* pressed = qvx::test::Control<QPushButton>(dialog, button);
            pressed->setFocus();
            QTest::keyClick(pressed, Qt::Key_Return);
            QTRY_VERIFY(!f.window->SaveActionDialog());
        }
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:nb]"));
        QCOMPARE(f.BoxTexts(), (QStringList{"data saved.", kClean}));
    }

    // While CheckBeforeRun is on, only a script that passed its check is run;
    // off, the speaking program of the program folder starts whatever there
    // is, even nothing, in the working folder. A start that fails is reported.
    void runStartsTheSpeakerOnlyAfterAPassedCheck_data() {
        const RunCase cases[] = {
            {"a warning stops it", "", "[:play nothere.wav]\r\n", "warning!", false},
            {"a passed check runs", "", "[:np]\r\n", "script was checked with 0 errors", true},
            {"unchecked, apart", "CheckBeforeRun=no", "", nullptr, true, "/usr/lib/quillvox"}};
        qvx::test::AddRows(cases);
    }
    void runStartsTheSpeakerOnlyAfterAPassedCheck() {
        QFETCH(const RunCase, row);
        MainWindowFixture f;
        const QString program = row.programFolder ? QLatin1String(row.programFolder) : f.dir.path();
        f.state.paths =
            qvx::ProgramPaths::InFolders(program.toStdString(), f.dir.path().toStdString());
        f.Write("settings.ini", QByteArray("[QVOptions]\r\n") + row.settings + "\r\n");
        if (*row.script) f.Write("demo.txt", row.script);
        f.Start();
        f.Trigger("OptionsMenuRun");
        QCOMPARE(f.prompts.boxes.empty(), !row.firstBox);
        QVERIFY(!row.firstBox || f.BoxTexts()[0].startsWith(QLatin1String(row.firstBox)));
        QCOMPARE(f.launcher.started.size(), std::size_t(row.started ? 1 : 0));
        if (!row.started) return;
        QCOMPARE(QString::fromStdString(f.launcher.started[0].program),
                 program + QLatin1String("/speak43"));
        QCOMPARE(QString::fromStdString(f.launcher.started[0].workingFolder), f.dir.path());
        f.launcher.succeed = false;
        f.prompts.boxes.clear();
        f.Trigger("OptionsMenuRun");
        QCOMPARE(f.BoxTexts().last(),
                 QStringLiteral("Cannot run external program. Speak43.exe cannot be found."));
    }

    // The corrector's item rewrites the script (its rules have tests of their
    // own; the check's item runs after the dial dialog).
    void correctFromTheMenu() {
        MainWindowFixture f;
        f.Write("demo.txt", "[:NP\r\n");
        f.Trigger("ScriptOptionsMenuCorrectScript");
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:np]\r\n"));
    }

    // Enter checks the text without its new break, then puts the break where
    // the caret was; the line the check selects stays selected, never the
    // break. With AutoLineCheck off nothing is checked. Ctrl+A selects all.
    void editAreaKeys_data() {
        const EditKeyCase cases[] = {
            {"checked", "", "[:np", 0, 0, Qt::Key_Return, {}, "\n[:np", "[:np", 1},
            {"over a selection", "", "[:npx", 2, 4, Qt::Key_Return, {}, "[:\nx", "[:", 1},
            {"second line", "", "hi\n[:nb", 7, 7, Qt::Key_Return, {}, "hi\n[:nb\n", "[:nb", 1},
            {"passes", "", "[:np]", 5, 5, Qt::Key_Return, Qt::ShiftModifier, "[:np]\n", "", 0},
            {"check off", "AutoLineCheck=no", "[:np", 4, 4, Qt::Key_Return, {}, "[:np\n", "", 0},
            {"Ctrl+A", "", "one\ntwo", 1, 3, Qt::Key_A, Qt::ControlModifier, "one\ntwo",
             "one\u2029two", 0},
        };
        qvx::test::AddRows(cases);
    }
    void editAreaKeys() {
        QFETCH(const EditKeyCase, row);
        MainWindowFixture f;
        f.Write("settings.ini", QByteArray("[QVOptions]\r\n") + row.settings + "\r\n");
        f.Start();
        f.ShowActive();
        auto* edit = f.window->EditArea();
        edit->setFocus();
        edit->setPlainText(QString::fromUtf8(row.text));
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(row.from);
        cursor.setPosition(row.to, QTextCursor::KeepAnchor);
        edit->setTextCursor(cursor);
        QTest::keyClick(edit, row.key, row.modifiers);
        QCOMPARE(edit->toPlainText(), QString::fromUtf8(row.after));
        QCOMPARE(edit->textCursor().selectedText(), QString::fromUtf8(row.selected));
        QCOMPARE(int(f.prompts.boxes.size()), row.boxes);
        if (!*row.selected) QCOMPARE(edit->textCursor().position(), row.from + 1);
    }

    // The ways through the exit, with and without the "Save action:" dialog
    // already open; demo.txt, when present, holds "[:np]" and CR LF. The edit
    // area is saved as typed, non-breaking spaces included, in UTF-8: only
    // the line breaks change. Backing out of the question or of the dialog
    // keeps the program and the text. A second close afterwards ends the
    // program once in all.
    void exitAsksThenSavesKeepsOrDeletes() {
        const QString typed = QStringLiteral("gr\u00FC\u00DFe a\u00A0b\n[:nb]");
        const QByteArray saved("gr\303\274\303\237e a\302\240b\r\n[:nb]");
        const QByteArray script("[:np]\r\n");
        const QStringList savedBoxes{kAsk, "data saved.", kClean};
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
            {"esc stays open", "", true, false, esc, "", script, {kAsk}, 0},
            {"yes, no script", "", false, false, true, "", saved, savedBoxes, 1},
            {"open, no", "", true, true, false, "", script, {kAsk}, 1},
            {"open, yes, append", "", true, true, true, "AppendTo", script + saved, savedBoxes, 1},
            {"yes, cancel stays open", "", true, false, true, "CCL", script, {kAsk}, 0},
            {"open, yes, closed stays open", "", true, true, true, "close", script, {kAsk}, 0},
            {"open, not kept", "KeepDataOnExit=no", true, true, {}, "", "<missing>", {}, 1},
            {"editor off asks nothing", "UseEditor=no", true, false, {}, "", script, {}, 1},
        };
        for (const auto& c : cases) {
            MainWindowFixture f;
            f.Write("settings.ini", "[QVOptions]\r\n" + QByteArray(c.setting) + "\r\n");
            if (c.scriptExists) f.Write("demo.txt", script);
            f.Start();
            f.window->EditArea()->setPlainText(typed);
            if (c.saveDialogOpen) f.Trigger("FileMenuSaveScript");
            if (c.answer) f.prompts.answers = {*c.answer};
            f.window->close();  // the window's close control
            if (*c.button) {
                QVERIFY2(f.endCalls == 0, c.name);
                Choose(f, c.button);
            }
            QVERIFY2(f.Read("demo.txt") == c.after, c.name);
            QVERIFY2(f.BoxTexts() == c.boxes, c.name);
            QVERIFY2(f.endCalls == c.ended, c.name);
            QVERIFY2(c.boxes.isEmpty() || f.prompts.boxes[0].title == "Save before exit", c.name);
            QVERIFY2(f.window->EditArea()->Text() == typed, c.name);
            f.prompts.answers = {false};
            f.Trigger("FileMenuClose");
            QVERIFY2(f.endCalls == 1, c.name);
        }
    }

    // On screen, Esc backs out of the exit question (the close control
    // presses the same hidden button) and answers No to a plain question;
    // Esc in an input box answers "". A screen reader can tell every
    // control of each.
    void questionBoxesOnScreen() {
        using Answer = qvx::UserPrompts::Answer;
        qvx::QtUserPrompts prompts;
        for (const int kind : {0, 1, 2}) {
            QTimer::singleShot(0, [] {
                QWidget* box = QApplication::activeModalWidget();
                if (!box) qFatal("no box on screen");
                qvx::test::ExpectSpeakable(box);
                QTest::keyClick(box, Qt::Key_Escape);
            });
            if (kind == 2) {
                QCOMPARE(prompts.AskText("name?", "sound"), std::string());
                continue;
            }
            const Answer answer =
                kind == 0 ? prompts.AskYesNoOrCancel("save?", "exit")
                          : (prompts.AskYesNo("save?", "exit") ? Answer::Yes : Answer::No);
            QCOMPARE(answer, kind == 0 ? Answer::Cancel : Answer::No);
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
        Choose(f, "Overwrite");
        QCOMPARE(f.endCalls, 0);
        QCOMPARE(f.prompts.boxes.back().icon, PromptIcon::Critical);
        QVERIFY(!f.BoxTexts().contains(QStringLiteral("data saved.")) &&
                f.window->SaveActionDialog());
        QCOMPARE(f.window->EditArea()->toPlainText(), QStringLiteral("precious"));
    }
};

}  // namespace

QTEST_MAIN(SaveAndRunTest)
#include "SaveAndRunTest.moc"
