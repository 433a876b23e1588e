// The three input dialogs opened through the main window's menu items: the
// main window gives way while one is open and comes back, active, however it
// closes, and the program never ends because a dialog closed.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "gui/support/MainWindowFixture.h"

using qvx::test::MainWindowFixture;

namespace {

QDialog* OpenDialog(MainWindowFixture& f, const char* item, const char* dialogName) {
    f.Trigger(item);
    auto* dialog = f.window->findChild<QDialog*>(QString::fromLatin1(dialogName));
    if (dialog && !QTest::qWaitForWindowActive(dialog)) return nullptr;
    return dialog;
}

QString FocusedName() {
    QWidget* focused = QApplication::focusWidget();
    return focused ? focused->objectName() : QString();
}

void Type(QDialog* dialog, const char* box, const QString& text) {
    auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(box));
    QVERIFY2(edit, box);
    edit->setFocus();
    QTest::keyClicks(edit, text);
}

void Click(QDialog* dialog, const char* button) {
    auto* push = dialog->findChild<QPushButton*>(QString::fromLatin1(button));
    QVERIFY2(push, button);
    push->click();
}

void ExpectMainWindowBack(MainWindowFixture& f, QDialog* dialog) {
    QTRY_VERIFY(!dialog->isVisible());
    QTRY_VERIFY(f.window->isVisible());
    QTRY_VERIFY(f.window->isActiveWindow());
    QCOMPARE(f.endCalls, 0);
}

class DialogsFromMenuTest : public QObject {
    Q_OBJECT
  private slots:
    void valueDialogWritesAndReturns() {
        MainWindowFixture f;
        f.ShowActive();
        QDialog* dialog = OpenDialog(f, "IntonationMenuPitch", "GeneralInput");
        QVERIFY(dialog);
        QVERIFY(!f.window->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Average Pitch"));
        QTRY_COMPARE(FocusedName(), QStringLiteral("Generic"));
        QCOMPARE(f.state.InputKind, 13);
        Type(dialog, "Generic", QStringLiteral("120"));
        Click(dialog, "Submit");
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:dv ap 120]\r\n"));
        ExpectMainWindowBack(f, dialog);
    }

    void eachValueItemRecordsItsKind_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("caption");
        QTest::newRow("rate") << "CharacteristicsMenuVoiceRate" << 1 << "Voice rate";
        QTest::newRow("f4 frequency") << "CharacteristicsMenuF4Frequency" << 4 << "F4 Frequency";
        QTest::newRow("f4 bandwidth") << "CharacteristicsMenuF4Bandwidth" << 6 << "F4 Bandwidth";
        QTest::newRow("assertiveness") << "IntonationMenuAssertiveness" << 15 << "Assertiveness";
        QTest::newRow("speed") << "IntonationMenuSpeed" << 18 << "Quickness";
        QTest::newRow("resonator 3")
            << "GainSettingsMenuFormantResonator3" << 26 << "Formant resonator3 gain level";
        QTest::newRow("dtmf") << "OtherEffectsMenuDTMFToneGenerator" << 29 << "DTMF tones";
    }
    void eachValueItemRecordsItsKind() {
        QFETCH(QString, item);
        QFETCH(int, kind);
        QFETCH(QString, caption);
        MainWindowFixture f;
        f.ShowActive();
        QDialog* dialog = OpenDialog(f, item.toLatin1().constData(), "GeneralInput");
        QVERIFY(dialog);
        QCOMPARE(f.state.InputKind, kind);
        QCOMPARE(dialog->windowTitle(), caption);
        QTRY_COMPARE(FocusedName(), QStringLiteral("Generic"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        ExpectMainWindowBack(f, dialog);
        QVERIFY(!f.Exists("demo.txt"));
    }

    void phonemeDialogFromCtrlN() {
        MainWindowFixture f;
        f.ShowActive();
        QTest::keyClick(f.window.get(), Qt::Key_N, Qt::ControlModifier);
        auto* dialog = f.window->findChild<QDialog*>(QStringLiteral("Phonemes"));
        QVERIFY(dialog);
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QVERIFY(!f.window->isVisible());
        QTRY_COMPARE(FocusedName(), QStringLiteral("txtPhoneme"));
        Type(dialog, "txtPhoneme", QStringLiteral("aa"));
        Type(dialog, "txtNote", QStringLiteral("13"));
        Type(dialog, "txtLength", QStringLiteral("500"));
        Click(dialog, "Gen");
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:phone on]\r\n[aa<500,13>]\r\n"));
        ExpectMainWindowBack(f, dialog);
    }

    void toneDialogClosedByItsCloseControl() {
        MainWindowFixture f;
        f.ShowActive();
        QDialog* dialog = OpenDialog(f, "OtherEffectsMenuToneGenerator", "Tones");
        QVERIFY(dialog);
        QVERIFY(!f.window->isVisible());
        QTRY_COMPARE(FocusedName(), QStringLiteral("ToneValue"));
        Type(dialog, "ToneValue", QStringLiteral("10"));
        dialog->close();
        ExpectMainWindowBack(f, dialog);
        QVERIFY(!f.Exists("demo.txt"));

        // The next opening starts empty, whatever was typed before.
        dialog = OpenDialog(f, "OtherEffectsMenuToneGenerator", "Tones");
        QVERIFY(dialog);
        QVERIFY(dialog->findChild<QLineEdit*>(QStringLiteral("ToneValue"))->text().isEmpty());
        Type(dialog, "ToneValue", QStringLiteral("10"));
        Type(dialog, "Length", QStringLiteral("500"));
        Click(dialog, "Gen");
        QCOMPARE(f.Read("demo.txt"), QByteArray("[:tone<440,500>]\r\n"));
        ExpectMainWindowBack(f, dialog);
    }
};

}  // namespace

QTEST_MAIN(DialogsFromMenuTest)
#include "DialogsFromMenuTest.moc"
